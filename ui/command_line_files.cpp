#include "ui/command_line_files.h"

#include <QAction>
#include <QMenu>
#include <fstream>

#include "ui/Corvella_unit.h"

namespace corvella {

bool looks_like_genbank(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[5] = {};
    return in.read(head, sizeof head) && std::string(head, sizeof head) == "LOCUS";
}

void open_command_line_file(TForm1& form,
                            const std::function<void(std::optional<std::string>)>& answer_next_open,
                            const std::string& path) {
    const bool reference = looks_like_genbank(path);
    // "Check Database", which holds "Open Polymorphism File...", is
    // reachable once a reference is loaded.
    if (!reference && !form.CheckDatabase1->menuAction()->isEnabled()) form.HumanReference1->trigger();
    answer_next_open(path);
    (reference ? form.OpenOtherReferenceFile1 : form.OpenPolymorphismsFile1)->trigger();
    // A command that did not run leaves no answer behind for a later dialog.
    answer_next_open(std::nullopt);
}

}  // namespace corvella
