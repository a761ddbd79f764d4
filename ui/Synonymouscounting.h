// TForm4, "Protein Synonymous Counting": synonymous and non-synonymous counts
// per protein gene in a grid and a bar chart, and the four "Save As..."
// buttons of the protein reports. The window only moves values between its
// controls and classify/protein_counting and classify/protein_reports.
#pragma once

#include <QDialog>

#include "classify/protein_counting.h"
#include "core/workspace.h"
#include "ui/Progressbarform.h"
#include "ui/dialogs.h"
#include "ui/report_saving.h"

class QBarSet;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;
QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

class TForm4 : public QDialog {
    Q_OBJECT
public:
    // SaveDialog1: the three tables as text (type 1) or workbook (type 2);
    // SaveDialog2: the chart image.
    static const char* const SaveDialog1Filter;
    static const char* const SaveDialog2Filter;

    TForm4(corvella::Workspace& ws, corvella::Dialogs& dialogs, TForm6& progress, QWidget* parent = nullptr);

    // Puts counts into the grid (columns 1 and 2 of rows 1 to 13, the sums in
    // the TOTAL row) and into the two bar series. Protein1Click calls it
    // with fresh counts before it shows the window.
    void show_counts(const corvella::ProteinCounts& counts);

    // The two bar series of Chart1 ("Syn" and "Non-Syn"); rebuilt by every
    // show_counts, so they are looked up rather than kept.
    QBarSet* Series1() const;
    QBarSet* Series2() const;

    QLabel* Label1;  // bold summary of the list read
    QTableWidget* StringGrid1;  // 3 columns x 15 rows, row 0 and column 0 fixed
    QGroupBox* GroupBox1;       // "Options"
    QLabel* Label2;
    QPushButton* Button2;  // summary
    QLabel* Label3;
    QPushButton* Button3;  // per position
    QLabel* Label4;
    QPushButton* Button4;  // per sample
    QLabel* Label5;
    QPushButton* Button1;  // chart image
    QPushButton* Button5;  // "Close"
    QChartView* Chart1;

    // What the save dialog keeps between saves: the file type chosen last.
    corvella::SaveDialogState SaveDialog1;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();

private:
    void FormCreate();
    QBarSet* series(int index) const;

    corvella::Workspace& ws_;
    corvella::Dialogs& dialogs_;
    TForm6& progress_;
    // The counts the grid shows: the summary report renders its rows from
    // them, exactly as the grid does.
    corvella::ProteinCounts counts_;
};
