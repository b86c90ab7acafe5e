#!/usr/bin/python3
"""The Debian package as a player meets it, on a brand-new root made by tools/fresh-root
with no source tree in it: apt installs the .deb and Wine with it; the package's own smoke
test (debian/tests) passes as an ordinary user without sudo; that user's `mortarix` shows
the main window on a virtual screen, which is used through X clicks and keys and read by
WindowProbe.exe, photographed, and closed with exit 0; nothing of it runs a few seconds
later; purging leaves none of the package's files and keeps the user's prefix.
Run as `package_test.py ROOT DEB PROBE SCREENSHOT` by tools/try-package.
"""
import os
import struct
import subprocess
import sys
import time
import unittest
import zlib

from run_command_test import SOURCE, RunChecks, control, probe_windows, wait_until

FRESH_ROOT = os.path.join(SOURCE, "tools", "fresh-root")
PLAYER = "player"
PREFIX = f"/home/{PLAYER}/.local/share/mortarix"


def xwd_to_png(xwd, png, rect):
    """The part rect [left, top, right, bottom] of a 24-bit XWD screen dump (Xvfb -fbdir) as an RGB PNG."""
    with open(xwd, "rb") as f:
        data = f.read()
    header = struct.unpack(">25I", data[:100])
    size, width, bpp, stride, ncolours = header[0], header[4], header[11], header[12], header[19]
    assert header[1] == 7 and bpp == 32, f"not a 32-bit XWD (version {header[1]}, {bpp} bits)"
    pixels = size + 12 * ncolours
    left, top, right, bottom = rect
    rows = b""
    for y in range(top, bottom):
        line = data[pixels + y * stride + left * 4:pixels + y * stride + right * 4]
        # Little-endian 0x00RRGGBB: bytes B, G, R, 0.
        rows += b"\0" + b"".join(line[i + 2:i + 3] + line[i + 1:i + 2] + line[i:i + 1] for i in range(0, len(line), 4))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(png, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", right - left, bottom - top, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))
    assert width >= right, "the window lies outside the screen"


class PackageTest(RunChecks):
    root = deb = probe = screenshot = None

    def inside(self, *command, user=None, check=True, timeout=900):
        as_user = ["--user", user] if user else []
        return subprocess.run([FRESH_ROOT, "run", *as_user, self.root, *command], capture_output=True, text=True,
                              check=check, timeout=timeout)

    def copy_in(self, path, name):
        """A file of this machine into the root's /tmp, readable and runnable by everyone."""
        subprocess.run(["install", "-m", "755", path, os.path.join(self.root, "tmp", name)], check=True)

    def test_package_as_a_player_meets_it(self):
        self.assertFalse(os.path.exists(os.path.join(self.root, "root", "mortarix")), "a source tree in the root")
        started = time.monotonic()
        self.copy_in(self.deb, "mortarix.deb")
        self.inside("apt-get", "update", "-qq", check=False)
        self.inside("env", "DEBIAN_FRONTEND=noninteractive", "apt-get", "install", "-y", "-qq", "--no-install-recommends",
                    "/tmp/mortarix.deb")
        installed = time.monotonic() - started
        files = [f for f in self.inside("dpkg", "-L", "mortarix").stdout.splitlines()
                 if not os.path.isdir(self.root + f)]
        # What this trial needs beyond the package: the smoke test's tools, and X input for the clicks.
        self.inside("env", "DEBIAN_FRONTEND=noninteractive", "apt-get", "install", "-y", "-qq", "--no-install-recommends",
                    "xvfb", "xauth", "x11-utils", "xdotool")
        self.inside("useradd", "--create-home", "--shell", "/bin/bash", PLAYER)
        self.assertNotEqual(self.inside("id", "-u", user=PLAYER).stdout.strip(), "0")
        self.assertNotEqual(self.inside("sudo", "-n", "true", user=PLAYER, check=False).returncode, 0, "the player has sudo")

        self.copy_in(os.path.join(SOURCE, "debian", "tests", "smoke"), "smoke")
        smoke_started = time.monotonic()
        result = self.inside("/tmp/smoke", user=PLAYER, check=False)
        smoke = time.monotonic() - smoke_started
        self.assertEqual(result.returncode, 0, f"smoke test: {result.stdout}{result.stderr}")

        self.copy_in(self.probe, "WindowProbe.exe")
        # A virtual screen of the player's own, its frame buffer a file this test reads.
        screen = subprocess.Popen([FRESH_ROOT, "run", "--user", PLAYER, self.root, "bash", "-c",
                                   "mkdir -p /tmp/fb && exec Xvfb -displayfd 1 -fbdir /tmp/fb -screen 0 800x600x24 "
                                   "-nolisten tcp 2>/dev/null"], stdout=subprocess.PIPE, text=True)
        self.addCleanup(lambda: (screen.kill(), screen.wait(), screen.stdout.close()))
        display = ":" + screen.stdout.readline().strip()

        # As the player's login starts it: the player's own PATH.
        shown_started = time.monotonic()
        game = subprocess.Popen([FRESH_ROOT, "run", "--user", PLAYER, self.root, "bash", "-lc",
                                 f"DISPLAY={display} exec mortarix"], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                text=True)
        self.addCleanup(lambda: (game.poll() is None and (game.kill(), game.wait()), game.stdout.close(),
                                 game.stderr.close()))

        as_player = [FRESH_ROOT, "run", "--user", PLAYER, self.root]

        def windows():
            return probe_windows(as_player, "/tmp/WindowProbe.exe", DISPLAY=display, WINEPREFIX=PREFIX)

        # Seen on the screen first: a probe started before the program's Wine server would start
        # one of its own, whose services hold the probe's output open.
        wait_until("the main window", lambda: game.poll() is None and "IsViewable" in self.inside(
            "xwininfo", "-display", display, "-name", "Mortarix", user=PLAYER, check=False).stdout, 300)
        shown = time.monotonic() - shown_started
        main = windows()["Mortarix"]

        def click(rect):
            x, y = (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2
            self.inside("env", f"DISPLAY={display}", "xdotool", "mousemove", str(x), str(y), "click", "1", user=PLAYER)

        def type_text(text):
            self.inside("env", f"DISPLAY={display}", "xdotool", "type", text, user=PLAYER)

        main = self.use_third_circle(windows, main, click, type_text)
        xwd_to_png(os.path.join(self.root, "tmp", "fb", "Xvfb_screen0"), self.screenshot, main["rect"])

        closed_at = time.monotonic()
        click(control(main, "IDOK")["rect"])
        self.assertEqual(game.wait(60), 0, f"mortarix's exit code; stderr: {game.stderr.read()}")
        screen.kill()
        screen.wait()
        time.sleep(max(0.0, 5 - (time.monotonic() - closed_at)))
        left = subprocess.run([FRESH_ROOT, "left", self.root, "0"], capture_output=True, text=True)
        self.assertEqual(left.returncode, 0, f"still running 5 s after closing: {left.stdout}")

        self.inside("apt-get", "purge", "-y", "-qq", "mortarix")
        remaining = [f for f in files if os.path.lexists(self.root + f)]
        self.assertEqual(remaining, [], "files of the package left after purge")
        self.assertTrue(os.path.isfile(self.root + PREFIX + "/system.reg"), "the player's prefix was removed")
        print(f"installed with Wine from nothing in {installed:.0f} s; smoke test passed in {smoke:.0f} s (menu entry's "
              f"Exec, first start making the prefix, exit 0, nothing left); window shown {shown:.0f} s after "
              f"mortarix as {PLAYER} (no sudo); "
              f"Fireball x10 in the third circle: reagents {control(main, 'IDC_REAGENT_TOTAL')['text']}, "
              f"spells {control(main, 'IDC_SPELL_TOTAL')['text']}; closed with exit 0, nothing left 5 s later; "
              f"purge left none of its {len(files)} files, the player's prefix kept")


if __name__ == "__main__":
    PackageTest.root, PackageTest.deb, PackageTest.probe, PackageTest.screenshot = map(os.path.realpath, sys.argv[1:5])
    del sys.argv[1:5]
    unittest.main(verbosity=2)
