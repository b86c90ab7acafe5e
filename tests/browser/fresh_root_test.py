#!/usr/bin/python3
"""The README's run command on a brand-new root made by tools/fresh-root: from nothing
installed and without a display it prints its address; the page, opened in headless
Chromium outside the root, shows Mortarix and is used as a person would; Ctrl+C then ends
everything. Run as `fresh_root_test.py ROOT USER` by tools/try-fresh-machine: the command runs
as USER, an ordinary user of the root with sudo, in the clone in their home.
"""
import os
import subprocess
import sys
import time
import unittest

from run_command_test import SOURCE, HeadlessRun, RunChecks

FRESH_ROOT = os.path.join(SOURCE, "tools", "fresh-root")


class FreshRootTest(RunChecks):
    root = None
    user = None

    def test_run_command_from_nothing(self):
        inside = [FRESH_ROOT, "run", "--user", self.user, self.root]
        clone = f"/home/{self.user}/mortarix"
        started = time.monotonic()
        run = HeadlessRun(build=f"{clone}/build/windows", root=self.root, inside=inside,
                          command=["tools/run-mortarix"], probe=f"{clone}/build/windows/tests/browser/WindowProbe.exe")
        self.addCleanup(run.kill)
        # It installs and builds first: minutes, not seconds.
        run.wait_ready(timeout=1800)
        print(f"address printed after {time.monotonic() - started:.0f} s, from nothing installed")
        # The probe that reads the program's windows, built with what the run command installed.
        subprocess.run(inside + ["cmake", "--build", "build/windows", "--target", "window_probe"],
                       check=True, capture_output=True, timeout=600)

        self.use_through_page(run)
        run.interrupt()
        self.assertEndedCleanly(run, run.end())
        print("Ctrl+C: exit 0, nothing of the run left, its ports free")


if __name__ == "__main__":
    FreshRootTest.root = os.path.realpath(sys.argv.pop(1))
    FreshRootTest.user = sys.argv.pop(1)
    unittest.main(verbosity=2)
