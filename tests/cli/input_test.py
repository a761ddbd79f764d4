#!/usr/bin/env python3
"""End-to-end tests of corvella-cli's VCF, HSD and several-file input. Usage: input_test.py CLI GROUP"""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from cli_test import CliCase, DATA, GENBANK, SIX_KEYS, read_file, run, run_group  # noqa: E402

VCF = os.path.join(DATA, "vcf")


def fixture(name):
    return os.path.join(VCF, name)


KINDS = ["protein", "nonprotein", "trna", "rrna"]
TABLES = ["summary", "positions", "samples"]


class Convert(CliCase):
    def test_writes_the_converted_list_with_crlf(self):
        rc, out, err = run("convert", fixture("mutserve.vcf"), "-o", self.out("l.txt"))
        self.assertEqual((rc, out), (0, ""))
        self.assertEqual(err, "corvella-cli: mutserve.vcf: 3 samples, 5 records, 9 calls kept; passed over: "
                              "0 records on another contig, 0 filtered records, 0 records with a REF unlike the "
                              "reference, 1 calls below the minimum level, 0 calls with a missing genotype, 0 indels "
                              "kept as list tokens (not counted), 0 alleles of another shape, 0 outside the reference; "
                              "minimum level 0.9, records whose FILTER is not PASS left out\n")
        self.assertEqual(read_file(self.out("l.txt")),
                         b">rCRS\r\nNumbering Reference\r\n\r\n>S1\r\n73 263 3107C 16519 \r\n\r\n"
                         b">S2\r\n73 263 16519 \r\n\r\n>S3\r\n263 310 \r\n\r\n")

    def test_min_level_and_include_filtered(self):
        rc, _, _ = run("--min-level", "0.01", "--include-filtered", "convert", fixture("mutect2.vcf.gz"),
                       "-o", self.out("l.txt"))
        self.assertEqual(rc, 0)
        self.assertEqual(read_file(self.out("l.txt")).split(b"\r\n")[4],
                         b"73 750 1438 1438T 2706 4769 302insC 8860 ")
        rc, _, _ = run("convert", fixture("mutect2.vcf.gz"), "-o", self.out("d.txt"))
        self.assertEqual(read_file(self.out("d.txt")).split(b"\r\n")[4], b"73 1438T 302insC 8860 ")

    def test_min_level_out_of_range_is_a_usage_error(self):
        for level in ["1.5", "-0.1", "abc", "", "nan", "0.5x"]:
            rc, out, err = run("--min-level", level, "convert", fixture("mity.vcf"), "-o", self.out("l.txt"))
            self.assertEqual((rc, out), (64, ""), level)
            self.assertIn("--min-level", err)
        for word in ["--min-level", "--format"]:
            rc, _, err = run(word)
            self.assertEqual(rc, 64)
            self.assertTrue(err.startswith("corvella-cli: " + word + " needs "), err)
        rc, _, err = run("--format", "bam", "convert", fixture("mity.vcf"), "-o", self.out("l.txt"))
        self.assertEqual(rc, 64)
        self.assertFalse(os.path.exists(self.out("l.txt")))

    def test_format_forces_the_reader(self):
        # A list read as HSD is a sample per line, named after its first field.
        path = self.out("plain.hsd")
        with open(path, "w") as f:
            f.write("A\tx\ty\t73G\n")
        rc, _, err = run("--format", "list", "convert", path, "-o", self.out("l.txt"))
        self.assertEqual((rc, err), (2, "corvella-cli: Bad input format.\n"))
        rc, _, _ = run("--format", "hsd", "convert", path, "-o", self.out("l.txt"))
        self.assertEqual(rc, 0)
        self.assertEqual(read_file(self.out("l.txt")), b">rCRS\r\nNumbering Reference\r\n\r\n>A\r\n73 \r\n\r\n")

    def test_paths_file_reads_many_files_as_one_cohort(self):
        paths = self.out("paths")
        with open(paths, "w") as f:
            f.write(fixture("mity.vcf") + "\n\n" + fixture("wgs.vcf") + "\r\n")
        rc, _, err = run("convert", "@" + paths, fixture("mtoolbox.vcf"), "-o", self.out("l.txt"))
        self.assertEqual(rc, 0, err)
        self.assertTrue(err.startswith("corvella-cli: 3 files, 5 samples, "), err)
        text = read_file(self.out("l.txt"))
        self.assertEqual(text.count(b"Numbering Reference"), 1)
        self.assertEqual([line for line in text.split(b"\r\n") if line.startswith(b">")],
                         [b">rCRS", b">P1", b">W1", b">W2", b">M1", b">M2"])
        rc, _, err = run("convert", "@" + self.out("none"), "-o", self.out("x.txt"))
        self.assertEqual(rc, 2)
        self.assertIn("cannot be opened", err)

    def test_every_refusal_exits_2_and_writes_nothing(self):
        cases = {
            "hg19_chrM.vcf": "16571",
            "all_mismatch.vcf": "no record's REF matches",
            "sites_only.vcf": "no sample columns",
        }
        for name, words in cases.items():
            rc, out, err = run("convert", fixture(name), "-o", self.out("l.txt"))
            self.assertEqual((rc, out), (2, ""), name)
            self.assertIn(words, err, name)
            self.assertTrue(err.startswith("corvella-cli: " + name + ": "), err)
        cut = self.out("cut.vcf.gz")
        with open(fixture("mutect2.vcf.gz"), "rb") as f:
            data = f.read()
        with open(cut, "wb") as f:
            f.write(data[:len(data) // 2])
        rc, _, err = run("convert", cut, "-o", self.out("l.txt"))
        self.assertEqual(rc, 2)
        self.assertIn("cut short", err)
        rc, _, err = run("convert", fixture("mity.vcf"), fixture("cohort.hsd"), "-o", self.out("l.txt"))
        self.assertEqual((rc, err), (2, "corvella-cli: all inputs must be of one kind: mity.vcf is vcf, "
                                       "cohort.hsd is hsd.\n"))
        rc, _, err = run("--format", "vcf", "convert", self.out("missing.vcf"), "-o", self.out("l.txt"))
        self.assertEqual((rc, err), (2, "corvella-cli: missing.vcf: File cannot be opened.\n"))
        tabs = self.out("tabs.hsd")
        with open(tabs, "w") as f:
            f.write("\t\t\t\n")
        rc, _, err = run("convert", tabs, "-o", self.out("l.txt"))
        self.assertEqual((rc, err), (2, "corvella-cli: Bad input format.\n"))
        self.assertFalse(os.path.exists(self.out("l.txt")))

    def test_another_reference_numbers_the_list_by_its_accession(self):
        rc, _, err = run("--reference", GENBANK, "convert", fixture("mity.vcf"), "-o", self.out("l.txt"))
        self.assertEqual(rc, 0, err)
        self.assertTrue(read_file(self.out("l.txt")).startswith(b">NC_012920\r\nNumbering Reference\r\n"))


class Equality(CliCase):
    """A report of a VCF or HSD is byte for byte the report of its converted list."""

    def check_same(self, inputs, *options, charts=False):
        converted = self.out("converted.txt")
        rc, _, err = run(*options, "convert", *inputs, "-o", converted)
        self.assertEqual(rc, 0, err)
        for kind in KINDS:
            for table in TABLES:
                for ext in ["txt", "xls"]:
                    direct = self.out("direct.%s" % ext)
                    via = self.out("via.%s" % ext)
                    rc1, out1, err1 = run(*options, "report", kind, table, *inputs, "-o", direct)
                    rc2, out2, _ = run("report", kind, table, converted, "-o", via)
                    self.assertEqual((rc1, rc2), (0, 0), (kind, table, err1))
                    self.assertEqual(out1, out2)
                    self.assertEqual(err1, err, (kind, table))
                    self.assertEqual(read_file(direct), read_file(via), (inputs, kind, table, ext))
            if not charts:
                continue
            rc1, _, _ = run(*options, "chart", kind, *inputs, "-o", self.out("direct.bmp"))
            rc2, _, _ = run("chart", kind, converted, "-o", self.out("via.bmp"))
            self.assertEqual((rc1, rc2), (0, 0))
            self.assertEqual(read_file(self.out("direct.bmp")), read_file(self.out("via.bmp")), kind)
        rc1, out1, _ = run(*options, "network", *inputs, "-o", self.out("direct.rdf"))
        rc2, out2, _ = run("network", converted, "-o", self.out("via.rdf"))
        self.assertEqual((rc1, rc2, out1), (0, 0, out2))
        self.assertEqual(read_file(self.out("direct.rdf")), read_file(self.out("via.rdf")))

    def test_haploid_release_vcf(self):
        self.check_same([fixture("kg_haploid.vcf")], charts=True)

    def test_multi_allelic_shapes_and_levels(self):
        self.check_same([fixture("shapes.vcf")], "--min-level", "0.5")

    def test_several_per_sample_vcfs(self):
        self.check_same([fixture("mutserve.bcf"), fixture("mutect2.vcf.gz"), fixture("mtoolbox.vcf")],
                        "--include-filtered")

    def test_hsd(self):
        self.check_same([fixture("cohort.hsd")])


class SeveralLists(CliCase):
    def test_lists_keep_their_messages_and_read_as_one_cohort(self):
        rc, out, err = run("report", "protein", "samples", SIX_KEYS, SIX_KEYS, "-o", self.out("two.txt"))
        self.assertEqual((rc, err), (0, ""))
        rc, _, _ = run("report", "protein", "samples", SIX_KEYS, "-o", self.out("one.txt"))
        one = read_file(self.out("one.txt"))
        two = read_file(self.out("two.txt"))
        self.assertGreater(len(two), len(one))
        rc, out, err = run("report", "protein", "summary", SIX_KEYS, self.out("none.txt"), "-o", self.out("s.txt"))
        self.assertEqual((rc, err), (2, "corvella-cli: none.txt: File cannot be opened.\n"))


if __name__ == "__main__":
    run_group(__name__)
