#include "ui/Synonymous.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "classify/position_check.h"
#include "core/reference_summary.h"
#include "ui/fonts.h"

namespace {

QString memo_lines(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines) list << QString::fromStdString(line);
    return list.join('\n');
}

}  // namespace

TForm3::TForm3(const corvella::Workspace& ws, QWidget* parent)
    : QDialog(parent),
      Label1(new QLabel("Position:", this)),
      Edit1(new QLineEdit(this)),
      Button1(new QPushButton("Show Ref Base", this)),
      Label2(new QLabel("Base (ref):", this)),
      Edit2(new QLineEdit(this)),
      Label3(new QLabel("Base (new):", this)),
      ComboBox1(new QComboBox(this)),
      Memo1(new QPlainTextEdit(this)),
      Button2(new QPushButton("Run", this)),
      Button3(new QPushButton("Clear", this)),
      Button4(new QPushButton("Close", this)),
      Label4(new QLabel(this)),
      ReferenceLabel(new QLabel(this)),
      ws_(ws) {
    setWindowTitle("Synonymous (1 Position)");
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(7);
    Edit2->setObjectName("Edit2");
    Edit2->setReadOnly(true);
    Edit2->setMaximumWidth(40);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setFont(corvella::fixed_font_or_default("Courier New"));
    Memo1->setMinimumSize(380, 200);
    Label4->setObjectName("Label4");
    Label4->setStyleSheet("color: red;");
    Button1->setObjectName("Button1");
    Button2->setObjectName("Button2");
    Button3->setObjectName("Button3");
    Button4->setObjectName("Button4");
    for (QPushButton* b : {Button1, Button2, Button3, Button4}) b->setAutoDefault(false);
    // The answers can be clicked into and copied, but Tab goes from the
    // position to the new base and the buttons only.
    Edit2->setFocusPolicy(Qt::ClickFocus);
    Memo1->setFocusPolicy(Qt::ClickFocus);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(Button1, 0, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(ComboBox1, 2, 1);
    grid->addWidget(Label4, 3, 0, 1, 3);
    grid->addWidget(Memo1, 4, 0, 1, 3);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    buttons->addWidget(Button4);
    grid->addLayout(buttons, 5, 0, 1, 3);
    ReferenceLabel->setObjectName("ReferenceLabel");
    ReferenceLabel->setWordWrap(true);
    ReferenceLabel->setStyleSheet("color: gray;");
    grid->addWidget(ReferenceLabel, 6, 0, 1, 3);

    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm3::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm3::Button4Click);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TForm3::ComboBox1Change);
    // Return in the position box does what "Run" does, while "Run" can be used.
    connect(Edit1, &QLineEdit::returnPressed, this, [this] {
        if (Button2->isEnabled()) Button2Click();
    });
    FormCreate();
}

void TForm3::FormCreate() {
    ComboBox1->addItems({"A", "C", "G", "T"});
    // The box starts empty: no base is chosen until the person picks one.
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());
    new_base_ = 'X';
    Memo1->clear();
    Label4->clear();
    Button1->setEnabled(true);
}

void TForm3::reset_for_opening() {
    ReferenceLabel->setText("Reference: " + QString::fromStdString(corvella::reference_summary(ws_)));
    Edit1->clear();
    Edit2->clear();
    Label4->clear();
    Memo1->clear();
    set_locked(false);
}

void TForm3::set_locked(bool locked) {
    Button1->setEnabled(!locked);
    Button2->setEnabled(!locked);
    Edit1->setReadOnly(locked);
}

void TForm3::clear_outputs() {
    Label4->clear();
    Edit2->clear();
    Memo1->clear();
}

bool TForm3::show_check(const corvella::PositionCheck& c) {
    if (c.outcome == corvella::PositionOutcome::Rejected) {
        Label4->setText(QString::fromStdString(c.message));
        return false;
    }
    Edit2->setText(QString(QChar::fromLatin1(c.ref_base)));
    if (c.outcome == corvella::PositionOutcome::NonProtein) {
        Memo1->setPlainText(QString::fromStdString(c.locus));
        return false;
    }
    position_ = c.position;
    ref_base_ = c.ref_base;
    return true;
}

void TForm3::Button1Click() {
    clear_outputs();
    show_check(corvella::check_and_setPosition(ws_, Edit1->text().toStdString()));
}

void TForm3::Button2Click() {
    clear_outputs();
    const corvella::PositionRun run =
        corvella::run_position_check(ws_, Edit1->text().toStdString(), new_base_);
    if (!show_check(run.check)) return;
    if (!run.message.empty()) {
        Label4->setText(QString::fromStdString(run.message));
        return;
    }
    Memo1->setPlainText(memo_lines(run.lines));
    if (run.completed) set_locked(true);
}

void TForm3::Button3Click() {
    Edit1->clear();
    Edit2->clear();
    Memo1->clear();
    Label4->clear();
    ComboBox1->setEditText(QString());
    new_base_ = 'X';
    set_locked(false);
}

void TForm3::Button4Click() { close(); }

void TForm3::ComboBox1Change(const QString& text) {
    // An emptied box keeps the base chosen before.
    if (!text.isEmpty()) new_base_ = text.at(0).toLatin1();
}
