#!/usr/bin/env python3
"""The annotation's conformance table: famous pathogenic variants and the edge cases of the human
mitogenome (initiation codons, stops completed by the poly(A) tail, insertions and deletions on
both strands, list insertions, an MNP), each with its symbol, consequence and HGVS, checked in
corvella-cli annotate's table and in its annotated VCF through bcftools +split-vep. The expected
protein and coding notations are checked first against the test's own translation of the rCRS
GenBank record under the vertebrate mitochondrial code. Usage: annotation_test.py CLI GROUP"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cli_test import GENBANK, CliCase, run, run_group, text_rows  # noqa: E402

BASES = "TCAG"
CODE = dict(zip((a + b + c for a in BASES for b in BASES for c in BASES),
                "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNKKSS**VVVVAAAADDEEGGGG"))
STARTS = {"ATT", "ATC", "ATA", "ATG", "GTG"}  # initiation codons of the vertebrate mitochondrial code
THREE = {"A": "Ala", "R": "Arg", "N": "Asn", "D": "Asp", "C": "Cys", "Q": "Gln", "E": "Glu", "G": "Gly",
         "H": "His", "I": "Ile", "L": "Leu", "K": "Lys", "M": "Met", "F": "Phe", "P": "Pro", "S": "Ser",
         "T": "Thr", "W": "Trp", "Y": "Tyr", "V": "Val", "*": "Ter"}
PAIR = {"A": "T", "C": "G", "G": "C", "T": "A"}


def read_record(path):
    """The sequence and the CDS of every protein gene: (start, end, reverse) by /gene."""
    with open(path) as f:
        text = f.read()
    features, origin = text.split("\nORIGIN", 1)
    sequence = "".join(re.findall("[acgtn]+", origin.split("//")[0])).upper()
    genes = {}
    for location, body in re.findall(r"\n     CDS +(\S+)\n((?:                     .*\n)+)", features):
        name = re.search(r'/gene="([^"]+)"', body).group(1)
        start, end = map(int, re.findall(r"\d+", location))
        genes[name] = (start, end, location.startswith("complement"))
    return sequence, genes


SEQUENCE, GENES = read_record(GENBANK)
SYMBOLS = {"MT-ND1": "ND1", "MT-ND2": "ND2", "MT-ND4": "ND4", "MT-ND6": "ND6", "MT-CO1": "COX1",
           "MT-CO3": "COX3", "MT-ATP6": "ATP6"}


def revcomp(s):
    return "".join(PAIR[c] for c in reversed(s))


def coding(symbol, genome=SEQUENCE, shift=0):
    """The gene's coding sequence on its own strand, its end moved by `shift` letters."""
    start, end, reverse = GENES[SYMBOLS[symbol]]
    cds = genome[start - 1:end + shift]
    return revcomp(cds) if reverse else cds


def translate(cds):
    cds += "A" * (-len(cds) % 3)  # the poly(A) tail completes the last codon
    protein = ""
    for i in range(0, len(cds) - 2, 3):
        protein += CODE[cds[i:i + 3]]
        if protein[-1] == "*":
            break
    return protein


def expected_protein(symbol, hgvsc):
    """The protein notation the test derives from a coding notation on its own translation."""
    cds = coding(symbol)
    m = re.fullmatch(r"c\.(\d+)([ACGT])>([ACGT])", hgvsc)
    if m:
        i, ref, alt = int(m.group(1)) - 1, m.group(2), m.group(3)
        assert cds[i] == ref, (symbol, hgvsc, cds[i])
        codon = cds + "A" * (-len(cds) % 3)
        codon = codon[i - i % 3:i - i % 3 + 3]
        changed = codon[:i % 3] + alt + codon[i % 3 + 1:]
        n = i // 3 + 1
        if n == 1:
            return "p.Met1=" if changed in STARTS else "p.Met1?"
        a, b = THREE[CODE[codon]], THREE[CODE[changed]]
        if a == "Ter" and b != "Ter":
            return f"p.Ter{n}{b}ext*?"
        return f"p.{a}{n}=" if a == b else f"p.{a}{n}{b}"
    m = re.fullmatch(r"c\.(\d+)_(\d+)(del|ins)([ACGT]*)", hgvsc)
    if m:
        # In frame: what the two proteins do not share at their ends, the 3'-most of a repeat.
        a, b = int(m.group(1)), int(m.group(2))
        changed = cds[:a - 1] + cds[b:] if m.group(3) == "del" else cds[:a] + m.group(4) + cds[a:]
        before, after = translate(cds), translate(changed)
        k = 0
        while before[k] == after[k]:
            k += 1
        j = 0
        while j < min(len(before), len(after)) - k and before[-1 - j] == after[-1 - j]:
            j += 1
        removed, added = before[k:len(before) - j], after[k:len(after) - j]
        if len(removed) == 1 and not added:
            return f"p.{THREE[removed]}{k + 1}del"
        assert not removed and added, (symbol, hgvsc)
        return f"p.{THREE[before[k - 1]]}{k}_{THREE[before[k]]}{k + 1}ins" + "".join(THREE[x] for x in added)
    m = re.fullmatch(r"c\.(\d+)(del|dup)", hgvsc)
    i = int(m.group(1)) - 1
    # The notation names the 3'-most letter of its run on the gene's strand.
    assert i + 1 == len(cds) or cds[i + 1] != cds[i], (symbol, hgvsc)
    changed = cds[:i] + cds[i + 1:] if m.group(2) == "del" else cds[:i + 1] + cds[i:]
    before, after = translate(cds), translate(changed)
    k = next(k for k in range(len(before)) if before[k] != after[k])
    if after[k] == "*":  # a new reading that stops at once is written as the stop it gives
        return f"p.{THREE[before[k]]}{k + 1}Ter"
    stop = after.find("*", k)
    return f"p.{THREE[before[k]]}{k + 1}{THREE[after[k]]}fsTer{stop - k + 1 if stop >= 0 else '?'}"


def genomic_edit_matches_coding(symbol, hgvsg, hgvsc):
    """The genomic and the coding notation describe the same change of the gene."""
    m = re.fullmatch(r"m\.(\d+)(del|dup)", hgvsg)
    p = int(m.group(1))
    genome = SEQUENCE[:p - 1] + SEQUENCE[p:] if m.group(2) == "del" else SEQUENCE[:p] + SEQUENCE[p - 1:]
    assert p == len(SEQUENCE) or SEQUENCE[p] != SEQUENCE[p - 1], hgvsg  # 3'-most on the genome
    cds = coding(symbol)
    c = re.fullmatch(r"c\.(\d+)(del|dup)", hgvsc)
    i = int(c.group(1)) - 1
    changed = cds[:i] + cds[i + 1:] if c.group(2) == "del" else cds[:i + 1] + cds[i:]
    return coding(symbol, genome, -1 if m.group(2) == "del" else 1) == changed


# (POS, REF, ALT, list token, symbol, consequence, HGVSg, HGVSc, HGVSp); the VCF alleles carry an
# anchor letter where the change is an insertion or deletion.
CASES = [
    # MELAS, MERRF, the three LHON mutations, NARP and the aminoglycoside deafness variant.
    (3243, "A", "G", "3243", "MT-TL1", "non_coding_transcript_exon_variant", "m.3243A>G", "", ""),
    (8344, "A", "G", "8344", "MT-TK", "non_coding_transcript_exon_variant", "m.8344A>G", "", ""),
    (3460, "G", "A", "3460", "MT-ND1", "missense_variant", "m.3460G>A", "c.154G>A", "p.Ala52Thr"),
    (11778, "G", "A", "11778", "MT-ND4", "missense_variant", "m.11778G>A", "c.1019G>A", "p.Arg340His"),
    (14484, "T", "C", "14484", "MT-ND6", "missense_variant", "m.14484T>C", "c.190A>G", "p.Met64Val"),
    (8993, "T", "G", "8993G", "MT-ATP6", "missense_variant", "m.8993T>G", "c.467T>G", "p.Leu156Arg"),
    (1555, "A", "G", "1555", "MT-RNR1", "non_coding_transcript_exon_variant", "m.1555A>G", "", ""),
    # Initiation codons: lost, or kept as another start of the code; the first residue is Met.
    (3308, "T", "C", "3308", "MT-ND1", "start_lost", "m.3308T>C", "c.2T>C", "p.Met1?"),
    (3307, "A", "G", "3307", "MT-ND1", "start_lost", "m.3307A>G", "c.1A>G", "p.Met1?"),
    (5904, "A", "G", "5904", "MT-CO1", "start_retained_variant", "m.5904A>G", "c.1A>G", "p.Met1="),
    (14673, "T", "C", "14673", "MT-ND6", "start_retained_variant", "m.14673T>C", "c.1A>G", "p.Met1="),
    (4472, "T", "C", "4472", "MT-ND2", "start_retained_variant", "m.4472T>C", "c.3T>C", "p.Met1="),
    # Stops completed by the poly(A) tail: T.. and TA. read as TAA.
    (12137, "T", "C", "12137", "MT-ND4", "stop_lost", "m.12137T>C", "c.1378T>C", "p.Ter460Glnext*?"),
    (9990, "T", "C", "9990", "MT-CO3", "stop_lost", "m.9990T>C", "c.784T>C", "p.Ter262Glnext*?"),
    (4262, "A", "G", "4262", "MT-ND1", "stop_lost", "m.4262A>G", "c.956A>G", "p.Ter319Trpext*?"),
    # Insertions and deletions, moved 3' along the genome and along the gene's own strand.
    (9536, "C", "CC", "9537.1C", "MT-CO3", "frameshift_variant", "m.9537dup", "c.331dup", "p.Gln111ProfsTer3"),
    (14503, "TA", "T", "14504delA", "MT-ND6", "frameshift_variant", "m.14510del", "c.170del", None),
    (14503, "T", "TA", "14503insA", "MT-ND6", "frameshift_variant", "m.14510dup", "c.170dup", None),
    (522, "CAC", "C", "522-523del", "", "intergenic_variant", "m.523_524del", "", ""),
    (309, "C", "CC", "309.1C", "", "intergenic_variant", "m.309dup", "", ""),
    (315, "C", "CC", "315.1C", "", "intergenic_variant", "m.315dup", "", ""),
    (3106, "C", "CT", "3106insT", "MT-RNR2", "non_coding_transcript_exon_variant", "m.3106_3107insT", "", ""),
    (9537, "CAAT", "C", "9538_9540delAAT", "MT-CO3", "inframe_deletion", "m.9538_9540del", "c.332_334del", "p.Gln111del"),
    (9540, "T", "TGAT", "9540insGAT", "MT-CO3", "inframe_insertion", "m.9540_9541insGAT", "c.334_335insGAT",
     "p.Gln111_Leu112insTrp"),
]


def edited(pos, ref, alt):
    """The genome with a VCF-style change made."""
    assert SEQUENCE[pos - 1:pos - 1 + len(ref)] == ref
    return SEQUENCE[:pos - 1] + alt + SEQUENCE[pos - 1 + len(ref):]


def token_edited(token):
    """The genome with a list's insertion or deletion token made, or None for another token."""
    m = re.fullmatch(r"(\d+)\.\d+([ACGT]+)", token)  # 309.1C: C after 309
    if m:
        p = int(m.group(1))
        return SEQUENCE[:p] + m.group(2) + SEQUENCE[p:]
    m = re.fullmatch(r"(\d+)(?:[-_](\d+))?(ins|del)([ACGT]*)", token)
    if not m:
        return None
    p = int(m.group(1))
    if m.group(3) == "ins":
        return SEQUENCE[:p] + m.group(4) + SEQUENCE[p:]
    last = int(m.group(2)) if m.group(2) else p + max(len(m.group(4)), 1) - 1
    return SEQUENCE[:p - 1] + SEQUENCE[last:]


def completed(case):
    """The case with the protein notation the test derives where the table leaves it None."""
    pos, ref, alt, token, symbol, consequence, hgvsg, hgvsc, hgvsp = case
    return pos, ref, alt, token, symbol, consequence, hgvsg, hgvsc, hgvsp if hgvsp is not None else expected_protein(symbol, hgvsc)


def bcftools(*args, warnings_allowed=False):
    p = subprocess.run(["bcftools", *args], capture_output=True)
    assert p.returncode == 0, p.stderr.decode()
    if not warnings_allowed:
        assert p.stderr == b"", p.stderr.decode()
    return p.stdout.decode()


# No ##contig line and a FILTER value the header never declares.
VCF_HEAD = "##fileformat=VCFv4.2\n#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\n"


class Conformance(CliCase):
    def test_the_expected_notations_agree_with_the_rcrs(self):
        for case in CASES:
            pos, ref, alt, _, symbol, _, hgvsg, hgvsc, hgvsp = case
            self.assertEqual(SEQUENCE[pos - 1:pos - 1 + len(ref)], ref, case)
            if not hgvsc:
                continue
            self.assertEqual(completed(case)[8], expected_protein(symbol, hgvsc), case)
            if re.fullmatch(r"m\.\d+(del|dup)", hgvsg):
                self.assertTrue(genomic_edit_matches_coding(symbol, hgvsg, hgvsc), case)
        # The genes' last codons the poly(A) tail completes, and the TAA it gives.
        for name in ("ND1", "ND2", "COX3", "ND3", "ND4", "CYTB"):
            start, end, _ = GENES[name]
            self.assertNotEqual((end - start + 1) % 3, 0, name)
            self.assertEqual(translate(SEQUENCE[start - 1:end])[-1], "*", name)

    def annotated_vcf(self, *pre, cases=CASES, name="out.vcf"):
        source = self.out("in.vcf")
        with open(source, "w") as f:
            f.write(VCF_HEAD)
            for pos, ref, alt, *_ in cases:
                f.write(f"chrM\t{pos}\t.\t{ref}\t{alt}\t.\tlowq\t.\n")
            # An MNP: 14484T>C written with the letter after it.
            f.write(f"chrM\t14484\t.\tT{SEQUENCE[14484]}\tC{SEQUENCE[14484]}\t.\tPASS\t.\n")
        out = self.out(name)
        self.assertEqual(run(*pre, "annotate", source, "-o", out), (0, "", ""))
        return out

    def csq(self, out):
        fields = "%POS\t%REF\t%ALT\t%SYMBOL\t%Consequence\t%HGVSg\t%HGVSc\t%HGVSp\n"
        return [line.split("\t") for line in bcftools("+split-vep", "-d", "-f", fields, out).splitlines()]

    def test_the_annotated_vcf_gives_every_case_by_name(self):
        for name in ("out.vcf", "out.vcf.gz", "out.bcf"):
            entries = self.csq(self.annotated_vcf(name=name))
            by = {}
            for pos, ref, alt, *rest in entries:
                by.setdefault((int(pos), ref, alt), []).append(rest)
            for case in map(completed, CASES):
                pos, ref, alt, _, symbol, consequence, hgvsg, hgvsc, hgvsp = case
                gene = symbol or "."
                self.assertEqual(by[(pos, ref, alt)], [[gene, consequence, "NC_012920.1:" + hgvsg,
                                                       f"{symbol}:{hgvsc}" if hgvsc else ".",
                                                       f"{symbol}:{hgvsp}".replace("=", "%3D") if hgvsp else "."]],
                                 (name, case))
            mnp = by[(14484, "T" + SEQUENCE[14484], "C" + SEQUENCE[14484])]
            self.assertEqual(mnp, [["MT-ND6", "missense_variant", "NC_012920.1:m.14484T>C", "MT-ND6:c.190A>G",
                                    "MT-ND6:p.Met64Val"]])

    def test_bcftools_reads_the_output_without_a_warning(self):
        for name in ("out.vcf", "out.vcf.gz", "out.bcf"):
            out = self.annotated_vcf(name=name)
            header = bcftools("view", "-h", out)
            self.assertIn("##contig=<ID=chrM,length=16569>", header)
            self.assertIn("##FILTER=<ID=lowq,", header)
            self.assertIn("Format: Allele|Consequence|SYMBOL|Feature_type|HGVSg|HGVSc|HGVSp|", header)
            body = bcftools("view", "-H", out)
            self.assertEqual(body.count("\n"), len(CASES) + 1, name)

    def test_the_table_gives_every_list_case(self):
        source = self.out("cases.txt")
        with open(source, "w") as f:
            f.write(">a\n" + " ".join(case[3] for case in CASES if case[3]) + " 3107 \n")
        self.assertEqual(run("annotate", source, "-o", self.out("t.txt")), (0, "", ""))
        rows = text_rows(self.out("t.txt"))
        col = {name: i for i, name in enumerate(rows[0])}
        by = {}
        for r in rows[1:]:
            by.setdefault(r[col["HGVS"]], []).append(r)
        for case in map(completed, CASES):
            pos, ref, alt, token, symbol, consequence, hgvsg, hgvsc, hgvsp = case
            if token is None:
                continue
            found = by.pop(hgvsg)
            got = [[r[col[c]] for c in ("Symbol", "Consequence", "HGVS coding", "HGVS protein")] for r in found]
            self.assertEqual(got, [[symbol, consequence, hgvsc, hgvsp]], case)
            row = found[0]
            if token_edited(token) is None:
                self.assertEqual([row[col["Variant"]], row[col["Ref"]], row[col["Alt"]]], [token, ref, alt], case)
                continue
            # An indel is written where HGVS puts it, however the list spelled it: the same change.
            genome = edited(pos, ref, alt)
            self.assertEqual(edited(int(row[col["Position"]]), row[col["Ref"]], row[col["Alt"]]), genome, case)
            self.assertEqual(token_edited(row[col["Variant"]]), genome, case)
            self.assertEqual(token_edited(token), genome, case)
        # Nothing else: no substitution to the reference letter, none of the N at 3107.
        self.assertEqual(by, {})
        for r in rows[1:]:
            self.assertNotEqual(r[col["Ref"]], r[col["Alt"]])

    def test_a_genbank_reference_completes_its_stops_and_names_its_genes(self):
        # The rCRS record's ND4 ends in a lone T (12137): its /transl_except says TAA.
        cases = [c for c in CASES if c[0] in (12137, 9990, 3460, 14484, 9536)]
        entries = self.csq(self.annotated_vcf("--reference", GENBANK, cases=cases))
        by = {(int(e[0]), e[1], e[2]): e[3:] for e in entries}
        for pos, ref, alt, _, symbol, consequence, hgvsg, hgvsc, hgvsp in map(completed, cases):
            gene = SYMBOLS[symbol]
            self.assertEqual(by[(pos, ref, alt)], [gene, consequence, "NC_012920.1:" + hgvsg, f"{gene}:{hgvsc}",
                                                   f"{gene}:{hgvsp}"])
        # The table of the same cases as list tokens, the insertion among them.
        source = self.out("genbank-cases.txt")
        with open(source, "w") as f:
            f.write(">a\n" + " ".join(c[3] for c in cases) + "\n")
        self.assertEqual(run("--reference", GENBANK, "annotate", source, "-o", self.out("g.txt")), (0, "", ""))
        rows = text_rows(self.out("g.txt"))
        col = {name: i for i, name in enumerate(rows[0])}
        got = {r[col["HGVS"]]: [r[col[c]] for c in ("Symbol", "Consequence", "HGVS coding", "HGVS protein")]
               for r in rows[1:]}
        self.assertEqual(got, {hgvsg: [SYMBOLS[symbol], consequence, hgvsc, hgvsp]
                               for _, _, _, _, symbol, consequence, hgvsg, hgvsc, hgvsp in map(completed, cases)})


if __name__ == "__main__":
    run_group(__name__)
