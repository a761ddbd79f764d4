"""Shared fixtures of the Python module's tests: the corvella-cli they are
compared with, the fixture folder and a temporary folder per test. CTest
sets CORVELLA_CLI, CORVELLA_TEST_DATA and PYTHONPATH (the build folder's
python/)."""

import os
import subprocess

import pytest

CLI = os.environ.get("CORVELLA_CLI", "")
DATA = os.environ.get("CORVELLA_TEST_DATA", "")


def fixture(*names):
    """The path of a file under tests/data."""
    return os.path.join(DATA, *names)


def run_cli(*words, cwd=None):
    """Runs corvella-cli; returns (status, stdout, stderr) as texts."""
    p = subprocess.run([CLI, *words], capture_output=True, cwd=cwd,
                       env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    return p.returncode, p.stdout.decode("utf-8", "replace"), p.stderr.decode("utf-8", "replace")


def cli_message(*words):
    """The message corvella-cli prints for a refused call, without its
    "corvella-cli: " and line end; the call must fail."""
    rc, _, err = run_cli(*words)
    assert rc != 0, words
    assert err.startswith("corvella-cli: "), err
    return err[len("corvella-cli: "):].rstrip("\n")


@pytest.fixture(scope="session", autouse=True)
def _cli_is_there():
    assert os.access(CLI, os.X_OK), "CORVELLA_CLI must name the built corvella-cli"
    assert os.path.isdir(DATA), "CORVELLA_TEST_DATA must name tests/data"
