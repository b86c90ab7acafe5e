#!/usr/bin/python3
"""The import check fails on what it is there to catch: a small executable of this build's
width and toolchain that imports by ordinal from a DLL Vista ships, or by name a function
not in the list, or from a DLL Vista does not ship; and passes one that imports a listed
function. check_executable_test.py CXX DLLTOOL VistaImports.txt"""
import os
import subprocess
import sys
import tempfile
import unittest

from check_executable import problems

# name, module definition of the import library, the import's name, what the check must
# report (None: nothing).
CASES = [
    ("listed name", "LIBRARY kernel32.dll\nEXPORTS\nGetTickCount64\n", "GetTickCount64", None),
    ("ordinal", "LIBRARY comctl32.dll\nEXPORTS\nPlanted @345 NONAME\n", "Planted", "comctl32.dll ordinal 345"),
    ("unlisted name", "LIBRARY kernel32.dll\nEXPORTS\nGetSystemTimePreciseAsFileTime\n",
     "GetSystemTimePreciseAsFileTime", "kernel32.dll GetSystemTimePreciseAsFileTime"),
    ("DLL Vista lacks", "LIBRARY ucrtbase.dll\nEXPORTS\nPlanted\n", "Planted", "ucrtbase.dll (a DLL Vista does not ship)"),
]
VISTA = ["-Wl,--major-os-version,6,--minor-os-version,0,--major-subsystem-version,6,--minor-subsystem-version,0"]


class PlantedImportTest(unittest.TestCase):
    cxx = dlltool = imports = None

    def build(self, folder, definition, function):
        """An executable whose one import is FUNCTION, through an import library from DEFINITION."""
        with open(os.path.join(folder, "planted.def"), "w") as f:
            f.write(definition)
        with open(os.path.join(folder, "planted.cpp"), "w") as f:
            f.write(f'extern "C" __declspec(dllimport) void {function}();\n'
                    f'extern "C" void mainCRTStartup() {{ {function}(); }}\n')
        subprocess.run([self.dlltool, "-d", "planted.def", "-l", "libplanted.a"], cwd=folder, check=True)
        subprocess.run([self.cxx, "-nostdlib", "-o", "planted.exe", "planted.cpp", "libplanted.a"] + VISTA,
                       cwd=folder, check=True)
        return os.path.join(folder, "planted.exe")

    def test_each_planted_import_is_reported(self):
        for name, definition, function, expected in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as folder:
                found = problems(self.build(folder, definition, function), self.imports)
                self.assertEqual(found, [expected] if expected else [])


if __name__ == "__main__":
    PlantedImportTest.cxx, PlantedImportTest.dlltool, PlantedImportTest.imports = sys.argv[1:4]
    del sys.argv[1:4]
    unittest.main()
