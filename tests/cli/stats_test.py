#!/usr/bin/env python3
"""End-to-end tests of corvella-cli stats. Usage: stats_test.py CLI GROUP"""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cli_test import DATA, CliCase, SIX_KEYS, read_file, read_xlsx, run, run_group, text_rows  # noqa: E402

HEADER = ["Region", "Symbol", "Group", "n", "S", "Haplotypes", "Hd", "Pi", "ThetaW", "TajimaD", "LS", "LN",
          "PiS", "PiN", "PiN/PiS"]
MK = ["DN", "DS", "PN", "PS", "NI", "DoS", "p"]


def write_file(path, text):
    with open(path, "w") as f:
        f.write(text)
    return path


def by_region_group(rows):
    col = {name: i for i, name in enumerate(rows[0])}
    return col, {(r[0], r[col["Group"]]): r for r in rows[1:]}


def reference_letters():
    text = read_file(os.path.join(DATA, "NC_012920.1.gb")).decode()
    origin = text.split("ORIGIN", 1)[1].split("//", 1)[0]
    return "".join(c for c in origin if c.isalpha()).upper()


class Stats(CliCase):
    def stats(self, *args, name="s.txt", source=SIX_KEYS, status=0):
        out = self.out(name)
        rc, stdout, stderr = run("stats", source, "-o", out, *args)
        self.assertEqual(rc, status, stderr)
        return out, stderr

    def test_rows_of_every_region_and_worked_values(self):
        out, err = self.stats()
        self.assertEqual(err, "")
        rows = text_rows(out)
        self.assertEqual(rows[0], HEADER)
        self.assertEqual(len(rows), 1 + 39)
        self.assertEqual([r[1] for r in rows[1:4]], ["MT-ATP6", "MT-ATP8", "MT-CO1"])
        self.assertEqual([r[:2] for r in rows[-2:]], [["D-loop", "D-loop"], ["Genome", "genome"]])
        col, at = by_region_group(rows)
        # CYTB: all five carry 14766: one haplotype, nothing segregates.
        cytb = at[("CYTB", "all")]
        self.assertEqual(cytb[col["n"]:col["TajimaD"] + 1], ["5", "0", "1", "0", "0", "0", ""])
        # ATP8 (207 letters): 8527 in S1 only; 8530 in S3: two segregating
        # sites, 4 + 4 differing pairs of 10; haplotypes {8527}, {8530}, {} x 3.
        atp8 = at[("ATP8", "all")]
        self.assertEqual(atp8[col["S"]], "2")
        self.assertEqual(atp8[col["Haplotypes"]], "3")
        self.assertEqual(atp8[col["Hd"]], "0.7")  # 5/4 (1 - (1 + 1 + 9)/25)
        self.assertEqual(atp8[col["Pi"]], "%.6g" % (0.8 / 207))

    def test_groups_with_unknown_and_missing_names(self):
        groups = write_file(self.out("groups.csv"), "sample,group\nS1,H\nS2,H\nS3,L3\nNOPE,L3\nGONE,K\n")
        out, err = self.stats("--groups", groups)
        self.assertEqual(err, "corvella-cli: warning: 2 names in groups.csv match no sample of the cohort.\n")
        rows = text_rows(out)
        col, at = by_region_group(rows)
        self.assertEqual([r[col["Group"]] for r in rows[1:6]], ["all", "H", "L3", "K", "(none)"])
        self.assertEqual([at[("ATP6", g)][col["n"]] for g in ("all", "H", "L3", "K", "(none)")],
                         ["5", "2", "1", "0", "2"])
        # ATP6 in H: S1 has 8527, S2 9207T: S = 2, two haplotypes, 2 pairs of 1.
        h = at[("ATP6", "H")]
        self.assertEqual(h[col["S"]:col["ThetaW"] + 1], ["2", "2", "1", "%.6g" % (2 / 681), "%.6g" % (2 / 681)])
        self.assertEqual(h[col["TajimaD"]], "")  # n < 4
        self.assertEqual(at[("ATP6", "K")][col["n"]:col["Hd"] + 1], ["0", "0", "0", ""])
        # The all rows do not depend on the groups.
        plain = text_rows(self.stats(name="plain.txt")[0])
        self.assertEqual([r for r in rows[1:] if r[col["Group"]] == "all"], plain[1:])

    def test_groups_and_outgroup_files_refused(self):
        # (option, its file, the file's text, the message after the file's path)
        for option, name, text, message in [
                ("--groups", "bad.tsv", "S1\tH\nS2\tH\tx\n", "line 2: 3 fields; a line holds a sample and its group"),
                ("--outgroup", "two.fasta", ">a\nACGT\n>b\nACGT\n",
                 "an outgroup is one mitogenome; the file holds 2 records")]:
            path = write_file(self.out(name), text)
            out, err = self.stats(option, path, status=2)
            self.assertEqual(err, "corvella-cli: %s: %s\n" % (path, message))
            self.assertFalse(os.path.exists(out), option)
            # The option without its file is a usage error.
            self.assertEqual(run("stats", SIX_KEYS, "-o", self.out("x.txt"), option)[0], 64, option)

    def test_outgroup_fasta_and_genbank(self):
        letters = reference_letters()
        # Fixed differences against the five samples: 14766 (all T, outgroup C:
        # ACT against ATT, T>I) and 14767 (ACT>ACC, T=); 8527 G in the
        # outgroup is where S1 has G too: polymorphic, no fixed difference.
        changed = list(letters)
        changed[14767 - 1] = "C"
        changed[8527 - 1] = "G"
        fasta = write_file(self.out("out.fasta"), ">ancestor\n" + "".join(changed) + "\n")
        out, err = self.stats("--outgroup", fasta)
        self.assertTrue(err.startswith("corvella-cli: outgroup ancestor: 16568 of 16569 reference positions"), err)
        rows = text_rows(out)
        self.assertEqual(rows[0], HEADER + MK)
        col, at = by_region_group(rows)
        cytb = at[("CYTB", "all")]
        self.assertEqual(cytb[col["DN"]:], ["1", "1", "0", "0", "", "", "1"])  # no polymorphism: no NI, no DoS
        atp6 = at[("ATP6", "all")]  # 8527 (M>V), 8530 and 9207T segregate
        self.assertEqual(atp6[col["DN"]:col["PS"] + 1], ["0", "0", "3", "0"])
        self.assertEqual(at[("tRNA-Phe", "all")][col["DN"]:], [""] * 7)

        # The same record as GenBank: the same table.
        gb = read_file(os.path.join(DATA, "NC_012920.1.gb")).decode()
        head, origin = gb.split("ORIGIN", 1)
        lines = ["%9d %s" % (i + 1, "".join(changed[i:i + 60]).lower()) for i in range(0, len(changed), 60)]
        genbank = write_file(self.out("out.gb"), head + "ORIGIN\n" + "\n".join(lines) + "\n//\n")
        self.assertEqual(read_file(self.stats("--outgroup", genbank, name="g.txt")[0]), read_file(out))

    def test_every_input_kind_and_workbook(self):
        for source in ("vcf/kg_haploid.vcf", "vcf/cohort.hsd", "aligned-3.fasta"):
            out, _ = self.stats(name="k.txt", source=os.path.join(DATA, source))
            rows = text_rows(out)
            self.assertEqual(rows[0], HEADER, source)
            self.assertEqual(len(rows), 40, source)
        out, _ = self.stats(name="s.xlsx")
        cells = read_xlsx(out)
        self.assertEqual([cells[(1, c)] for c in range(1, 16)], HEADER)
        self.assertEqual(cells[(2, 1)], "ATP6")


if __name__ == "__main__":
    run_group(__name__)
