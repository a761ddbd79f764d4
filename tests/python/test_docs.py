"""The notebook example of docs/guide/python.md runs as written, from a
folder laid out like the source tree, and prints what the page shows."""

import os
import re
import subprocess
import sys

SOURCE = os.environ.get("CORVELLA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
PAGE = os.path.join(SOURCE, "docs", "guide", "python.md")


def blocks(text, language):
    return re.findall(r"^```%s\n(.*?)^```$" % language, text, re.S | re.M)


def test_the_notebook_example_runs_and_prints_what_the_page_shows(tmp_path):
    with open(PAGE, encoding="utf-8") as f:
        text = f.read()
    (example,), (shown,) = blocks(text, "python"), blocks(text, "text")
    assert len(example.strip().splitlines()) == 5
    os.symlink(os.path.join(SOURCE, "tests"), tmp_path / "tests")
    p = subprocess.run([sys.executable, "-c", example], cwd=tmp_path, capture_output=True, text=True)
    assert p.returncode == 0, p.stderr
    assert p.stdout == shown
    assert (tmp_path / "protein-summary.xlsx").exists()
