#!/usr/bin/python3
"""The run command as people use it: without a display, Mortarix on a virtual screen used
from a web browser through noVNC; a display that cannot be used; the desktop launcher.

The page is used only as a person would, by mouse clicks and key presses on the noVNC
canvas. Where to click and what the fields say come from WindowProbe.exe, started in the
run's own prefix and display, never from the picture.
Run by ctest with MORTARIX_SOURCE, MORTARIX_BUILD, MORTARIX_PROBE and MORTARIX_TEST_OUT set;
tests/browser/fresh_root_test.py uses the same run and page on a brand-new root.
"""
import glob
import json
import os
import pwd
import queue
import re
import signal
import socket
import struct
import subprocess
import tempfile
import threading
import time
import unittest
import zlib

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

SOURCE = os.environ.get("MORTARIX_SOURCE", os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
BUILD = os.environ.get("MORTARIX_BUILD")
PROBE = os.environ.get("MORTARIX_PROBE")
OUT = os.environ.get("MORTARIX_TEST_OUT")
RUN = os.path.join(SOURCE, "tools", "run-mortarix")
WINE = "/usr/lib/wine/wine64"

with open(os.path.join(SOURCE, "res", "resource.h")) as header:
    ID = {name: int(value) for name, value in re.findall(r"#define\s+(ID\w+)\s+(-?\d+)", header.read())}
ID["IDOK"] = 1  # from windows.h

REAGENT_FIELDS = ["IDC_BLACK_PEARL", "IDC_GARLIC", "IDC_BLOOD_MOSS", "IDC_GINSENG", "IDC_MANDRAKE_ROOT",
                  "IDC_NIGHTSHADE", "IDC_SULPHUROUS_ASH", "IDC_SPIDER_SILK"]


def control(window, name):
    return window["by_id"][ID[name]]


def wait_until(what, condition, timeout):
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.1)


def probe_windows(inside, probe, **env):
    """The running program's shown windows by caption, each with its controls by ID, as
    WindowProbe.exe reads them on its display in its Wine prefix (env), run through inside."""
    out = subprocess.run(inside + ["env", "-u", "TMPDIR", "WINEDEBUG=-all"] + [f"{k}={v}" for k, v in env.items()]
                         + [WINE, probe], capture_output=True, text=True, timeout=30).stdout
    windows = {}
    for window in json.loads(out or '{"windows": []}')["windows"]:
        window["by_id"] = {c["id"]: c for c in window["controls"] if c["id"] != -1}
        windows[window["caption"]] = window
    return windows


def port_open(port):
    try:
        socket.create_connection(("127.0.0.1", port), timeout=2).close()
        return True
    except OSError:
        return False


def processes_tagged(folder):
    """Every process, whoever started it, whose environment names this run folder."""
    marker = b"MORTARIX_RUN=" + folder.encode() + b"\0"
    found = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as f:
                if marker in f.read():
                    with open(f"/proc/{pid}/cmdline", "rb") as c:
                        found[int(pid)] = c.read().replace(b"\0", b" ").decode(errors="replace").strip()
        except OSError:
            pass
    return found


def unused_display():
    number = 90
    while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
        number += 1
    return f":{number}"


class HeadlessRun:
    """`run-mortarix --no-build` without a display, in a session of its own, read through the
    lines it prints and the state file in its run folder. With a root, the command (as given)
    runs inside it through `inside`, and the paths it prints are the root's."""

    def __init__(self, build=BUILD, root="", inside=(), command=(RUN, "--no-build"), probe=PROBE):
        self.build, self.root, self.inside, self.probe = build, root, list(inside), probe
        env = dict(os.environ, MORTARIX_BUILD=build)
        env.pop("DISPLAY", None)
        # Ctrl+C must reach it even when this test was started where SIGINT is ignored (a
        # background job of a script, as in CI): the shell cannot trap a signal it inherits ignored.
        self.process = subprocess.Popen(self.inside + list(command), env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True, start_new_session=True,
                                        preexec_fn=lambda: signal.signal(signal.SIGINT, signal.SIG_DFL))
        self.lines = queue.Queue()
        self.stderr = []
        self.readers = [threading.Thread(target=self._read, args=args, daemon=True)
                        for args in ((self.process.stdout, self.lines.put), (self.process.stderr, self.stderr.append))]
        for reader in self.readers:
            reader.start()
        self.address = self.ssh = self.state = None

    @staticmethod
    def _read(stream, keep):
        for line in stream:
            keep(line.rstrip("\n"))

    def wait_ready(self, timeout=60):
        """Reads the printed address and the ssh line, then the run's state."""
        deadline = time.monotonic() + timeout
        while self.ssh is None:
            try:
                line = self.lines.get(timeout=1)
            except queue.Empty:
                if self.process.poll() is not None or time.monotonic() > deadline:
                    raise AssertionError(f"no address printed; exit code {self.process.poll()}, "
                                         f"stderr: {self.stderr}")
                continue
            if line.strip().startswith("http://"):
                self.address = line.strip()
            elif line.strip().startswith("ssh "):
                self.ssh = line.strip()
        match = re.fullmatch(r"http://127\.0\.0\.1:(\d+)/vnc_lite\.html\?scale=true&password=(\w+)", self.address)
        assert match, f"unexpected address {self.address!r}"
        self.port, self.password = int(match[1]), match[2]
        self.folder = os.path.join(os.path.realpath(self.host(self.build))[len(self.root):], "headless", str(self.port))
        with open(self.host(self.folder, "state")) as f:
            self.state = dict(line.rstrip("\n").split("=", 1) for line in f)
        return self

    def host(self, *path):
        """A path of the run's, as this process sees it."""
        return self.root + os.path.join(*path)

    def windows(self):
        """The program's shown windows by caption, each with its controls by ID."""
        return probe_windows(self.inside, self.probe, DISPLAY=self.state["display"],
                             XAUTHORITY=self.state["xauthority"], WINEPREFIX=self.state["prefix"])

    def interrupt(self):
        os.killpg(self.process.pid, signal.SIGINT)

    def end(self, timeout=30):
        try:
            code = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the run did not end within {timeout} s; stderr: {self.stderr}") from None
        for reader in self.readers:
            reader.join(timeout)
        return code

    def kill(self):
        """Last resort when a test fails half-way: SIGINT, then whatever of the run is left."""
        if self.process.poll() is None:
            self.interrupt()
            try:
                self.process.wait(30)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, signal.SIGKILL)
        for state in glob.glob(self.host(self.build, "headless", "*", "state")):
            with open(state) as f:
                if f"run_pid={self.process.pid}\n" in f.read():
                    for pid in processes_tagged(os.path.dirname(os.path.realpath(state))[len(self.root):]):
                        os.kill(pid, signal.SIGKILL)
        for stream in (self.process.stdout, self.process.stderr):
            stream.close()


class Browser:
    """Headless Chromium showing a page at exactly 800 x 600 CSS pixels."""

    def __init__(self):
        self.profile = tempfile.TemporaryDirectory()
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     f"--user-data-dir={self.profile.name}"):
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": 800, "height": 600, "deviceScaleFactor": 1, "mobile": False})

    def close(self):
        self.driver.quit()
        self.profile.cleanup()

    def status(self):
        """The page's status line, above the screen."""
        return self.driver.find_element(By.ID, "status").text

    def screen_size(self):
        return self.driver.execute_script("const c = arguments[0]; return [c.width, c.height];", self.canvas())

    def canvas(self):
        return self.driver.find_element(By.CSS_SELECTOR, "#screen canvas")

    def screen_point(self, x, y):
        """Where the remote screen's pixel (x, y) is on the page, and the element there."""
        return self.driver.execute_script(
            "const c = arguments[0], r = c.getBoundingClientRect();"
            "const px = r.left + arguments[1] * r.width / c.width, py = r.top + arguments[2] * r.height / c.height;"
            "return [px - (r.left + r.width / 2), py - (r.top + r.height / 2), document.elementFromPoint(px, py) === c];",
            self.canvas(), x, y)

    def click(self, rect):
        """A left click in the middle of a screen rectangle [left, top, right, bottom]."""
        dx, dy, on_canvas = self.screen_point((rect[0] + rect[2]) / 2, (rect[1] + rect[3]) / 2)
        assert on_canvas, f"the page covers the canvas at {rect}"
        ActionChains(self.driver).move_to_element_with_offset(self.canvas(), round(dx), round(dy)).click().perform()

    def type(self, text):
        ActionChains(self.driver).send_keys(text).perform()

    def painted(self, rect):
        """The canvas shows something other than the empty screen inside this rectangle."""
        return self.driver.execute_script(
            "const c = arguments[0], [l, t, r, b] = arguments[1];"
            "if (c.width < r || c.height < b) return false;"
            "const d = c.getContext('2d').getImageData(l, t, r - l, b - t).data;"
            "for (let i = 0; i < d.length; i += 4) if (d[i] || d[i + 1] || d[i + 2]) return true;"
            "return false;", self.canvas(), rect)


class RunChecks(unittest.TestCase):
    """What every headless run must show, and the program used through its page."""

    def assertEndedCleanly(self, run, code):
        self.assertEqual(code, 0, f"exit code; stderr: {run.stderr}")
        self.assertEqual(processes_tagged(run.folder), {}, "processes of the run still alive")
        self.assertFalse(os.path.exists(run.host(run.folder)), "the run folder was left behind")
        for port in (run.port, int(run.state["vnc_port"])):
            self.assertFalse(port_open(port), f"port {port} still open")

    def assertListensOnLoopbackOnly(self, run):
        pids = set(processes_tagged(run.folder))
        listening = []
        for line in subprocess.run(["ss", "-ltunpH"], capture_output=True, text=True, check=True).stdout.splitlines():
            owners = {int(p) for p in re.findall(r"pid=(\d+)", line)}
            if owners & pids:
                listening.append(line.split()[4])
        ports = {address.rsplit(":", 1)[1] for address in listening}
        self.assertLessEqual({str(run.port), run.state["vnc_port"]}, ports, f"listeners seen: {listening}")
        for address in listening:  # Debian 13's x11vnc also takes IPv6's loopback
            self.assertTrue(address.startswith(("127.0.0.1:", "[::1]:")), f"listens on {address}")

    def assertNoPasswordOnCommandLines(self, run):
        everyone = subprocess.run(["ps", "-eo", "args"], capture_output=True, text=True, check=True).stdout
        self.assertNotIn(run.password, everyone)
        self.assertFalse(os.path.exists(run.host(run.folder, "passwd")), "password file left readable")

    def use_through_page(self, run):
        """A wrong password refused, then Fireball ticked and 10 typed in the third circle, all
        by clicks and keys on the page; returns the browser and the main window after OK."""
        self.assertEqual(os.stat(run.host(run.folder)).st_mode & 0o777, 0o700)
        self.assertListensOnLoopbackOnly(run)
        self.assertNoPasswordOnCommandLines(run)

        main = run.windows()["Mortarix"]

        browser = Browser()
        self.addCleanup(browser.close)
        driver = browser.driver

        wrong = "x" if run.password[0] != "x" else "y"
        driver.get(run.address.replace(f"password={run.password}", f"password={wrong}{run.password[1:]}"))
        wait_until("noVNC to refuse a wrong password",
                   lambda: browser.status() == "Something went wrong, connection is closed", 20)
        self.assertEqual(driver.find_elements(By.CSS_SELECTOR, "#screen canvas"), [], "a screen with a wrong password")

        driver.get(run.address)
        wait_until("noVNC to connect", lambda: browser.status().startswith("Connected to "), 20)
        wait_until("the canvas to show the main window", lambda: browser.painted(main["rect"]), 20)
        width, height = browser.screen_size()

        def within_screen(*windows):
            for window in windows:
                left, top, right, bottom = window["rect"]
                self.assertTrue(0 <= left and 0 <= top and right <= width and bottom <= height,
                                f"{window['caption']} at {window['rect']} is cut off by the {width}x{height} screen")

        main = self.use_third_circle(run.windows, main, browser.click, browser.type, within_screen)
        return browser, main

    def use_third_circle(self, windows, main, click, type_text, opened=lambda main, circle: None):
        """Fireball ticked and 10 typed in the third circle by clicks and keys (click takes a
        screen rectangle), read back through windows(); returns the main window after OK."""
        def circle3():
            return windows().get("Third Spell Circle")

        click(control(main, "IDC_CIRCLE3")["rect"])
        circle = wait_until("the third circle to open", circle3, 20)
        opened(main, circle)
        self.assertEqual(control(circle, "IDC_FIREBALL")["text"], "Fireball")
        click(control(circle, "IDC_FIREBALL")["rect"])
        wait_until("Fireball to be ticked and its field open", lambda: control(c := circle3(), "IDC_FIREBALL")["checked"]
                   and control(c, "IDC_FIREBALL_QTY")["enabled"], 20)
        type_text("10")
        wait_until("the typed quantity", lambda: control(circle3(), "IDC_FIREBALL_QTY")["text"] == "10", 20)
        click(control(circle, "IDOK")["rect"])
        # Hidden first, the circle is gone a moment before the totals are recalculated.
        main = wait_until("the circle to close and the totals to change", lambda: (
            "Third Spell Circle" not in (w := windows()) and control(w["Mortarix"], "IDC_SPELL_TOTAL")["text"] != "0"
            and w["Mortarix"]), 20)

        fields = {name: control(main, name)["text"] for name in REAGENT_FIELDS + ["IDC_REAGENT_TOTAL", "IDC_SPELL_TOTAL"]}
        expected = dict.fromkeys(REAGENT_FIELDS, "0")
        expected.update(IDC_BLACK_PEARL="10", IDC_SULPHUROUS_ASH="10", IDC_REAGENT_TOTAL="20", IDC_SPELL_TOTAL="10")
        self.assertEqual(fields, expected)
        return main


class RunCommandTest(RunChecks):
    def start(self, build=BUILD):
        run = HeadlessRun(build)
        self.addCleanup(run.kill)
        return run

    def test_used_in_a_browser(self):
        started = time.monotonic()
        run = self.start().wait_ready()
        print(f"address printed after {time.monotonic() - started:.1f} s")
        self.assertEqual(run.ssh, f"ssh -L {run.port}:127.0.0.1:{run.port} "
                                  f"{os.environ.get('USER') or pwd.getpwuid(os.getuid()).pw_name}@{socket.gethostname()}")
        browser, main = self.use_through_page(run)

        screenshot = os.path.join(OUT, "mortarix-browser.png")
        browser.driver.save_screenshot(screenshot)
        print(f"page: {screenshot}")

        browser.click(control(main, "IDOK")["rect"])
        self.assertEndedCleanly(run, run.end())

    def test_two_runs_at_once_and_ctrl_c(self):
        runs = [self.start(), self.start()]
        for run in runs:
            run.wait_ready()
        first, second = runs
        for key in ("port", "vnc_port", "display", "prefix", "xvfb_pid"):
            self.assertNotEqual(first.state[key], second.state[key], key)
        self.assertIn("Mortarix", first.windows())

        # In the build folder, so the prefix below can be linked: /tmp is often a filesystem of its own.
        with tempfile.TemporaryDirectory(dir=BUILD) as scratch:
            # The other run's display, without its cookie: this user may not use it.
            self.assertBadDisplayRefused(first.state["display"], scratch, XAUTHORITY=os.path.join(scratch, "none"))

            # A program Wine cannot start, in a build folder whose ready prefix (linked from
            # the one the runs copied, and only ever read) saves making one.
            os.makedirs(os.path.join(scratch, "ui"))
            with open(os.path.join(scratch, "ui", "Mortarix.exe"), "wb") as exe:
                exe.write(b"MZ not a program")
            os.makedirs(os.path.join(scratch, "headless"))
            subprocess.run(["cp", "-al", os.path.join(BUILD, "headless", "wine"), os.path.join(scratch, "headless")],
                           check=True)
            broken = self.start(scratch)
            self.assertNotEqual(broken.end(60), 0)
            self.assertIn("before its window showed", "\n".join(broken.stderr))
            self.assertEqual(broken.lines.qsize(), 0, "an address was printed")
            self.assertEqual([name for name in os.listdir(os.path.join(scratch, "headless")) if name.isdigit()], [],
                             "the run folder was left behind")

        for run in runs:
            run.interrupt()
        for run in runs:
            self.assertEndedCleanly(run, run.end())

    def test_killed_run_taken_over_and_ctrl_c_while_starting(self):
        dead = self.start().wait_ready()
        orphans = set(processes_tagged(dead.folder))
        os.kill(dead.process.pid, signal.SIGKILL)  # its helpers go on, holding its ports
        dead.process.wait()
        successor = self.start().wait_ready()
        self.assertEqual(successor.port, dead.port, "the dead run's port was not reused")
        self.assertEqual(orphans & set(processes_tagged(dead.folder)), set(), "the dead run's processes live on")
        successor.interrupt()
        self.assertEndedCleanly(successor, successor.end())

        # A build folder without a ready prefix: making one keeps the start busy for seconds.
        with tempfile.TemporaryDirectory(dir=BUILD) as scratch:
            os.makedirs(os.path.join(scratch, "ui"))
            os.link(os.path.join(BUILD, "ui", "Mortarix.exe"), os.path.join(scratch, "ui", "Mortarix.exe"))
            starting = self.start(scratch)
            log, = wait_until("the run to start making its prefix",
                              lambda: glob.glob(os.path.join(scratch, "headless", "*", "prefix.log")), 20)
            folder = os.path.dirname(os.path.realpath(log))
            self.assertTrue(processes_tagged(folder), "nothing of the run to interrupt")
            starting.interrupt()
            self.assertEqual(starting.end(), 130)
            self.assertIn("run-mortarix: the start was interrupted", starting.stderr)
            self.assertEqual(starting.lines.qsize(), 0, "an address was printed")
            self.assertEqual(processes_tagged(folder), {}, "processes of the run still alive")
            self.assertFalse(os.path.exists(folder), "the run folder was left behind")

    def assertBadDisplayRefused(self, display, scratch, **env):
        build = os.path.join(scratch, "build")
        result = subprocess.run([RUN], env=dict(os.environ, DISPLAY=display, MORTARIX_BUILD=build, **env),
                                capture_output=True, text=True, timeout=120)
        self.assertNotEqual(result.returncode, 0)
        self.assertIn(f'cannot open the display "{display}"', result.stderr)
        self.assertFalse(os.path.exists(build), "it went on to build")

    def test_display_without_server(self):
        with tempfile.TemporaryDirectory() as scratch:
            self.assertBadDisplayRefused(unused_display(), scratch)

    def test_launcher(self):
        with tempfile.TemporaryDirectory() as scratch:
            # A checkout whose path needs quoting in the entry's Exec.
            checkout = os.path.join(scratch, 'my "games" $HOME \\ 100%')
            os.makedirs(os.path.join(checkout, "tools"))
            for tool in ("run-mortarix", "make-icon", "install-missing", "packages"):
                os.symlink(os.path.join(SOURCE, "tools", tool), os.path.join(checkout, "tools", tool))
            data = os.path.join(scratch, "data")
            os.makedirs(os.path.join(data, "applications"))
            other = os.path.join(data, "applications", "other.desktop")
            open(other, "w").close()
            env = dict(os.environ, HOME=os.path.join(scratch, "home"), XDG_DATA_HOME=data)

            def files():
                return {os.path.relpath(os.path.join(d, f), data) for d, _, fs in os.walk(data) for f in fs}

            before = files()
            subprocess.run([os.path.join(checkout, "tools", "run-mortarix"), "--install-launcher"], env=env,
                           check=True, capture_output=True, timeout=60)
            added = files() - before
            self.assertEqual(added, {"applications/mortarix.desktop", "icons/hicolor/48x48/apps/mortarix.png"})

            entry = os.path.join(data, "applications", "mortarix.desktop")
            check = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
            self.assertEqual((check.returncode, check.stdout), (0, ""))
            with open(entry) as f:
                keys = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
            self.assertEqual(exec_arguments(keys["Exec"]), [os.path.join(checkout, "tools", "run-mortarix")])
            self.assertEqual(keys["Icon"], os.path.join(data, "icons/hicolor/48x48/apps/mortarix.png"))
            self.assertEqual(png_size(keys["Icon"]), (48, 48))

            subprocess.run([os.path.join(checkout, "tools", "run-mortarix"), "--uninstall-launcher"], env=env,
                           check=True, capture_output=True, timeout=60)
            self.assertEqual(files(), before)


def exec_arguments(value):
    """An Exec value read back as the Desktop Entry rules say: string escapes first, then
    the quoting, with %% standing for %."""
    value = re.sub(r"\\(.)", lambda m: {"s": " ", "n": "\n", "t": "\t", "r": "\r"}.get(m[1], m[1]), value)
    args = []
    for quoted, plain in re.findall(r'"((?:[^"\\]|\\.)*)"|(\S+)', value):
        args.append(re.sub(r"\\(.)", r"\1", quoted) if quoted else plain)
    return [arg.replace("%%", "%") for arg in args]


def png_size(path):
    """Width and height of a PNG whose every chunk and pixel data check out."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG signature"
    pos, chunks = 8, []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        assert zlib.crc32(kind + body) == struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0], kind
        chunks.append((kind, body))
        pos += 12 + length
    assert chunks[0][0] == b"IHDR" and chunks[-1][0] == b"IEND", [k for k, _ in chunks]
    width, height, depth, colour = struct.unpack(">IIBB", chunks[0][1][:10])
    channels = {6: 4, 2: 3}[colour]
    pixels = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    assert depth == 8 and len(pixels) == height * (1 + width * channels), "pixel data of the wrong size"
    return width, height


if __name__ == "__main__":
    unittest.main(verbosity=2)
