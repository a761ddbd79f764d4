"""Corvella's engine in Python: read a cohort of human mitochondrial variants
and get its tables as pandas DataFrames, or write the same files corvella-cli
writes.

    import corvella
    cohort = corvella.read("cohort.vcf.gz", min_level=0.9)
    variants = cohort.variants()          # the variant table
    genes = cohort.genes()                # the gene table
    cohort.write("protein", "summary", "protein-summary.xlsx")

The tables come from the same library functions as the desktop program and
corvella-cli; this package only turns their rows into DataFrames.
"""

import os
import warnings

import pandas as pd

from . import _corvella
from ._corvella import InputError, WriteError

__all__ = ["read", "check", "write_all", "Cohort", "InputError", "WriteError"]


def _paths(paths):
    if isinstance(paths, (str, bytes, os.PathLike)):
        paths = [paths]
    return [os.fsdecode(p) for p in paths]


def _frame(header, columns):
    labels = list(header) if header is not None else list(range(len(columns)))
    frame = pd.DataFrame(dict(enumerate(columns)), columns=range(len(columns)))
    frame.columns = labels
    return frame


class Cohort:
    """A cohort read with corvella.read: its samples, their calls and levels,
    the reference they were read against and the import summary.

    len(cohort) is the number of samples.
    """

    def __init__(self, engine):
        """Wraps the engine's cohort; made by corvella.read."""
        self._engine = engine

    def __len__(self):
        """The number of samples in the cohort."""
        return len(self._engine)

    def __repr__(self):
        """The input kind, the number of samples and the reference."""
        return "<corvella.Cohort %s, %d samples, reference %s>" % (
            self.format, len(self), self.reference_accession)

    @property
    def samples(self):
        """The samples' names as a list, in the order of the inputs (a
        polymorphism list's names keep their ">")."""
        return self._engine.sample_names

    @property
    def paths(self):
        """The input paths read, with @PATHS words expanded."""
        return self._engine.paths

    @property
    def format(self):
        """The input kind that was read: 'list', 'hsd', 'vcf' or 'fasta'."""
        return self._engine.format

    @property
    def summary(self):
        """The import summary of HSD and VCF input as a dict: files, samples,
        records, calls kept and the counts passed over (other_contig,
        filtered, ref_mismatch, below_level, ...), and 'text', the line
        corvella-cli prints. None for polymorphism lists and FASTA."""
        return self._engine.summary

    @property
    def alignment_summary(self):
        """FASTA input: the alignment's summary as corvella-cli prints it;
        empty for other input."""
        return self._engine.alignment_summary

    @property
    def human_reference(self):
        """True when the cohort was read against the built-in human
        reference (the trna and rrna reports need it)."""
        return self._engine.human_reference

    @property
    def reference_accession(self):
        """The accession of the reference the cohort was read against."""
        return self._engine.reference_accession

    def calls(self):
        """One row per sample and call, in the order of the inputs:
        sample, position (1-based), ref (the reference's letter), alt (the
        called base) and level (the heteroplasmy level, 1.0 for lists and
        HSD; six decimals). sample, ref and alt are categorical, so that
        millions of calls stay small. Returns a pandas DataFrame."""
        codes, names, position, ref, alt, letters, level = self._engine._calls()
        if len(set(names)) == len(names):
            sample = pd.Categorical.from_codes(codes, categories=pd.Index(names, dtype=object))
        else:  # two samples of one name: names as texts
            sample = pd.Series(names, dtype=object).take(codes).to_numpy()
        letters = pd.Index(letters, dtype=object)
        return pd.DataFrame({"sample": sample, "position": position,
                             "ref": pd.Categorical.from_codes(ref, categories=letters),
                             "alt": pd.Categorical.from_codes(alt, categories=letters), "level": level})

    def variants(self):
        """The variant table (corvella-cli annotate) as a pandas DataFrame:
        its columns and rows, numbers as numbers, empty cells missing. It
        equals pandas.read_csv of the CLI's text table with sep="\\t"."""
        return _frame(*self._engine._variants())

    def genes(self):
        """The gene table (corvella-cli genes) as a pandas DataFrame, as
        variants() gives the variant table."""
        return _frame(*self._engine._genes())

    def stats(self, groups=None, outgroup=None):
        """The population statistics table (corvella-cli stats) as a pandas
        DataFrame, as variants() gives the variant table: a row per region
        for all samples, then one per group of `groups`, a file of sample
        name and group per line (tabs or commas). `outgroup`: a FASTA or
        GenBank file of one mitogenome; with it the McDonald-Kreitman
        columns follow. A file that cannot be used raises
        corvella.InputError with corvella-cli's message; names of the groups
        file that match no sample give a UserWarning."""
        header, columns, notes = self._engine._stats(
            None if groups is None else os.fspath(groups),
            None if outgroup is None else os.fspath(outgroup))
        for note in notes:
            if not note.startswith("outgroup "):
                warnings.warn(note, stacklevel=2)
        return _frame(header, columns)

    def report(self, kind, table):
        """A counting report's sheet (corvella-cli report KIND TABLE) as a
        pandas DataFrame: every row of the workbook sheet, titles and headers
        included, in columns 0, 1, ...; numbers as numbers, empty cells
        missing. kind: 'protein', 'nonprotein', 'trna' or 'rrna' (the last
        two need the built-in human reference); table: 'summary',
        'positions' or 'samples'."""
        return _frame(*self._engine._report(kind, table))

    def write(self, kind, table=None, path=None):
        """Writes one table to `path`, the same file corvella-cli writes:
        a path ending in .xlsx is an Excel workbook, .xls an Excel 97-2003
        workbook, anything else a text table. kind: 'protein', 'nonprotein',
        'trna', 'rrna' with table 'summary', 'positions' or 'samples'; or
        'variants' or 'genes' with table None (or the path in its place).
        Raises corvella.WriteError
        when the file cannot be written; returns None."""
        if path is None and kind in ("variants", "genes"):
            table, path = None, table  # write("variants", "variants.txt")
        if path is None:
            raise TypeError("write() needs a path")
        self._engine._write(kind, table, os.fspath(path))


def read(paths, format=None, min_level=0.9, include_filtered=False, reference=None):
    """Reads a cohort and returns a corvella.Cohort.

    paths: one path or a list of paths of one input kind (polymorphism
    lists, HSD, VCF/BCF, unaligned FASTA); a word "@FILE" stands for the
    paths listed in FILE, one a line. format: 'list', 'hsd', 'vcf' or
    'fasta', else detected file by file. min_level: the lowest heteroplasmy
    level of a VCF call that is kept (0 to 1). include_filtered: keep VCF
    records whose FILTER is not PASS. reference: a GenBank file to read
    against instead of the built-in human reference.

    A file that cannot be read raises corvella.InputError with corvella-cli's
    message ("File cannot be opened.", "Bad input format.", ...).
    """
    return Cohort(_corvella._read(_paths(paths), format, float(min_level), bool(include_filtered),
                                  None if reference is None else os.fspath(reference)))


def check(position, base, reference=None):
    """Check Position: what changing the reference at `position` (a number,
    or the text typed) to `base` does to every protein gene there. Returns
    the result's lines as corvella-cli check prints them; a position or base
    that is refused raises ValueError with the message."""
    return _corvella._check(str(position), str(base),
                            None if reference is None else os.fspath(reference))


def write_all(cohort, folder, forms=("txt",)):
    """Writes every counting report, the variant and gene tables and (within
    the network format's limits) network.rdf of `cohort` into `folder`,
    creating it when missing: the files corvella-cli all writes with
    --charts none, for each form of `forms` ('txt', 'xls', 'xlsx').
    Returns the notes corvella-cli prints about files left out, as a list
    of texts. Raises corvella.WriteError when a file cannot be written."""
    if isinstance(forms, str):
        forms = [forms]
    return cohort._engine._write_all(os.fspath(folder), list(forms))
