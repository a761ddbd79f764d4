// A reading that fails keeps its message and says beneath it, in the box's
// informative text, which file, which line where the reader gave one, and
// what to do: the forms the command reads and the menu item for the file.
#include <gtest/gtest.h>

#include <QAction>

#include "core/temp_file.h"
#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/command_line_files.h"
#include "output/file_names.h"
#include "ui/message_help.h"

using corvella::explain_read_failure;
using corvella::OpenedAs;
using corvella_test::data_path;
using corvella_test::data_text;
using corvella_test::TempFile;

namespace {

std::string without(std::string text, const std::string& piece) {
    const size_t at = text.find(piece);
    if (at != std::string::npos) text.erase(at, piece.size());
    return text;
}

}  // namespace

TEST(ReadFailureHelp, EachMessageKeepsItsTextAndGainsTheFileAndWhatToDo) {
    const TempFile broken_list("broken.txt", "73G 263G\n16519\n>a\n");
    const TempFile fasta_as_reference("aligned.fas", ">rCRS\nGATC\n");
    const TempFile no_dloop("no_dloop.gb",
                            without(data_text("NC_012920.1.gb"),
                                    "     D-loop          complement(join(16024..16569,1..576))\n"));
    struct Case {
        const char* what;
        std::string message, path;
        OpenedAs kind;
        std::string text;                // the box's text
        std::vector<std::string> tells;  // pieces of the informative text
    };
    const std::vector<Case> cases = {
        {"a GenBank file opened as a list", "Bad input format.", data_path("NC_012920.1.gb"), OpenedAs::List,
         "Bad input format.",
         {"File: " + data_path("NC_012920.1.gb"), "GenBank record",
          "Classification > Reference > Open Other Reference File..."}},
        {"a broken list", "Bad input format.", broken_list.path(), OpenedAs::List, "Bad input format.",
         {"File: " + broken_list.path(), "name line beginning with \">\"", "73G 263G 16519",
          "Polymorphisms > Import Aligned File..."}},
        {"a missing file", "File cannot be opened.", "/no/such/folder/list.txt", OpenedAs::List,
         "File cannot be opened.",
         {"File: /no/such/folder/list.txt", "No such file or directory", "Check its name and folder"}},
        {"a record without its D-loop", "It was not possible to extract information about D-loop.",
         no_dloop.path(), OpenedAs::Reference, "It was not possible to extract information about D-loop.",
         {"File: " + no_dloop.path(), "no D-loop feature", "join(16024..16569,1..576)", "Human Reference"}},
        {"a gene without its place", "It was not possible to extract information about ND3.", no_dloop.path(),
         OpenedAs::Reference, "It was not possible to extract information about ND3.",
         {"no feature for ND3", "FEATURES"}},
        {"a FASTA opened as the reference", "Bad input format.", fasta_as_reference.path(), OpenedAs::Reference,
         "Bad input format.", {"not a GenBank record", "Open Polymorphism File...", "Import Unaligned File..."}},
        {"an aligned file that does not read", "Bad input format.", broken_list.path(), OpenedAs::Aligned,
         "Bad input format.", {"aligned sequence, all of one length", "Import Unaligned File..."}},
        // A reader that names the file and line before the message itself.
        {"a message with its place", "list.txt, line 4: a variant line without its name line\nBad input format.",
         "/data/list.txt", OpenedAs::List, "Bad input format.",
         {"list.txt, line 4: a variant line without its name line", "polymorphism list holds"}},
        // A VCF refusal keeps its own words; only the path is added.
        {"a VCF refusal", "mutserve.vcf: the header must end with the #CHROM line", "/data/mutserve.vcf",
         OpenedAs::List, "mutserve.vcf: the header must end with the #CHROM line", {"File: /data/mutserve.vcf"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const corvella::ShownMessage shown = explain_read_failure(c.message, c.path, c.kind);
        EXPECT_EQ(shown.text, c.text);
        for (const std::string& piece : c.tells)
            EXPECT_NE(shown.informative.find(piece), std::string::npos) << "no \"" << piece << "\" in\n"
                                                                         << shown.informative;
        // The file is named once: by the reader's own lines, or by its path.
        const size_t first = shown.informative.find(corvella::file_name_of(c.path));
        EXPECT_NE(first, std::string::npos) << shown.informative;
        EXPECT_EQ(shown.informative.find(corvella::file_name_of(c.path), first + 1), std::string::npos)
            << shown.informative;
    }
}

TEST(ReadFailureHelp, TheWindowsShowTheMessageWithItsInformativeText) {
    corvella::PresetOpenDialogs<corvella::FakeDialogs> dialogs;
    TForm1 form(dialogs);
    form.show_modal = [](QDialog&) {};
    form.HumanReference1->trigger();

    // A GenBank record chosen in "Open Polymorphism File...".
    dialogs.open_answers.push_back(data_path("NC_012920.1.gb"));
    form.OpenPolymorphismsFile1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0], "Bad input format.");
    EXPECT_TRUE(dialogs.error_details[0].contains("Open Other Reference File..."))
        << dialogs.error_details[0].toStdString();

    // A list chosen as the reference.
    dialogs.open_answers.push_back(data_path("cli/six_keys.txt"));
    form.OpenOtherReferenceFile1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 2u);
    EXPECT_EQ(dialogs.errors[1], "Bad input format.");
    EXPECT_TRUE(dialogs.error_details[1].contains("Open Polymorphism File...")) << dialogs.error_details[1].toStdString();

    // A file named on the command line that is not there names itself.
    const std::string missing = data_path("no such list.txt");
    corvella::open_command_line_file(
        form, [&](std::optional<std::string> p) { dialogs.answer_next_open(std::move(p)); }, missing);
    ASSERT_EQ(dialogs.errors.size(), 3u);
    EXPECT_EQ(dialogs.errors[2], "File cannot be opened.");
    EXPECT_TRUE(dialogs.error_details[2].contains(QString::fromStdString(missing)))
        << dialogs.error_details[2].toStdString();
}
