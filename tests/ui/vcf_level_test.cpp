// The VCF question's level box: only a level from 0 to 1 closes it; what
// it takes is said in place; the summary of the read states the rule used.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "core/temp_file.h"
#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/vcf_options_dialog.h"

using corvella::VcfChoice;
using corvella::VcfOptionsDialog;
using corvella_test::data_path;

namespace {

// Types `typed` over the box's text and presses Return, as a person would.
void type_and_return(VcfOptionsDialog& dialog, const QString& typed) {
    dialog.MinimumLevel->setFocus();
    dialog.MinimumLevel->selectAll();
    if (typed.isEmpty()) {
        QTest::keyClick(dialog.MinimumLevel, Qt::Key_Delete);
    } else {
        QTest::keyClicks(dialog.MinimumLevel, typed);
    }
    QTest::keyClick(dialog.MinimumLevel, Qt::Key_Return);
}

}  // namespace

TEST(VcfLevelBox, ReturnWithALevelOutsideZeroToOneKeepsTheDialogOpenAndSaysWhatItTakes) {
    struct Case {
        const char* typed;
        bool accepted;
        double level;
    };
    const Case cases[] = {
        {"90", false, 0},  {"90%", false, 0}, {"1.5", false, 0}, {"-0.2", false, 0},
        {"0,9", false, 0}, {"", false, 0},    {"abc", false, 0},
        {"0.75", true, 0.75}, {"1", true, 1.0}, {"0", true, 0.0}, {".3", true, 0.3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        VcfOptionsDialog dialog(VcfChoice{0.9, true});
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_EQ(dialog.MinimumLevel->text(), "0.9");  // offered as a level, not 0.900
        type_and_return(dialog, c.typed);
        EXPECT_EQ(dialog.isVisible(), !c.accepted);
        EXPECT_EQ(dialog.choice().has_value(), c.accepted);
        if (c.accepted) {
            EXPECT_DOUBLE_EQ(dialog.choice()->min_level, c.level);
            EXPECT_TRUE(dialog.choice()->include_filtered);
            continue;
        }
        // Refused in place: the typed text stays, and a line says what it takes.
        EXPECT_EQ(dialog.MinimumLevel->text(), QString(c.typed));
        EXPECT_FALSE(dialog.LevelProblem->isHidden());
        EXPECT_TRUE(dialog.LevelProblem->text().startsWith("The minimum level takes a number from 0 to 1"))
            << dialog.LevelProblem->text().toStdString();
        // Correcting it clears the line, and the dialog then closes.
        type_and_return(dialog, "0.5");
        EXPECT_TRUE(dialog.LevelProblem->isHidden());
        ASSERT_TRUE(dialog.choice().has_value());
        EXPECT_DOUBLE_EQ(dialog.choice()->min_level, 0.5);
    }
}

TEST(VcfLevelBox, TheSummaryOfTheReadStatesTheLevelAndTheFilterRule) {
    corvella::FakeDialogs dialogs;
    TForm1 form(dialogs);
    form.show_modal = [](QDialog&) {};
    form.HumanReference1->trigger();
    dialogs.vcf_answers.push_back(VcfChoice{0.25, true});
    dialogs.open_answers.push_back(data_path("vcf/mutserve.vcf"));
    form.OpenPolymorphismsFile1->trigger();
    ASSERT_EQ(dialogs.informations.size(), 1u);
    EXPECT_TRUE(dialogs.informations[0].endsWith("; minimum level 0.25, records whose FILTER is not PASS kept"))
        << dialogs.informations[0].toStdString();
}
