// TForm3: the single-position window. The person types a position and picks a
// new base; the window shows the locus or, inside protein genes, one result
// block per gene. It reads the workspace and never changes it.
#pragma once

#include <QDialog>
#include <cstdint>

#include "classify/position_check.h"
#include "core/workspace.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(const corvella::Workspace& ws, QWidget* parent = nullptr);

    // What opening through the menu does before the window is shown: entry,
    // reference-base field, message line and memo emptied, the window
    // unlocked; the new-base box and the new base are kept.
    void reset_for_opening();

    char new_base() const { return new_base_; }

    QLabel* Label1;
    QLineEdit* Edit1;      // position, at most 7 characters
    QPushButton* Button1;  // "Show Ref Base"
    QLabel* Label2;
    QLineEdit* Edit2;      // reference letter, read-only
    QLabel* Label3;
    QComboBox* ComboBox1;  // new base, editable
    QPlainTextEdit* Memo1;
    QPushButton* Button2;  // "Run"
    QPushButton* Button3;  // "Clear"
    QPushButton* Button4;  // "Close"
    QLabel* Label4;        // message line, red
    QLabel* ReferenceLabel;  // what reference is loaded: accession, length, codes, strands

public slots:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void ComboBox1Change(const QString& text);

private:
    void clear_outputs();
    // Shows the outcome of the position check; true for a protein position.
    bool show_check(const corvella::PositionCheck& c);
    void set_locked(bool locked);

    const corvella::Workspace& ws_;
    int32_t position_ = 0;
    char ref_base_ = 'X';
    char new_base_ = 'X';
};
