// TForm9, "Human tRNA's structure": the counts per tRNA cloverleaf region
// group in a grid and a chart beside a picture of the cloverleaf, and the
// buttons that save the summary, per-position and per-sample reports and
// the chart.
#pragma once

#include "classify/trna_classification.h"
#include "ui/structure_window.h"

class TForm9 : public corvella::StructureWindow {
    Q_OBJECT
public:
    TForm9(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent = nullptr);

    // Fills the grid and the chart from counts (the menu command's work).
    void show_counts(const corvella::TrnaGroupCounts& counts);

    QTableWidget* StringGrid1;  // 2 columns x 5 rows
    QLabel* Image1;             // the cloverleaf, 211 x 224

public slots:
    void FormCreate();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button1Click();
    void Button5Click();
};
