#!/usr/bin/env python3
"""The README and the guide against the program. Usage: docs_test.py CLI GROUP

A fenced block whose info string is "sh runnable" is run in a scratch folder
laid out like the repository (tests/ is the repository's, build/corvella-cli
and corvella-cli on PATH are the program under test), one folder per page, the
page's blocks in order. A block with "$ " lines is a transcript: each command
is run and what it prints (stdout and stderr) must be the lines below it, with
blanks and TABs compared as one blank and CR dropped; a command ending in
"# exit N" must exit N, the others 0. Any other block is a script run with
sh -e that must exit 0.
"""
import os
import re
import subprocess
import sys
import tempfile
import unittest

CLI = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else "build/corvella-cli"
SOURCE = os.path.abspath(os.environ.get("CORVELLA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", "..")))
GUIDE = os.path.join(SOURCE, "docs", "guide")
MAN_CLI = os.path.join(SOURCE, "docs", "man", "corvella-cli.1")

FENCE = re.compile(r"^```(.*)$")
EXIT = re.compile(r"#\s*exit\s+(\d+)\s*$")


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def pages():
    """README.md and every guide page, as (path, text)."""
    names = [os.path.join(SOURCE, "README.md")]
    names += sorted(os.path.join(GUIDE, n) for n in os.listdir(GUIDE) if n.endswith(".md"))
    return [(p, read(p)) for p in names]


def fenced_blocks(text):
    """Every fenced block as (line of its fence, info string, lines)."""
    blocks, info, start, body = [], None, 0, []
    for number, line in enumerate(text.split("\n"), 1):
        m = FENCE.match(line)
        if info is None:
            if m:
                info, start, body = m.group(1).strip(), number, []
        elif line.strip() == "```":
            blocks.append((start, info, body))
            info = None
        else:
            body.append(line)
    if info is not None:
        raise AssertionError("a fenced block from line %d is never closed" % start)
    return blocks


def runnable_blocks(text):
    return [(line, body) for line, info, body in fenced_blocks(text) if info.split() == ["sh", "runnable"]]


def normalise(output):
    lines = [re.sub(r"[ \t]+", " ", l.replace("\r", "")).strip() for l in output.split("\n")]
    while lines and not lines[-1]:
        lines.pop()
    return lines


def transcript(body):
    """A transcript block's (command, expected exit status, expected lines)."""
    steps = []
    for line in body:
        if line.startswith("$ "):
            command = line[2:]
            m = EXIT.search(command)
            steps.append([command, int(m.group(1)) if m else 0, []])
        elif steps:
            steps[-1][2].append(line)
        elif line.strip():
            raise AssertionError("a transcript must begin with a \"$ \" line: " + line)
    return [(c, s, normalise("\n".join(e))) for c, s, e in steps]


def scratch_folder(root):
    """A folder that looks like the repository to the examples."""
    os.symlink(os.path.join(SOURCE, "tests"), os.path.join(root, "tests"))
    os.mkdir(os.path.join(root, "build"))
    os.symlink(CLI, os.path.join(root, "build", "corvella-cli"))
    bin_dir = os.path.join(root, ".bin")
    os.mkdir(bin_dir)
    os.symlink(CLI, os.path.join(bin_dir, "corvella-cli"))
    env = dict(os.environ, PATH=bin_dir + os.pathsep + os.environ.get("PATH", "/usr/bin:/bin"), LC_ALL="C")
    return env


def run_block(body, cwd, env):
    """The faults of one block, as texts (none when it runs as shown)."""
    if not any(l.startswith("$ ") for l in body):
        p = subprocess.run(["sh", "-ec", "\n".join(body)], cwd=cwd, env=env, capture_output=True, timeout=300)
        if p.returncode != 0:
            return ["exit status %d\n%s" % (p.returncode, p.stderr.decode("utf-8", "replace"))]
        return []
    faults = []
    for command, status, expected in transcript(body):
        p = subprocess.run(["sh", "-c", command], cwd=cwd, env=env, stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT, timeout=300)
        got = normalise(p.stdout.decode("utf-8", "replace"))
        if p.returncode != status:
            faults.append("%s: exit status %d, not %d\n%s" % (command, p.returncode, status, "\n".join(got)))
        elif expected and got != expected:
            faults.append("%s: prints\n%s\nnot\n%s" % (command, "\n".join(got), "\n".join(expected)))
    return faults


def run_page(text):
    """Every runnable block of a page in one scratch folder: (block count, faults)."""
    blocks = runnable_blocks(text)
    faults = []
    with tempfile.TemporaryDirectory() as root:
        env = scratch_folder(root)
        for line, body in blocks:
            faults += ["line %d: %s" % (line, f) for f in run_block(body, root, env)]
    return len(blocks), faults


def slug(heading):
    """The anchor a Markdown renderer gives a heading."""
    s = re.sub(r"[^\w\- ]", "", heading.strip().lower())
    return s.replace(" ", "-")


LINK = re.compile(r"(!?)\[[^\]]*\]\(([^)\s]+)\)")


def prose(text):
    """The page without its fenced blocks and code spans."""
    kept, fenced = [], False
    for line in text.split("\n"):
        if FENCE.match(line):
            fenced = not fenced
        elif not fenced:
            kept.append(re.sub(r"`[^`]*`", "", line))
    return "\n".join(kept)


def link_faults(path, text):
    """Images that do not exist, and links to pages or headings that do not."""
    faults = []
    for bang, target in LINK.findall(prose(text)):
        if re.match(r"^[a-z]+:", target):
            continue
        file_part, _, anchor = target.partition("#")
        where = os.path.normpath(os.path.join(os.path.dirname(path), file_part)) if file_part else path
        if not os.path.exists(where):
            faults.append("%s names %s, which does not exist" % ("image" if bang else "link", target))
        elif anchor and where.endswith(".md"):
            anchors = {slug(h) for h in re.findall(r"^#+ (.*)$", read(where), re.M)}
            if anchor not in anchors:
                faults.append("link %s: no heading of that name" % target)
    return faults


def help_words():
    """The commands and the options of --help."""
    p = subprocess.run([CLI, "--help"], capture_output=True)
    text = p.stdout.decode() + p.stderr.decode()
    commands = sorted(set(re.findall(r"^  ([a-z][a-z-]*) ", text, re.M)))
    options = sorted(set(re.findall(r"(?<![\w-])(--[a-z][a-z-]*)", text)))
    return commands, options


class Examples(unittest.TestCase):
    def test_every_runnable_block_runs_as_shown(self):
        total = 0
        for path, text in pages():
            with self.subTest(page=os.path.relpath(path, SOURCE)):
                count, faults = run_page(text)
                total += count
                self.assertEqual(faults, [])
        self.assertGreater(len(runnable_blocks(read(os.path.join(SOURCE, "README.md")))), 0,
                           "the README's tour has no runnable block")
        self.assertGreater(total, 1)

    def test_a_drifted_example_is_caught(self):
        # The checks above could pass by never comparing: each of these pages must fail.
        cases = [
            ("wrong output", "```sh runnable\n$ corvella-cli check 14766 T\nsomething else\n```\n"),
            ("wrong status", "```sh runnable\n$ corvella-cli check 99999 T\n```\n"),
            ("failing script", "```sh runnable\ncorvella-cli report protein summary missing.txt -o x.txt\n```\n"),
            ("missing fixture", "```sh runnable\n$ corvella-cli convert tests/data/none.vcf -o x.txt # exit 0\n```\n"),
        ]
        for name, page in cases:
            with self.subTest(case=name):
                count, faults = run_page(page)
                self.assertEqual(count, 1)
                self.assertEqual(len(faults), 1, faults)

    def test_transcripts_compare_blanks_and_line_ends_loosely(self):
        cases = [
            ("a\tb  c\r\n\r\n", ["a b c"]),
            ("  x\n\ny \n", ["x", "", "y"]),
            ("", []),
        ]
        for output, lines in cases:
            with self.subTest(output=output):
                self.assertEqual(normalise(output), lines)
        steps = transcript(["$ a", "out 1", "", "out 2", "$ b # exit 2"])
        self.assertEqual(steps, [("a", 0, ["out 1", "", "out 2"]), ("b # exit 2", 2, [])])


class Links(unittest.TestCase):
    def test_every_guide_page_is_linked_from_the_readme(self):
        readme = read(os.path.join(SOURCE, "README.md"))
        linked = {os.path.normpath(t.partition("#")[0]) for _, t in LINK.findall(prose(readme))}
        pages_on_disk = sorted(n for n in os.listdir(GUIDE) if n.endswith(".md"))
        self.assertGreater(len(pages_on_disk), 0)
        for name in pages_on_disk:
            with self.subTest(page=name):
                self.assertIn(os.path.join("docs", "guide", name), linked)

    def test_every_image_and_link_exists(self):
        for path, text in pages():
            with self.subTest(page=os.path.relpath(path, SOURCE)):
                self.assertEqual(link_faults(path, text), [])

    def test_a_missing_image_or_heading_is_caught(self):
        page = os.path.join(GUIDE, "page.md")
        cases = [
            ("![x](../images/none.png)", 1),
            ("[x](inputs.md#no-such-heading)", 1),
            ("[x](nowhere.md)", 1),
            ("[x](inputs.md#input-files) [y](https://example.org/a.png)", 0),
            ("```sh\n![x](none.png)\n```", 0),
        ]
        for text, faults in cases:
            with self.subTest(text=text):
                self.assertEqual(len(link_faults(page, text)), faults)

    def test_every_page_starts_with_what_the_reader_can_do(self):
        for name in sorted(os.listdir(GUIDE)):
            if not name.endswith(".md"):
                continue
            with self.subTest(page=name):
                lines = [l for l in read(os.path.join(GUIDE, name)).split("\n") if l.strip()]
                self.assertTrue(lines[0].startswith("# "), lines[0])
                self.assertTrue(lines[1].startswith("After this page you "), lines[1])


class Commands(unittest.TestCase):
    def test_help_lists_the_commands(self):
        commands, options = help_words()
        for word in ["check", "call", "align", "report", "chart", "network", "convert", "annotate", "genes", "all"]:
            self.assertIn(word, commands)
        for word in ["--reference", "--help", "--version", "--size"]:
            self.assertIn(word, options)

    def test_every_command_and_option_of_help_is_documented(self):
        commands, options = help_words()
        man = read(MAN_CLI)
        guide = read(os.path.join(GUIDE, "command-line.md"))
        man_commands = set(re.findall(r"^\.TP\n\.BI? ([a-z][a-z-]*)", man, re.M))
        for word in commands:
            with self.subTest(command=word):
                self.assertTrue(word in man_commands, "no .TP entry in docs/man/corvella-cli.1")
                self.assertTrue(re.search(r"^\| `%s[ `]" % re.escape(word), guide, re.M),
                                "no row in the command table of command-line.md")
        for word in options:
            with self.subTest(option=word):
                self.assertTrue(word.replace("-", "\\-") in man, "not in docs/man/corvella-cli.1")
                self.assertTrue(re.search(r"(?<![\w-])%s(?![\w-])" % re.escape(word), guide),
                                "not in command-line.md")


def menu_captions():
    """Every menu and menu command of the desktop program, without its mnemonic."""
    captions = []
    for name in sorted(os.listdir(os.path.join(SOURCE, "ui"))):
        if name.endswith(".cpp"):
            text = read(os.path.join(SOURCE, "ui", name))
            captions += [c.replace("&", "") for c in re.findall(r'add(?:Menu|Action)\("([^"]+)"\)', text)]
    return captions


class Menus(unittest.TestCase):
    def test_every_menu_command_is_documented(self):
        captions = menu_captions()
        self.assertIn("Check Position", captions)
        man = read(os.path.join(SOURCE, "docs", "man", "corvella.1")).replace("\\-", "-").replace("\\&", "")
        guide = read(os.path.join(GUIDE, "desktop.md"))
        for caption in captions:
            with self.subTest(caption=caption):
                self.assertTrue(caption in guide, "not in desktop.md")
                # The manual page says "(human reference only)" once for both structure commands.
                self.assertTrue(caption.split(" (")[0] in man, "not in docs/man/corvella.1")


def run_group(name):
    group = sys.argv[2] if len(sys.argv) > 2 else None
    loader = unittest.TestLoader()
    module = sys.modules[name]
    suite = loader.loadTestsFromTestCase(getattr(module, group)) if group else loader.loadTestsFromModule(module)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    run_group(__name__)
