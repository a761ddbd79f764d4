// TForm5 "Non Protein Position Counting": counts per non-protein region in
// two grids and a 26-bar chart, with four save rows.
#pragma once

#include <QDialog>
#include <string>

#include "classify/non_protein.h"
#include "core/workspace.h"
#include "output/report.h"
#include "ui/Progressbarform.h"
#include "ui/dialogs.h"
#include "ui/report_saving.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;
QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

class TForm5 : public QDialog {
    Q_OBJECT
public:
    static const char* const SaveDialog1Filter;

    TForm5(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent = nullptr);

    // Counts the variant tally and writes the grids and the chart; the menu
    // command shows the window afterwards.
    void fill_counts();

    // The grid texts as displayed, StringGrid1 rows 1..13 then StringGrid2.
    corvella::NonProteinGridTexts grid_texts() const;

    QLabel* Label1;  // bold summary label
    QTableWidget* StringGrid1;
    QTableWidget* StringGrid2;
    QGroupBox* GroupBox1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QPushButton* Button1;  // summary
    QPushButton* Button2;  // per position
    QPushButton* Button3;  // per sample
    QPushButton* Button5;  // chart image
    QPushButton* Button4;  // "Close"
    QChartView* Chart1;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button5Click();
    void Button4Click();

private:
    corvella::Workspace& ws_;
    corvella::Dialogs& dialogs_;
    TForm6& progress_;
    corvella::SaveDialogState SaveDialog1;  // keeps the file type chosen last
};
