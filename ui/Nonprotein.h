// TForm5: counts per non-protein region, with reports.
// The window itself is still a bare shell with its caption.
#pragma once

#include <QDialog>

#include "core/workspace.h"
#include "ui/dialogs.h"
#include "ui/Progressbarform.h"

class QLabel;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    TForm5(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent = nullptr);

    QLabel* Label1;  // bold summary label

private:
    corvella::Workspace& ws_;
    corvella::Dialogs& dialogs_;
    TForm6& progress_;
};
