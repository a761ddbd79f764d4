// TForm10, "Human rRNA's structure": stem and non-stem counts of the 12S and
// 16S rRNAs in a grid and a two-series chart, and the buttons that save the
// summary, per-position and per-sample reports and the chart.
#pragma once

#include <QDialog>

#include "classify/rrna_classification.h"
#include "core/workspace.h"
#include "ui/Progressbarform.h"
#include "ui/dialogs.h"
#include "ui/report_saving.h"

class QLabel;
class QPushButton;
class QTableWidget;
QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

class TForm10 : public QDialog {
    Q_OBJECT
public:
    TForm10(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent = nullptr);

    // Fills the grid and the chart from counts (the menu command's work).
    void show_counts(const corvella::RrnaCounts& counts);

    QLabel* Label1;               // bold: list name and sequence count
    QTableWidget* StringGrid1;    // 3 columns x 3 rows
    QChartView* Chart1;
    QPushButton* Button2;         // 1. summary
    QPushButton* Button3;         // 2. per position
    QPushButton* Button4;         // 3. per sample, 12S then 16S
    QPushButton* Button1;         // 4. chart image
    QPushButton* Button5;         // Close
    corvella::SaveDialogState SaveDialog1;  // text or workbook; remembers the type

public slots:
    void FormCreate();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button1Click();
    void Button5Click();

private:
    corvella::Workspace& ws_;
    corvella::Dialogs& dialogs_;
    TForm6& progress_;
};
