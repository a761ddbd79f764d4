#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "classify/gene_table.h"
#include "classify/variant_table.h"
#include "../output/temp_folder.h"
#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Progressbarform.h"

namespace {

// The text form as the text writer stores it.
std::string crlf(std::string text) {
    for (size_t k = 0; (k = text.find('\n', k)) != std::string::npos; k += 2) text.insert(k, 1, '\r');
    return text;
}

class TableCommands : public corvella_test::TempFolder {
protected:
    TableCommands() : form(dialogs) { form.show_modal = [](QDialog&) {}; }

    void read_list() {
        dialogs.open_answers.push_back(std::string(CORVELLA_TEST_DATA) + "/cli/six_keys.txt");
        form.OpenPolymorphismsFile1->trigger();
    }

    corvella::FakeDialogs dialogs;
    TForm1 form;
};

TEST_F(TableCommands, UnderCheckDatabaseEnabledWithTheCountingCommands) {
    const QList<QAction*> items = form.CheckDatabase1->actions();
    ASSERT_TRUE(items.contains(form.VariantTable1));
    ASSERT_TRUE(items.contains(form.GeneTable1));
    EXPECT_EQ(form.VariantTable1->text(), "Variant Table...");
    EXPECT_EQ(form.GeneTable1->text(), "Gene Table...");
    EXPECT_EQ(items.indexOf(form.GeneTable1), items.indexOf(form.VariantTable1) + 1);

    form.HumanReference1->trigger();
    EXPECT_FALSE(form.VariantTable1->isEnabled());
    EXPECT_FALSE(form.GeneTable1->isEnabled());
    read_list();
    EXPECT_TRUE(form.VariantTable1->isEnabled());
    EXPECT_TRUE(form.GeneTable1->isEnabled());
    // A reference loaded again disables them with the counting commands.
    form.HumanReference1->trigger();
    form.HumanReference1->trigger();
    EXPECT_EQ(form.VariantTable1->isEnabled(), form.Protein1->isEnabled());
    EXPECT_FALSE(form.GeneTable1->isEnabled());
}

TEST_F(TableCommands, SaveTheSameFilesAsTheCommandLine) {
    form.HumanReference1->trigger();
    read_list();
    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{path("variants"), 1});
    form.VariantTable1->trigger();
    ASSERT_EQ(dialogs.save_filters.size(), 1u);
    EXPECT_TRUE(dialogs.save_filters[0].startsWith("Text File (*.txt)|*.txt|"));
    EXPECT_EQ(read_bytes(path("variants.txt")),
              crlf(corvella::variant_table_report(form.workspace(), corvella::ReportFormat::Text, nullptr).text));

    // The workbook type is remembered for the next save of the same table.
    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{path("variants"), 2});
    form.VariantTable1->trigger();
    EXPECT_EQ(read_bytes(path("variants.xls")).substr(0, 4), "\xD0\xCF\x11\xE0");
    form.VariantTable1->trigger();  // cancelled
    EXPECT_EQ(dialogs.save_initial_indexes, (std::vector<int>{1, 1, 2}));
    EXPECT_FALSE(form.Form6->isVisible());

    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{path("genes"), 1});
    form.GeneTable1->trigger();
    EXPECT_EQ(read_bytes(path("genes.txt")),
              crlf(corvella::gene_table_report(form.workspace(), corvella::ReportFormat::Text).text));
    EXPECT_TRUE(dialogs.errors.empty());
}

}  // namespace
