// The one door from the windows to the person: file dialogs and message
// boxes. The desktop program uses QtDialogs; tests put a scripted fake in its
// place so that every command runs without anyone at the screen.
#pragma once

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace corvella {

// What a person chooses before a VCF is read.
struct VcfChoice {
    double min_level = 0.9;  // 0..1
    bool include_filtered = false;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // An open dialog with a filter such as "Text Files (*.txt)|*.txt|All Files|*.*"
    // (description and pattern pairs separated by "|"). The chosen path, or
    // nothing when the person cancels.
    virtual std::optional<std::string> open_file(QWidget* parent, const QString& filter) = 0;

    struct SaveChoice {
        std::string path;
        int filter_index;  // 1 for the first pair of the filter, 2 for the second ...
    };
    // A save dialog. initial_filter_index is the type chosen last time in the
    // same dialog; confirm_overwrite makes the dialog ask before an existing
    // file is replaced.
    virtual std::optional<SaveChoice> save_file(QWidget* parent, const QString& filter,
                                                int initial_filter_index, bool confirm_overwrite) = 0;

    // Asks whether an existing file may be replaced (used when the name was
    // completed with an extension after the dialog). True to replace.
    virtual bool confirm_replace(QWidget* parent, const std::string& path) = 0;

    // A modal message box titled "Corvella" with an error icon and one OK button.
    virtual void error_message(QWidget* parent, const QString& text) = 0;

    // A modal message box titled "Corvella" with an information icon and one
    // OK button (the import summary of a VCF or HSD read).
    virtual void information_message(QWidget* parent, const QString& text) = 0;

    // Asked before a VCF is read: the minimum level of the calls kept and
    // whether records with a FILTER other than PASS are kept. Offers
    // `offered`; nothing when the person cancels.
    virtual std::optional<VcfChoice> vcf_options(QWidget* parent, const VcfChoice& offered) = 0;
};

}  // namespace corvella
