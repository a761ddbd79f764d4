"""Cohort.write and corvella.write_all write the files corvella-cli writes,
byte for byte (an .xlsx container records the time it was written, so its
cells are compared)."""

import os

import pandas as pd
import pytest

import corvella
from conftest import fixture, run_cli

LIST = fixture("cli", "six_keys.txt")


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


@pytest.mark.parametrize("kind,table", [("protein", "summary"), ("nonprotein", "samples"), ("trna", "positions"),
                                        ("rrna", "samples"), ("variants", None), ("genes", None)])
@pytest.mark.parametrize("form", ["txt", "xls", "xlsx"])
def test_write_gives_the_cli_file(tmp_path, kind, table, form):
    cli, own = str(tmp_path / ("cli." + form)), str(tmp_path / ("own." + form))
    words = {"variants": ["annotate"], "genes": ["genes"]}.get(kind, ["report", kind, table])
    rc, _, err = run_cli(*words, LIST, "-o", cli)
    assert rc == 0, err
    corvella.read(LIST).write(kind, table, own)
    if form == "xlsx":
        pd.testing.assert_frame_equal(pd.read_excel(own, header=None), pd.read_excel(cli, header=None))
    else:
        assert read_bytes(own) == read_bytes(cli)


def test_tables_without_tables_take_the_path_second(tmp_path):
    cohort = corvella.read(LIST)
    cohort.write("genes", tmp_path / "a.txt")
    cohort.write("genes", None, tmp_path / "b.txt")
    assert read_bytes(tmp_path / "a.txt") == read_bytes(tmp_path / "b.txt")
    with pytest.raises(TypeError):
        cohort.write("protein", "summary")


@pytest.mark.parametrize("inputs,options,keywords", [
    ([LIST], [], {}),
    ([fixture("vcf", "mutserve.vcf")], ["--min-level", "0.2"], {"min_level": 0.2}),
    ([LIST], ["--reference", fixture("NC_012920.1.gb")], {"reference": fixture("NC_012920.1.gb")}),
])
def test_write_all_gives_the_cli_folder(tmp_path, inputs, options, keywords):
    cli, own = tmp_path / "cli", tmp_path / "own"
    rc, _, err = run_cli(*options, "all", *inputs, "-o", str(cli), "--forms", "txt,xls", "--charts", "none")
    assert rc == 0, err
    notes = corvella.write_all(corvella.read(inputs, **keywords), own, forms=["txt", "xls"])
    assert sorted(os.listdir(own)) == sorted(os.listdir(cli))
    assert "network.rdf" in os.listdir(own)
    for name in os.listdir(cli):
        assert read_bytes(own / name) == read_bytes(cli / name), name
    printed = [line[len("corvella-cli: "):] for line in err.splitlines()
               if line.startswith("corvella-cli: ") and "left out: " in line]
    assert notes == printed


def test_write_failures_raise_with_the_writer_message(tmp_path):
    cohort = corvella.read(LIST)
    missing = str(tmp_path / "no" / "such" / "t.txt")
    with pytest.raises(corvella.WriteError) as e:
        cohort.write("genes", None, missing)
    assert missing in str(e.value)
    blocker = tmp_path / "file"
    blocker.write_text("x")
    with pytest.raises(corvella.WriteError) as e:
        corvella.write_all(cohort, blocker)
    assert str(e.value) == "Cannot create folder %s: Not a directory" % blocker


@pytest.mark.parametrize("call,message", [
    (lambda c: c.write("protein", "nope", "x.txt"), "unknown table nope"),
    (lambda c: c.write("dna", "summary", "x.txt"), "unknown report kind dna"),
    (lambda c: c.write("protein", None, "x.txt"), "protein needs a table: summary, positions or samples"),
    (lambda c: c.write("genes", "summary", "x.txt"), "genes has no tables; give table=None"),
    (lambda c: c.report("protein", "all"), "unknown table all"),
    (lambda c: corvella.write_all(c, "x", forms=["pdf"]), "forms take txt, xls and xlsx, not pdf"),
])
def test_unknown_names_are_refused(tmp_path, call, message):
    os.chdir(tmp_path)
    with pytest.raises(ValueError) as e:
        call(corvella.read(LIST))
    assert str(e.value) == message
    assert os.listdir(tmp_path) == []
