// TForm4: synonymous and non-synonymous counts per protein gene, with reports.
// The window itself is still a bare shell with its caption.
#pragma once

#include <QDialog>

#include "core/workspace.h"
#include "ui/dialogs.h"
#include "ui/Progressbarform.h"

class QLabel;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    TForm4(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent = nullptr);

    QLabel* Label1;  // bold summary label

private:
    corvella::Workspace& ws_;
    corvella::Dialogs& dialogs_;
    TForm6& progress_;
};
