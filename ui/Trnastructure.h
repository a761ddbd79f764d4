// TForm9, "Human tRNA's structure": the counts per tRNA cloverleaf region
// group in a grid and a chart beside a picture of the cloverleaf, and the
// buttons that save the summary, per-position and per-sample reports and
// the chart.
#pragma once

#include <QDialog>

#include "classify/trna_classification.h"
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

class TForm9 : public QDialog {
    Q_OBJECT
public:
    TForm9(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent = nullptr);

    // Fills the grid and the chart from counts (the menu command's work).
    void show_counts(const corvella::TrnaGroupCounts& counts);

    QLabel* Label1;               // bold: list name and sequence count
    QTableWidget* StringGrid1;    // 2 columns x 5 rows
    QLabel* Image1;               // the cloverleaf, 211 x 224
    QChartView* Chart1;
    QPushButton* Button2;         // 1. summary
    QPushButton* Button3;         // 2. per position
    QPushButton* Button4;         // 3. per sample
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
