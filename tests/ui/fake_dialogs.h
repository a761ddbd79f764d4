// A scripted stand-in for the dialogs: answers come from queues filled by the
// test, and every question and message is recorded. An empty queue answers
// like a person who cancels.
#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace corvella {

class FakeDialogs : public Dialogs {
public:
    std::deque<std::optional<std::string>> open_answers;
    // Answers of the dialogs that take several files; while empty they take
    // the next of open_answers as a choice of one file.
    std::deque<std::vector<std::string>> open_files_answers;
    std::deque<std::optional<SaveChoice>> save_answers;
    std::deque<bool> replace_answers;

    std::vector<QString> open_filters;        // filter of every open dialog shown
    std::vector<QString> save_filters;        // filter of every save dialog shown
    std::vector<int> save_initial_indexes;    // the type each save dialog started with
    std::vector<bool> save_confirm_overwrite; // whether it would ask before replacing
    std::vector<std::string> replace_questions;
    std::vector<QString> errors;              // texts of the error boxes, in order
    std::vector<QString> error_details;       // their informative texts (empty: none)
    std::vector<QString> informations;        // texts of the information boxes, in order
    std::deque<std::optional<VcfChoice>> vcf_answers;  // empty: the question is cancelled
    std::vector<VcfChoice> vcf_offers;        // what each VCF question offered
    std::vector<DialogStart> open_starts;     // where every open dialog started
    std::vector<DialogStart> save_starts;     // where every save dialog started

    bool confirm_replace(QWidget*, const std::string& path) override {
        replace_questions.push_back(path);
        if (replace_answers.empty()) return false;
        const bool answer = replace_answers.front();
        replace_answers.pop_front();
        return answer;
    }
    using Dialogs::error_message;
    void error_message(QWidget*, const QString& text, const QString& informative) override {
        errors.push_back(text);
        error_details.push_back(informative);
    }
    void information_message(QWidget*, const QString& text) override { informations.push_back(text); }
    std::optional<VcfChoice> vcf_options(QWidget*, const VcfChoice& offered) override {
        vcf_offers.push_back(offered);
        return next(vcf_answers);
    }

protected:
    std::optional<std::string> ask_open_file(QWidget*, const QString& filter, const DialogStart& start) override {
        open_filters.push_back(filter);
        open_starts.push_back(start);
        return next(open_answers);
    }
    std::vector<std::string> ask_open_files(QWidget* parent, const QString& filter,
                                            const DialogStart& start) override {
        if (open_files_answers.empty()) {
            std::optional<std::string> one = ask_open_file(parent, filter, start);
            return one ? std::vector<std::string>{*one} : std::vector<std::string>{};
        }
        open_filters.push_back(filter);
        open_starts.push_back(start);
        std::vector<std::string> answer = open_files_answers.front();
        open_files_answers.pop_front();
        return answer;
    }
    std::optional<SaveChoice> ask_save_file(QWidget*, const QString& filter, int initial_filter_index,
                                            bool confirm_overwrite, const DialogStart& start) override {
        save_filters.push_back(filter);
        save_initial_indexes.push_back(initial_filter_index);
        save_confirm_overwrite.push_back(confirm_overwrite);
        save_starts.push_back(start);
        return next(save_answers);
    }

private:
    template <typename T>
    static std::optional<T> next(std::deque<std::optional<T>>& answers) {
        if (answers.empty()) return std::nullopt;
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace corvella
