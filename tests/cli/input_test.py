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
        self.assertEqual(err, "corvella-cli: mutserve.vcf: 3 samples, 5 records, 8 calls kept; passed over: "
                              "0 records on another contig, 0 filtered records, 0 records with a REF unlike the "
                              "reference, 1 calls below the minimum level, 0 calls with a missing genotype, 0 indels "
                              "kept as list tokens (not counted), 0 alleles of another shape, 0 outside the reference, "
                              "1 records at the reference's N placeholder (3107); "
                              "minimum level 0.9, records whose FILTER is not PASS left out\n")
        self.assertEqual(read_file(self.out("l.txt")),
                         b">rCRS\r\nNumbering Reference\r\n\r\n>S1\r\n73 263 16519 \r\n\r\n"
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
            "all_mismatch.vcf": "2 of 2 records on chrM (100 %) have a REF unlike the loaded reference",
            "ref_mismatch.vcf": "the file looks numbered on another reference",
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
        self.assertEqual((rc, err), (2, "corvella-cli: tabs.hsd: no sample line: an HSD line holds the sample id, the "
                                       "range, the haplogroup and the variants, separated by tabs.\n"))
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


H = "##fileformat=VCFv4.2\n##FORMAT=<ID=GT,Number=1,Type=String,Description=\"Genotype\">\n"
AF = "##FORMAT=<ID=AF,Number=A,Type=Float,Description=\"Level\">\n"
COLUMNS = "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT"


def record(chrom, pos, ref, alt, fmt, *samples, filt="PASS"):
    return "\t".join([chrom, str(pos), ".", ref, alt, ".", filt, ".", fmt, *samples]) + "\n"


def shifted():
    # Positions shifted by two, no ##contig length: REF is rCRS's letter two
    # further on, so 4 of the 8 match by chance.
    rows = [(150, "T"), (200, "A"), (300, "A"), (400, "A"), (500, "C"), (600, "C"), (700, "C"), (800, "C")]
    return H + COLUMNS + "\tX\n" + "".join(record("chrM", p, r, "G", "GT", "1") for p, r in rows)


# Damaged and misread shapes: (file name, content, the message after "corvella-cli: ").
REFUSED_VCFS = [
    ("mixed.vcf", H + COLUMNS + "\tX\n" + record("chrM", 73, "A", "G", "GT", "1") + record("MT", 263, "A", "G", "GT", "1"),
     "mixed.vcf: line 5 is on MT, but line 4 is on chrM: the file names the mitochondrial sequence twice, and its "
     "records are not merged."),
    ("dup.vcf", H + COLUMNS + "\tA\tA\n" + record("chrM", 73, "A", "G", "GT", "1", "1"),
     "dup.vcf: line 3: the sample name \"A\" is given twice (columns 10 and 11); every sample column needs its own "
     "name."),
    ("gt.vcf", H + COLUMNS + "\tX\tY\n" + record("chrM", 73, "A", "G", "GT", "1", "0/3"),
     "gt.vcf: line 4: the genotype of sample Y names allele 3, but the record has 1 ALT allele."),
    ("af.vcf", H + AF + COLUMNS + "\tX\n" + record("chrM", 1438, "A", "G,T", "GT:AF", "1:0.98"),
     "af.vcf: line 5: FORMAT/AF of sample X has 1 value for 2 ALT alleles, but its Number=A needs 2."),
    ("fa.vcf", H + COLUMNS + "\tHG00096\tHG00097\n" + record("MT", 73, "A", "G", "GT", "1", "1", filt="fa") +
     record("MT", 263, "A", "G", "GT", "1", "0", filt="fa"),
     "fa.vcf: no call was kept; passed over: 2 filtered records (FILTER neither PASS nor \".\"; --include-filtered "
     "keeps them)."),
    ("low.vcf", H + AF + COLUMNS + "\tX\n" + record("chrM", 73, "A", "G", "GT:AF", "0/1:0.3"),
     "low.vcf: no call was kept; passed over: 1 calls below the minimum level 0.9 (--min-level sets it)."),
    ("empty.vcf", "", "empty.vcf: the file is empty (0 bytes): there is nothing to read."),
    ("cut.vcf", H + COLUMNS + "\tX\n" + record("chrM", 73, "A", "G", "GT", "1") + "chrM\t263\t.\tA\tG\t.\tPA",
     "cut.vcf: line 5, the last, has no line end: the file looks cut short."),
    ("five.vcf", H + COLUMNS + "\tX\n" + record("chrM", 73, "A", "G", "GT", "1") + "chrM\t263\t.\tA\tG\n",
     "five.vcf: line 5 cannot be read: it has 5 columns; with the header's 1 sample a record has 10."),
    ("binary.vcf", H + COLUMNS + "\tX\n" + record("chrM", 73, "A", "G", "GT", "1") + "\x7fELF\x02\x01\t1\n",
     "binary.vcf: line 5 is not a VCF record: its CHROM \"\\x7FELF\\x02\\x01\" is not a contig name (binary bytes, "
     "or an empty column)."),
    ("shifted.vcf", shifted(),
     "shifted.vcf: 4 of 8 records on chrM (50 %) have a REF unlike the loaded reference (150: REF T, reference C; "
     "400: REF A, reference T; 600: REF C, reference A): the file looks numbered on another reference and is not "
     "read."),
    ("garbage.vcf.gz", b"\x1f\x8b\x08\x00" + b"not deflate data, not at all",
     "garbage.vcf.gz: not a VCF or BCF file: the file is gzip-compressed, but its data is damaged (invalid block "
     "type) and cannot be decompressed."),
]

REFUSED_HSDS = [
    ("empty.hsd", "", "empty.hsd: the file is empty (0 bytes): there is nothing to read."),
    ("nul.hsd", "S1\t1-16569\tH\t73G\n\0\0\x03\t\0\n",
     "nul.hsd: line 2 holds bytes that are not text (the byte 0x00 in column 1): it is not an HSD line."),
    ("odd.hsd", "S1\t1-16569\tH\tfoo 73N\n",
     "odd.hsd: no call was kept; passed over: 1 ambiguous variants, 1 unreadable HSD variants."),
]


class Refusals(CliCase):
    """Every command that reads a cohort refuses a damaged file with the same message and writes nothing."""

    def commands(self, path, vcf):
        yield "convert", path, "-o", self.out("l.txt")
        yield "report", "protein", "summary", path, "-o", self.out("r.txt")
        yield "chart", "trna", path, "-o", self.out("c.png")
        yield "network", path, "-o", self.out("n.rdf")
        yield "all", path, "-o", self.out("all")
        yield "annotate", path, "-o", self.out("t.txt")
        yield "genes", path, "-o", self.out("g.txt")
        yield "map", path, "-o", self.out("m.png")
        yield "html", path, "-o", self.out("h.html")
        if vcf:
            yield "annotate", path, "-o", self.out("a.vcf")

    def check(self, cases, vcf):
        for name, content, message in cases:
            path = self.out(name)
            with open(path, "wb") as f:
                f.write(content if isinstance(content, bytes) else content.encode("latin-1"))
            for words in self.commands(path, vcf):
                rc, out, err = run(*words)
                self.assertEqual((rc, out, err), (2, "", "corvella-cli: " + message + "\n"), words)
                self.assertEqual(sorted(os.listdir(self.tmp.name)), [name], words)
            os.remove(path)

    def test_vcfs(self):
        self.check(REFUSED_VCFS, True)

    def test_hsd(self):
        self.check(REFUSED_HSDS, False)

    def test_bcf_names_the_record(self):
        import subprocess
        cases = [
            ("mixed", "##contig=<ID=chrM>\n##contig=<ID=MT>\n", record("chrM", 73, "A", "G", "GT", "1") +
             record("MT", 263, "A", "G", "GT", "1"),
             "mixed.bcf: record 2 is on MT, but record 1 is on chrM: the file names the mitochondrial sequence twice, "
             "and its records are not merged."),
            ("gt", "##contig=<ID=chrM>\n", record("chrM", 73, "A", "G", "GT", "1") + record("chrM", 263, "A", "G", "GT", "2"),
             "gt.bcf: record 2: the genotype of sample X names allele 2, but the record has 1 ALT allele."),
        ]
        for name, contigs, rows, message in cases:
            text = self.out(name + ".vcf")
            with open(text, "w") as f:
                f.write(H.replace("\n", "\n" + contigs, 1) + COLUMNS + "\tX\n" + rows)
            subprocess.run(["bcftools", "view", "-Ob", "-o", self.out(name + ".bcf"), text], check=True)
            for words in (["convert", self.out(name + ".bcf"), "-o", self.out("l.txt")],
                          ["annotate", self.out(name + ".bcf"), "-o", self.out("a.bcf")]):
                self.assertEqual(run(*words), (2, "", "corvella-cli: " + message + "\n"), words)

    def test_the_options_the_messages_name_read_the_file(self):
        fa = self.out("fa.vcf")
        with open(fa, "w") as f:
            f.write(REFUSED_VCFS[4][1])
        rc, _, err = run("--include-filtered", "convert", fa, "-o", self.out("l.txt"))
        self.assertEqual(rc, 0, err)
        self.assertEqual(read_file(self.out("l.txt")).split(b"\r\n")[4], b"73 263 ")
        low = self.out("low.vcf")
        with open(low, "w") as f:
            f.write(REFUSED_VCFS[5][1])
        rc, _, err = run("--min-level", "0.3", "convert", low, "-o", self.out("m.txt"))
        self.assertEqual(rc, 0, err)


class AnnotatedRecords(CliCase):
    """The annotated VCF: records the reader passes over keep their line, without CSQ, and are counted."""

    def test_passed_over_records_are_written_unchanged_and_counted(self):
        source = self.out("in.vcf")
        with open(source, "w") as f:
            f.write(H + AF + COLUMNS + "\tS1\n" + record("chrM", 3243, "A", "G", "GT:AF", "1:1") +
                    record("chrM", 3460, "A", "G", "GT:AF", "1:1") + record("chrM", 3107, "N", "C", "GT:AF", "1:1") +
                    record("chrM", 8527, "A", "G", "GT:AF", "1:1") + record("chrM", 16519, "T", "C", "GT:AF", "1:1"))
        out = self.out("out.vcf")
        rc, stdout, err = run("annotate", source, "-o", out)
        self.assertEqual((rc, stdout), (0, ""))
        self.assertEqual(err, "corvella-cli: in.vcf: 2 records written unchanged, without CSQ (1 with a REF unlike "
                              "the reference, 1 at the reference's N placeholder)\n")
        body = [line for line in read_file(out).decode().split("\n") if line and not line.startswith("#")]
        self.assertEqual([line.split("\t")[1] for line in body], ["3243", "3460", "3107", "8527", "16519"])
        # 3460's REF A is not rCRS's G: no m.3460A>G built from the reference's base.
        self.assertEqual(body[1], record("chrM", 3460, "A", "G", "GT:AF", "1:1").rstrip("\n"))
        self.assertEqual(body[2], record("chrM", 3107, "N", "C", "GT:AF", "1:1").rstrip("\n"))
        for line in (body[0], body[3], body[4]):
            self.assertIn("CSQ=", line)

    def test_a_header_for_another_sequence_is_refused_as_by_convert(self):
        source = self.out("hg19.vcf")
        with open(source, "w") as f:
            f.write("##fileformat=VCFv4.2\n##contig=<ID=chrM,length=16571>\n" + H.split("\n", 1)[1] + COLUMNS +
                    "\tS1\n" + record("chrM", 73, "A", "G", "GT", "1"))
        rc_vcf, _, err_vcf = run("annotate", source, "-o", self.out("x.vcf"))
        rc_convert, _, err_convert = run("convert", source, "-o", self.out("x.txt"))
        self.assertEqual((rc_vcf, rc_convert), (2, 2))
        self.assertEqual(err_vcf, err_convert)
        self.assertIn("16571", err_vcf)
        self.assertEqual(sorted(os.listdir(self.tmp.name)), ["hg19.vcf"])


if __name__ == "__main__":
    run_group(__name__)
