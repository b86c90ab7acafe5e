#!/usr/bin/python3
"""Which apt entries a brand-new root gets from this machine's sources (fresh-root sources):
both formats, options, disabled and foreign entries, and a machine that is not Debian."""
import os
import subprocess
import tempfile
import unittest

FRESH_ROOT = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "fresh-root")
DEBIAN12 = "ID=debian\nVERSION_CODENAME=bookworm\n"
M = "http://mirror.example/debian"

# name, os-release, {file under the apt folder: text}, entries expected for trixie
# (or the start of the error).
CASES = [
    ("one-line with options", DEBIAN12,
     {"sources.list": f"deb [arch=amd64 signed-by=/k.gpg] {M} bookworm main contrib\n"
                      f"deb-src {M} bookworm main\n"
                      f"deb [ arch=amd64 ] {M} bookworm-updates main # updates\n"
                      f"# deb {M} bookworm-backports main\n"},
     [f"deb {M} trixie main contrib", f"deb {M} trixie-updates main"]),
    ("foreign suites left out", DEBIAN12,
     {"sources.list.d/other.list": "deb https://other.example/apt cloud-sdk-bookworm main\n"
                                   "deb https://other.example/node nodistro main\n"
                                   "deb https://other.example/linux/debian bookworm stable\n"},
     "error: no entry"),
    ("deb822 with continuation, any case, disabled stanza", DEBIAN12,
     {"sources.list.d/debian.sources": f"Types: deb deb-src\nURIs: {M}\nsuites: bookworm\n"
                                       " bookworm-security\nComponents: main\n"
                                       "Signed-By: /k.gpg\n\n"
                                       f"Types: deb\nURIs: {M}\nSuites: bookworm-updates\n"
                                       "Components: main\nEnabled: no\n"},
     [f"deb {M} trixie main", f"deb {M} trixie-security main"]),
    ("both formats, one entry once", DEBIAN12,
     {"sources.list": f"deb {M} bookworm main\n",
      "sources.list.d/d.sources": f"Types: deb\nURIs: {M}\nSuites: bookworm\nComponents: main\n"},
     [f"deb {M} trixie main"]),
    ("not Debian", "ID=ubuntu\nVERSION_CODENAME=noble\n",
     {"sources.list": "deb http://archive.example/ubuntu noble main\n"},
     "error: fresh-root: this machine is not Debian"),
]


class SourcesTest(unittest.TestCase):
    def test_entries_a_root_gets(self):
        for name, os_release, files, expected in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as apt:
                os.makedirs(os.path.join(apt, "sources.list.d"))
                for path, text in files.items():
                    with open(os.path.join(apt, path), "w") as f:
                        f.write(text)
                with open(os.path.join(apt, "os-release"), "w") as f:
                    f.write(os_release)
                env = dict(os.environ, MORTARIX_APT_DIR=apt,
                           MORTARIX_OS_RELEASE=os.path.join(apt, "os-release"))
                got = subprocess.run([FRESH_ROOT, "sources", "trixie"], env=env,
                                     capture_output=True, text=True, timeout=30)
                if isinstance(expected, list):
                    self.assertEqual(got.returncode, 0, got.stderr)
                    self.assertEqual(got.stdout.splitlines(), expected)
                else:
                    self.assertNotEqual(got.returncode, 0, got.stdout)
                    self.assertIn(expected.removeprefix("error: "), got.stderr)


if __name__ == "__main__":
    unittest.main()
