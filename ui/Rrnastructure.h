// TForm10, "Human rRNA's structure": stem and non-stem counts of the 12S and
// 16S rRNAs in a grid and a two-series chart, and the buttons that save the
// summary, per-position and per-sample reports and the chart.
#pragma once

#include "classify/rrna_classification.h"
#include "ui/structure_window.h"

class TForm10 : public corvella::StructureWindow {
    Q_OBJECT
public:
    TForm10(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent = nullptr);

    // Fills the grid and the chart from counts (the menu command's work).
    void show_counts(const corvella::RrnaCounts& counts);

    QTableWidget* StringGrid1;  // 3 columns x 3 rows

public slots:
    void FormCreate();
    void Button2Click();
    void Button3Click();
    void Button4Click();  // 12S, then 16S
    void Button1Click();
    void Button5Click();
};
