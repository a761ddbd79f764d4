#!/usr/bin/env python3
"""End-to-end tests of corvella-cli all and of report's TABLE:OUT pairs. Usage: all_test.py CLI GROUP"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cli_test import DATA, SIX_KEYS, CliCase, read_file, read_xlsx, run, run_group  # noqa: E402

KINDS = ["protein", "nonprotein", "trna", "rrna"]
TABLES = ["summary", "positions", "samples"]
STRUCTURES = os.path.join(DATA, "cli", "structures.txt")
MUTSERVE = os.path.join(DATA, "vcf", "mutserve.vcf")
GENBANK = os.path.join(DATA, "NC_012920.1.gb")


def content(path):
    return read_xlsx(path) if path.endswith(".xlsx") else read_file(path)


class AllCommand(CliCase):
    def single(self, *args):
        """What the single command (its last word the output) writes: the bytes, or the cells of an .xlsx
        workbook (whose container records the time it was written)."""
        rc, _, err = run(*args)
        self.assertEqual(rc, 0, err)
        data = content(args[-1])
        os.remove(args[-1])
        return data

    def check_folder_equals_single_commands(self, source, forms, charts, pre=()):
        folder = self.out("all-" + os.path.basename(source) + "-" + "-".join(forms))
        rc, _, err = run(*pre, "all", source, "-o", folder, "--forms", ",".join(forms), "--charts", ",".join(charts) or "none")
        self.assertEqual(rc, 0, err)
        expected = set()
        kinds = KINDS if not pre else ["protein", "nonprotein"]
        for kind in kinds:
            for table in TABLES:
                for form in forms:
                    name = f"{kind}-{table}.{form}"
                    expected.add(name)
                    single = self.single(*pre, "report", kind, table, source, "-o", self.out("single." + form))
                    self.assertEqual(content(os.path.join(folder, name)), single, name)
            for chart in charts:
                name = f"{kind}-chart.{chart}"
                expected.add(name)
                single = self.single(*pre, "chart", kind, source, "-o", self.out("single." + chart))
                self.assertEqual(content(os.path.join(folder, name)), single, name)
        for form in forms:
            for command, name in (("annotate", "variants"), ("genes", "genes")):
                expected.add(f"{name}.{form}")
                single = self.single(*pre, command, source, "-o", self.out("single." + form))
                self.assertEqual(content(os.path.join(folder, f"{name}.{form}")), single, name)
        expected.add("network.rdf")
        expected.update({"corvella_mqc.json", "corvella_genes_mqc.tsv"})
        single = self.single(*pre, "network", source, "-o", self.out("single.rdf"))
        self.assertEqual(read_file(os.path.join(folder, "network.rdf")), single)
        self.assertEqual(set(os.listdir(folder)), expected)
        return err

    def test_every_file_equals_the_single_commands_file(self):
        self.check_folder_equals_single_commands(SIX_KEYS, ["txt", "xls", "xlsx"], ["bmp"])
        self.check_folder_equals_single_commands(STRUCTURES, ["txt"], [])

    def test_vcf_input_is_read_once_with_its_summary(self):
        err = self.check_folder_equals_single_commands(MUTSERVE, ["txt"], [])
        self.assertEqual(err.count("corvella-cli: mutserve.vcf: "), 1, err)

    def test_other_reference_leaves_out_the_structure_outputs_and_says_so(self):
        err = self.check_folder_equals_single_commands(SIX_KEYS, ["txt"], [], pre=("--reference", GENBANK))
        self.assertIn("trna and rrna outputs left out: they need the built-in human reference.", err)

    def test_network_beyond_the_format_limit_is_left_out(self):
        source = self.out("big.txt")
        with open(source, "w") as f:
            for i in range(30001):
                f.write(f">s{i}\n73 \n")
        folder = self.out("all")
        rc, _, err = run("all", source, "-o", folder, "--charts", "none")
        self.assertEqual(rc, 0, err)
        self.assertIn("network.rdf left out: Too many sequences: 30001 Max: 30000", err)
        self.assertNotIn("network.rdf", os.listdir(folder))
        self.assertIn("protein-samples.txt", os.listdir(folder))

    def test_a_failure_names_the_file_and_leaves_only_complete_files(self):
        folder = self.out("all")
        os.makedirs(os.path.join(folder, "protein-samples.txt"))
        rc, out, err = run("all", SIX_KEYS, "-o", folder, "--charts", "none")
        self.assertEqual(rc, 2)
        self.assertIn("Cannot write " + os.path.join(folder, "protein-samples.txt"), err)
        for name in os.listdir(folder):
            if name == "protein-samples.txt":
                continue
            kind, table = name.rsplit(".", 1)[0].split("-")
            self.assertEqual(read_file(os.path.join(folder, name)),
                             self.single("report", kind, table, SIX_KEYS, "-o", self.out("single.txt")), name)

    def test_a_folder_that_cannot_be_made_and_bad_types(self):
        blocker = self.out("file")
        with open(blocker, "w") as f:
            f.write("x")
        rc, _, err = run("all", SIX_KEYS, "-o", blocker)
        self.assertEqual(rc, 2)
        self.assertIn("Cannot create folder " + blocker, err)
        for args in (("--forms", "doc"), ("--charts", "gif"), ("--forms", "none"), ("--forms",)):
            rc, out, _ = run("all", SIX_KEYS, "-o", self.out("x"), *args)
            self.assertEqual((rc, out), (64, ""), args)
        self.assertEqual(run("all", SIX_KEYS)[0], 64)


class ReportPairs(CliCase):
    def test_several_tables_from_one_read(self):
        rc, _, err = run("report", "protein", "summary:" + self.out("s.txt"), "samples:" + self.out("p.xls"),
                         "positions:" + self.out("q.txt"), SIX_KEYS)
        self.assertEqual(rc, 0, err)
        for table, name in (("summary", "s.txt"), ("samples", "p.xls"), ("positions", "q.txt")):
            single = self.out("single-" + name)
            self.assertEqual(run("report", "protein", table, SIX_KEYS, "-o", single)[0], 0)
            self.assertEqual(read_file(self.out(name)), read_file(single), table)

    def test_pair_errors(self):
        self.assertEqual(run("report", "protein", "summary:" + self.out("s.txt"))[0], 64)
        self.assertEqual(run("report", "protein", "summary:" + self.out("s.txt"), SIX_KEYS, "-o", "x")[0], 64)
        self.assertEqual(run("report", "trna", "summary:" + self.out("s.txt"), SIX_KEYS)[0], 0)
        rc, _, err = run("--reference", GENBANK, "report", "trna", "summary:" + self.out("t.txt"), SIX_KEYS)
        self.assertEqual(rc, 2)
        self.assertFalse(os.path.exists(self.out("t.txt")))


if __name__ == "__main__":
    run_group(__name__)
