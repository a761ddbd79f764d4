// TForm7: the network data file export.
// The window itself is still a bare shell with its caption.
#pragma once

#include <QDialog>

#include "core/workspace.h"
#include "ui/dialogs.h"


class QLabel;

class TForm7 : public QDialog {
    Q_OBJECT
public:
    TForm7(corvella::Workspace& ws, corvella::Dialogs& dialogs, QWidget* parent = nullptr);

    QLabel* Label2;  // bold label

private:
    corvella::Workspace& ws_;
    corvella::Dialogs& dialogs_;
};
