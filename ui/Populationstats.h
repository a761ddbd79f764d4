// The population statistics window: the statistics table of the loaded
// cohort per region and sample group, an outgroup for the McDonald-Kreitman
// columns, and the table saved through the report save dialog. It reads the
// workspace and never changes it.
#pragma once

#include <QDialog>
#include <string>

#include "core/workspace.h"
#include "input/outgroup.h"
#include "input/sample_groups.h"
#include "ui/dialogs.h"
#include "ui/report_saving.h"

class QLabel;
class QPushButton;
class QTableWidget;

class PopulationStatsWindow : public QDialog {
    Q_OBJECT
public:
    // The open dialog of the outgroup: one whole mitogenome.
    static const char* const OutgroupDialogFilter;

    PopulationStatsWindow(const corvella::Workspace& ws, corvella::Dialogs& dialogs, QWidget* parent = nullptr);

    // Before the window is shown: the groups of the cohort as loaded now
    // (`groups_line` says where they come from), and the table counted again
    // with the outgroup chosen before, if any.
    void prepare(const corvella::SampleGroups& groups, const std::string& groups_line);

    QLabel* Label1;             // the groups
    QLabel* Label2;             // the outgroup
    QTableWidget* StringGrid1;  // the table
    QPushButton* Button1;       // "Outgroup..."
    QPushButton* Button2;       // "Save As..."
    QPushButton* Button3;       // "Close"

public slots:
    void Button1Click();
    void Button2Click();

private:
    void fill();

    const corvella::Workspace& ws_;
    corvella::Dialogs& dialogs_;
    corvella::SampleGroups groups_;
    corvella::OutgroupRead outgroup_;
    corvella::SaveDialogState save_state_;
};
