"""Every DataFrame against the file corvella-cli writes for the same input:
the variant and gene tables against their text tables read by pandas, the
counting reports against their .xlsx sheets, the calls against the variant
table's carriers."""

import contextlib
import math

import pandas as pd
import pytest

import corvella
from conftest import fixture, run_cli

# Inputs of every kind the readers take, with the CLI's input options.
INPUTS = {
    "list": ([fixture("cli", "six_keys.txt")], [], {}),
    "vcf_levels": ([fixture("vcf", "mutserve.vcf")], ["--min-level", "0.1"], {"min_level": 0.1}),
    "vcf_haploid": ([fixture("vcf", "kg_haploid.vcf")], [], {}),
    "hsd": ([fixture("vcf", "cohort.hsd")], [], {}),
    "other_reference": ([fixture("cli", "six_keys.txt")], ["--reference", fixture("NC_012920.1.gb")],
                        {"reference": fixture("NC_012920.1.gb")}),
}


def cli_file(tmp_path, options, command, paths, name):
    out = str(tmp_path / name)
    rc, _, err = run_cli(*options, *command, *paths, "-o", out)
    assert rc == 0, err
    return out


@pytest.mark.parametrize("input_name", sorted(INPUTS))
@pytest.mark.parametrize("command,method", [("annotate", "variants"), ("genes", "genes")])
def test_table_equals_the_cli_text_table(tmp_path, input_name, command, method):
    paths, options, keywords = INPUTS[input_name]
    expected = pd.read_csv(cli_file(tmp_path, options, [command], paths, "t.txt"), sep="\t")
    frame = getattr(corvella.read(paths, **keywords), method)()
    assert len(frame) > 0
    pd.testing.assert_frame_equal(frame, expected, check_exact=False, rtol=1e-9)


def test_numbers_are_numbers_and_texts_stay_texts():
    frame = corvella.read(fixture("cli", "six_keys.txt")).variants()
    # A column of whole numbers, one of decimals, one of texts that look
    # like numbers in places (8527 beside 9207T).
    assert frame["Position"].dtype == "int64"
    assert frame["Frequency"].dtype == "float64"
    assert frame["Variant"].map(type).eq(str).all()
    assert frame.loc[frame["Variant"] == "9207T", "Samples"].tolist() == [2, 2]


def sheet_cells(path):
    """The .xlsx sheet as rows of cells, openpyxl reading it."""
    sheet = pd.read_excel(path, header=None, dtype=object)
    return [[None if (isinstance(v, float) and math.isnan(v)) else v for v in row]
            for row in sheet.itertuples(index=False)]


def same_cell(frame_value, sheet_value):
    """The workbook stores whole numbers as numbers and decimals as their
    text; the frame has both as numbers."""
    if sheet_value is None:
        return isinstance(frame_value, float) and math.isnan(frame_value)
    if isinstance(sheet_value, str) and isinstance(frame_value, (int, float)) and not isinstance(frame_value, bool):
        return float(sheet_value) == frame_value
    return frame_value == sheet_value


KINDS = [(kind, table) for kind in ("protein", "nonprotein", "trna", "rrna")
         for table in ("summary", "positions", "samples")]


@pytest.mark.parametrize("input_name", ["list", "vcf_levels"])
@pytest.mark.parametrize("kind,table", KINDS)
def test_report_equals_the_cli_workbook_sheet(tmp_path, input_name, kind, table):
    paths, options, keywords = INPUTS[input_name]
    expected = sheet_cells(cli_file(tmp_path, options, ["report", kind, table], paths, "r.xlsx"))
    frame = corvella.read(paths, **keywords).report(kind, table)
    # read_excel drops the empty rows at the sheet's end; the frame keeps
    # the sheet's declared extent.
    rows = [list(r) for r in frame.itertuples(index=False)]
    while rows and all(isinstance(v, float) and math.isnan(v) for v in rows[-1]):
        rows.pop()
    assert len(rows) == len(expected)
    assert list(frame.columns) == list(range(len(frame.columns)))
    for r, (got, want) in enumerate(zip(rows, expected)):
        want = want + [None] * (len(got) - len(want))
        assert len(got) == len(want), r
        for c, (g, w) in enumerate(zip(got, want)):
            assert same_cell(g, w), (r, c, g, w)


def test_calls_agree_with_the_variant_table_carriers():
    # Levels from a VCF with heteroplasmies: each variant's carriers and
    # highest level as the variant table counts them.
    cohort = corvella.read(fixture("vcf", "mutserve.vcf"), min_level=0.1)
    calls = cohort.calls()
    assert list(calls.columns) == ["sample", "position", "ref", "alt", "level"]
    assert calls["level"].lt(1).any(), "the fixture has heteroplasmic calls"
    assert set(calls["sample"].astype(str)) <= set(cohort.samples)
    # The fixture's 3107 N>C is the reference's placeholder: no call, and no
    # row in the table either.
    assert not calls["ref"].eq("N").any(), "a call at the reference's N"
    carriers = calls[calls["ref"] != "N"].groupby(["position", "alt"], observed=True).agg(
        samples=("sample", "nunique"), top=("level", "max"))
    variants = cohort.variants().drop_duplicates(["Position", "Alt"])
    joined = variants.merge(carriers, how="outer", left_on=["Position", "Alt"], right_index=True)
    assert not joined[["Samples", "samples"]].isna().any().any(), "a variant without calls, or calls without a row"
    assert (joined["Samples"] == joined["samples"]).all()
    assert ((joined["Max level"] - joined["top"]).abs() <= 0.0005).all()


def test_calls_of_a_list_name_their_samples_and_reference_letters(tmp_path):
    path = tmp_path / "two.txt"
    path.write_text(">A\n73G 263G\n>B\n16519C\n")
    calls = corvella.read(str(path)).calls()
    assert calls.astype({"sample": str}).values.tolist() == [
        [">A", 73, "A", "G", 1.0],
        [">A", 263, "A", "G", 1.0],
        [">B", 16519, "T", "C", 1.0],
    ]


def test_summary_is_the_import_summary_the_cli_prints(tmp_path):
    path = fixture("vcf", "mutserve.vcf")
    rc, _, err = run_cli("convert", path, "-o", str(tmp_path / "l.txt"))
    assert rc == 0, err
    cohort = corvella.read(path)
    assert err.splitlines()[0] == "corvella-cli: mutserve.vcf: " + cohort.summary["text"]
    assert cohort.summary["samples"] == len(cohort)
    assert corvella.read(fixture("cli", "six_keys.txt")).summary is None


def stats_inputs(tmp):
    """A groups file with names of no sample and an outgroup with two fixed
    differences in CYTB, for the six-key list."""
    groups = tmp / "groups.csv"
    groups.write_text("sample,group\nS1,H\nS2,H\nS3,L3\nNOPE,L3\nGONE,K\n")
    gb = open(fixture("NC_012920.1.gb")).read()
    letters = [c for c in gb.split("ORIGIN", 1)[1].split("//", 1)[0].upper() if c.isalpha()]
    letters[14767 - 1] = "C"
    letters[8527 - 1] = "G"
    outgroup = tmp / "out.fasta"
    outgroup.write_text(">ancestor\n" + "".join(letters) + "\n")
    return str(groups), str(outgroup)


@pytest.mark.parametrize("with_groups,with_outgroup", [(False, False), (True, False), (False, True), (True, True)])
def test_stats_equals_the_cli_text_table(tmp_path, with_groups, with_outgroup):
    groups, outgroup = stats_inputs(tmp_path)
    source = fixture("cli", "six_keys.txt")
    words = (["--groups", groups] if with_groups else []) + (["--outgroup", outgroup] if with_outgroup else [])
    expected = pd.read_csv(cli_file(tmp_path, [], ["stats", *words], [source], "s.txt"), sep="\t",
                           keep_default_na=False, na_values=[""])
    with pytest.warns(UserWarning, match="2 names in groups.csv match no sample of the cohort") if with_groups \
            else contextlib.nullcontext():
        frame = corvella.read(source).stats(groups=groups if with_groups else None,
                                            outgroup=outgroup if with_outgroup else None)
    assert len(frame) == len(expected) == 39 * (5 if with_groups else 1)
    assert ("DN" in frame.columns) == with_outgroup
    # Empty cells (Tajima's D of fewer than four, PiS outside protein genes)
    # are missing in both; whole numbers stay whole.
    assert frame["TajimaD"].isna().any() and frame["n"].dtype == "int64"
    pd.testing.assert_frame_equal(frame, expected, check_exact=False, rtol=1e-9, check_dtype=False)
    row = frame[(frame["Region"] == "ATP8") & (frame["Group"] == "all")].iloc[0]
    assert row["Hd"] == pytest.approx(0.7)
