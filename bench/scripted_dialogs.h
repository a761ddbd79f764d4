// Dialogs answered by a script, as a person working through the windows
// would answer them: the desktop benchmarks drive the real windows with it.
#pragma once

#include <cstdio>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace corvella_bench {

// Answers the dialogs as a person saving one file after another would.
class ScriptedDialogs : public corvella::Dialogs {
public:
    std::deque<std::string> opens;
    std::deque<SaveChoice> saves;
    bool confirm_replace(QWidget*, const std::string&) override { return true; }
    using corvella::Dialogs::error_message;
    void error_message(QWidget*, const QString& text, const QString& informative) override {
        std::fprintf(stderr, "error shown: %s\n%s\n", qPrintable(text), qPrintable(informative));
    }
    void information_message(QWidget*, const QString&) override {}
    std::optional<corvella::VcfChoice> vcf_options(QWidget*, const corvella::VcfChoice& offered) override {
        return offered;
    }

protected:
    std::optional<std::string> ask_open_file(QWidget*, const QString&, const corvella::DialogStart&) override {
        if (opens.empty()) return std::nullopt;
        std::string path = opens.front();
        opens.pop_front();
        return path;
    }
    std::vector<std::string> ask_open_files(QWidget* parent, const QString& filter,
                                            const corvella::DialogStart& start) override {
        std::optional<std::string> one = ask_open_file(parent, filter, start);
        return one ? std::vector<std::string>{*one} : std::vector<std::string>{};
    }
    std::optional<SaveChoice> ask_save_file(QWidget*, const QString&, int, bool,
                                            const corvella::DialogStart&) override {
        if (saves.empty()) return std::nullopt;
        SaveChoice choice = saves.front();
        saves.pop_front();
        return choice;
    }
};

}  // namespace corvella_bench
