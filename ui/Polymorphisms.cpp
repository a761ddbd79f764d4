#include "ui/Polymorphisms.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/widget_helpers.h"

TForm2::TForm2(corvella::Workspace& ws, corvella::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs) {
    setWindowTitle("Calculate Polymorphisms");
    Label2 = corvella::bold_label(this, "Label2");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
}
