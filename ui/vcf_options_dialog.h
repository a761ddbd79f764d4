// The question asked before a VCF is read: the minimum level of the calls
// kept, and whether records with a FILTER other than PASS are kept. The level
// box takes a number from 0 to 1 only: anything else (a percentage such as
// 90, a comma) is refused in place, with a line under the box saying what it
// takes, and the dialog stays open.
#pragma once

#include <QDialog>
#include <optional>

#include "ui/dialogs.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace corvella {

class VcfOptionsDialog : public QDialog {
    Q_OBJECT
public:
    VcfOptionsDialog(const VcfChoice& offered, QWidget* parent = nullptr);

    // The choice once the dialog was accepted.
    std::optional<VcfChoice> choice() const { return choice_; }

    QLineEdit* MinimumLevel;
    QCheckBox* IncludeFiltered;
    QLabel* LevelProblem;  // empty and hidden while the level reads

public slots:
    // OK and Return: closes only with a level that reads.
    void accept() override;

private:
    std::optional<VcfChoice> choice_;
};

}  // namespace corvella
