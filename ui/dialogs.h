// The one door from the windows to the person: file dialogs and message
// boxes. The desktop program uses QtDialogs; tests put a scripted fake in its
// place so that every command runs without anyone at the screen.
#pragma once

#include <QString>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

class QWidget;

namespace corvella {

// What a person chooses before a VCF is read.
struct VcfChoice {
    double min_level = 0.9;  // 0..1
    bool include_filtered = false;
};

// Where a file dialog opens: a folder (empty: the toolkit's own choice, the
// working folder) and, for a save dialog, the name put into its name box.
struct DialogStart {
    std::string folder;
    std::string name;
    std::string title;  // the dialog's title; empty: the toolkit's own ("Save As")

    DialogStart(std::string folder_ = {}, std::string name_ = {}, std::string title_ = {})
        : folder(std::move(folder_)), name(std::move(name_)), title(std::move(title_)) {}
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // An open dialog with a filter such as "Text Files (*.txt)|*.txt|All Files|*.*"
    // (description and pattern pairs separated by "|"). The chosen path, or
    // nothing when the person cancels. It starts in the folder of the last
    // file chosen in any open or save dialog of this run.
    std::optional<std::string> open_file(QWidget* parent, const QString& filter);

    // The same dialog taking one file or several (of one kind: a cohort of
    // lists, of VCFs ...). Empty when the person cancels.
    std::vector<std::string> open_files(QWidget* parent, const QString& filter);

    struct SaveChoice {
        std::string path;
        int filter_index;  // 1 for the first pair of the filter, 2 for the second ...
    };
    // A save dialog. initial_filter_index is the type chosen last time in the
    // same dialog; confirm_overwrite makes the dialog ask before an existing
    // file is replaced. It starts in the folder of the last file chosen in
    // any dialog of this run, with the name last chosen in the same dialog
    // (the same window and filter) in its name box.
    // Two dialogs of one window with one filter are told apart by `dialog`
    // (any address that stands for the dialog, such as its SaveDialogState).
    // `title`, when given, names what is saved ("Save Variant Table").
    std::optional<SaveChoice> save_file(QWidget* parent, const QString& filter, int initial_filter_index,
                                        bool confirm_overwrite, const void* dialog = nullptr,
                                        const std::string& title = std::string());

    // The type last chosen in any save dialog of this filter in this run, or
    // `otherwise` before the first.
    int last_type(const QString& filter, int otherwise) const;

    // Asks whether an existing file may be replaced (used when the name was
    // completed with an extension after the dialog). True to replace.
    virtual bool confirm_replace(QWidget* parent, const std::string& path) = 0;

    // A modal message box titled "Corvella" with an error icon and one OK
    // button: `text` as the message, `informative` (when not empty) beneath it
    // in the box's smaller informative text: the file, the line and what to do.
    virtual void error_message(QWidget* parent, const QString& text, const QString& informative) = 0;
    void error_message(QWidget* parent, const QString& text) { error_message(parent, text, QString()); }

    // A modal message box titled "Corvella" with an information icon and one
    // OK button (the import summary of a VCF or HSD read).
    virtual void information_message(QWidget* parent, const QString& text) = 0;

    // Asked before a VCF is read: the minimum level of the calls kept and
    // whether records with a FILTER other than PASS are kept. Offers
    // `offered`; nothing when the person cancels.
    virtual std::optional<VcfChoice> vcf_options(QWidget* parent, const VcfChoice& offered) = 0;

protected:
    // The dialogs themselves, shown where `start` says.
    virtual std::optional<std::string> ask_open_file(QWidget* parent, const QString& filter,
                                                     const DialogStart& start) = 0;
    virtual std::vector<std::string> ask_open_files(QWidget* parent, const QString& filter,
                                                    const DialogStart& start) = 0;
    virtual std::optional<SaveChoice> ask_save_file(QWidget* parent, const QString& filter,
                                                    int initial_filter_index, bool confirm_overwrite,
                                                    const DialogStart& start) = 0;

private:
    void remember_folder_of(const std::string& path);

    std::string last_folder_;
    // The last name chosen in each save dialog, a dialog being its window,
    // its filter and the address that stands for it.
    std::map<std::tuple<const QWidget*, QString, const void*>, std::string> last_names_;
    std::map<QString, int> last_types_;  // by filter
};

}  // namespace corvella
