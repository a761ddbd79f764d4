// The Python front end: `corvella._corvella`, the extension module under the
// `corvella` package. It reads cohorts and builds tables through the same
// logic functions as corvella-cli, and hands their rows over as NumPy
// columns; corvella/__init__.py makes DataFrames of them. The GIL is
// released while files are read, tables built and files written.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "classify/gene_table.h"
#include "classify/population_stats.h"
#include "classify/position_check.h"
#include "classify/report_kinds.h"
#include "classify/table_files.h"
#include "classify/variant_table.h"
#include "export/output_folder.h"
#include "export/variable_sites.h"
#include "input/cohort_loader.h"
#include "input/input_paths.h"
#include "input/outgroup.h"
#include "input/polymorphism_list.h"
#include "input/reference_loading.h"
#include "input/sample_groups.h"
#include "output/row_sink.h"
#include "python/sheet_columns.h"

namespace py = pybind11;

namespace corvella::python {

namespace {

// A refusal of an input: raised in Python as corvella.InputError with the
// message corvella-cli prints after "corvella-cli: ".
struct InputRefused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A file that cannot be written: corvella.WriteError (an OSError), with the
// writer's message ("Cannot write /x/y.txt: Permission denied").
struct WriteFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A cohort read into its own workspace, with what the read reported.
struct Cohort {
    Workspace ws;
    std::vector<std::string> paths;  // the input paths, @PATHS expanded
    InputFormat format = InputFormat::List;
    bool has_summary = false;
    ImportSummary summary;
    std::string alignment_summary;
    // The texts the counting reader parsed, kept for the network file while
    // the cohort stays within the network format's limits.
    std::vector<std::string> network_texts;
};

// Bytes as a Python text: UTF-8 where they are, else Latin-1 byte for byte
// (a sample name from a file in a legacy code page), as the workbooks take them.
py::str text_of(const std::string& bytes) {
    PyObject* s = PyUnicode_DecodeUTF8(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), nullptr);
    if (s == nullptr) {
        PyErr_Clear();
        s = PyUnicode_DecodeLatin1(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), nullptr);
        if (s == nullptr) throw py::error_already_set();
    }
    return py::reinterpret_steal<py::str>(s);
}

// One column as a NumPy array: int64 for whole numbers without a gap,
// float64 (NaN for an empty cell) for numbers with gaps and decimals,
// objects for texts (NaN for an empty cell). `cell_numbers`: a text column
// still gives the numbers among its cells as numbers (a report's sheet,
// where a column holds a title above its counts).
py::array column_array(SheetColumn& column, bool cell_numbers) {
    const size_t n = column.missing.size();
    const double nan = std::nan("");
    if (column.kind == ColumnKind::Integer && !column.any_missing()) {
        py::array_t<int64_t> a(static_cast<py::ssize_t>(n));
        if (n) std::memcpy(a.mutable_data(), column.integers.data(), n * sizeof(int64_t));
        return std::move(a);
    }
    if (column.kind != ColumnKind::Text) {
        py::array_t<double> a(static_cast<py::ssize_t>(n));
        double* out = a.mutable_data();
        for (size_t r = 0; r < n; ++r)
            out[r] = column.missing[r] ? nan
                     : column.kind == ColumnKind::Integer ? static_cast<double>(column.integers[r])
                                                          : column.decimals[r];
        return std::move(a);
    }
    py::array a(py::dtype("O"), std::vector<py::ssize_t>{static_cast<py::ssize_t>(n)});
    auto** out = static_cast<PyObject**>(a.mutable_data());
    for (size_t r = 0; r < n; ++r) {
        py::object value;
        int64_t i = 0;
        double d = 0;
        if (column.missing[r])
            value = py::float_(nan);
        else if (cell_numbers && read_integer(column.texts[r], i))
            value = py::int_(i);
        else if (cell_numbers && read_decimal(column.texts[r], d))
            value = py::float_(d);
        else
            value = text_of(column.texts[r]);
        std::string().swap(column.texts[r]);
        Py_XDECREF(out[r]);
        out[r] = value.release().ptr();
    }
    return a;
}

// The rows a producer hands over, as (header or None, [columns]). The
// report is built and typed without the GIL.
py::tuple sheet_frame(const RowProducer& produce, bool header) {
    Sheet sheet;
    {
        py::gil_scoped_release release;
        SheetCollector collector(header);
        produce(collector);
        sheet = collector.finish();
    }
    py::list columns;
    for (SheetColumn& column : sheet.columns) {
        columns.append(column_array(column, !header));
        column = SheetColumn{};
    }
    py::object names = py::none();
    if (header) {
        py::list list;
        for (const std::string& h : sheet.header) list.append(text_of(h));
        names = list;
    }
    return py::make_tuple(names, columns);
}

RowProducer cells_producer(std::function<Report()> build) {
    return [build](RowSink& sink) { rows_of_cells(build().cells, sink); };
}

const ReportKind& report_kind(const Cohort& c, const std::string& name) {
    const ReportKind* kind = find_report_kind(name);
    if (kind == nullptr) throw py::value_error("unknown report kind " + name);
    if (kind->needs_human_reference && !c.ws.human_reference)
        throw InputRefused(kind->name + " reports need the built-in human reference; leave out reference.");
    return *kind;
}

Table table_of(const std::string& name) {
    const std::optional<Table> table = parse_table(name);
    if (!table) throw py::value_error("unknown table " + name);
    return *table;
}

void check_written(const WriteResult& result) {
    if (!result.ok) throw WriteFailed(result.error);
}

std::unique_ptr<Cohort> read_inputs(const std::vector<std::string>& operands, const std::optional<std::string>& format,
                             double min_level, bool include_filtered, const std::optional<std::string>& reference) {
    CohortOptions options;
    if (format) {
        options.format = parse_input_format(*format);
        if (!options.format) throw py::value_error("format takes list, hsd, vcf or fasta, not " + *format);
    }
    if (!std::isfinite(min_level) || min_level < 0 || min_level > 1)
        throw py::value_error("min_level takes a number from 0 to 1, not " + py::repr(py::float_(min_level)).cast<std::string>());
    options.reading.min_level = min_level;
    options.reading.include_filtered = include_filtered;

    auto cohort = std::make_unique<Cohort>();
    std::string error;
    {
        py::gil_scoped_release release;
        error = load_reference(cohort->ws, reference);
        if (error.empty() && expand_input_operands(operands, cohort->paths, error)) {
            CohortRead r = read_cohort_keeping_texts(cohort->ws, cohort->paths, options, cohort->network_texts);
            if (r.ok()) {
                cohort->format = r.format;
                cohort->has_summary = r.has_summary();
                cohort->summary = r.summary;
                cohort->alignment_summary = std::move(r.alignment_summary);
                adopt_cohort(cohort->ws, r);
            } else {
                error = r.message;
            }
        }
    }
    if (!error.empty()) throw InputRefused(error);
    return cohort;
}

py::object summary_dict(const Cohort& c) {
    if (!c.has_summary) return py::none();
    const ImportSummary& s = c.summary;
    py::dict d;
    d["files"] = s.files;
    d["samples"] = s.samples;
    d["records"] = s.records;
    d["calls"] = s.calls;
    if (s.hsd) d["variants"] = s.variants;
    d["other_contig"] = s.other_contig;
    d["filtered"] = s.filtered;
    d["ref_mismatch"] = s.ref_mismatch;
    d["below_level"] = s.below_level;
    d["missing_genotype"] = s.missing_genotype;
    d["indel_tokens"] = s.indel_tokens;
    d["other_shapes"] = s.other_shapes;
    d["outside_reference"] = s.outside_reference;
    d["same_as_reference"] = s.same_as_reference;
    d["unreadable"] = s.unreadable;
    if (s.unreadable > 0) {
        d["first_unreadable"] = text_of(s.first_unreadable);
        d["first_unreadable_line"] = s.first_unreadable_line;
    }
    d["text"] = text_of(import_summary_text(s));
    return std::move(d);
}

// One row per call, as columns: (sample codes, sample names, positions,
// ref codes, alt codes, letters, levels). Samples, ref and alt are codes
// into the names and into the letters (-1: no letter, a position past the
// reference), so that millions of calls are a few bytes each.
py::tuple calls_columns(const Cohort& c) {
    const Workspace& ws = c.ws;
    const size_t samples = ws.sample_positions.size();
    const size_t items = ws.sample_positions.items().size();
    py::array_t<int32_t> codes(static_cast<py::ssize_t>(items));
    py::array_t<int32_t> positions(static_cast<py::ssize_t>(items));
    py::array_t<int16_t> refs(static_cast<py::ssize_t>(items));
    py::array_t<int16_t> alts(static_cast<py::ssize_t>(items));
    py::array_t<double> levels(static_cast<py::ssize_t>(items));
    std::string letters;
    {
        py::gil_scoped_release release;
        int32_t* code = codes.mutable_data();
        int32_t* position = positions.mutable_data();
        int16_t* ref = refs.mutable_data();
        int16_t* alt = alts.mutable_data();
        double* level = levels.mutable_data();
        std::array<bool, 256> seen{};
        const bool leveled = ws.sample_levels.size() == items;
        size_t k = 0;
        for (size_t j = 0; j < samples; ++j) {
            const PositionView p = ws.sample_positions[j];
            const std::string_view b = ws.sample_bases[j];
            for (size_t i = 0; i < p.size(); ++i, ++k) {
                code[k] = static_cast<int32_t>(j);
                position[k] = p[i];
                // The byte itself for now (0: none), its rank below.
                const unsigned char r = p[i] >= 1 && p[i] <= ws.reference_length()
                                            ? static_cast<unsigned char>(ws.reference_letter(p[i])) : 0;
                const unsigned char a = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
                seen[r] = true;
                seen[a] = true;
                ref[k] = r;
                alt[k] = a;
                // Levels are kept as 32-bit floats; six decimals give back the
                // number the file wrote.
                level[k] = leveled ? std::round(static_cast<double>(ws.sample_levels[k]) * 1e6) / 1e6 : 1.0;
            }
        }
        std::array<int16_t, 256> rank{};
        rank[0] = -1;
        for (int byte = 1; byte < 256; ++byte)
            if (seen[static_cast<size_t>(byte)]) {
                rank[static_cast<size_t>(byte)] = static_cast<int16_t>(letters.size());
                letters.push_back(static_cast<char>(byte));
            }
        for (size_t n = 0; n < items; ++n) {
            ref[n] = rank[static_cast<size_t>(ref[n])];
            alt[n] = rank[static_cast<size_t>(alt[n])];
        }
    }
    py::list names;
    for (size_t j = 0; j < samples; ++j) names.append(text_of(std::string(sample_name(ws, j))));
    py::list letter_list;
    for (char l : letters) letter_list.append(text_of(std::string(1, l)));
    return py::make_tuple(codes, names, positions, refs, alts, letter_list, levels);
}

// The statistics table as (header, columns, notes): the groups file and the
// outgroup are read, and the table built, without the GIL. A file that cannot
// be used is refused with its path and reason; the notes are corvella-cli's
// warning about names that match no sample and its line about the outgroup.
py::tuple stats_frame(const Cohort& c, const std::optional<std::string>& groups_path,
                      const std::optional<std::string>& outgroup_path) {
    SampleGroups groups;
    OutgroupRead outgroup;
    std::string error;
    py::list notes;
    std::vector<std::string> note_texts;
    {
        py::gil_scoped_release release;
        if (groups_path) {
            const GroupFileRead read = read_group_file(*groups_path);
            if (read.ok) {
                groups = assign_sample_groups(c.ws, read);
                if (std::string w = unknown_names_warning(groups, *groups_path); !w.empty()) note_texts.push_back(w);
            } else {
                error = *groups_path + ": " + read.message;
            }
        }
        if (error.empty() && outgroup_path) {
            outgroup = read_outgroup(*outgroup_path, c.ws.ref_sequence);
            if (outgroup.ok)
                note_texts.push_back("outgroup " + outgroup_summary(outgroup));
            else
                error = *outgroup_path + ": " + outgroup.message;
        }
    }
    if (!error.empty()) throw InputRefused(error);
    for (const std::string& n : note_texts) notes.append(text_of(n));
    const py::tuple frame = sheet_frame(cells_producer([&] {
        return population_stats_report(c.ws, groups, outgroup.bases, ReportFormat::Workbook);
    }), true);
    return py::make_tuple(frame[0], frame[1], notes);
}

py::list write_all(const Cohort& c, const std::string& folder, const std::vector<std::string>& forms) {
    for (const std::string& form : forms)
        if (form != "txt" && form != "xls" && form != "xlsx")
            throw py::value_error("forms take txt, xls and xlsx, not " + form);
    std::vector<std::string> notes;
    WriteResult written;
    {
        py::gil_scoped_release release;
        if (std::string m = make_folder(folder); !m.empty()) {
            written = {false, m};
        } else {
            std::vector<FolderFile> files = table_files(c.ws, forms);
            Workspace network;
            const auto samples = static_cast<int32_t>(c.ws.sample_positions.size());
            const std::string network_note = read_folder_network(network, samples, c.network_texts);
            if (network_note.empty()) files.push_back(network_folder_file(network));
            written = write_folder_files(files, folder, {});
            notes = folder_notes(c.ws, network_note);
        }
    }
    check_written(written);
    py::list out;
    for (const std::string& n : notes) out.append(text_of(n));
    return out;
}

}  // namespace

}  // namespace corvella::python

PYBIND11_MODULE(_corvella, m) {
    using namespace corvella;
    using namespace corvella::python;
    m.doc() = "The Corvella engine: cohorts, tables and files, as corvella-cli makes them.";
    py::register_exception<InputRefused>(m, "InputError", PyExc_Exception);
    py::register_exception<WriteFailed>(m, "WriteError", PyExc_OSError);

    py::class_<Cohort>(m, "Cohort", "A cohort read into the engine, with its reference.")
        .def_property_readonly("paths", [](const Cohort& c) { return c.paths; },
                               "The input paths read, @PATHS expanded.")
        .def_property_readonly("format", [](const Cohort& c) { return std::string(input_format_name(c.format)); },
                               "The input kind read: 'list', 'hsd', 'vcf' or 'fasta'.")
        .def_property_readonly("sample_names", [](const Cohort& c) {
            py::list names;
            for (size_t j = 0; j < c.ws.sample_positions.size(); ++j)
                names.append(text_of(std::string(sample_name(c.ws, j))));
            return names;
        }, "The samples' names, in the order of the inputs.")
        .def_property_readonly("summary", &summary_dict,
                               "The import summary of HSD and VCF input as a dict (None for lists and FASTA).")
        .def_property_readonly("alignment_summary", [](const Cohort& c) { return text_of(c.alignment_summary); },
                               "FASTA input: the summary of the alignment; else empty.")
        .def_property_readonly("human_reference", [](const Cohort& c) { return c.ws.human_reference; },
                               "True when the cohort was read against the built-in human reference.")
        .def_property_readonly("reference_accession", [](const Cohort& c) { return c.ws.reference_accession; },
                               "The accession of the reference the cohort was read against.")
        .def("__len__", [](const Cohort& c) { return c.ws.sample_positions.size(); }, "The number of samples.")
        .def("_calls", &calls_columns, "The calls as columns (used by Cohort.calls).")
        .def("_variants", [](const Cohort& c) {
            return sheet_frame(cells_producer([&c] { return variant_table_report(c.ws, ReportFormat::Workbook, nullptr); }), true);
        }, "The variant table as (header, columns).")
        .def("_genes", [](const Cohort& c) {
            return sheet_frame(cells_producer([&c] { return gene_table_report(c.ws, ReportFormat::Workbook); }), true);
        }, "The gene table as (header, columns).")
        .def("_stats", &stats_frame, py::arg("groups"), py::arg("outgroup"),
             "The statistics table as (header, columns, notes) (used by Cohort.stats).")
        .def("_report", [](const Cohort& c, const std::string& kind, const std::string& table) {
            const ReportKind& k = report_kind(c, kind);
            const Table t = table_of(table);
            return sheet_frame([&](RowSink& sink) { k.rows(c.ws, t, sink); }, false);
        }, "A counting report's sheet as (None, columns).")
        .def("_write", [](const Cohort& c, const std::string& kind, const std::optional<std::string>& table,
                          const std::string& path) {
            WriteResult written;
            if (kind == "variants" || kind == "genes") {
                if (table) throw py::value_error(kind + " has no tables; give table=None");
                py::gil_scoped_release release;
                written = kind == "variants" ? save_variant_table(c.ws, path) : save_gene_table(c.ws, path);
            } else {
                const ReportKind& k = report_kind(c, kind);
                if (!table) throw py::value_error(kind + " needs a table: summary, positions or samples");
                const Table t = table_of(*table);
                py::gil_scoped_release release;
                written = save_kind_table(k, t, c.ws, path);
            }
            check_written(written);
        }, "Writes one table to a file (used by Cohort.write).")
        .def("_write_all", &write_all, "Writes every table and the network file (used by write_all).");

    m.def("_read", &read_inputs, py::arg("paths"), py::arg("format"), py::arg("min_level"), py::arg("include_filtered"),
          py::arg("reference"), "Reads a cohort (used by corvella.read).");

    m.def("_check", [](const std::string& position, const std::string& base, const std::optional<std::string>& reference) {
        Workspace ws;
        if (std::string m = load_reference(ws, reference); !m.empty()) throw InputRefused(m);
        // The base box takes the first character typed.
        const PositionRun run = run_position_check(ws, position, base.empty() ? 'X' : base[0]);
        if (!run.message.empty()) throw py::value_error(run.message);
        return run.lines;
    }, py::arg("position"), py::arg("base"), py::arg("reference"), "Check Position (used by corvella.check).");
}
