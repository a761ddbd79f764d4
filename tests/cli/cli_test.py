#!/usr/bin/env python3
"""End-to-end tests of corvella-cli. Usage: cli_test.py CLI GROUP"""
import os
import subprocess
import sys
import tempfile
import unittest

CLI = sys.argv[1] if len(sys.argv) > 1 else "build/corvella-cli"
DATA = os.environ.get("CORVELLA_TEST_DATA", os.path.join(os.path.dirname(__file__), "..", "data"))
SOURCE = os.environ.get("CORVELLA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
GENBANK = os.path.join(DATA, "NC_012920.1.gb")
SIX_KEYS = os.path.join(DATA, "cli", "six_keys.txt")
ALIGNED = os.path.join(DATA, "aligned-3.fasta")
REGIONS = os.path.join(DATA, "cli", "regions.txt")
STRUCTURES = os.path.join(DATA, "cli", "structures.txt")


def run(*args):
    p = subprocess.run([CLI, *args], capture_output=True)
    return p.returncode, p.stdout.decode("utf-8", "replace"), p.stderr.decode("utf-8", "replace")


def crlf(text):
    return text.replace("\n", "\r\n").encode()


def golden(name):
    with open(os.path.join(DATA, name), "rb") as f:
        return f.read()


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


def text_rows(path):
    """The rows of a tab-separated text table whose every line ends in CR LF."""
    data = read_file(path)
    assert b"\n" not in data.replace(b"\r\n", b""), "every line ends in CR LF"
    return [line.split("\t") for line in data.decode().split("\r\n")[:-1]]


def read_xls(path):
    """Cells of the workbook's sheet "results" as {(row, col): text}, 1-based."""
    import xlrd
    book = xlrd.open_workbook(path)
    sheet = book.sheet_by_index(0)
    assert sheet.name == "results", sheet.name
    cells = {}
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            if cell.ctype == xlrd.XL_CELL_EMPTY:
                continue
            value = cell.value
            if cell.ctype == xlrd.XL_CELL_NUMBER:
                value = str(int(value)) if value == int(value) else str(value)
            cells[(r + 1, c + 1)] = value
    return cells


def read_xlsx(path):
    """The same for an Office Open XML workbook, read by openpyxl."""
    import openpyxl
    book = openpyxl.load_workbook(path, read_only=True)
    assert book.sheetnames == ["results"], book.sheetnames
    cells = {}
    sheet = book["results"]
    sheet.reset_dimensions()
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is None:
                continue
            value = cell.value
            if isinstance(value, (int, float)):
                value = str(int(value)) if value == int(value) else str(value)
            cells[(cell.row, cell.column)] = value
    return cells


class CliCase(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.tmp.cleanup()

    def out(self, name):
        return os.path.join(self.tmp.name, name)


class Usage(CliCase):
    def test_help_and_version(self):
        rc, out, err = run("--help")
        self.assertEqual(rc, 0)
        self.assertIn("usage: corvella-cli", out)
        rc, out, err = run("--version")
        self.assertEqual((rc, out, err), (0, "corvella-cli 1.0\n", ""))

    def test_usage_errors_exit_64_with_the_usage(self):
        for args in [(), ("frobnicate",), ("check", "14766"), ("call", ALIGNED),
                     ("report", "protein", "summary", SIX_KEYS), ("network", SIX_KEYS, "-o"),
                     ("--reference",), ("--bogus", "check", "1", "A"), ("check", "1", "A", "-o", "x")]:
            rc, out, err = run(*args)
            self.assertEqual(rc, 64, args)
            self.assertEqual(out, "", args)
            self.assertTrue(err.startswith("corvella-cli: "), args)
            self.assertIn("usage: corvella-cli", err, args)

    def test_unknown_kind_or_table_is_a_usage_error(self):
        rc, _, err = run("report", "enzyme", "summary", SIX_KEYS, "-o", self.out("x.txt"))
        self.assertEqual(rc, 64)
        rc, _, err = run("report", "protein", "everything", SIX_KEYS, "-o", self.out("x.txt"))
        self.assertEqual(rc, 64)
        self.assertFalse(os.path.exists(self.out("x.txt")))

    def test_unreadable_reference_exits_2_with_the_program_message(self):
        rc, out, err = run("--reference", self.out("missing.gb"), "check", "14766", "T")
        self.assertEqual((rc, out), (2, ""))
        self.assertEqual(err, "corvella-cli: File cannot be opened.\n")
        bad = self.out("bad.gb")
        with open(bad, "w") as f:
            f.write("LOCUS x\nORIGIN\n//\n")
        rc, out, err = run("--reference", bad, "check", "14766", "T")
        self.assertEqual((rc, err), (2, "corvella-cli: Bad input format.\n"))


class Check(CliCase):
    def test_protein_position_prints_the_result_blocks(self):
        rc, out, err = run("check", "14766", "T")
        self.assertEqual((rc, err), (0, ""))
        self.assertEqual(out, "Locus: CYTB\nAmino acid position: 7\nCodon: ACU -> AUU\n"
                              "Amino acid: T -> I (Non-Synonymous)\n"
                              "Polarity/Acidity: Neutral Polar -> Neutral Apolar\n\n")

    def test_two_genes_give_two_blocks_in_table_order(self):
        rc, out, _ = run("check", "8527", "G")
        self.assertEqual(rc, 0)
        self.assertEqual(out.split("\n\n")[:2], [
            "Locus: ATP6\nAmino acid position: 1\nCodon: AUG -> GUG\nAmino acid: M -> V (Non-Synonymous)\n"
            "Polarity/Acidity: Neutral Apolar -> Neutral Apolar",
            "Locus: ATP8\nAmino acid position: 54\nCodon: AAA -> AAG\nAmino acid: K -> K (Synonymous)\n"
            "Polarity/Acidity: Basic Polar -> Basic Polar"])

    def test_non_protein_position_prints_its_locus(self):
        for position, locus in [("577", "tRNA-Phe(Acc-stem)"), ("3107", "l-rRNA"), ("16100", "D-loop"),
                                ("5580", "non-coding"), ("4330", "tRNA-Ile(Acc-stem)")]:
            self.assertEqual(run("check", position, "A"), (0, locus + "\n", ""), position)

    def test_validation_messages_exit_1_with_empty_stdout(self):
        cases = [("", "A", "Insert a position number!"), ("12a", "A", "Position number is not correct!"),
                 ("0", "A", "Position number is not correct!"), ("16570", "A", "Position number too large!"),
                 ("14766", "", "Select the mutation base."), ("14766", "t", "Select the mutation base."),
                 ("14766", "C", "The new base must be different.")]
        for position, base, message in cases:
            self.assertEqual(run("check", position, base), (1, "", "corvella-cli: " + message + "\n"),
                             (position, base))

    def test_external_reference_with_an_n_next_to_the_position(self):
        record = open(GENBANK).read()
        edited = self.out("n.gb")
        lines = record.split("\n")
        origin = lines.index("ORIGIN      ")
        # Put an N at 14765, beside 14766, in the ORIGIN section (60 letters a line).
        row = origin + 1 + (14765 - 1) // 60
        offset = (14765 - 1) % 60
        digits, *groups = lines[row].split()
        seq = list("".join(groups))
        seq[offset] = "n"
        seq = "".join(seq)
        lines[row] = "%9s %s" % (digits, " ".join(seq[i:i + 10] for i in range(0, len(seq), 10)))
        with open(edited, "w") as f:
            f.write("\n".join(lines))
        rc, out, err = run("--reference", edited, "check", "14766", "T")
        self.assertEqual((rc, err), (0, ""))
        self.assertIn("Codons with incorrect bases!\nCheck the sequence.\n", out)


    def test_verbose_says_on_stderr_what_reference_is_loaded(self):
        plain = run("check", "14766", "T")
        rc, out, err = run("--verbose", "check", "14766", "T")
        self.assertEqual((rc, out), (0, plain[1]))
        self.assertEqual(err, "corvella-cli: reference AC_000021, 16569 bases; genetic code 2 (Vertebrate "
                              "Mitochondrial); forward strand: ATP6 ATP8 COX1 COX2 COX3 CYTB ND1 ND2 ND3 ND4L ND4 "
                              "ND5; reverse strand: ND6\n")
        rc, out, err = run("--verbose", "--reference", GENBANK, "check", "14766", "T")
        self.assertEqual((rc, out), (0, plain[1]))
        self.assertTrue(err.startswith("corvella-cli: reference NC_012920, 16569 bases; genetic code 2 "), err)


class Chart(CliCase):
    def bmp_size(self, path):
        data = read_file(path)
        self.assertEqual(data[:2], b"BM")
        return int.from_bytes(data[18:22], "little"), int.from_bytes(data[22:26], "little", signed=True)

    def test_chart_images_for_each_kind(self):
        images = {}
        for kind in ["protein", "nonprotein", "trna", "rrna"]:
            out = self.out(kind + ".bmp")
            rc, stdout, err = run("chart", kind, SIX_KEYS, "-o", out)
            self.assertEqual((rc, stdout), (0, ""), kind)
            w, h = self.bmp_size(out)
            self.assertGreater(w, 100)
            self.assertGreater(abs(h), 100)
            images[kind] = read_file(out)
        self.assertEqual(len(set(images.values())), 4)
        again = self.out("again.bmp")
        run("chart", "protein", SIX_KEYS, "-o", again)
        self.assertEqual(read_file(again), images["protein"])

    def test_bmp_images_are_the_golden_bytes(self):
        # tests/data/cli/charts holds the four BMP images of six_keys.txt as
        # the program writes them: the charts are set in the font the program
        # carries, so every machine gives these bytes.
        charts = os.path.join(DATA, "cli", "charts")
        import gzip
        for kind in ["protein", "nonprotein", "trna", "rrna"]:
            out = self.out(kind + ".bmp")
            rc, stdout, err = run("chart", kind, SIX_KEYS, "-o", out)
            self.assertEqual(rc, 0, err)
            with gzip.open(os.path.join(charts, kind + ".bmp.gz")) as f:
                self.assertTrue(read_file(out) == f.read(), kind + ": the BMP image changed")

    def test_chart_bytes_do_not_depend_on_the_installed_fonts(self):
        # The same charts with the machine's fonts and with a fontconfig that
        # knows one font family only: DejaVu (a fresh Debian, where "Arial"
        # was DejaVu Sans) and URW's (where it was Nimbus Sans).
        def fontconfig(name, folder):
            conf = self.out(name + ".conf")
            with open(conf, "w") as f:
                f.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>\n'
                        "<dir>%s</dir>\n<cachedir>%s</cachedir>\n</fontconfig>\n" % (folder, self.out(name + "-cache")))
            return conf
        machines = {"system": None}
        for name, folder in [("dejavu", "/usr/share/fonts/truetype/dejavu"),
                             ("urw", "/usr/share/fonts/opentype/urw-base35")]:
            if os.path.isdir(folder):
                machines[name] = fontconfig(name, folder)
        self.assertIn("dejavu", machines)
        pictures = {}
        for machine, conf in machines.items():
            env = dict(os.environ)
            if conf:
                env["FONTCONFIG_FILE"] = conf
            for kind in ["protein", "nonprotein"]:
                for size in [None, "320x240"]:
                    for ext in ["bmp", "png", "svg"]:
                        out = self.out("%s-%s-%s.%s" % (machine, kind, size, ext))
                        args = [CLI, "chart", kind, SIX_KEYS, "-o", out] + (["--size", size] if size else [])
                        p = subprocess.run(args, capture_output=True, env=env)
                        self.assertEqual(p.returncode, 0, p.stderr)
                        pictures.setdefault((kind, size, ext), {})[machine] = read_file(out)
        for key, by_machine in pictures.items():
            self.assertEqual(len(set(by_machine.values())), 1, "%s differs between %s" % (key, sorted(by_machine)))
        svg = pictures[("protein", None, "svg")]["system"]
        self.assertIn(b'font-family="Liberation Sans"', svg)

    def test_structure_charts_need_the_human_reference(self):
        for kind in ["trna", "rrna"]:
            rc, out, err = run("--reference", GENBANK, "chart", kind, SIX_KEYS, "-o", self.out("x.bmp"))
            self.assertEqual((rc, out), (2, ""), kind)
            self.assertTrue(err.startswith("corvella-cli: "))
            self.assertFalse(os.path.exists(self.out("x.bmp")))


# What a process loads that only painting needs: Qt and the display, font
# and D-Bus libraries it brings.
WINDOWING = ("libQt6", "libX11", "libxcb", "libEGL", "libGL", "libOpenGL", "libdbus", "libxkbcommon",
             "libfontconfig", "libfreetype")
MODULE = "corvella-pictures.so"


def loaded_libraries(cli, *args):
    """Status, stderr and the file names of every shared object the dynamic
    loader opened for the run (LD_DEBUG=files), dlopen'ed ones included."""
    import re
    p = subprocess.run([cli, *args], capture_output=True, env=dict(os.environ, LD_DEBUG="files"))
    err = p.stderr.decode("utf-8", "replace")
    files = {os.path.basename(f) for f in re.findall(r"\bfile=(\S+?)\s+\[", err)}
    return p.returncode, err, files


class Loading(CliCase):
    def windowing(self, files):
        return sorted(f for f in files if f.startswith(WINDOWING))

    def test_text_commands_load_no_windowing_library(self):
        for args in [("--version",), ("--help",), ("check", "14766", "T"),
                     ("report", "protein", "summary", SIX_KEYS, "-o", self.out("summary.txt")),
                     ("report", "trna", "positions:" + self.out("trna.txt"), "samples:" + self.out("s.xlsx"), SIX_KEYS),
                     ("network", SIX_KEYS, "-o", self.out("n.rdf")),
                     ("all", SIX_KEYS, "-o", self.out("all"), "--charts", "none")]:
            rc, err, files = loaded_libraries(CLI, *args)
            self.assertEqual(rc, 0, (args, err[-500:]))
            # The loader did report: the C library is always among them.
            self.assertIn("libc.so.6", files, args)
            self.assertEqual(self.windowing(files), [], args)
            self.assertNotIn(MODULE, files, args)

    def test_each_library_loads_only_for_the_commands_that_use_it(self):
        # htslib (VCF), libgsf with GLib (.xls), libxlsxwriter (.xlsx) and
        # WFA2 (align) load on first use; a list's text report needs none.
        libraries = {"hts": "libhts.so", "gsf": "libgsf-1.so", "glib": "libglib-2.0.so",
                     "xlsx": "libxlsxwriter.so", "wfa": "libwfa2cpp.so"}
        vcf = os.path.join(DATA, "vcf", "mutserve.vcf")
        raw = self.out("raw.fasta")
        with open(raw, "w") as f:
            f.write(">a\n" + "GATCACAGGTCTATCACCCTATTAACCACTCACGGGAGCTCTCCATGCATTTGGTATTTTCGTCTGGGGGG" * 20 + "\n")
        for args, wanted in [(("--version",), set()),
                             (("report", "protein", "summary", SIX_KEYS, "-o", self.out("a.txt")), set()),
                             (("report", "protein", "summary", vcf, "-o", self.out("b.txt")), {"hts"}),
                             (("report", "protein", "positions", SIX_KEYS, "-o", self.out("c.xls")), {"gsf", "glib"}),
                             (("report", "protein", "positions", SIX_KEYS, "-o", self.out("d.xlsx")), {"xlsx"}),
                             (("annotate", vcf, "-o", self.out("e.vcf.gz")), {"hts"}),
                             (("align", raw, "-o", self.out("f.txt")), {"wfa"})]:
            rc, err, files = loaded_libraries(CLI, *args)
            self.assertEqual(rc, 0, (args, err[-800:]))
            loaded = {key for key, name in libraries.items() if any(f.startswith(name) for f in files)}
            self.assertEqual(loaded, wanted, args)

    def test_painting_loads_the_module_and_qt_only_then(self):
        for args in [("chart", "protein", SIX_KEYS, "-o", self.out("c.png")),
                     ("all", SIX_KEYS, "-o", self.out("all"), "--charts", "svg")]:
            rc, err, files = loaded_libraries(CLI, *args)
            self.assertEqual(rc, 0, (args, err[-500:]))
            self.assertIn(MODULE, files, args)
            self.assertIn("libQt6Widgets.so.6", files, args)
        self.assertTrue(read_file(self.out("all/protein-chart.svg")).startswith(b"<?xml"))

    def copy_program(self, folder):
        """corvella-cli copied into `folder` (made), without its module."""
        import shutil
        os.makedirs(folder, exist_ok=True)
        return shutil.copy(CLI, folder)

    def test_a_module_that_cannot_be_loaded_fails_the_charts_alone(self):
        import shutil
        library = os.path.join("/lib/x86_64-linux-gnu", "libz.so.1")
        for name, module, reason in [("absent", None, "no " + MODULE + " beside "),
                                     ("not a library", b"not an ELF file\n", MODULE + ": "),
                                     ("another library", library, "is not this corvella-cli's pictures module")]:
            folder = self.out(name.replace(" ", "-"))
            cli = self.copy_program(folder)
            if isinstance(module, bytes):
                with open(os.path.join(folder, MODULE), "wb") as f:
                    f.write(module)
            elif module is not None:
                shutil.copy(module, os.path.join(folder, MODULE))
            image = os.path.join(folder, "c.bmp")
            p = subprocess.run([cli, "chart", "protein", SIX_KEYS, "-o", image], capture_output=True)
            err = p.stderr.decode()
            self.assertEqual((p.returncode, p.stdout), (2, b""), name)
            self.assertTrue(err.startswith("corvella-cli: cannot paint charts: "), (name, err))
            self.assertIn(reason, err, name)
            self.assertFalse(os.path.exists(image), name)
            p = subprocess.run([cli, "all", SIX_KEYS, "-o", os.path.join(folder, "all"), "--charts", "png"],
                               capture_output=True)
            self.assertEqual(p.returncode, 2, name)
            self.assertIn("cannot paint charts: ", p.stderr.decode(), name)
            # Text commands do not need it.
            summary = os.path.join(folder, "summary.txt")
            p = subprocess.run([cli, "report", "protein", "summary", SIX_KEYS, "-o", summary], capture_output=True)
            self.assertEqual((p.returncode, p.stderr), (0, b""), name)
            self.assertEqual(read_file(summary), crlf(golden("protein_summary.txt").decode()), name)

    def test_the_installed_layout_finds_the_module_under_lib(self):
        import shutil
        root = self.out("usr")
        cli = self.copy_program(os.path.join(root, "bin"))
        # The folder the package installs the module in, under the prefix.
        module_dir = os.path.join(root, os.environ.get("CORVELLA_PICTURES_INSTALL_DIR", "lib/x86_64-linux-gnu/corvella"))
        os.makedirs(module_dir)
        shutil.copy(os.path.join(os.path.dirname(CLI), MODULE), module_dir)
        for kind in ["protein", "rrna"]:
            installed, built = self.out(kind + "-installed.png"), self.out(kind + "-built.png")
            p = subprocess.run([cli, "chart", kind, SIX_KEYS, "-o", installed], capture_output=True)
            self.assertEqual(p.returncode, 0, p.stderr)
            self.assertEqual(run("chart", kind, SIX_KEYS, "-o", built)[0], 0)
            self.assertEqual(read_file(installed), read_file(built), kind)


class Call(CliCase):
    def test_call_writes_the_list_and_prints_the_length_report(self):
        out = self.out("list")
        rc, stdout, err = run("call", ALIGNED, "-o", out)
        self.assertEqual((rc, err), (0, ""))
        self.assertEqual(stdout, "3 sequences were retrieved.\n")
        self.assertFalse(os.path.exists(out + ".txt"))  # exactly the path given
        data = read_file(out)
        self.assertTrue(data.startswith(b">rCRS\r\nNumbering Reference\r\n\r\n>HM625681.1"))
        self.assertNotIn(b"\n", data.replace(b"\r\n", b""))
        self.assertIn(b" 310insC ", data)
        self.assertIn(b" 16182-16183M ", data)

    def test_call_messages(self):
        rc, out, err = run("call", self.out("none.fasta"), "-o", self.out("l.txt"))
        self.assertEqual((rc, out, err), (2, "", "corvella-cli: File cannot be openned.\n"))
        bad = self.out("bad.fasta")
        with open(bad, "w") as f:
            f.write("\n>a\nACGT\n")
        rc, out, err = run("call", bad, "-o", self.out("l.txt"))
        self.assertEqual((rc, out, err), (2, "", "corvella-cli: Bad input format.\n"))
        self.assertFalse(os.path.exists(self.out("l.txt")))

    def test_unwritable_output_exits_2_with_the_reason(self):
        rc, _, err = run("call", ALIGNED, "-o", os.path.join(self.tmp.name, "no", "such", "folder", "l.txt"))
        self.assertEqual(rc, 2)
        self.assertTrue(err.startswith("corvella-cli: "))
        self.assertGreater(len(err), len("corvella-cli: \n"))


class Report(CliCase):
    def report(self, kind, table, out_name, *extra, source=SIX_KEYS):
        out = self.out(out_name)
        rc, stdout, err = run(*extra, "report", kind, table, source, "-o", out)
        self.assertEqual((rc, stdout, err), (0, "", ""), (kind, table))
        return out

    def test_protein_text_reports_match_the_golden_files(self):
        self.assertEqual(read_file(self.report("protein", "summary", "s")), crlf(golden("protein_summary.txt").decode()))
        self.assertEqual(read_file(self.report("protein", "positions", "p")),
                         crlf(golden("protein_per_position.txt").decode()))
        self.assertEqual(read_file(self.report("protein", "samples", "q.txt")),
                         golden("cli/protein_samples.txt"))

    def test_workbook_when_the_name_ends_in_xls(self):
        cells = read_xls(self.report("protein", "positions", "p.xls"))
        self.assertEqual(cells[(1, 1)], "Position")
        self.assertEqual(cells[(1, 13)], "Frequency")
        rows = {cells[(r, 1)] for r in range(2, 12)}
        self.assertEqual(rows, {"8527", "8530", "9207T", "10760T", "14149", "14766"})
        last = [cells.get((11, c)) for c in range(1, 14)]
        self.assertEqual(last, ["14766", "C-T", "CYTB", "Non-Syn", "ACU", "AUU", "2", "T", "I", "7",
                                "Neutral Polar", "Neutral Apolar", "5"])

    def test_xlsx_when_the_name_ends_in_xlsx_holds_the_xls_cells(self):
        for kind, source in [("protein", SIX_KEYS), ("nonprotein", REGIONS), ("trna", STRUCTURES),
                             ("rrna", STRUCTURES)]:
            for table in ["summary", "positions", "samples"]:
                name = kind + table
                xlsx = read_xlsx(self.report(kind, table, name + ".xlsx", source=source))
                self.assertEqual(xlsx, read_xls(self.report(kind, table, name + ".xls", source=source)),
                                 (kind, table))
                self.assertTrue(xlsx)
        self.assertEqual(xlsx[(8, 1)], "16S")

    def test_nonprotein_reports(self):
        self.assertEqual(read_file(self.report("nonprotein", "summary", "s.txt", source=REGIONS)),
                         crlf(golden("non_protein_summary.txt").decode()))
        self.assertEqual(read_file(self.report("nonprotein", "positions", "p.txt", source=REGIONS)),
                         crlf("Position\tBase Change\tGene/Region\tFrequency\n"
                              "4330A\tT-A\ttRNA-Ile\t1\n4330A\tT-A\ttRNA-Gln\t1\n"
                              "4330\tT-C\ttRNA-Ile\t2\n4330\tT-C\ttRNA-Gln\t2\n"
                              "5826\tT-C\ttRNA-Cys\t1\n5826\tT-C\ttRNA-Tyr\t1\n"))
        cells = read_xls(self.report("nonprotein", "samples", "q.xls", source=REGIONS))
        self.assertEqual(cells[(1, 28)], "Total")
        self.assertEqual([cells[(r, 1)] for r in (2, 3)], [">S1", ">S2"])
        self.assertEqual(cells[(2, 28)], "4")  # 4330 twice, each in two tRNAs
        self.assertEqual((cells[(2, 30)], cells[(2, 31)], cells[(2, 32)]), ("tRNA-Ile-tRNA-Gln", "4330A", "4330"))

    def test_structure_reports_match_the_golden_files(self):
        for kind in ["trna", "rrna"]:
            for table, name in [("summary", "summary"), ("positions", "per_position"), ("samples", "per_sample")]:
                written = read_file(self.report(kind, table, kind + table + ".txt", source=STRUCTURES))
                self.assertEqual(written, crlf(golden("%s_%s.txt" % (kind, name)).decode()), (kind, table))

    def test_structure_reports_need_the_human_reference(self):
        for kind in ["trna", "rrna"]:
            out = self.out(kind + ".txt")
            rc, stdout, err = run("--reference", GENBANK, "report", kind, "summary", STRUCTURES, "-o", out)
            self.assertEqual((rc, stdout), (2, ""))
            self.assertEqual(err, "corvella-cli: %s reports need the built-in human reference; "
                                  "leave out --reference.\n" % kind)
            self.assertFalse(os.path.exists(out))

    def test_rrna_samples_workbook_has_the_two_blocks(self):
        cells = read_xls(self.report("rrna", "samples", "r.xls", source=STRUCTURES))
        self.assertEqual(cells[(1, 1)], "12S")
        self.assertEqual([cells[(2, c)] for c in (1, 2, 3)], ["Sequence", "Stem", "Non-stem"])
        self.assertEqual([cells[(r, 1)] for r in range(3, 7)], [">S1", ">S2", ">S3", ">S4"])
        self.assertNotIn((7, 1), cells)
        self.assertEqual(cells[(8, 1)], "16S")
        self.assertEqual([cells[(r, 1)] for r in range(10, 14)], [">S1", ">S2", ">S3", ">S4"])

    def test_list_that_cannot_be_read(self):
        rc, out, err = run("report", "protein", "summary", self.out("none.txt"), "-o", self.out("s.txt"))
        self.assertEqual((rc, out, err), (2, "", "corvella-cli: File cannot be opened.\n"))
        bad = self.out("bad.txt")
        with open(bad, "w") as f:
            f.write("73 263\n")
        rc, out, err = run("report", "protein", "summary", bad, "-o", self.out("s.txt"))
        self.assertEqual((rc, out, err), (2, "", "corvella-cli: Bad input format.\n"))

    def test_external_reference_classifies_the_same_on_the_rcrs_record(self):
        with_builtin = read_file(self.report("protein", "positions", "a.txt"))
        with_genbank = read_file(self.report("protein", "positions", "b.txt", "--reference", GENBANK))
        self.assertEqual(with_builtin, with_genbank)


class Network(CliCase):
    def write_list(self, text, name="list.txt"):
        path = self.out(name)
        with open(path, "w") as f:
            f.write(text)
        return path

    def test_two_samples_give_the_ten_line_file(self):
        lst = self.write_list(">a\n73G 263G \n>b\n263G 16519 \n")
        rc, out, err = run("network", lst, "-o", self.out("n"))
        self.assertEqual((rc, err), (0, ""))
        self.assertEqual(out, "Data was successfully retrieved.\nThere are 2 different positions.\n")
        expected = ["       71", "       36", "       G5", "        1", "        9", "         ",
                    "s1     10  1", "s2     01  1", "", "1010", ""]
        self.assertEqual(read_file(self.out("n")), "\r\n".join(expected).encode())

    def test_limit_message_still_writes_the_file(self):
        lines = "".join(">s%d\n%d \n" % (i, 100 + i) for i in range(5001))
        lst = self.write_list(lines)
        rc, out, err = run("network", lst, "-o", self.out("n.rdf"))
        self.assertEqual((rc, err), (0, ""))
        self.assertEqual(out, "Too many different positions: 5001\nMax: 5000\n")
        self.assertTrue(os.path.getsize(self.out("n.rdf")) > 5001 * 5001)

    def test_network_needs_no_reference_and_reports_bad_input(self):
        rc, out, err = run("network", self.out("none.txt"), "-o", self.out("n.rdf"))
        self.assertEqual((rc, out, err), (2, "", "corvella-cli: File cannot be opened.\n"))
        lst = self.write_list("73G\n")
        rc, out, err = run("network", lst, "-o", self.out("n.rdf"))
        self.assertEqual((rc, out, err), (2, "", "corvella-cli: Bad input format.\n"))
        self.assertFalse(os.path.exists(self.out("n.rdf")))


class Align(CliCase):
    def raw_fasta(self, gz=False):
        """The example alignment's two samples without gaps, 70 letters a line."""
        records, text = [], ""
        with open(ALIGNED) as f:
            for line in f:
                line = line.rstrip("\n")
                if line.startswith(">"):
                    records.append([line, ""])
                else:
                    records[-1][1] += line.replace("-", "")
        for name, letters in records[1:]:
            text += name + "\n" + "".join(letters[i:i + 70] + "\n" for i in range(0, len(letters), 70))
        path = self.out("raw.fasta" + (".gz" if gz else ""))
        if gz:
            import gzip
            with gzip.open(path, "wb") as f:
                f.write(text.encode())
        else:
            with open(path, "w") as f:
                f.write(text)
        return path

    def test_align_writes_the_list_and_prints_the_summary(self):
        for gz in (False, True):
            out = self.out("list.txt")
            rc, stdout, err = run("align", self.raw_fasta(gz), "-o", out)
            self.assertEqual((rc, err), (0, ""))
            self.assertTrue(stdout.startswith("2 sequences were read, 2 aligned to the reference (16569 bases).\n\n"
                                              ">HM625681.1 Homo sapiens isolate Lab004 mitochondrion, complete genome\n"
                                              "16570 letters, 16570 aligned columns, 14 differences"), stdout)
            data = read_file(out)
            self.assertTrue(data.startswith(b">rCRS\r\nNumbering Reference\r\n\r\n>HM625681.1"))
            self.assertIn(b"\r\n263 315insC 750 1041 ", data)
            self.assertIn(b" 15944delT 16182-16183M ", data)

    def test_align_with_a_genbank_reference_names_it(self):
        rc, stdout, err = run("--reference", GENBANK, "align", self.raw_fasta(), "-o", self.out("l.txt"))
        self.assertEqual((rc, err), (0, ""))
        self.assertTrue(read_file(self.out("l.txt")).startswith(b">NC_012920\r\nNumbering Reference\r\n"))

    def test_other_commands_read_unaligned_fasta_like_the_list_align_writes(self):
        raw = self.raw_fasta()
        lst = self.out("aligned-list.txt")
        self.assertEqual(run("align", raw, "-o", lst)[0], 0)
        for words in ([raw], ["--format", "fasta", raw]):
            rc, out, err = run(*words[:-1], "report", "protein", "samples", words[-1], "-o", self.out("r.txt"))
            self.assertEqual((rc, out), (0, ""))
            self.assertTrue(err.startswith("2 sequences were read, 2 aligned"), err)
            self.assertEqual(run("report", "protein", "samples", lst, "-o", self.out("l.txt"))[0], 0)
            self.assertEqual(read_file(self.out("r.txt")), read_file(self.out("l.txt")))
        self.assertEqual(run("convert", raw, "-o", self.out("c.txt"))[0], 0)
        self.assertEqual(read_file(self.out("c.txt")), read_file(lst))
        rc, out, err = run("network", raw, "-o", self.out("n.rdf"))
        self.assertEqual(rc, 0, err)
        # Two files, one of them named in @PATHS, make one list in order.
        paths = self.out("paths.txt")
        with open(paths, "w") as f:
            f.write(raw + "\n")
        rc, out, err = run("align", "@" + paths, raw, "-o", self.out("two.txt"))
        self.assertEqual((rc, err), (0, ""))
        self.assertTrue(out.startswith("4 sequences were read, 4 aligned"), out)

    def test_align_messages(self):
        rc, out, err = run("align", self.out("none.fasta"), "-o", self.out("l.txt"))
        self.assertEqual((rc, out, err), (2, "", "corvella-cli: none.fasta: File cannot be opened.\n"))
        bad = self.out("bad.fasta")
        with open(bad, "w") as f:
            f.write(">s\nACGT\n>t\nMKVL*\n")
        rc, out, err = run("align", bad, "-o", self.out("l.txt"))
        self.assertEqual((rc, out), (2, ""))
        self.assertEqual(err, 'corvella-cli: bad.fasta: Line 4: "L" is not a nucleotide letter (record "t").\n')
        self.assertFalse(os.path.exists(self.out("l.txt")))


def run_group(module_name):
    """Runs the group named by the second argument (all groups without one)."""
    module = sys.modules[module_name]
    group = sys.argv[2] if len(sys.argv) > 2 else None
    suite = unittest.defaultTestLoader.loadTestsFromName(group, module) if group else \
        unittest.defaultTestLoader.loadTestsFromModule(module)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    run_group(__name__)
