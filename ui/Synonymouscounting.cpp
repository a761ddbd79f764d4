#include "ui/Synonymouscounting.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/widget_helpers.h"

TForm4::TForm4(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs), progress_(progress) {
    setWindowTitle("Protein Synonymous Counting");
    Label1 = corvella::bold_label(this, "Label1");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
}
