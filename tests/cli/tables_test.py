#!/usr/bin/env python3
"""End-to-end tests of corvella-cli annotate and genes. Usage: tables_test.py CLI GROUP"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cli_test import DATA, CliCase, SIX_KEYS, read_file, read_xls, run, run_group, text_rows  # noqa: E402


class VariantTable(CliCase):
    def annotate(self, name, source=SIX_KEYS):
        out = self.out(name)
        self.assertEqual(run("annotate", source, "-o", out), (0, "", ""))
        return out

    def test_text_table_rows_and_columns(self):
        rows = text_rows(self.annotate("v.txt"))
        header = rows[0]
        self.assertEqual(header[:8], ["Position", "Ref", "Alt", "Variant", "HGVS", "Samples", "Occurrences",
                                      "Frequency"])
        self.assertEqual(header[23:26], ["HGVS protein", "tRNA structure", "rRNA structure"])
        self.assertEqual(header[26:], ["Group", "AC_hom", "AC_het", "AF_hom", "AF_het", "max_hl"])
        col = {name: i for i, name in enumerate(header)}
        by = {}
        for r in rows[1:]:
            by.setdefault(r[col["Variant"]], []).append(r)
        # 8527 lies in ATP6 and ATP8: two rows, table order.
        self.assertEqual([(r[col["Region"]], r[col["Symbol"]]) for r in by["8527"]],
                         [("ATP6", "MT-ATP6"), ("ATP8", "MT-ATP8")])
        atp6 = by["8527"][0]
        self.assertEqual(atp6[col["HGVS"]], "m.8527A>G")
        # ATP6's initiation codon ATG -> GTG still starts the protein.
        self.assertEqual(atp6[col["HGVS protein"]], "p.Met1=")
        self.assertEqual(atp6[col["Consequence"]], "start_retained_variant")
        self.assertEqual(atp6[col["HGVS coding"]], "c.1A>G")
        self.assertEqual(by["8527"][1][col["HGVS protein"]], "p.Lys54=")
        self.assertEqual(by["8527"][1][col["Consequence"]], "synonymous_variant")
        # 14766 in all five samples; 9207T in two, and on the ATP6 stop.
        cytb = by["14766"][0]
        self.assertEqual([cytb[col[c]] for c in ("Samples", "Occurrences", "Frequency", "Homoplasmic",
                                                 "Heteroplasmic", "Max level")],
                         ["5", "5", "1.000000", "5", "0", "1.000"])
        self.assertEqual(cytb[col["Polarity"]], "Neutral Polar>Neutral Apolar")
        self.assertEqual(by["9207T"][0][col["Frequency"]], "0.400000")
        self.assertEqual([r[col["Region"]] for r in by["9207T"]], ["ATP6", "COX3"])
        # Rows follow the tally: by position, then base.
        positions = [int(r[0]) for r in rows[1:]]
        self.assertEqual(positions, sorted(positions))

    def test_regions_outside_protein_genes(self):
        source = self.out("regions.txt")
        with open(source, "w") as f:
            f.write(">a\n16519 5580 3243 4330A \n>b\n1555 3010 \n")
        rows = text_rows(self.annotate("r.txt", source=source))
        col = {name: i for i, name in enumerate(rows[0])}
        types = {(r[col["Region"]], r[col["Region type"]], r[col["Consequence"]]) for r in rows[1:]}
        self.assertIn(("D-loop", "D-loop", "intergenic_variant"), types)
        self.assertIn(("Non-coding", "non-coding", "intergenic_variant"), types)
        for r in rows[1:]:
            if r[col["Region type"]] in ("tRNA", "rRNA"):
                self.assertEqual(r[col["Consequence"]], "non_coding_transcript_exon_variant")
                self.assertEqual(r[col["HGVS protein"]], "")
        structures = {r[col["Variant"]]: (r[col["tRNA structure"]], r[col["rRNA structure"]]) for r in rows[1:]}
        self.assertEqual(structures["3243"][1], "")
        self.assertNotEqual(structures["3243"][0], "")
        self.assertIn(structures["1555"], [("", "Stem"), ("", "Non-stem")])
        self.assertEqual([r[col["Region"]] for r in rows[1:] if r[col["Variant"]] == "4330A"],
                         ["tRNA-Ile", "tRNA-Gln"])

    def test_workbook_when_the_name_ends_in_xls(self):
        cells = read_xls(self.annotate("v.xls"))
        rows = text_rows(self.annotate("v.txt"))
        self.assertEqual(cells[(1, 1)], "Position")
        self.assertEqual(cells[(1, 26)], "rRNA structure")
        self.assertEqual(cells[(2, 12)], rows[1][11])
        self.assertEqual(cells[(len(rows), 4)], rows[-1][3])

    def test_unreadable_list_writes_nothing(self):
        rc, out, err = run("annotate", self.out("none.txt"), "-o", self.out("v.txt"))
        self.assertEqual((rc, out, err), (2, "", "corvella-cli: File cannot be opened.\n"))
        self.assertFalse(os.path.exists(self.out("v.txt")))
        rc, _, err = run("annotate", SIX_KEYS)
        self.assertEqual(rc, 64)
        self.assertIn("annotate needs -o OUT", err)


VCF_TEXT = """##fileformat=VCFv4.2
##contig=<ID=chrM,length=16569>
##contig=<ID=chr1,length=248956422>
##INFO=<ID=DP,Number=1,Type=Integer,Description="Depth">
##FORMAT=<ID=GT,Number=1,Type=String,Description="Genotype">
##FORMAT=<ID=AF,Number=A,Type=Float,Description="Allele fraction">
#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\tS1\tS2
chr1\t100\t.\tA\tG\t.\tPASS\tDP=5\tGT:AF\t1:1\t0:0
chrM\t3243\t.\tA\tG\t.\tPASS\tDP=10\tGT:AF\t1:0.4\t0:0
chrM\t8527\t.\tA\tG\t.\tPASS\t.\tGT:AF\t1:1\t1:0.97
chrM\t9207\t.\tA\tT,G\t.\tPASS\t.\tGT:AF\t1:1,0\t2:0,1
chrM\t14484\t.\tT\tC\t.\tPASS\t.\tGT:AF\t1:1\t0:0
chrM\t16519\t.\tT\tC\t.\tq10\t.\tGT:AF\t1:1\t1:1
chrM\t16520\t.\tC\t<DEL>\t.\tPASS\t.\tGT:AF\t0:0\t1:1
"""


def bcftools(*args):
    import subprocess
    p = subprocess.run(["bcftools", *args], capture_output=True)
    assert p.returncode == 0, p.stderr.decode()
    return p.stdout.decode()


class AnnotatedVcf(CliCase):
    def vcf(self):
        path = self.out("in.vcf")
        with open(path, "w") as f:
            f.write(VCF_TEXT)
        return path

    def test_split_vep_reads_the_consequences_back(self):
        source = self.vcf()
        for name in ("out.vcf", "out.vcf.gz", "out.bcf"):
            out = self.out(name)
            self.assertEqual(run("annotate", source, "-o", out), (0, "", ""), name)
            lines = bcftools("+split-vep", "-d", "-f", "%POS\\t%Allele\\t%SYMBOL\\t%Consequence\\t%HGVSg\\t"
                             "%HGVSp\\t%Amino_acids\\t%Codons\\t%MT_region_type\\t%MT_tRNA_structure\\t%HGVSc\\n",
                             out).splitlines()
            rows = [line.split("\t") for line in lines]
            by = {}
            for r in rows:
                by.setdefault((r[0], r[1]), []).append(r)
            self.assertEqual(by[("3243", "G")][0][2:6], ["MT-TL1", "non_coding_transcript_exon_variant",
                                                          "NC_012920.1:m.3243A>G", "."])
            self.assertNotEqual(by[("3243", "G")][0][9], ".")
            self.assertEqual([r[2] for r in by[("8527", "G")]], ["MT-ATP6", "MT-ATP8"])
            self.assertEqual(by[("8527", "G")][0][3:8], ["start_retained_variant", "NC_012920.1:m.8527A>G",
                                                         "MT-ATP6:p.Met1%3D", "M", "Atg/Gtg"])
            self.assertEqual(by[("8527", "G")][0][10], "MT-ATP6:c.1A>G")
            # "=" encoded as the annotator does
            self.assertEqual(by[("8527", "G")][1][5:7], ["MT-ATP8:p.Lys54%3D", "K"])
            # One entry per ALT allele and region.
            self.assertEqual([(r[2], r[3]) for r in by[("9207", "T")]],
                             [("MT-ATP6", "stop_lost"), ("MT-CO3", "start_lost")])
            self.assertEqual([(r[2], r[3], r[7]) for r in by[("9207", "G")]],
                             [("MT-ATP6", "stop_retained_variant", "taA/taG"),
                              ("MT-CO3", "start_retained_variant", "Atg/Gtg")])
            self.assertEqual(by[("14484", "C")][0][5], "MT-ND6:p.Met64Val")
            self.assertEqual(by[("14484", "C")][0][10], "MT-ND6:c.190A>G")
            self.assertEqual(by[("16519", "C")][0][2:4], [".", "intergenic_variant"])
            self.assertEqual(by[("16519", "C")][0][8], "D-loop")
            self.assertNotIn(("16520", "<DEL>"), by)
            # Every mitochondrial record, in order, samples untouched; chr1 left out.
            query = "%CHROM\\t%POS\\t%REF\\t%ALT\\t%FILTER\\t%DP[\\t%GT:%AF]\\n"
            expected = bcftools("query", "-f", query, source).splitlines()[1:]
            self.assertEqual(bcftools("query", "-f", query, out).splitlines(), expected, name)
            header = bcftools("view", "-h", out)
            self.assertIn("Format: Allele|Consequence|SYMBOL|Feature_type|HGVSg|HGVSc|HGVSp|Protein_position|"
                          "Amino_acids|Codons|MT_region_type|MT_tRNA_structure|MT_rRNA_structure\"", header)

    def test_records_on_the_loaded_references_accession_are_annotated(self):
        # A reference whose accession is not one of the usual mitochondrial
        # names: its own contig name is what the VCF reader counts, so the
        # annotated VCF keeps those records too.
        with open(os.path.join(DATA, "NC_012920.1.gb")) as f:
            record = f.read().replace("NC_012920", "ZZ_999999")
        reference = self.out("other.gb")
        with open(reference, "w") as f:
            f.write(record)
        source = self.out("other.vcf")
        with open(source, "w") as f:
            f.write(VCF_TEXT.replace("chrM", "ZZ_999999"))
        out = self.out("other-out.vcf")
        self.assertEqual(run("--reference", reference, "annotate", source, "-o", out), (0, "", ""))
        lines = bcftools("+split-vep", "-d", "-f", "%CHROM\t%POS\t%SYMBOL\n", out).splitlines()
        self.assertIn("ZZ_999999\t8527\tATP6", lines)
        self.assertFalse(any(line.startswith("chr1") for line in lines))

    def test_index_when_asked(self):
        source = self.vcf()
        out = self.out("out.vcf.gz")
        self.assertEqual(run("annotate", source, "-o", out, "--index"), (0, "", ""))
        self.assertTrue(os.path.exists(out + ".tbi"))
        self.assertEqual(bcftools("view", "-H", out, "chrM:9000-10000").count("\n"), 1)
        out = self.out("out.bcf")
        self.assertEqual(run("annotate", source, "-o", out, "--index"), (0, "", ""))
        self.assertTrue(os.path.exists(out + ".csi"))
        rc, _, err = run("annotate", source, "-o", self.out("plain.vcf"), "--index")
        self.assertEqual(rc, 2)
        self.assertIn("cannot be indexed", err)
        self.assertFalse(os.path.exists(self.out("plain.vcf")))
        # Records out of position order cannot be indexed: the message says
        # so, and neither the file nor its index is left behind.
        unsorted = self.out("unsorted.vcf")
        with open(unsorted, "w") as f:
            f.write(VCF_TEXT.replace("chrM\t14484\t.\tT\tC\t.\tPASS\t.\tGT:AF\t1:1\t0:0\n", "")
                    .replace("chrM\t3243\t", "chrM\t14484\t.\tT\tC\t.\tPASS\t.\tGT:AF\t1:1\t0:0\nchrM\t3243\t"))
        out = self.out("unsorted.vcf.gz")
        rc, _, err = run("annotate", unsorted, "-o", out, "--index")
        self.assertEqual(rc, 2)
        self.assertIn("not in position order (position 3243 comes after 14484)", err)
        self.assertFalse(os.path.exists(out) or os.path.exists(out + ".tbi"))
        self.assertEqual(run("annotate", unsorted, "-o", out)[0], 0)

    def test_vcf_with_a_csq_field_is_refused_and_nothing_written(self):
        source = self.out("csq.vcf")
        with open(source, "w") as f:
            f.write(VCF_TEXT.replace("##FORMAT=<ID=GT", '##INFO=<ID=CSQ,Number=.,Type=String,Description="x">\n'
                                     "##FORMAT=<ID=GT", 1))
        rc, out, err = run("annotate", source, "-o", self.out("x.bcf"))
        self.assertEqual((rc, out), (2, ""))
        self.assertIn("already has INFO/CSQ", err)
        self.assertEqual(sorted(os.listdir(self.tmp.name)), ["csq.vcf"])

    def test_unreadable_vcf(self):
        rc, out, err = run("annotate", self.out("none.vcf"), "-o", self.out("x.vcf"))
        self.assertEqual((rc, out), (2, ""))
        self.assertEqual(err, "corvella-cli: none.vcf: File cannot be opened.\n")
        self.assertEqual(os.listdir(self.tmp.name), [])


class GeneTable(CliCase):
    def test_one_row_per_region_with_observed_counts(self):
        out = self.out("g.txt")
        self.assertEqual(run("genes", SIX_KEYS, "-o", out), (0, "", ""))
        rows = text_rows(out)
        self.assertEqual(len(rows), 1 + 13 + 24 + 1)
        self.assertEqual(rows[0][:4], ["Region", "Symbol", "Region type", "Length"])
        col = {name: i for i, name in enumerate(rows[0])}
        by = {r[0]: r for r in rows[1:]}
        self.assertEqual([r[0] for r in rows[1:14]], ["ATP6", "ATP8", "COX1", "COX2", "COX3", "CYTB", "ND1",
                                                      "ND2", "ND3", "ND4L", "ND4", "ND5", "ND6"])
        self.assertEqual(rows[-1][:4], ["D-loop", "", "D-loop", "1122"])
        cytb = by["CYTB"]
        self.assertEqual(cytb[col["Symbol"]], "MT-CYB")
        self.assertEqual(by["tRNA-Leu(UUR)"][col["Symbol"]], "MT-TL1")
        self.assertEqual(cytb[col["Observed missense"]], "1")  # 14766 p.Thr7Ile
        self.assertEqual(cytb[col["Observed"]], "1")
        atp6 = by["ATP6"]
        self.assertEqual(int(atp6[col["Possible"]]), 3 * 681)
        self.assertEqual(run("genes", SIX_KEYS, "-o", self.out("g.xls")), (0, "", ""))
        cells = read_xls(self.out("g.xls"))
        self.assertEqual(cells[(2, 1)], "ATP6")
        self.assertEqual(cells[(39, 1)], "D-loop")


# Three samples with allele fractions: S1 and S2 in group a, S3 in b.
LEVELLED_VCF = """##fileformat=VCFv4.2
##contig=<ID=chrM,length=16569>
##FORMAT=<ID=GT,Number=1,Type=String,Description="Genotype">
##FORMAT=<ID=AF,Number=A,Type=Float,Description="Allele fraction">
#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\tS1\tS2\tS3
chrM\t3243\t.\tA\tG\t.\tPASS\t.\tGT:AF\t0/1:0.30\t1:0.98\t0/1:0.12
chrM\t14766\t.\tC\tT\t.\tPASS\t.\tGT:AF\t1:1.0\t0:0\t1:0.96
"""


class GroupTables(CliCase):
    def inputs(self):
        vcf, groups = self.out("levels.vcf"), self.out("groups.tsv")
        with open(vcf, "w") as f:
            f.write(LEVELLED_VCF)
        with open(groups, "w") as f:
            f.write("sample,group\nS1,a\nS2,a\nS3,b\n")
        return vcf, groups

    def table(self, command, *options):
        vcf, groups = self.inputs()
        out = self.out(command + ".txt")
        rc, stdout, err = run("--min-level", "0.1", *options, command, vcf, "-o", out)
        self.assertEqual((rc, stdout), (0, ""), err)
        rows = text_rows(out)
        col = {name: i for i, name in enumerate(rows[0])}
        return rows, col

    def test_variant_and_gene_rows_per_group(self):
        _, groups = self.inputs()
        cases = [
            # command, key column, key, group: AC_hom, AC_het, AF_hom, AF_het, max_hl
            ("annotate", "Variant", "3243", "all", ["1", "2", "0.333333", "0.666667", "0.980"]),
            ("annotate", "Variant", "3243", "a", ["1", "1", "0.500000", "0.500000", "0.980"]),
            ("annotate", "Variant", "3243", "b", ["0", "1", "0.000000", "1.000000", "0.120"]),
            ("annotate", "Variant", "14766", "all", ["2", "0", "0.666667", "0.000000", "1.000"]),
            ("annotate", "Variant", "14766", "a", ["1", "0", "0.500000", "0.000000", "1.000"]),
            ("annotate", "Variant", "14766", "b", ["1", "0", "1.000000", "0.000000", "0.960"]),
            ("genes", "Symbol", "MT-TL1", "b", ["0", "1", "0.000000", "1.000000", "0.120"]),
            ("genes", "Symbol", "MT-CYB", "all", ["2", "0", "0.666667", "0.000000", "1.000"]),
            ("genes", "Symbol", "MT-ND1", "a", ["0", "0", "0.000000", "0.000000", ""]),
        ]
        tables = {c: self.table(c, "--groups", groups) for c in ("annotate", "genes")}
        for command, key_column, key, group, expected in cases:
            with self.subTest(command=command, key=key, group=group):
                rows, col = tables[command]
                found = [r for r in rows[1:] if r[col[key_column]] == key and r[col["Group"]] == group]
                self.assertEqual(len(found), 1)
                self.assertEqual([found[0][col[c]] for c in ("AC_hom", "AC_het", "AF_hom", "AF_het", "max_hl")],
                                 expected)
        self.assertEqual(len(tables["genes"][0]), 1 + 38 * 3)
        self.assertEqual(len(tables["annotate"][0]), 1 + 6)

    def test_without_groups_one_all_row_each(self):
        for command, rows_expected in (("annotate", 1 + 2), ("genes", 1 + 38)):
            with self.subTest(command=command):
                rows, col = self.table(command)
                self.assertEqual(len(rows), rows_expected)
                self.assertEqual({r[col["Group"]] for r in rows[1:]}, {"all"})

    def test_all_writes_the_tables_per_group(self):
        vcf, groups = self.inputs()
        folder = self.out("folder")
        rc, _, err = run("--min-level", "0.1", "--groups", groups, "all", vcf, "--forms", "txt", "-o", folder)
        self.assertEqual(rc, 0, err)
        for command, name in (("annotate", "variants"), ("genes", "genes")):
            single = self.out(name + "-single.txt")
            self.assertEqual(run("--min-level", "0.1", "--groups", groups, command, vcf, "-o", single)[0], 0)
            self.assertEqual(read_file(os.path.join(folder, name + ".txt")), read_file(single), name)
        self.assertEqual(run("--groups", self.out("missing.tsv"), "all", vcf, "-o", self.out("f2"))[0], 2)


if __name__ == "__main__":
    run_group(__name__)
