#include "ui/command_line_files.h"

#include <QAction>
#include <QMenu>
#include <fstream>

#include "input/input_paths.h"
#include "ui/Corvella_unit.h"
#include "ui/application.h"
#include "ui/cohort_open.h"

namespace corvella {

bool looks_like_genbank(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[5] = {};
    return in.read(head, sizeof head) && std::string(head, sizeof head) == "LOCUS";
}

void open_command_line_file(TForm1& form,
                            const std::function<void(std::optional<std::string>)>& answer_next_open,
                            const std::string& path) {
    open_command_line_files(form, answer_next_open, {path});
}

void open_command_line_files(TForm1& form,
                             const std::function<void(std::optional<std::string>)>& answer_next_open,
                             const std::vector<std::string>& words) {
    std::vector<std::string> cohort;
    for (const std::string& word : words) {
        if (word.size() > 1 && word[0] == '@') {
            const std::string list = word.substr(1);
            if (!read_path_list(list, cohort)) {
                show_read_failure(&form, form.dialogs(), "the list of input paths " + list +
                                  " cannot be opened.\nFile cannot be opened.", list, OpenedAs::List);
                return;
            }
            continue;
        }
        if (!looks_like_genbank(word)) {
            cohort.push_back(word);
            continue;
        }
        answer_next_open(word);
        form.OpenOtherReferenceFile1->trigger();
        // A command that did not run leaves no answer behind for a later dialog.
        answer_next_open(std::nullopt);
    }
    if (cohort.empty()) return;
    // "Check Database", which holds "Open Polymorphism File...", is
    // reachable once a reference is loaded.
    if (!form.CheckDatabase1->menuAction()->isEnabled()) form.HumanReference1->trigger();
    run_command(form.dialogs(), &form, [&form, &cohort] { form.open_polymorphism_files(cohort); });
}

}  // namespace corvella
