#include "ui/Populationstats.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "classify/population_stats.h"
#include "ui/Synonymouscounting.h"

using namespace corvella;

const char* const PopulationStatsWindow::OutgroupDialogFilter =
    "Mitogenome (*.fasta;*.fa;*.fas;*.gb;*.gbk)|*.fasta;*.fa;*.fas;*.gb;*.gbk|All Files|*.*";

PopulationStatsWindow::PopulationStatsWindow(const Workspace& ws, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), ws_(ws), dialogs_(dialogs) {
    setWindowTitle("Population Statistics");
    setObjectName("PopulationStatsWindow");
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->setVisible(false);
    Button1 = new QPushButton("&Outgroup...", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton("&Save As...", this);
    Button2->setObjectName("Button2");
    Button3 = new QPushButton("&Close", this);
    Button3->setObjectName("Button3");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(buttons);
    resize(980, 560);

    connect(Button1, &QPushButton::clicked, this, &PopulationStatsWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &PopulationStatsWindow::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &QDialog::accept);
}

void PopulationStatsWindow::prepare(const SampleGroups& groups, const std::string& groups_line) {
    groups_ = groups;
    Label1->setText(QString::fromStdString(groups_line));
    // An outgroup is aligned to the reference it was read against.
    if (outgroup_.ok && outgroup_.bases.size() != ws_.ref_sequence.size()) outgroup_ = OutgroupRead{};
    fill();
}

void PopulationStatsWindow::fill() {
    Label2->setText(outgroup_.ok ? QString::fromStdString("Outgroup: " + outgroup_summary(outgroup_))
                                 : QString("Outgroup: none (choose one for the McDonald-Kreitman columns)"));
    const Report report = population_stats_report(ws_, groups_, outgroup_.bases, ReportFormat::Text);
    std::vector<QStringList> rows;
    size_t start = 0;
    while (start < report.text.size()) {
        const size_t end = report.text.find('\n', start);
        rows.push_back(QString::fromStdString(report.text.substr(start, end - start)).split('\t'));
        start = end == std::string::npos ? report.text.size() : end + 1;
    }
    StringGrid1->clear();
    StringGrid1->setRowCount(rows.empty() ? 0 : static_cast<int>(rows.size()) - 1);
    StringGrid1->setColumnCount(rows.empty() ? 0 : static_cast<int>(rows[0].size()));
    if (rows.empty()) return;
    StringGrid1->setHorizontalHeaderLabels(rows[0]);
    for (size_t r = 1; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            StringGrid1->setItem(static_cast<int>(r) - 1, c, new QTableWidgetItem(rows[r][c]));
    StringGrid1->resizeColumnsToContents();
}

void PopulationStatsWindow::Button1Click() {
    const std::optional<std::string> path = dialogs_.open_file(this, OutgroupDialogFilter);
    if (!path) return;
    OutgroupRead read = read_outgroup(*path, ws_.ref_sequence);
    if (!read.ok) {
        dialogs_.error_message(this, QString::fromStdString(read.message));
        return;
    }
    outgroup_ = std::move(read);
    fill();
}

void PopulationStatsWindow::Button2Click() {
    save_report(
        this, dialogs_, save_state_, TForm4::SaveDialog1Filter,
        [this](ReportFormat format, ProgressSink*) {
            return population_stats_report(ws_, groups_, outgroup_.bases, format);
        },
        nullptr);
}
