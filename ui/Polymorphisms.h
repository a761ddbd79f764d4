// TForm2: polymorphism calling from the aligned import.
// The window itself is still a bare shell with its caption.
#pragma once

#include <QDialog>

#include "core/workspace.h"
#include "ui/dialogs.h"


class QLabel;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(corvella::Workspace& ws, corvella::Dialogs& dialogs, QWidget* parent = nullptr);

    QLabel* Label2;  // bold label

private:
    corvella::Workspace& ws_;
    corvella::Dialogs& dialogs_;
};
