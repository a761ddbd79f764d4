"""Inputs corvella-cli refuses raise corvella.InputError with its message;
options out of range raise ValueError; Check Position gives the CLI's lines
and messages."""

import pytest

import corvella
from conftest import cli_message, fixture, run_cli


def refusal_cases(tmp):
    tabs = tmp / "tabs.hsd"
    tabs.write_text("\t\t\t\n")
    bad_list = tmp / "bad.txt"
    bad_list.write_text(">A\n>B\n73G\n263G\n1000A\n")
    bad_reference = tmp / "ref.gb"
    bad_reference.write_text("LOCUS nothing\n")
    return [
        # (CLI words before the command, inputs, read() keywords)
        ([], [fixture("vcf", "hg19_chrM.vcf")], {}),
        ([], [fixture("vcf", "all_mismatch.vcf")], {}),
        ([], [fixture("vcf", "sites_only.vcf")], {}),
        ([], [fixture("vcf", "mity.vcf"), fixture("vcf", "cohort.hsd")], {}),
        (["--format", "vcf"], [str(tmp / "missing.vcf")], {"format": "vcf"}),
        ([], [str(tmp / "missing.txt")], {}),
        ([], [str(tabs)], {}),
        ([], [str(bad_list)], {}),
        ([], ["@" + str(tmp / "no-paths.txt")], {}),
        (["--reference", str(bad_reference)], [fixture("cli", "six_keys.txt")], {"reference": str(bad_reference)}),
    ]


def test_every_refusal_raises_the_cli_message(tmp_path):
    for options, inputs, keywords in refusal_cases(tmp_path):
        expected = cli_message(*options, "genes", *inputs, "-o", str(tmp_path / "g.txt"))
        with pytest.raises(corvella.InputError) as e:
            corvella.read(inputs, **keywords)
        assert str(e.value) == expected, inputs


def test_paths_file_reads_the_files_it_lists(tmp_path):
    listing = tmp_path / "paths.txt"
    listing.write_text(fixture("cli", "six_keys.txt") + "\n\n" + fixture("cli", "six_keys.txt") + "\n")
    twice = corvella.read("@" + str(listing))
    once = corvella.read(fixture("cli", "six_keys.txt"))
    assert len(twice) == 2 * len(once)
    assert twice.paths == [fixture("cli", "six_keys.txt")] * 2


@pytest.mark.parametrize("keywords,message", [
    ({"min_level": 1.5}, "min_level takes a number from 0 to 1, not 1.5"),
    ({"min_level": -0.1}, "min_level takes a number from 0 to 1, not -0.1"),
    ({"min_level": float("nan")}, "min_level takes a number from 0 to 1, not nan"),
    ({"format": "bam"}, "format takes list, hsd, vcf or fasta, not bam"),
])
def test_options_out_of_range(keywords, message):
    with pytest.raises(ValueError) as e:
        corvella.read(fixture("cli", "six_keys.txt"), **keywords)
    assert str(e.value) == message
    assert not isinstance(e.value, corvella.InputError)


def test_structure_reports_need_the_human_reference():
    cohort = corvella.read(fixture("cli", "six_keys.txt"), reference=fixture("NC_012920.1.gb"))
    assert not cohort.human_reference
    for kind in ("trna", "rrna"):
        with pytest.raises(corvella.InputError) as e:
            cohort.report(kind, "summary")
        assert str(e.value) == kind + " reports need the built-in human reference; leave out reference."
    assert len(cohort.report("protein", "summary")) > 0


@pytest.mark.parametrize("position,base", [(14766, "T"), ("8527", "G"), (3243, "G"), (16519, "C"), (9207, "T")])
def test_check_prints_the_cli_lines(position, base):
    rc, out, err = run_cli("check", str(position), base)
    assert rc == 0, err
    assert corvella.check(position, base) == out.splitlines()


@pytest.mark.parametrize("position,base", [("", "T"), ("12a", "T"), (0, "T"), (20000, "A"), (14766, "Q")])
def test_check_refusals_are_the_cli_messages(position, base):
    expected = cli_message("check", str(position), base)
    with pytest.raises(ValueError) as e:
        corvella.check(position, base)
    assert str(e.value) == expected


def test_stats_refusals_are_the_cli_messages(tmp_path):
    bad_groups = tmp_path / "bad.tsv"
    bad_groups.write_text("S1\tH\tspare\n")
    two = tmp_path / "two.fasta"
    two.write_text(">a\nACGT\n>b\nACGT\n")
    source = fixture("cli", "six_keys.txt")
    for keyword, path in [("groups", bad_groups), ("groups", tmp_path / "missing.tsv"), ("outgroup", two)]:
        expected = cli_message("stats", source, "-o", str(tmp_path / "s.txt"), "--" + keyword, str(path))
        with pytest.raises(corvella.InputError) as e:
            corvella.read(source).stats(**{keyword: path})
        assert str(e.value) == expected, (keyword, path)
