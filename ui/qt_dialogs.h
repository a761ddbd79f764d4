// The desktop program's dialogs: Qt file dialogs and message boxes.
#pragma once

#include <QStringList>

#include "ui/dialogs.h"

namespace corvella {

// Turns a filter of description and pattern pairs separated by "|" into Qt
// name filters, one per pair: "GenBank Files (*.gbk, *.gen)|*.gbk; *.gen"
// becomes "GenBank Files (*.gbk *.gen)". A description's own "(...)" tail is
// replaced by the patterns, and "*.*" means every file, names without a dot
// included, as it does on the system the filters were written for.
QStringList qt_name_filters(const QString& filter);

// The directory argument of a Qt file dialog for `start`: the folder, with
// the name inside it when there is one; empty when neither is known.
QString qt_start_path(const DialogStart& start);

class QtDialogs : public Dialogs {
public:
    bool confirm_replace(QWidget* parent, const std::string& path) override;
    using Dialogs::error_message;
    void error_message(QWidget* parent, const QString& text, const QString& informative) override;
    void information_message(QWidget* parent, const QString& text) override;
    std::optional<VcfChoice> vcf_options(QWidget* parent, const VcfChoice& offered) override;

protected:
    std::optional<std::string> ask_open_file(QWidget* parent, const QString& filter,
                                             const DialogStart& start) override;
    std::vector<std::string> ask_open_files(QWidget* parent, const QString& filter,
                                            const DialogStart& start) override;
    std::optional<SaveChoice> ask_save_file(QWidget* parent, const QString& filter, int initial_filter_index,
                                            bool confirm_overwrite, const DialogStart& start) override;
};

}  // namespace corvella
