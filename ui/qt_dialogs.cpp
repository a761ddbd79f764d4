#include "ui/qt_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

#include "ui/vcf_options_dialog.h"

namespace corvella {

QStringList qt_name_filters(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList result;
    static const QRegularExpression tail(R"(\s*\([^()]*\)\s*$)");
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(tail);
        QStringList patterns;
        for (QString p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            p = p.trimmed();
            if (p == "*.*") p = "*";
            if (!p.isEmpty()) patterns << p;
        }
        result << description.trimmed() + " (" + patterns.join(' ') + ")";
    }
    return result;
}

QString qt_start_path(const DialogStart& start) {
    const QString folder = QString::fromStdString(start.folder);
    const QString name = QString::fromStdString(start.name);
    if (folder.isEmpty()) return name;
    return name.isEmpty() ? folder : QDir(folder).filePath(name);
}

std::optional<std::string> QtDialogs::ask_open_file(QWidget* parent, const QString& filter,
                                                    const DialogStart& start) {
    const QStringList filters = qt_name_filters(filter);
    QString chosen = filters.value(0);
    const QString path = QFileDialog::getOpenFileName(parent, QString(), qt_start_path(start),
                                                      filters.join(";;"), &chosen);
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::vector<std::string> QtDialogs::ask_open_files(QWidget* parent, const QString& filter,
                                                   const DialogStart& start) {
    const QStringList filters = qt_name_filters(filter);
    QString chosen = filters.value(0);
    const QStringList paths =
        QFileDialog::getOpenFileNames(parent, QString(), qt_start_path(start), filters.join(";;"), &chosen);
    std::vector<std::string> result;
    for (const QString& path : paths) result.push_back(path.toStdString());
    return result;
}

std::optional<Dialogs::SaveChoice> QtDialogs::ask_save_file(QWidget* parent, const QString& filter,
                                                            int initial_filter_index, bool confirm_overwrite,
                                                            const DialogStart& start) {
    const QStringList filters = qt_name_filters(filter);
    QString chosen = filters.value(initial_filter_index - 1, filters.value(0));
    QFileDialog::Options options;
    if (!confirm_overwrite) options |= QFileDialog::DontConfirmOverwrite;
    const QString path = QFileDialog::getSaveFileName(parent, QString::fromStdString(start.title), qt_start_path(start),
                                                      filters.join(";;"), &chosen, options);
    if (path.isEmpty()) return std::nullopt;
    return SaveChoice{path.toStdString(), static_cast<int>(filters.indexOf(chosen)) + 1};
}

bool QtDialogs::confirm_replace(QWidget* parent, const std::string& path) {
    const auto answer = QMessageBox::question(
        parent, "Corvella",
        QString::fromStdString(path) + " already exists.\nDo you want to replace it?",
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

void QtDialogs::error_message(QWidget* parent, const QString& text, const QString& informative) {
    QMessageBox box(QMessageBox::Critical, "Corvella", text, QMessageBox::Ok, parent);
    if (!informative.isEmpty()) box.setInformativeText(informative);
    box.exec();
}

void QtDialogs::information_message(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, "Corvella", text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<VcfChoice> QtDialogs::vcf_options(QWidget* parent, const VcfChoice& offered) {
    VcfOptionsDialog dialog(offered, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

}  // namespace corvella
