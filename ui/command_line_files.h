// Files named on the desktop program's command line (`corvella FILE...`, as
// a file manager starts it for a file of a type the desktop entry names):
// each is opened by the menu command a person would choose for it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/dialogs.h"

class TForm1;

namespace corvella {

// Dialogs whose next open dialog is answered with a given path instead of
// being shown; every other question goes to Base as usual.
template <class Base>
class PresetOpenDialogs : public Base {
public:
    using Base::Base;
    void answer_next_open(std::optional<std::string> path) { preset_ = std::move(path); }

protected:
    std::optional<std::string> ask_open_file(QWidget* parent, const QString& filter,
                                             const DialogStart& start) override {
        if (preset_) return std::exchange(preset_, std::nullopt);
        return Base::ask_open_file(parent, filter, start);
    }

private:
    std::optional<std::string> preset_;
};

// True when the file's first line begins with "LOCUS", as a GenBank flat
// file does.
bool looks_like_genbank(const std::string& path);

// Opens `path` as the menu would: a GenBank file through "Open Other
// Reference File...", anything else (a polymorphism list, HSD, VCF, BCF,
// unaligned FASTA, a file listing such files) through "Open Polymorphism
// File...", after choosing "Human Reference" when no reference is loaded yet.
// A file that cannot be read gives the command's own message. `answer_next_open`
// is the PresetOpenDialogs' answer_next_open of the window's dialogs.
void open_command_line_file(TForm1& form,
                            const std::function<void(std::optional<std::string>)>& answer_next_open,
                            const std::string& path);

// The same for every word of `corvella FILE...`: the GenBank files first, in
// order, as the reference; then all the other files together as one cohort
// (one VCF question for all), as the Open dialog reads several files. A word
// "@PATHS" stands for the files listed in PATHS, one per line, as for
// corvella-cli.
void open_command_line_files(TForm1& form,
                             const std::function<void(std::optional<std::string>)>& answer_next_open,
                             const std::vector<std::string>& words);

}  // namespace corvella
