#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Exporttonetwork.h"
#include "ui/text_lines_view.h"

using corvella::FakeDialogs;

namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void write_file(const std::string& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
}

const std::string TWO_SAMPLE_TEXT =
    "       71\n       36\n       G5\n        1\n        9\n         \n"
    "s1     10  1\ns2     01  1\n\n1010\n";

class NetworkWindow : public ::testing::Test {
protected:
    NetworkWindow() : form(dialogs) {
        form.show_modal = [this](QDialog& window) { shown.push_back(&window); };
        // ctest runs the cases in parallel processes: each has its own folder.
        dir = std::string(CORVELLA_BINARY_DIR) + "/network_window_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(dir);
        list_path = dir + "/network_window_list.txt";
        write_file(list_path, ">a\r\n73G 263G\r\n>b\r\n263G 16519\r\n");
    }
    ~NetworkWindow() override {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    void export_list(const std::string& path) {
        dialogs.open_answers.push_back(path);
        form.ExportToNetworkFile1Click();
    }

    std::string dir;
    std::string list_path;
    FakeDialogs dialogs;
    TForm1 form;
    std::vector<QDialog*> shown;
};

}  // namespace

TEST_F(NetworkWindow, ExportShowsTheOutcomeThenTransformAndSave) {
    export_list(list_path);
    ASSERT_EQ(dialogs.open_filters,
              (std::vector<QString>{"Text Files (*.txt)|*.txt|All Files|*.*|VCF files (*.vcf; *.vcf.gz; *.bcf)|"
                                    "*.vcf; *.vcf.gz; *.bcf|HSD files (*.hsd)|*.hsd|"
                                    "FASTA files, unaligned (*.fasta; *.fas; *.fa; *.fna; *.fst; *.gz)|*.fasta; *.fas; *.fa; *.fna; *.fst; *.gz"}));
    ASSERT_EQ(shown, (std::vector<QDialog*>{form.Form7}));
    TForm7& w = *form.Form7;
    EXPECT_EQ(w.windowTitle(), "Export to Network Binary File");
    EXPECT_EQ(w.Label2->text(), "network_window_list.txt  -  2 sequences");
    EXPECT_EQ(w.Memo1->toPlainText(), "Data was successfully retrieved.\nThere are 2 different positions.");
    EXPECT_TRUE(w.Memo1->isReadOnly());
    EXPECT_FALSE(w.Button2->isEnabled());
    EXPECT_EQ(form.workspace().variant_tally.size(), 2u);

    w.Button1->click();
    EXPECT_EQ(w.Memo1->toPlainText().toStdString(), TWO_SAMPLE_TEXT);
    EXPECT_TRUE(w.Button2->isEnabled());

    // Typed without extension: completed to .rdf, stored with CR LF.
    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{dir + "/run1", 1});
    w.Button2->click();
    EXPECT_EQ(dialogs.save_filters, (std::vector<QString>{"Network Binary File (*.rdf)|*.rdf"}));
    EXPECT_EQ(dialogs.save_confirm_overwrite, (std::vector<bool>{true}));
    std::string crlf;
    for (char c : TWO_SAMPLE_TEXT) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(read_file(dir + "/run1.rdf"), crlf);

    // run1.txt is not run1.rdf: the extension is appended.
    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{dir + "/run1.txt", 1});
    w.Button2->click();
    EXPECT_EQ(read_file(dir + "/run1.txt.rdf"), crlf);
    EXPECT_TRUE(dialogs.errors.empty());

    // The next export disables "Save As..." until the next transform.
    export_list(list_path);
    EXPECT_FALSE(w.Button2->isEnabled());
}

TEST_F(NetworkWindow, ACompletedNameThatExistsIsOnlyReplacedWhenConfirmed) {
    export_list(list_path);
    form.Form7->Button1->click();
    write_file(dir + "/run1.rdf", "keep me");
    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{dir + "/run1", 1});
    dialogs.replace_answers.push_back(false);
    form.Form7->Button2->click();
    EXPECT_EQ(dialogs.replace_questions, (std::vector<std::string>{dir + "/run1.rdf"}));
    EXPECT_EQ(read_file(dir + "/run1.rdf"), "keep me");

    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{dir + "/run1", 1});
    dialogs.replace_answers.push_back(true);
    form.Form7->Button2->click();
    EXPECT_NE(read_file(dir + "/run1.rdf"), "keep me");

    // Cancelled save dialog: nothing written, nothing asked.
    std::remove((dir + "/run1.rdf").c_str());
    form.Form7->Button2->click();
    EXPECT_TRUE(read_file(dir + "/run1.rdf").empty());
}

TEST_F(NetworkWindow, FailedOrCancelledReadsChangeNothing) {
    export_list(list_path);
    const corvella::Workspace before = form.workspace();
    shown.clear();

    form.ExportToNetworkFile1Click();  // cancelled
    export_list(dir + "/no/such/list.txt");
    const std::string bad = dir + "/network_window_bad.txt";
    write_file(bad, ">a\n73G\n263G\n");
    export_list(bad);
    std::remove(bad.c_str());

    EXPECT_EQ(dialogs.errors, (std::vector<QString>{"File cannot be opened.", "Bad input format."}));
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(form.workspace().sample_names, before.sample_names);
    EXPECT_EQ(form.workspace().sample_positions, before.sample_positions);
    EXPECT_EQ(form.workspace().variant_tally, before.variant_tally);
}

TEST_F(NetworkWindow, TransformRunsPastTheLimits) {
    std::string many = ">a\n";
    for (int p = 1; p <= 5001; ++p) many += std::to_string(p) + "A ";
    many += "\n>b\n0\n";
    write_file(list_path, many);
    export_list(list_path);
    TForm7& w = *form.Form7;
    EXPECT_EQ(w.Memo1->toPlainText(), "Too many different positions: 5001\nMax: 5000");
    w.Button1->click();
    EXPECT_TRUE(w.Button2->isEnabled());
    EXPECT_EQ(w.network_text().size(), static_cast<size_t>(6 * (7 + 5001 + 1) + 2 * (7 + 5001 + 4) + 1 +
                                                           2 * 5001 + 5001 / 125 + 1));
    EXPECT_EQ(w.Memo1->toPlainText().size(), static_cast<qsizetype>(w.network_text().size()));
}

// The transformed text at the format's limits is about 150 MB; the view holds
// it once and indexes its lines, instead of a text document several times
// its size.
TEST(TextLinesView, ShowsA150MegabyteTextWithoutBuildingADocument) {
    const size_t lines = 30000, width = 5000;
    auto text = std::make_shared<std::string>(lines * (width + 1), '0');
    for (size_t i = 0; i < lines; ++i) {
        (*text)[i * (width + 1) + width] = '\n';
        (*text)[i * (width + 1)] = static_cast<char>('a' + i % 26);  // each line tells where it is
    }
    corvella::TextLinesView view;
    view.resize(400, 300);
    view.show_text(text);
    EXPECT_EQ(view.text(), text.get());  // shared, not copied
    EXPECT_EQ(view.line_count(), lines);
    EXPECT_LT(view.index_bytes(), size_t{1} << 20);
    EXPECT_TRUE(view.findChildren<QTextDocument*>().isEmpty());
    EXPECT_EQ(view.line(29999).size(), width);
    EXPECT_EQ(view.line(29999)[0], static_cast<char>('a' + 29999 % 26));
    EXPECT_TRUE(view.line(lines).empty());
    // Both directions scroll over the whole text.
    EXPECT_GT(view.verticalScrollBar()->maximum(), static_cast<int>(lines) - 40);
    EXPECT_GT(view.horizontalScrollBar()->maximum(), static_cast<int>(width) - 100);
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    EXPECT_FALSE(view.grab().isNull());  // paints the last lines only
    view.clear();
    EXPECT_EQ(view.text(), nullptr);
    EXPECT_EQ(text.use_count(), 1);
}

TEST_F(NetworkWindow, TheViewSharesTheSavedTextAndClosingReleasesIt) {
    export_list(list_path);
    TForm7& w = *form.Form7;
    w.Button1->click();
    ASSERT_EQ(w.network_text(), TWO_SAMPLE_TEXT);
    EXPECT_EQ(w.Memo1->text(), &w.network_text());  // one text for the view and "Save As..."
    w.show();
    w.Button3->click();  // "Close"
    EXPECT_TRUE(w.network_text().empty());
    EXPECT_EQ(w.Memo1->text(), nullptr);
    EXPECT_FALSE(w.Button2->isEnabled());
    // The next export and transform work as the first did.
    export_list(list_path);
    w.Button1->click();
    EXPECT_EQ(w.Memo1->toPlainText().toStdString(), TWO_SAMPLE_TEXT);
}
