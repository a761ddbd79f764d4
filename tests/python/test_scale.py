"""A generated cohort of 100,000 samples: its DataFrames build in bounded
memory, and reading it lets other Python threads run. The figures are
printed (pytest -s shows them); no time is asserted."""

import json
import os
import subprocess
import sys

import pytest

import corvella

GENERATE = os.environ.get("CORVELLA_GENERATE", "")
SAMPLES = 100000

# Peak resident memory, in MiB, that reading the cohort and building every
# frame below may take. Measured at 352 MiB (3.3 million calls are the
# largest frame); the limit leaves room for another allocator or pandas.
MEMORY_LIMIT_MIB = 1024

PROBE = r"""
import json, resource, sys, threading, time
import corvella

def peak():
    return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0

ticks, reading = [0], [True]
def tick():
    while reading[0]:
        ticks[0] += 1
        time.sleep(0.001)

figures = {"start": peak()}
ticker = threading.Thread(target=tick)
ticker.start()
cohort = corvella.read(sys.argv[1])
reading[0] = False
ticker.join()
figures["ticks_while_reading"] = ticks[0]
figures["read"] = peak()
figures["samples"] = len(cohort)
figures["variants_rows"] = len(cohort.variants())
figures["genes_rows"] = len(cohort.genes())
figures["calls_rows"] = len(cohort.calls())
figures["after_calls"] = peak()
figures["samples_rows"] = len(cohort.report("protein", "samples"))
figures["peak"] = peak()
print(json.dumps(figures))
"""


@pytest.fixture(scope="module")
def cohort_file(tmp_path_factory):
    if not os.access(GENERATE, os.X_OK):
        pytest.fail("CORVELLA_GENERATE must name bench's corvella_generate")
    path = str(tmp_path_factory.mktemp("scale") / "cohort.txt")
    subprocess.run([GENERATE, "list", str(SAMPLES), path], check=True, capture_output=True)
    return path


def test_frames_of_100000_samples_build_in_bounded_memory(cohort_file):
    p = subprocess.run([sys.executable, "-c", PROBE, cohort_file], capture_output=True, text=True,
                       env=os.environ)
    assert p.returncode == 0, p.stderr
    figures = json.loads(p.stdout)
    print("\n100,000-sample cohort, peak resident MiB:", figures)
    assert figures["samples"] == SAMPLES
    # The per-sample report has two tables of one row per sample.
    assert figures["samples_rows"] >= 2 * SAMPLES
    assert figures["calls_rows"] > SAMPLES
    assert figures["peak"] < MEMORY_LIMIT_MIB
    # The reader released the GIL: the ticking thread ran while it read.
    assert figures["ticks_while_reading"] > 10


def test_every_public_function_says_what_it_takes_and_returns():
    public = [corvella.read, corvella.check, corvella.write_all, corvella.Cohort]
    public += [getattr(corvella.Cohort, name) for name in dir(corvella.Cohort)
               if not name.startswith("_") or name in ("__len__",)]
    for thing in public:
        doc = getattr(thing, "__doc__", None) or (thing.fget.__doc__ if isinstance(thing, property) else None)
        assert doc and len(doc.split()) >= 5, thing
