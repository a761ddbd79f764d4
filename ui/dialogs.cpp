#include "ui/dialogs.h"

#include <filesystem>

namespace corvella {

void Dialogs::remember_folder_of(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) last_folder_ = folder.string();
}

std::optional<std::string> Dialogs::open_file(QWidget* parent, const QString& filter) {
    std::optional<std::string> chosen = ask_open_file(parent, filter, DialogStart{last_folder_, {}, {}});
    if (chosen) remember_folder_of(*chosen);
    return chosen;
}

std::vector<std::string> Dialogs::open_files(QWidget* parent, const QString& filter) {
    std::vector<std::string> chosen = ask_open_files(parent, filter, DialogStart{last_folder_, {}, {}});
    if (!chosen.empty()) remember_folder_of(chosen.front());
    return chosen;
}

std::optional<Dialogs::SaveChoice> Dialogs::save_file(QWidget* parent, const QString& filter,
                                                      int initial_filter_index, bool confirm_overwrite,
                                                      const void* dialog, const std::string& title) {
    std::string& name = last_names_[{parent, filter, dialog}];
    std::optional<SaveChoice> chosen = ask_save_file(parent, filter, initial_filter_index, confirm_overwrite,
                                                     DialogStart{last_folder_, name, title});
    if (chosen) {
        remember_folder_of(chosen->path);
        last_types_[filter] = chosen->filter_index;
        name = std::filesystem::path(chosen->path).filename().string();
    }
    return chosen;
}

int Dialogs::last_type(const QString& filter, int otherwise) const {
    const auto found = last_types_.find(filter);
    return found == last_types_.end() ? otherwise : found->second;
}

}  // namespace corvella
