// "Open Sample Groups..." under "Polymorphisms" and "Population
// Statistics..." under "Check Database": the groups file is kept as read and
// matched to the cohort each time the statistics window opens, so a list
// read after it is grouped too.
#include <QFileInfo>

#include "ui/Corvella_unit.h"
#include "ui/Populationstats.h"

namespace {

const char* const GROUPS_FILTER = "Sample Groups (*.tsv;*.csv;*.txt)|*.tsv;*.csv;*.txt|All Files|*.*";

std::string file_name(const std::string& path) { return QFileInfo(QString::fromStdString(path)).fileName().toStdString(); }

}  // namespace

void TForm1::OpenSampleGroups1Click() {
    const std::optional<std::string> path = dialogs_.open_file(this, GROUPS_FILTER);
    if (!path) return;
    corvella::GroupFileRead read = corvella::read_group_file(*path);
    if (!read.ok) {
        dialogs_.error_message(this, QString::fromStdString(file_name(*path) + ": " + read.message));
        return;
    }
    groups_file_ = std::move(read);
    groups_path_ = *path;
    if (workspace_.sample_positions.empty()) return;
    const corvella::SampleGroups groups = corvella::assign_sample_groups(workspace_, groups_file_);
    const std::string warning = corvella::unknown_names_warning(groups, groups_path_);
    if (!warning.empty()) dialogs_.information_message(this, QString::fromStdString(warning + "."));
}

void TForm1::PopulationStatistics1Click() {
    corvella::SampleGroups groups;
    std::string line = "Groups: none (one group, all)";
    if (!groups_path_.empty()) {
        groups = corvella::assign_sample_groups(workspace_, groups_file_);
        line = "Groups: " + file_name(groups_path_) + " - " + std::to_string(groups.names.size()) +
               (groups.names.size() == 1 ? " group" : " groups");
        const std::string warning = corvella::unknown_names_warning(groups, groups_path_);
        if (!warning.empty()) line += "; " + warning;
    }
    StatsWindow->prepare(groups, line);
    show_modal(*StatsWindow);
}
