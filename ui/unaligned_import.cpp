// "Import Unaligned File...": whole mitogenomes read from a FASTA file,
// aligned to the loaded reference on every core while the progress window
// moves, and shown in "Calculate Polymorphisms" with their summary.
#include <QString>

#include "input/converted_list.h"
#include "input/fasta_reader.h"
#include "input/unaligned_calling.h"
#include "output/file_names.h"
#include "output/report.h"
#include "ui/Corvella_unit.h"
#include "ui/Polymorphisms.h"
#include "ui/Progressbarform.h"
#include "ui/cohort_open.h"

const char* const TForm1::OpenDialog4Filter =
    "Fasta Files (*.fasta, *.fas, *.fa, *.fna, *.fst, *.gz)|*.fasta; *.fas; *.fa; *.fna; *.fst; *.gz|All "
    "Files|*.*";

std::optional<std::string> TForm1::OpenDialog4() { return dialogs_.open_file(this, OpenDialog4Filter); }

void TForm1::ImportUnalignedFile1Click() {
    if (workspace_.ref_sequence.empty()) return;  // the item is off until a reference is loaded
    const std::optional<std::string> path = OpenDialog4();
    if (!path) return;
    const corvella::FastaReadResult read = corvella::read_fasta_file(*path);
    if (read.code < 0) {
        corvella::show_read_failure(this, dialogs_, read.message, *path, corvella::OpenedAs::Unaligned);
        return;
    }
    // The aligners run on worker threads; this thread moves the bar once
    // per percent, so the window stays painted.
    Form6->start(100);
    int shown = 0;
    const corvella::UnalignedCalling calling = corvella::call_unaligned(
        workspace_.ref_sequence,
        corvella::converted_reference_name(workspace_.human_reference, workspace_.reference_accession), read.records, 0, [&](size_t done, size_t total) {
            const int percent = corvella::progress_percent(static_cast<int64_t>(done), static_cast<int64_t>(total));
            while (shown < percent) Form6->step(++shown);
        });
    Form6->finish();
    Form2->show_unaligned_import(corvella::file_name_of(*path),
                                 corvella::unaligned_summary(calling, workspace_.ref_sequence.size()),
                                 calling.list_text);
    show_modal(*Form2);
}
