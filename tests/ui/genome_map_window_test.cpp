#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/genome_map_window.h"

using corvella::Dialogs;

namespace {

const std::string DATA = CORVELLA_TEST_DATA;

class GenomeMapWindowTest : public ::testing::Test {
protected:
    GenomeMapWindowTest() : form(dialogs) { form.HumanReference1->trigger(); }

    void open_list() {
        dialogs.open_answers.push_back(DATA + "/cli/six_keys.txt");
        form.OpenPolymorphismsFile1->trigger();
    }
    // Runs `check` on the map window while "Genome Map..." shows it.
    void with_window(const std::function<void(corvella::GenomeMapWindow&)>& check) {
        bool shown = false;
        form.show_modal = [&](QDialog& d) {
            auto* window = dynamic_cast<corvella::GenomeMapWindow*>(&d);
            ASSERT_NE(window, nullptr);
            shown = true;
            window->show();
            check(*window);
        };
        form.GenomeMap1->trigger();
        EXPECT_TRUE(shown);
    }
    QByteArray file(const QString& name) const {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    corvella::FakeDialogs dialogs;
    TForm1 form;
    QTemporaryDir dir;
};

TEST_F(GenomeMapWindowTest, OpensAfterAListAndFollowsTheWindowsSize) {
    EXPECT_FALSE(form.GenomeMap1->isEnabled());
    open_list();
    EXPECT_TRUE(form.GenomeMap1->isEnabled());
    EXPECT_EQ(form.GenomeMap1->text(), "Genome &Map...");
    with_window([&](corvella::GenomeMapWindow& w) {
        const corvella::GenomeMap& map = w.view()->map();
        EXPECT_EQ(map.arcs.size(), 38u);
        EXPECT_EQ(map.bars.size(), form.workspace().variant_tally.size());
        EXPECT_EQ(QSize(map.width, map.height), w.view()->size());
        w.resize(1300, 1000);
        QApplication::processEvents();
        EXPECT_EQ(QSize(w.view()->map().width, w.view()->map().height), w.view()->size());
        EXPECT_GT(w.view()->map().width, corvella::MAP_DEFAULT_WIDTH);
        // Smaller than the map's least size the window does not go.
        w.resize(100, 100);
        QApplication::processEvents();
        EXPECT_GE(w.view()->width(), corvella::MAP_MINIMUM_WIDTH);
        EXPECT_EQ(w.view()->map().width, w.view()->width());
    });
    // Another reference takes the command away until a list is read again.
    dialogs.open_answers.push_back(DATA + "/NC_012920.1.gb");
    form.OpenOtherReferenceFile1->trigger();
    EXPECT_FALSE(form.GenomeMap1->isEnabled());
}

TEST_F(GenomeMapWindowTest, ThePointerNamesTheVariantUnderIt) {
    open_list();
    with_window([&](corvella::GenomeMapWindow& w) {
        const corvella::GenomeMap& map = w.view()->map();
        const corvella::MapBar* cytb = nullptr;
        for (const corvella::MapBar& bar : map.bars)
            if (bar.position == 14766) cytb = &bar;
        ASSERT_NE(cytb, nullptr);
        double x, y;
        corvella::map_point(map, cytb->angle, (cytb->inner_radius + cytb->outer_radius) / 2, x, y);
        QTest::mouseMove(w.view(), QPoint(static_cast<int>(x), static_cast<int>(y)));
        QApplication::processEvents();
        EXPECT_EQ(w.pointer_label()->text().toStdString(), corvella::map_bar_text(map, *cytb));
        EXPECT_TRUE(w.pointer_label()->text().startsWith("14766 m.14766C>T | MT-CYB | missense | 5 of 5 samples"));
        EXPECT_TRUE(w.view()->text_at(QPointF(map.cx, map.cy)).isEmpty());
    });
}

TEST_F(GenomeMapWindowTest, SavesTheMapAsShownInFourTypes) {
    open_list();
    with_window([&](corvella::GenomeMapWindow& w) {
        w.resize(1000, 760);
        QApplication::processEvents();
        struct Case {
            int index;
            const char* name;
            QByteArray magic;
        };
        for (const Case& c : {Case{1, "map.bmp", "BM"}, Case{2, "map.png", "\x89PNG"}, Case{3, "map.svg", "<?xml"},
                              Case{4, "map.pdf", "%PDF"}}) {
            dialogs.save_answers.push_back(Dialogs::SaveChoice{dir.filePath("map").toStdString(), c.index});
            QTest::mouseClick(w.save_button(), Qt::LeftButton);
            EXPECT_TRUE(file(c.name).startsWith(c.magic)) << c.name;
        }
        EXPECT_EQ(dialogs.save_filters.back(), "Bitmap (*.bmp)|*.bmp|PNG (*.png)|*.png|SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf");
        EXPECT_EQ(QImageReader(dir.filePath("map.png")).size(), w.view()->size());
        EXPECT_EQ(file("map.svg").toStdString(), corvella::genome_map_svg(w.view()->map()));
        // A file that cannot be written is said, and the window stays.
        dialogs.save_answers.push_back(Dialogs::SaveChoice{"/nonexistent-folder/map", 2});
        QTest::mouseClick(w.save_button(), Qt::LeftButton);
        ASSERT_EQ(dialogs.errors.size(), 1u);
        EXPECT_TRUE(dialogs.errors[0].startsWith("Cannot write /nonexistent-folder/map.png")) << dialogs.errors[0].toStdString();
    });
}

}  // namespace
