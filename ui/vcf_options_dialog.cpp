#include "ui/vcf_options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "input/min_level.h"

namespace corvella {

VcfOptionsDialog::VcfOptionsDialog(const VcfChoice& offered, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Corvella");
    MinimumLevel = new QLineEdit(QString::fromStdString(min_level_text(offered.min_level)), this);
    MinimumLevel->setObjectName("MinimumLevel");
    MinimumLevel->setPlaceholderText("0 to 1, such as 0.9");
    MinimumLevel->selectAll();
    LevelProblem = new QLabel(this);
    LevelProblem->setObjectName("LevelProblem");
    LevelProblem->setStyleSheet("color: #b00000;");
    LevelProblem->setWordWrap(true);
    LevelProblem->hide();
    IncludeFiltered = new QCheckBox("Keep records whose FILTER is not PASS", this);
    IncludeFiltered->setObjectName("IncludeFiltered");
    IncludeFiltered->setChecked(offered.include_filtered);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &VcfOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A corrected level clears the complaint.
    connect(MinimumLevel, &QLineEdit::textEdited, this, [this] {
        LevelProblem->clear();
        LevelProblem->hide();
    });
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel("Calls at or above the minimum level are the sample's own sequence;\n"
                            "lower ones (heteroplasmies) are left out.",
                            this));
    form->addRow("Minimum level (AF, HF, VAF or HP, 0 to 1):", MinimumLevel);
    form->addRow(LevelProblem);
    form->addRow(IncludeFiltered);
    form->addRow(buttons);
}

void VcfOptionsDialog::accept() {
    const std::string typed = MinimumLevel->text().toStdString();
    const std::optional<double> level = read_min_level(typed);
    if (!level) {
        LevelProblem->setText(QString::fromStdString(min_level_refusal(typed)));
        LevelProblem->show();
        MinimumLevel->setFocus();
        MinimumLevel->selectAll();
        return;
    }
    choice_ = VcfChoice{*level, IncludeFiltered->isChecked()};
    QDialog::accept();
}

}  // namespace corvella
