#include "ui/Nonprotein.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/widget_helpers.h"

TForm5::TForm5(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs), progress_(progress) {
    setWindowTitle("Non Protein Position Counting");
    Label1 = corvella::bold_label(this, "Label1");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
}
