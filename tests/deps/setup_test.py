#!/usr/bin/env python3
"""Tests of the set-up scripts. Usage: setup_test.py GROUP (CheckDeps, Configure)."""
import os
import subprocess
import sys
import tempfile
import unittest

SOURCE = os.environ.get("CORVELLA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD = os.environ.get("CORVELLA_BINARY_DIR", os.path.join(SOURCE, "build"))
WITH_GUI = os.environ.get("CORVELLA_WITH_GUI", "1") == "1"
CHECK_DEPS = os.path.join(SOURCE, "scripts", "check-deps")
CONFIGURE = os.path.join(SOURCE, "scripts", "configure")


def run(*args, env=None):
    p = subprocess.run(list(args), capture_output=True, text=True, env=env)
    return p.returncode, p.stdout, p.stderr


def listed():
    out = subprocess.run([os.path.join(SOURCE, "scripts", "install-deps"), "--list"],
                         check=True, capture_output=True, text=True).stdout
    return out.split()


class CheckDeps(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.tmp.cleanup()

    def package_file(self, packages):
        path = os.path.join(self.tmp.name, "packages.txt")
        with open(path, "w") as f:
            f.write("# made up by the test\n" + "\n".join(packages) + "\n")
        return path

    def fake_build(self, name, *dep_paths):
        """A build folder whose only dependency file names dep_paths."""
        build = os.path.join(self.tmp.name, name)
        os.makedirs(os.path.join(build, "CMakeFiles", "x.dir"))
        with open(os.path.join(build, "CMakeCache.txt"), "w") as f:
            f.write("CMAKE_BUILD_TYPE:STRING=Debug\n")
        with open(os.path.join(build, "CMakeFiles", "x.dir", "x.cpp.o.d"), "w") as f:
            f.write("CMakeFiles/x.dir/x.cpp.o: " + SOURCE + "/core/workspace.h \\\n " +
                    " \\\n ".join(dep_paths) + "\n")
        return build

    def test_this_build_uses_only_listed_packages(self):
        rc, out, err = run(CHECK_DEPS, BUILD)
        self.assertEqual(rc, 0, err)
        self.assertRegex(out, r"^check-deps: \d+ files of \d+ Debian packages \([1-9]\d* programs, 1 build folder")

    @unittest.skipUnless(WITH_GUI, "the desktop program is not built (BUILD_GUI=OFF)")
    def test_leaving_out_qt_opengl_fails_naming_package_and_file(self):
        # Qt Charts' CMake package needs Qt6OpenGL, shipped only by
        # libqt6opengl6-dev, which qt6-base-dev merely recommends.
        packages = [p for p in listed() if p != "libqt6opengl6-dev"]
        rc, out, err = run(CHECK_DEPS, "--packages", self.package_file(packages), BUILD)
        self.assertEqual(rc, 1)
        self.assertIn("check-deps: libqt6opengl6-dev is not installed by scripts/install-deps", err)
        self.assertRegex(err, r"libqt6opengl6-dev .*: /usr/\S*/cmake/Qt6OpenGL(Widgets)?/\S+\.cmake, found by CMake")
        # The same list through the environment.
        env = dict(os.environ, CHECK_DEPS_PACKAGES=self.package_file(packages))
        rc2, _, err2 = run(CHECK_DEPS, BUILD, env=env)
        self.assertEqual((rc2, err2), (rc, err))

    def test_header_outside_the_closure_and_unowned_file_fail(self):
        gsf = "/usr/include/libgsf-1/gsf/gsf.h"
        stray = os.path.join(self.tmp.name, "usr-local", "include", "stray.h")
        os.makedirs(os.path.dirname(stray))
        open(stray, "w").close()
        build = self.fake_build("build", gsf, stray, "/usr/include/stdio.h")
        without_gsf = [p for p in listed() if p != "libgsf-1-dev"]
        rc, out, err = run(CHECK_DEPS, "--packages", self.package_file(without_gsf), build)
        self.assertEqual(rc, 1)
        lines = err.splitlines()
        self.assertIn("check-deps: libgsf-1-dev is not installed by scripts/install-deps (nor pulled in by what it "
                      "installs): " + gsf + ", header read by the compiler in " + build,
                      lines)
        self.assertTrue(any(line.startswith("check-deps: " + stray + " belongs to no Debian package") for line in lines),
                        err)
        # stdio.h (libc6-dev, pulled in by build-essential) and our own header pass.
        self.assertFalse(any("libc6-dev" in line or "workspace.h" in line for line in lines), err)

        rc, out, err = run(CHECK_DEPS, "--packages", self.package_file(listed()), self.fake_build("again", gsf))
        self.assertEqual(rc, 0, err)

    def test_usage_errors(self):
        self.assertEqual(run(CHECK_DEPS, "--frobnicate")[0], 64)
        self.assertEqual(run(CHECK_DEPS, "--packages")[0], 64)


class Configure(unittest.TestCase):
    def test_explains_missing_qt_opengl_in_one_line(self):
        with tempfile.NamedTemporaryFile("w", suffix=".log") as log:
            log.write("-- Could NOT find Qt6OpenGL (missing: Qt6OpenGL_DIR)\n"
                      "  Qt6Charts could not be found because dependency Qt6OpenGL could not be found.\n"
                      "CMake Error at CMakeLists.txt:39 (find_package):\n"
                      "  Failed to find required Qt component \"Charts\".\n")
            log.flush()
            rc, out, err = run(CONFIGURE, "--explain", log.name)
        self.assertEqual(rc, 1)
        self.assertEqual(len(err.splitlines()), 1, err)
        self.assertIn("libqt6opengl6-dev", err)

    def test_failed_configure_runs_again_and_succeeds_once_mended(self):
        # A pkg-config that sees no modules stands for a missing libgsf-1-dev.
        with tempfile.TemporaryDirectory() as tmp:
            build = os.path.join(tmp, "b")
            options = [build, "-DBUILD_GUI=OFF", "-DCORVELLA_TESTS=OFF"]
            broken = dict(os.environ, PKG_CONFIG_LIBDIR=os.path.join(tmp, "none"), PKG_CONFIG_PATH="")
            rc, out, err = run(CONFIGURE, *options, env=broken)
            self.assertEqual(rc, 1)
            self.assertIn("libgsf-1", out + err)
            self.assertIn("libgsf-1-dev", err.splitlines()[-1])
            self.assertTrue(os.path.isfile(os.path.join(build, "CMakeCache.txt")))
            self.assertFalse(os.path.exists(os.path.join(build, "Makefile")))

            rc, out, err = run(CONFIGURE, *options)
            self.assertEqual(rc, 0, out + err)
            self.assertTrue(os.path.isfile(os.path.join(build, "Makefile")))
            # Configured now: a third run does nothing.
            rc, out, err = run(CONFIGURE, *options)
            self.assertEqual((rc, out, err), (0, "", ""))


if __name__ == "__main__":
    group = sys.argv[1] if len(sys.argv) > 1 else None
    suite = unittest.defaultTestLoader.loadTestsFromName(group, sys.modules[__name__]) if group else \
        unittest.defaultTestLoader.loadTestsFromModule(sys.modules[__name__])
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
