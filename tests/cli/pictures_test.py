#!/usr/bin/env python3
"""End-to-end tests of corvella-cli map, html and the MultiQC sections of all. Usage: pictures_test.py CLI GROUP"""
import html
import json
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cli_test import DATA, SIX_KEYS, CliCase, read_file, run, run_group  # noqa: E402
from stats_test import reference_letters, text_rows, write_file  # noqa: E402

MUTSERVE = os.path.join(DATA, "vcf", "mutserve.vcf")
SVG = "{http://www.w3.org/2000/svg}"
GROUPS = "sample,group\nS1,H\nS2,H\nS3,L3\n"


def distinct_variants(list_path):
    """(position, base) keys of a list as the tally counts them: a transition token is a bare position."""
    keys = set()
    with open(list_path) as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith(">") or not line[0].isdigit():
                continue
            for token in line.split():
                keys.add(token)
    return keys


def bar_titles(root):
    """The titles of a map's bars, one bar per variant."""
    return [e.find(SVG + "title").text for e in root.iter(SVG + "polygon") if (e.get("class") or "").startswith("bar")]


class Map(CliCase):
    def test_svg_holds_38_arcs_and_one_bar_per_distinct_variant(self):
        out = self.out("map.svg")
        rc, stdout, err = run("map", SIX_KEYS, "-o", out)
        self.assertEqual((rc, stdout, err), (0, "", ""))
        root = ET.parse(out).getroot()  # well-formed XML
        self.assertEqual(root.tag, SVG + "svg")
        self.assertEqual((root.get("width"), root.get("height")), ("900", "700"))
        arcs = [e for e in root.iter(SVG + "path") if e.get("class") == "arc"]
        titles = bar_titles(root)
        self.assertEqual(len(arcs), 38)
        self.assertEqual(len(titles), len(distinct_variants(SIX_KEYS)))
        self.assertTrue(any(t.startswith("14766 m.14766C>T | MT-CYB | missense | 5 of 5 samples") for t in titles),
                        titles)
        labels = {t.text for t in root.iter(SVG + "text")}
        for symbol in ["MT-ND5", "MT-CO1", "MT-RNR2", "D-loop", "16k", "synonymous", "heteroplasmic only"]:
            self.assertIn(symbol, labels)

    def test_every_format_at_a_size_and_refusals(self):
        for ext, magic in [("png", b"\x89PNG"), ("bmp", b"BM"), ("pdf", b"%PDF")]:
            out = self.out("map." + ext)
            rc, _, err = run("map", MUTSERVE, "-o", out, "--size", "640x480")
            self.assertEqual(rc, 0, err)
            data = read_file(out)
            self.assertEqual(data[:len(magic)], magic, ext)
            if ext == "png":
                self.assertEqual(int.from_bytes(data[16:20], "big"), 640)
                self.assertEqual(int.from_bytes(data[20:24], "big"), 480)
        # Heteroplasmic calls of the VCF (below 0.95) give hollow bars.
        rc, _, err = run("--min-level", "0.1", "map", MUTSERVE, "-o", self.out("het.svg"))
        self.assertEqual(rc, 0, err)
        self.assertIn('class="bar hollow"', read_file(self.out("het.svg")).decode())
        # A missing input, a size of nothing: refused, nothing written.
        for source, size, status in [(self.out("none.txt"), [], 2), (SIX_KEYS, ["--size", "0x10"], 64)]:
            rc, _, err = run("map", source, "-o", self.out("x.svg"), *size)
            self.assertEqual((rc, os.path.exists(self.out("x.svg"))), (status, False), err)
        # The same map twice is the same bytes.
        for n in ("a", "b"):
            run("map", SIX_KEYS, "-o", self.out(n + ".png"))
        self.assertEqual(read_file(self.out("a.png")), read_file(self.out("b.png")))

    def test_one_group_of_a_groups_file(self):
        groups = write_file(self.out("groups.csv"), GROUPS)
        # (group, samples drawn, the bars' positions, 14766's carriers)
        for group, samples, positions, carriers in [
                ("H", 2, ["8527", "9207", "14766"], "2 of 2 samples"),
                ("L3", 1, ["8530", "9207", "14766"], "1 of 1 sample"),
                ("(none)", 2, ["10760", "14149", "14766"], "2 of 2 samples")]:
            out = self.out("group.svg")
            rc, _, err = run("map", SIX_KEYS, "-o", out, "--groups", groups, "--group", group)
            self.assertEqual((rc, err), (0, ""), group)
            root = ET.parse(out).getroot()
            titles = bar_titles(root)
            self.assertEqual(sorted((t.split(" ", 1)[0] for t in titles), key=int), positions, group)
            self.assertTrue(any(t.startswith("14766 ") and carriers in t for t in titles), (group, titles))
            heading = "Variants of %d sample%s" % (samples, "" if samples == 1 else "s")
            self.assertTrue(any((t.text or "").startswith(heading) for t in root.iter(SVG + "text")), group)
        # An unknown group is refused and nothing is written; --group wants --groups.
        out = self.out("none.svg")
        rc, _, err = run("map", SIX_KEYS, "-o", out, "--groups", groups, "--group", "K")
        self.assertEqual(rc, 2)
        self.assertEqual(err, "corvella-cli: no group K in %s; its groups are H, L3, (none)\n" % groups)
        self.assertFalse(os.path.exists(out))
        rc, _, err = run("map", SIX_KEYS, "-o", out, "--group", "H")
        self.assertEqual((rc, os.path.exists(out)), (64, False), err)
        self.assertIn("--group needs --groups FILE", err)


def chromium():
    for name in ("chromium", "chromium-browser"):
        if shutil.which(name):
            return name
    return None


class Html(CliCase):
    def page(self, *inputs):
        out = self.out("report.html")
        rc, stdout, err = run("html", *inputs, "-o", out)
        self.assertEqual((rc, stdout), (0, ""), err)
        return out, read_file(out).decode()

    def test_page_is_self_contained_and_holds_every_part(self):
        out, text = self.page(SIX_KEYS)
        # Nothing is fetched: no source, link or style sheet from elsewhere.
        self.assertIsNone(re.search(r'\b(src|href)\s*=', text), "a reference to another file")
        self.assertNotIn("@import", text)
        self.assertIn("Content-Security-Policy", text)
        self.assertEqual(text.count("<svg"), 5)  # the map and four charts
        self.assertEqual(text.count('class="arc"'), 38)
        for words in ["What was read", "Distinct variants", "AC_000021", "Gene table", "Variant table",
                      "six_keys.txt", "MT-CYB"]:
            self.assertIn(words, text)
        rows = re.findall(r"<table class=\"data\" id=\"variants\">.*?</table>", text, re.S)[0].count("<tr>")
        self.assertEqual(rows, 1 + self.variant_rows(SIX_KEYS))  # the header, a row per variant and region

    def test_population_statistics_rows_are_the_stats_table(self):
        groups = write_file(self.out("groups.csv"), GROUPS)
        letters = reference_letters()
        outgroup = write_file(self.out("out.fasta"), ">ancestor\n" + letters[:14767 - 1] + "C" + letters[14767:] + "\n")
        for words in ([], ["--groups", groups], ["--groups", groups, "--outgroup", outgroup]):
            stats = self.out("stats.txt")
            rc, _, err = run("stats", SIX_KEYS, "-o", stats, *words)
            self.assertEqual(rc, 0, err)
            expected = text_rows(stats)
            out, text = self.page(SIX_KEYS, *words)
            table = re.findall(r'<table class="data" id="stats">.*?</table>', text, re.S)
            self.assertEqual(len(table), 1, words)
            rows = [[html.unescape(c) for c in re.findall(r"<t[hd][^>]*>(.*?)</t[hd]>", row, re.S)]
                    for row in re.findall(r"<tr>(.*?)</tr>", table[0], re.S)]
            self.assertEqual(rows, expected, words)
            self.assertEqual(len(rows), 1 + 39 * (1 if not words else 4), words)
            # The statistics follow the gene table and come before the variants.
            self.assertLess(text.index('id="genes"'), text.index('id="stats"'))
            self.assertLess(text.index('id="stats"'), text.index('id="variants"'))
        rc, _, err = run("html", SIX_KEYS, "-o", self.out("bad.html"), "--outgroup", self.out("missing.fasta"))
        self.assertEqual((rc, os.path.exists(self.out("bad.html"))), (2, False), err)

    def variant_rows(self, source):
        table = self.out("variants.txt")
        self.assertEqual(run("annotate", source, "-o", table)[0], 0)
        return read_file(table).count(b"\n") - 1

    def test_more_than_5000_variants_keep_the_most_frequent_with_a_note(self):
        big = self.out("big.txt")
        with open(big, "w") as f:
            # Tokens at 3,000 positions, some of them naming the reference's
            # own letter (no variant), so more than 5,000 distinct variants; 16 common to every sample.
            for s in range(4):
                f.write(">s%d\n" % s)
                tokens = ["%d%s" % (p, b) for p in range(1, 3001) for b in "ACGT"
                          if (p * 7 + "ACGT".index(b) + s) % 4 != 0 or p <= 4]
                f.write(" ".join(tokens[s::4] + [str(p) for p in range(1, 5)]) + " \n")
        out, text = self.page(big)
        self.assertIn("The 5000 variants carried by the most samples, of ", text)
        table = re.findall(r"<table class=\"data\" id=\"variants\">.*?</table>", text, re.S)[0]
        positions = set(re.findall(r"<tr><td>(\d+)</td><td>[^<]*</td><td>([^<]*)</td>", table))
        self.assertEqual(len(positions), 5000)

    def test_chromium_runs_the_page_without_a_script_error(self):
        browser = chromium()
        if browser is None:
            self.skipTest("chromium is not installed (scripts/install-deps installs it)")
        out, _ = self.page(SIX_KEYS)
        profile, rows = self.out("profile"), self.variant_rows(SIX_KEYS)
        for width in (1280, 800):
            p = subprocess.run([browser, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                                "--user-data-dir=" + profile, "--enable-logging=stderr", "--v=0",
                                "--window-size=%d,900" % width, "--dump-dom", "file://" + out],
                               capture_output=True, timeout=120)
            dom = p.stdout.decode("utf-8", "replace")
            log = p.stderr.decode("utf-8", "replace")
            self.assertEqual(p.returncode, 0, log[-2000:])
            self.assertIn('data-ready="yes"', dom)  # the page's script ran to its end
            self.assertIn('id="variants-count">%d of %d rows<' % (rows, rows), dom)
            console = [l for l in log.splitlines() if "CONSOLE" in l or "Uncaught" in l]
            self.assertEqual(console, [], "\n".join(console))


class Multiqc(CliCase):
    def test_all_writes_both_sections_and_multiqc_finds_them(self):
        folder = self.out("results")
        rc, _, err = run("all", SIX_KEYS, "-o", folder, "--charts", "none", "--html")
        self.assertEqual(rc, 0, err)
        self.assertTrue(os.path.exists(os.path.join(folder, "report.html")))
        classes = json.loads(read_file(os.path.join(folder, "corvella_mqc.json")))
        self.assertEqual(classes["plot_type"], "bargraph")
        self.assertEqual(sorted(classes["data"]), ["S1", "S2", "S3", "S4", "S5"])
        # The protein classes are the per-sample report's totals, sample by sample.
        totals, block = {}, None
        for line in read_file(os.path.join(folder, "protein-samples.txt")).decode().split("\r\n"):
            cells = line.split("\t")
            if cells[0] in ("Synonymous", "Non-Synonymous"):
                block = cells[0].lower()
            elif cells[0].startswith(">"):
                totals.setdefault(cells[0][1:], {})[block] = int(cells[-1])
        self.assertEqual(len(totals), 5)
        for sample, counts in totals.items():
            got = classes["data"][sample]
            self.assertEqual((got["synonymous"], got["non-synonymous"]), (counts["synonymous"], counts["non-synonymous"]),
                             sample)
            self.assertEqual((got["tRNA"], got["rRNA"], got["D-loop"]), (0, 0, 0), sample)
        genes = read_file(os.path.join(folder, "corvella_genes_mqc.tsv")).decode()
        self.assertIn("# plot_type: 'table'", genes)
        table = [l for l in genes.split("\n") if l and not l.startswith("#")]
        self.assertEqual(table, read_file(os.path.join(folder, "genes.txt")).decode().split("\r\n")[:-1])
        if shutil.which("multiqc") is None:
            self.skipTest("multiqc is not installed (scripts/install-deps installs it)")
        report = self.out("mqc")
        p = subprocess.run(["multiqc", "--force", "--outdir", report, folder], capture_output=True, timeout=300)
        self.assertEqual(p.returncode, 0, p.stderr.decode()[-2000:])
        html = read_file(os.path.join(report, "multiqc_report.html")).decode("utf-8", "replace")
        for section in ("corvella_variant_classes", "corvella_genes"):
            self.assertIn(section, html)


if __name__ == "__main__":
    run_group(__name__)
