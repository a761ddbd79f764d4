#include "ui/report_saving.h"

#include <gtest/gtest.h>

#include <QChartView>
#include <QImage>
#include <functional>
#include <memory>

#include "../output/temp_folder.h"
#include "fake_dialogs.h"
#include "output/chart_spec.h"
#include "pictures/chart_view.h"

using namespace corvella;

namespace {

const QString REPORT_FILTER = "Text File (*.txt)|*.txt|Microsoft Office Excel 97-2003 (*.xls)|*.xls|Excel Workbook (*.xlsx)|*.xlsx";
const std::string OLE_SIGNATURE = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

// Records what a report did to the progress window.
struct RecordingProgress : ProgressSink {
    std::vector<std::string> calls;
    bool open = false;
    void start(int32_t maximum) override {
        calls.push_back("start " + std::to_string(maximum));
        open = true;
    }
    void step(int percent) override { calls.push_back("step " + std::to_string(percent)); }
    void finish() override {
        calls.push_back("finish");
        open = false;
    }
};

// A per-position report over three tally entries, in either form; records
// every call.
struct ThreeEntryReport {
    std::vector<ReportFormat> formats;
    std::vector<bool> had_progress;
    int32_t first_row = 1;
    bool finish_progress = true;

    Report operator()(ReportFormat format, ProgressSink* progress) {
        formats.push_back(format);
        had_progress.push_back(progress != nullptr);
        Report r;
        if (format == ReportFormat::Text) {
            r.text = "Position\tGene\n3308\tND1\n";
            return r;
        }
        if (progress) progress->start(3);
        r.cells.push_back({first_row, 1, "Position"});
        for (int k = 1; k <= 3; ++k) {
            r.cells.push_back({first_row + k, 1, std::to_string(3300 + k)});
            if (progress) progress->step(progress_percent(k, 3));
        }
        if (progress && finish_progress) progress->finish();
        return r;
    }
};

}  // namespace

class ReportSaving : public corvella_test::TempFolder {
protected:
    FakeDialogs dialogs;
    SaveDialogState state;
    RecordingProgress progress;
    ThreeEntryReport report;

    bool save() { return save_report(nullptr, dialogs, state, REPORT_FILTER, std::ref(report), &progress); }
};

TEST_F(ReportSaving, TextTypeWritesTheTextFormUnderTheCompletedName) {
    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("run1"), 1});
    EXPECT_TRUE(save());
    EXPECT_EQ(read_bytes(path("run1.txt")), "Position\tGene\r\n3308\tND1\r\n");
    EXPECT_EQ(report.formats, std::vector<ReportFormat>{ReportFormat::Text});
    EXPECT_EQ(report.had_progress, std::vector<bool>{false});  // the text form shows no progress
    EXPECT_TRUE(progress.calls.empty());
    EXPECT_EQ(dialogs.save_filters, std::vector<QString>{REPORT_FILTER});
    EXPECT_EQ(dialogs.save_initial_indexes, std::vector<int>{1});
    EXPECT_EQ(dialogs.save_confirm_overwrite, std::vector<bool>{true});
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(entries(), 1u);
}

TEST_F(ReportSaving, TheTextFormOfALargeCohortIsBuiltAndWrittenUnderTheProgressWindow) {
    for (const std::size_t samples : {LONG_TEXT_SAMPLES - 1, LONG_TEXT_SAMPLES}) {
        progress.calls.clear();
        bool open_while_built = false;
        const ReportForms forms{[&] {
                                    open_while_built = progress.open;
                                    return std::string("Sequence\tTotal\n>s1\t0\n");
                                },
                                [](RowSink&, ProgressSink*) { ADD_FAILURE() << "the text form was asked for"; },
                                samples};
        const std::string name = "cohort" + std::to_string(samples);
        dialogs.save_answers.push_back(Dialogs::SaveChoice{path(name), 1});
        EXPECT_TRUE(save_report(nullptr, dialogs, state, REPORT_FILTER, forms, &progress));
        EXPECT_EQ(read_bytes(path(name + ".txt")), "Sequence\tTotal\r\n>s1\t0\r\n");
        const bool large = samples >= LONG_TEXT_SAMPLES;
        EXPECT_EQ(open_while_built, large) << samples;
        const std::vector<std::string> expected =
            large ? std::vector<std::string>{"start 100", "step 50", "finish"} : std::vector<std::string>{};
        EXPECT_EQ(progress.calls, expected) << samples;
        EXPECT_FALSE(progress.open);
    }
}

TEST_F(ReportSaving, WorkbookTypeWritesCellsWithProgressAndIsRememberedForTheNextSave) {
    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("run1"), 2});
    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("run2.xls"), 2});
    EXPECT_TRUE(save());
    EXPECT_TRUE(save());
    EXPECT_EQ(read_bytes(path("run1.xls")).substr(0, 8), OLE_SIGNATURE);
    EXPECT_EQ(read_bytes(path("run2.xls")).substr(0, 8), OLE_SIGNATURE);
    EXPECT_EQ(entries(), 2u);
    EXPECT_EQ(dialogs.save_initial_indexes, (std::vector<int>{1, 2}));
    EXPECT_EQ(state.filter_index, 2);
    const std::vector<std::string> one_run = {"start 3", "step 34", "step 67", "step 100", "finish"};
    std::vector<std::string> two_runs = one_run;
    two_runs.insert(two_runs.end(), one_run.begin(), one_run.end());
    EXPECT_EQ(progress.calls, two_runs);
}

TEST_F(ReportSaving, CancelOrAnUnknownTypeWritesNothing) {
    dialogs.save_answers.push_back(std::nullopt);
    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("run1"), 4});
    EXPECT_FALSE(save());
    EXPECT_FALSE(save());
    EXPECT_TRUE(report.formats.empty());
    EXPECT_EQ(entries(), 0u);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(ReportSaving, AsksBeforeReplacingAFileTheDialogDidNotAskAbout) {
    put_bytes(path("run1.txt"), "kept");
    // The dialog asked about "run1", which did not exist; "run1.txt" does.
    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("run1"), 1});
    dialogs.replace_answers.push_back(false);
    EXPECT_FALSE(save());
    EXPECT_EQ(dialogs.replace_questions, std::vector<std::string>{path("run1.txt")});
    EXPECT_EQ(read_bytes(path("run1.txt")), "kept");
    EXPECT_TRUE(report.formats.empty());

    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("run1"), 1});
    dialogs.replace_answers.push_back(true);
    EXPECT_TRUE(save());
    EXPECT_EQ(read_bytes(path("run1.txt")), "Position\tGene\r\n3308\tND1\r\n");

    // A name chosen with its extension was the dialog's own question.
    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("run1.txt"), 1});
    EXPECT_TRUE(save());
    EXPECT_EQ(dialogs.replace_questions.size(), 2u);
}

TEST_F(ReportSaving, AFailedWriteIsShownAndTheProgressWindowClosed) {
    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("missing/run1"), 1});
    EXPECT_FALSE(save());
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0].toStdString(),
              "Cannot write " + path("missing/run1.txt") + ": No such file or directory");

    // A workbook that does not fit a sheet, from a report that left its
    // progress window open.
    report.first_row = 65535;
    report.finish_progress = false;
    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("big"), 2});
    EXPECT_FALSE(save());
    ASSERT_EQ(dialogs.errors.size(), 2u);
    EXPECT_NE(dialogs.errors[1].toStdString().find("does not fit an Excel 97-2003 sheet"), std::string::npos);
    EXPECT_FALSE(progress.open);
    EXPECT_EQ(progress.calls.back(), "finish");
    EXPECT_EQ(entries(), 0u);
}

TEST_F(ReportSaving, TextBlocksTakeTheirOwnExtensionAndAskBeforeReplacing) {
    int built = 0;
    auto text = [&built] {
        ++built;
        return std::string("#Corvella\nA\n");
    };
    const QString filter = "Network Binary File (*.rdf)|*.rdf";
    dialogs.save_answers.push_back(std::nullopt);
    EXPECT_FALSE(save_text_block(nullptr, dialogs, filter, ".rdf", text));
    EXPECT_EQ(built, 0);

    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("net"), 1});
    EXPECT_TRUE(save_text_block(nullptr, dialogs, filter, ".rdf", text));
    EXPECT_EQ(read_bytes(path("net.rdf")), "#Corvella\r\nA\r\n");
    EXPECT_EQ(dialogs.save_filters.back(), filter);
    EXPECT_EQ(dialogs.save_confirm_overwrite, (std::vector<bool>{true, true}));

    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("net"), 1});
    dialogs.replace_answers.push_back(false);
    EXPECT_FALSE(save_text_block(nullptr, dialogs, filter, ".rdf", text));
    EXPECT_EQ(dialogs.replace_questions, std::vector<std::string>{path("net.rdf")});
    EXPECT_EQ(built, 1);
}

TEST_F(ReportSaving, ChartImagesAreBitmapsOfTheChartAsShownWithoutAQuestion) {
    ChartSpec spec;
    spec.title = "Protein";
    spec.series.push_back({"Syn", CHART_BLUE, {{1, 4, "ND1"}, {2, 7, "ND2"}}});
    spec.width = 420;
    spec.height = 300;
    std::unique_ptr<QWidget> view(make_chart_view(spec));
    view->setAttribute(Qt::WA_DontShowOnScreen);
    view->show();

    put_bytes(path("chart.bmp"), "old");
    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("chart"), 1});
    EXPECT_TRUE(save_chart_image(nullptr, dialogs, view.get()));
    EXPECT_EQ(dialogs.save_filters, std::vector<QString>{"Bitmap (*.bmp)|*.bmp|PNG (*.png)|*.png|SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf"});
    EXPECT_EQ(dialogs.save_confirm_overwrite, std::vector<bool>{false});
    EXPECT_TRUE(dialogs.replace_questions.empty());
    const QImage image(QString::fromStdString(path("chart.bmp")), "BMP");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(420, 300));

    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("missing/chart"), 1});
    EXPECT_FALSE(save_chart_image(nullptr, dialogs, view.get()));
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0].toStdString(),
              "Cannot write " + path("missing/chart.bmp") + ": No such file or directory");

    // A write that fails halfway keeps the image saved before.
    const std::string before = read_bytes(path("chart.bmp"));
    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("chart.bmp"), 1});
    EXPECT_FALSE(corvella_test::with_file_size_limit(
        4096, [&] { return save_chart_image(nullptr, dialogs, view.get()); }));
    EXPECT_EQ(dialogs.errors.size(), 2u);
    EXPECT_EQ(read_bytes(path("chart.bmp")), before);
    EXPECT_EQ(entries(), 1u);
}
