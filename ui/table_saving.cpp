// "Variant Table..." and "Gene Table..." under "Check Database": each saves
// its table of the list read last through the save dialog of the reports.
#include "classify/gene_table.h"
#include "classify/variant_table.h"
#include "ui/Corvella_unit.h"
#include "ui/Progressbarform.h"
#include "ui/Synonymouscounting.h"

void TForm1::VariantTable1Click() {
    corvella::save_report(
        this, dialogs_, VariantTableSave, TForm4::SaveDialog1Filter,
        [this](corvella::ReportFormat format, corvella::ProgressSink* progress) {
            return corvella::variant_table_report(workspace_, format, progress);
        },
        Form6);
}

void TForm1::GeneTable1Click() {
    corvella::save_report(
        this, dialogs_, GeneTableSave, TForm4::SaveDialog1Filter,
        [this](corvella::ReportFormat format, corvella::ProgressSink*) {
            return corvella::gene_table_report(workspace_, format);
        },
        nullptr);
}
