#include "ui/Rrnastructure.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/widget_helpers.h"

TForm10::TForm10(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs), progress_(progress) {
    setWindowTitle("Human rRNA's structure");
    Label1 = corvella::bold_label(this, "Label1");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
}
