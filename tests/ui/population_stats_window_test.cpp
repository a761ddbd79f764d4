#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

#include "../output/temp_folder.h"
#include "classify/population_stats.h"
#include "core/human_reference.h"
#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Populationstats.h"
#include "ui/widget_helpers.h"

namespace {

std::string crlf(std::string text) {
    for (size_t k = 0; (k = text.find('\n', k)) != std::string::npos; k += 2) text.insert(k, 1, '\r');
    return text;
}

// The grid as a text table: header, then one TAB line per row.
std::string grid_text(const QTableWidget& grid) {
    std::string text;
    for (int c = 0; c < grid.columnCount(); ++c)
        text += (c ? "\t" : "") + grid.horizontalHeaderItem(c)->text().toStdString();
    text += "\n";
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) text += (c ? "\t" : "") + grid.item(r, c)->text().toStdString();
        text += "\n";
    }
    return text;
}

class PopulationStatsCommands : public corvella_test::TempFolder {
protected:
    PopulationStatsCommands() : form(dialogs) { form.show_modal = [this](QDialog&) { ++shown; }; }

    void read_list() {
        form.HumanReference1->trigger();
        dialogs.open_answers.push_back(std::string(CORVELLA_TEST_DATA) + "/cli/six_keys.txt");
        form.OpenPolymorphismsFile1->trigger();
    }
    void open_groups(const std::string& text) {
        put_bytes(path("groups.tsv"), text);
        dialogs.open_answers.push_back(path("groups.tsv"));
        form.OpenSampleGroups1->trigger();
    }
    corvella::SampleGroups groups_of(const std::string& text) const {
        return corvella::assign_sample_groups(const_cast<TForm1&>(form).workspace(), corvella::parse_group_text(text));
    }

    corvella::FakeDialogs dialogs;
    TForm1 form;
    int shown = 0;
};

TEST_F(PopulationStatsCommands, MenuPlacesAndEnabling) {
    const QList<QAction*> polymorphisms = form.Polymorphisms2->actions();
    EXPECT_EQ(polymorphisms.indexOf(form.OpenSampleGroups1), polymorphisms.indexOf(form.ExportToNetworkFile1) + 1);
    EXPECT_EQ(corvella::shown_caption(form.OpenSampleGroups1->text()), "Open Sample Groups...");
    const QList<QAction*> database = form.CheckDatabase1->actions();
    EXPECT_EQ(database.indexOf(form.PopulationStatistics1), database.indexOf(form.GeneTable1) + 1);
    EXPECT_EQ(corvella::shown_caption(form.PopulationStatistics1->text()), "Population Statistics...");
    form.HumanReference1->trigger();
    EXPECT_FALSE(form.PopulationStatistics1->isEnabled());
    read_list();
    EXPECT_TRUE(form.PopulationStatistics1->isEnabled());
}

TEST_F(PopulationStatsCommands, WindowShowsTheTableOfTheGroupsAndSavesIt) {
    read_list();
    // No groups file: one group, all.
    form.PopulationStatistics1->trigger();
    EXPECT_EQ(shown, 1);
    PopulationStatsWindow& w = *form.StatsWindow;
    EXPECT_EQ(w.Label1->text(), "Groups: none (one group, all)");
    EXPECT_EQ(grid_text(*w.StringGrid1),
              corvella::population_stats_report(form.workspace(), corvella::SampleGroups{}, {},
                                                corvella::ReportFormat::Text)
                  .text);

    // Groups with a name that is no sample and an unnamed sample (S5).
    const std::string file = "sample\tgroup\nS1\tH\nS2\tH\nS3\tL3\nS4\tL3\nX9\tL3\n";
    open_groups(file);
    ASSERT_EQ(dialogs.informations.size(), 1u);
    EXPECT_EQ(dialogs.informations[0], "1 name in groups.tsv matches no sample of the cohort.");
    form.PopulationStatistics1->trigger();
    EXPECT_EQ(w.Label1->text(), "Groups: groups.tsv - 3 groups; 1 name in groups.tsv matches no sample of the cohort");
    const std::string expected =
        corvella::population_stats_report(form.workspace(), groups_of(file), {}, corvella::ReportFormat::Text).text;
    EXPECT_EQ(grid_text(*w.StringGrid1), expected);
    EXPECT_EQ(w.StringGrid1->rowCount(), 39 * 4);  // all, H, L3, (none)
    EXPECT_EQ(w.StringGrid1->item(1, 2)->text(), "H");

    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{path("stats"), 1});
    w.Button2->click();
    EXPECT_EQ(read_bytes(path("stats.txt")), crlf(expected));
    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{path("stats"), 3});
    w.Button2->click();
    EXPECT_EQ(read_bytes(path("stats.xlsx")).substr(0, 2), "PK");
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(PopulationStatsCommands, OutgroupAddsTheMcDonaldKreitmanColumns) {
    read_list();
    form.PopulationStatistics1->trigger();
    PopulationStatsWindow& w = *form.StatsWindow;
    EXPECT_EQ(w.StringGrid1->columnCount(), 15);

    // Refused: a file that is no mitogenome; the table stays as it was.
    put_bytes(path("bad.fasta"), ">a\n>b\nACGT\n");
    dialogs.open_answers.push_back(path("bad.fasta"));
    w.Button1->click();
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(w.StringGrid1->columnCount(), 15);

    // The outgroup is the reference with C at 14767.
    std::string letters = corvella::human_reference_sequence();
    letters[14767 - 1] = 'C';
    put_bytes(path("outgroup.fasta"), ">outgroup\n" + letters + "\n");
    dialogs.open_answers.push_back(path("outgroup.fasta"));
    w.Button1->click();
    EXPECT_EQ(dialogs.errors.size(), 1u);
    ASSERT_EQ(w.StringGrid1->columnCount(), 22);
    EXPECT_TRUE(w.Label2->text().startsWith("Outgroup: outgroup: "));
    int cytb = -1;
    for (int r = 0; r < w.StringGrid1->rowCount(); ++r)
        if (w.StringGrid1->item(r, 0)->text() == "CYTB") cytb = r;
    ASSERT_GE(cytb, 0);
    // 14766: all five samples have T, the outgroup C: a non-synonymous
    // fixed difference (ATT, I, against ACT, T); 14767 a synonymous one.
    EXPECT_EQ(w.StringGrid1->item(cytb, 15)->text(), "1");  // DN
    EXPECT_EQ(w.StringGrid1->item(cytb, 16)->text(), "1");  // DS
    // The outgroup is kept when the statistics open again.
    form.PopulationStatistics1->trigger();
    EXPECT_EQ(w.StringGrid1->columnCount(), 22);
}

TEST_F(PopulationStatsCommands, GroupsFileRefusedWithItsLine) {
    read_list();
    open_groups("S1\tH\nS2\n");
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0], "groups.tsv: line 2: no group after the sample name (fields are separated by tabs)");
    form.PopulationStatistics1->trigger();
    EXPECT_EQ(form.StatsWindow->Label1->text(), "Groups: none (one group, all)");
}

}  // namespace
