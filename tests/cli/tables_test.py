#!/usr/bin/env python3
"""End-to-end tests of corvella-cli annotate and genes. Usage: tables_test.py CLI GROUP"""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cli_test import CliCase, SIX_KEYS, read_file, read_xls, run  # noqa: E402


def text_rows(path):
    data = read_file(path)
    assert b"\n" not in data.replace(b"\r\n", b""), "every line ends in CR LF"
    return [line.split("\t") for line in data.decode().split("\r\n")[:-1]]


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
        self.assertEqual(header[-3:], ["HGVS protein", "tRNA structure", "rRNA structure"])
        col = {name: i for i, name in enumerate(header)}
        by = {}
        for r in rows[1:]:
            by.setdefault(r[col["Variant"]], []).append(r)
        # 8527 lies in ATP6 and ATP8: two rows, table order.
        self.assertEqual([r[col["Region"]] for r in by["8527"]], ["ATP6", "ATP8"])
        atp6 = by["8527"][0]
        self.assertEqual(atp6[col["HGVS"]], "m.8527A>G")
        self.assertEqual(atp6[col["HGVS protein"]], "p.Met1Val")
        self.assertEqual(atp6[col["Consequence"]], "missense_variant")
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
        self.assertEqual(cells[(1, 24)], "rRNA structure")
        self.assertEqual(cells[(2, 12)], rows[1][11])
        self.assertEqual(cells[(len(rows), 4)], rows[-1][3])

    def test_unreadable_list_writes_nothing(self):
        rc, out, err = run("annotate", self.out("none.txt"), "-o", self.out("v.txt"))
        self.assertEqual((rc, out, err), (2, "", "corvella-cli: File cannot be opened.\n"))
        self.assertFalse(os.path.exists(self.out("v.txt")))
        rc, _, err = run("annotate", SIX_KEYS)
        self.assertEqual(rc, 64)
        self.assertIn("annotate needs -o OUT", err)


class GeneTable(CliCase):
    def test_one_row_per_region_with_observed_counts(self):
        out = self.out("g.txt")
        self.assertEqual(run("genes", SIX_KEYS, "-o", out), (0, "", ""))
        rows = text_rows(out)
        self.assertEqual(len(rows), 1 + 13 + 24 + 1)
        self.assertEqual(rows[0][:3], ["Region", "Region type", "Length"])
        col = {name: i for i, name in enumerate(rows[0])}
        by = {r[0]: r for r in rows[1:]}
        self.assertEqual([r[0] for r in rows[1:14]], ["ATP6", "ATP8", "COX1", "COX2", "COX3", "CYTB", "ND1",
                                                      "ND2", "ND3", "ND4L", "ND4", "ND5", "ND6"])
        self.assertEqual(rows[-1][:3], ["D-loop", "D-loop", "1122"])
        cytb = by["CYTB"]
        self.assertEqual(cytb[col["Observed missense"]], "1")  # 14766 p.Thr7Ile
        self.assertEqual(cytb[col["Observed"]], "1")
        atp6 = by["ATP6"]
        self.assertEqual(int(atp6[col["Possible"]]), 3 * 681)
        self.assertEqual(run("genes", SIX_KEYS, "-o", self.out("g.xls")), (0, "", ""))
        cells = read_xls(self.out("g.xls"))
        self.assertEqual(cells[(2, 1)], "ATP6")
        self.assertEqual(cells[(39, 1)], "D-loop")


if __name__ == "__main__":
    group = sys.argv[2] if len(sys.argv) > 2 else None
    suite = unittest.defaultTestLoader.loadTestsFromName(group, sys.modules[__name__]) if group else \
        unittest.defaultTestLoader.loadTestsFromModule(sys.modules[__name__])
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
