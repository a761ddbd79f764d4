#include "ui/Exporttonetwork.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/widget_helpers.h"

TForm7::TForm7(corvella::Workspace& ws, corvella::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs) {
    setWindowTitle("Export to Network Binary File");
    Label2 = corvella::bold_label(this, "Label2");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
}
