"""Random input for the real program: starts tagmora on a label (or a new
one), sends a seeded stream of real mouse and key events through XTest
(moves, clicks, double clicks, drags, wheel, keys, menu commands), answers
every dialog with one of its buttons, and at the end saves through Save As
and checks the saved file with tagmora-cli plan. It must run inside a
display with an accessibility bus (monkey.sh sets both up).

    monkey.py GUI CLI --seed N --events N [--label FILE|new ...]

Prints the seed first and, on a failure, the command that replays the run.
Ends with 'N passed, N failed'."""
import argparse
import os
import random
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from Xlib import X, XK, display as xdisplay
from Xlib.ext import xtest

from atspi_support import app_of, find, find_if, poll, press_modal

# Menu commands the monkey never chooses: they end the program or start
# other programs (a browser, a mail client) or open the help window, which
# would cover the main window.
SKIPPED_MENU_ITEMS = {"Exit", "Tavix Home Page", "Support Mail", "Contents", "Recent Files"}
# Tool buttons left alone for the same reason.
SKIPPED_BUTTONS = {"Help"}
# Keys typed at random; no "x", the mnemonic of File > Exit in an open menu.
LETTERS = "abcdefghijklmnopqrstuvwyz0123456789.-, "
KEYS = ["Left", "Right", "Up", "Down", "Delete", "Escape", "Return", "Tab", "BackSpace", "Home", "End",
        "Page_Up", "Page_Down", "space"]
CTRL_KEYS = ["z", "y", "a", "c", "v", "s", "n"]

LABEL_SIZE = re.compile(r"^LabelSize (-?\d+),(-?\d+)", re.M)
CORNERS = re.compile(r"^\s+(X1|Y1|X2|Y2)=(-?\d+)", re.M)


class Failure(Exception):
    pass


class Monkey:
    def __init__(self, args, label, work, rng):
        self.args = args
        self.label = label
        self.work = work
        self.rng = rng
        self.screen = xdisplay.Display()
        self.proc = None
        self.app = None
        self.main = None
        self.geometry = None
        self.hotspots = []  # label-unit points of the objects' corners and edges
        self.label_size = (180, 130)
        self.saved = 0
        self.counts = {}

    # ----- the program ------------------------------------------------------
    def env(self):
        fake_bin = os.path.join(self.work, "bin")
        os.makedirs(fake_bin, exist_ok=True)
        # Links and mail addresses open nothing.
        for tool in ("xdg-open", "x-www-browser", "sensible-browser"):
            path = os.path.join(fake_bin, tool)
            with open(path, "w") as f:
                f.write("#!/bin/sh\nexit 0\n")
            os.chmod(path, 0o755)
        return dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                    TAGMORA_SPLASH_MS="0", QT_QPA_PLATFORM="xcb", HOME=self.work,
                    XDG_CONFIG_HOME=os.path.join(self.work, "config"),
                    XDG_DATA_HOME=os.path.join(self.work, "data"),
                    PATH=fake_bin + os.pathsep + os.environ.get("PATH", ""),
                    # No printer: nothing reaches a spooler; PDF files stay here.
                    CUPS_SERVER=os.path.join(self.work, "no-cups"))

    def start(self):
        argv = [self.args.gui]
        if self.label != "new":
            copy = os.path.join(self.work, os.path.basename(self.label))
            shutil.copy(self.label, copy)
            argv.append(copy)
            self.read_plan(copy)
        self.proc = subprocess.Popen(argv, env=self.env(), cwd=self.work, stdout=subprocess.DEVNULL,
                                     stderr=open(os.path.join(self.work, "stderr.txt"), "wb"))
        self.app = self.wait_for("the program on the accessibility bus", self.find_app, 60)
        self.main = self.wait_for("the main window", self.find_main, 60)
        self.refresh_geometry()

    def read_plan(self, path):
        out = subprocess.run([self.args.cli, "plan", path], capture_output=True, text=True).stdout
        size = LABEL_SIZE.search(out)
        if size:
            self.label_size = (max(1, int(size.group(1))), max(1, int(size.group(2))))
        values = [int(v) for _, v in CORNERS.findall(out)]
        for i in range(0, len(values) - 3, 4):
            x1, y1, x2, y2 = values[i:i + 4]
            self.hotspots += [(x1, y1), (x2, y1), (x1, y2), (x2, y2), ((x1 + x2) // 2, y1), (x1, (y1 + y2) // 2),
                              ((x1 + x2) // 2, (y1 + y2) // 2)]

    def alive(self):
        code = self.proc.poll()
        if code is not None:
            raise Failure("the program ended with status %d (%s)" % (code, describe_status(code)))

    def find_app(self):
        return app_of(self.proc.pid)

    def find_main(self):
        for child in self.app:
            if child is not None and child.getRole() == pyatspi.ROLE_FRAME and child.name.startswith("Tagmora "):
                return child
        return None

    def wait_for(self, what, probe, timeout=30.0):
        found = poll(probe, timeout, check=self.alive)
        if not found:
            raise Failure("timed out waiting for " + what)
        return found

    # ----- what is on the screen ---------------------------------------------
    @staticmethod
    def extents(acc):
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return (e.x, e.y, e.width, e.height)

    def refresh_geometry(self):
        """Where the window, the label and the rulers are now (the label moves
        with the zoom); the menus and buttons are looked up once."""
        if self.geometry is None:
            return self.look_up_geometry()
        g = self.geometry
        g["main"] = self.extents(self.main)
        for name, acc in g["parts"].items():
            g[name] = self.extents(acc)

    def look_up_geometry(self):
        main = self.main
        g = {"main": self.extents(main), "parts": {}}
        menus = []
        buttons = []
        for acc in walk(main, 4):
            role, name = acc.getRole(), acc.name
            if role == pyatspi.ROLE_MENU_BAR:
                g["menubar"] = self.extents(acc)
                for top in acc:
                    if top is None or top.childCount == 0:
                        continue
                    items = [item for item in top[0] if item is not None and item.getRole() == pyatspi.ROLE_MENU_ITEM
                             and item.name.strip() not in SKIPPED_MENU_ITEMS and item.childCount == 0]
                    menus.append((top, items))
            elif role in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_TOGGLE_BUTTON):
                if name in SKIPPED_BUTTONS:
                    g.setdefault("avoid", []).append(self.extents(acc))
                elif name:
                    buttons.append(acc)
            elif name in ("Horizontal ruler", "Vertical ruler", "Label design"):
                g[name] = self.extents(acc)
                g["parts"][name] = acc
        surface = find(main, "Label design surface")
        if surface is not None:
            g["surface"] = self.extents(surface)
            g["parts"]["surface"] = surface
        g["menus"] = menus
        g["buttons"] = buttons
        self.geometry = g

    def other_windows(self):
        """Whether a window besides the main one is mapped (menus and lists
        that pop up aside): a cheap look before the accessibility tree."""
        count = 0
        for w in self.screen.screen().root.query_tree().children:
            try:
                a = w.get_attributes()
            except Exception:
                continue
            if a.map_state == X.IsViewable and not a.override_redirect:
                count += 1
        return count > 1

    def top_dialog(self):
        # Windows made once and hidden between uses are listed too.
        dialogs = [w for w in self.app if w is not None and w.getRole() in (
            pyatspi.ROLE_DIALOG, pyatspi.ROLE_FILE_CHOOSER, pyatspi.ROLE_ALERT)
            and w.getState().contains(pyatspi.STATE_SHOWING)]
        if not dialogs:
            # Other windows (the help, a second frame) go first.
            return None
        for d in dialogs:
            if d.getState().contains(pyatspi.STATE_ACTIVE):
                return d
        return dialogs[-1]

    # ----- real input ----------------------------------------------------------
    def move(self, x, y):
        xtest.fake_input(self.screen, X.MotionNotify, x=max(0, int(x)), y=max(0, int(y)))

    def button(self, b, down):
        xtest.fake_input(self.screen, X.ButtonPress if down else X.ButtonRelease, b)

    def click(self, x, y, b=1, times=1):
        self.move(x, y)
        for _ in range(times):
            self.button(b, True)
            self.button(b, False)
        self.flush()

    def drag(self, a, b):
        self.move(*a)
        self.button(1, True)
        steps = self.rng.randint(2, 8)
        for i in range(1, steps + 1):
            self.move(a[0] + (b[0] - a[0]) * i / steps, a[1] + (b[1] - a[1]) * i / steps)
            self.flush(0.005)
        self.button(1, False)
        self.flush()

    def keycode(self, name):
        sym = XK.string_to_keysym(name)
        if sym == 0 and len(name) == 1:
            sym = ord(name)
        return self.screen.keysym_to_keycode(sym)

    def key(self, name, ctrl=False, shift=False):
        mods = (["Control_L"] if ctrl else []) + (["Shift_L"] if shift else [])
        for m in mods:
            xtest.fake_input(self.screen, X.KeyPress, self.keycode(m))
        code = self.keycode(name)
        if code:
            xtest.fake_input(self.screen, X.KeyPress, code)
            xtest.fake_input(self.screen, X.KeyRelease, code)
        for m in reversed(mods):
            xtest.fake_input(self.screen, X.KeyRelease, self.keycode(m))
        self.flush()

    def wheel(self, x, y, up, ctrl):
        self.move(x, y)
        if ctrl:
            xtest.fake_input(self.screen, X.KeyPress, self.keycode("Control_L"))
        self.button(4 if up else 5, True)
        self.button(4 if up else 5, False)
        if ctrl:
            xtest.fake_input(self.screen, X.KeyRelease, self.keycode("Control_L"))
        self.flush()

    def flush(self, pause=None):
        self.screen.sync()
        time.sleep(self.args.pause if pause is None else pause)

    # ----- points to aim at ---------------------------------------------------
    def point_in(self, box, margin=0):
        x, y, w, h = box
        return (self.rng.randint(x - margin, x + max(0, w - 1) + margin),
                self.rng.randint(y - margin, y + max(0, h - 1) + margin))

    def avoided(self, p):
        for (x, y, w, h) in self.geometry.get("avoid", []):
            if x <= p[0] < x + w and y <= p[1] < y + h:
                return True
        menubar = self.geometry.get("menubar")
        return menubar is not None and menubar[1] <= p[1] < menubar[1] + menubar[3]

    def design_point(self):
        """A point on the label, beside it, on a handle or on a ruler."""
        g = self.geometry
        surface = g.get("surface")
        r = self.rng.random()
        if surface and r < 0.45:
            return self.point_in(surface)
        if surface and self.hotspots and r < 0.7:
            hx, hy = self.rng.choice(self.hotspots)
            sx, sy, sw, sh = surface
            return (sx + hx * sw // self.label_size[0] + self.rng.randint(-4, 4),
                    sy + hy * sh // self.label_size[1] + self.rng.randint(-4, 4))
        if r < 0.8:
            for name in ("Horizontal ruler", "Vertical ruler"):
                if name in g and self.rng.random() < 0.5:
                    return self.point_in(g[name])
        if "Label design" in g and r < 0.93:
            return self.point_in(g["Label design"])
        return self.point_in(g["main"])

    def window_point(self):
        for _ in range(20):
            p = self.design_point() if self.rng.random() < 0.8 else self.point_in(self.geometry["main"])
            if not self.avoided(p):
                return p
        return self.point_in(self.geometry["surface"]) if "surface" in self.geometry else (300, 300)

    # ----- actions ------------------------------------------------------------------
    def count(self, what):
        self.counts[what] = self.counts.get(what, 0) + 1

    def random_input(self, point):
        """One random mouse or key event around point()."""
        rng = self.rng
        r = rng.random()
        if r < 0.2:
            self.count("move")
            self.move(*point())
            self.flush()
        elif r < 0.4:
            self.count("click")
            self.click(*point())
        elif r < 0.47:
            self.count("double click")
            self.click(*point(), times=2)
        elif r < 0.52:
            self.count("right click")
            self.click(*point(), b=3)
        elif r < 0.64:
            self.count("drag")
            self.drag(point(), point())
        elif r < 0.72:
            self.count("wheel")
            self.wheel(*point(), up=rng.random() < 0.5, ctrl=rng.random() < 0.5)
        elif r < 0.82:
            self.count("key")
            self.key(rng.choice(KEYS), shift=rng.random() < 0.2)
        elif r < 0.9:
            self.count("ctrl key")
            self.key(rng.choice(CTRL_KEYS), ctrl=True)
        else:
            self.count("typing")
            for _ in range(rng.randint(1, 6)):
                self.key(rng.choice(LETTERS).replace(" ", "space").replace(".", "period")
                         .replace("-", "minus").replace(",", "comma"))

    def menu_command(self):
        menus = [m for m in self.geometry["menus"] if m[1]]
        if not menus:
            return
        top, items = self.rng.choice(menus)
        item = self.rng.choice(items)
        self.count("menu " + item.name.strip())
        self.click(*centre(self.extents(top)))
        time.sleep(0.05)
        try:
            box = self.extents(item)
        except Exception:
            box = None
        if box and box[2] > 0 and box[3] > 0 and item.getState().contains(pyatspi.STATE_SHOWING):
            self.click(*centre(box))
        else:
            self.key("Escape")

    def tool_button(self):
        buttons = self.geometry["buttons"]
        if not buttons:
            return
        button = self.rng.choice(buttons)
        self.count("button " + button.name)
        try:
            self.click(*centre(self.extents(button)))
        except Exception:
            pass

    def look_up_dialog(self, dialog, box):
        """What a dialog offers, looked up once while it stays: its tree may
        hold a table of many cells, too many to walk at every event. Its Help
        buttons and menus are kept off like the main window's."""
        key = (dialog.name, box)
        if getattr(self, "dialog_key", None) == key:
            return
        self.dialog_key = key
        self.dialog_is_file = is_file_dialog(dialog)
        self.dialog_buttons, self.dialog_avoid = [], []
        for b in walk(dialog, 8):
            role = b.getRole()
            if role not in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_MENU_ITEM) \
                    or not b.getState().contains(pyatspi.STATE_SHOWING):
                continue
            if b.name.replace("&", "").strip() in SKIPPED_BUTTONS:
                self.dialog_avoid.append(self.extents(b))
            elif role == pyatspi.ROLE_PUSH_BUTTON:
                self.dialog_buttons.append((b.name, self.extents(b)))

    def dialog_point(self, box):
        for _ in range(20):
            p = self.point_in(box)
            if not any(x <= p[0] < x + w and y <= p[1] < y + h for (x, y, w, h) in self.dialog_avoid):
                return p
        return centre(box)

    def answer_dialog(self, dialog):
        box = self.extents(dialog)
        self.look_up_dialog(dialog, box)
        if self.dialog_is_file:
            return self.answer_file_dialog(dialog)
        if self.rng.random() < 0.3 and self.dialog_buttons:
            name, where = self.rng.choice(self.dialog_buttons)
            self.count("dialog button " + name)
            self.click(*centre(where))
            return
        self.random_input(lambda: self.dialog_point(box))

    def answer_file_dialog(self, dialog):
        """Cancel, or a file in the work folder: random typing must not roam
        the file system."""
        title = dialog.name.lower()
        if self.rng.random() < 0.5:
            self.count("file dialog cancel")
            self.key("Escape")
            return
        field = find_if(dialog, lambda a: a.getRole() == pyatspi.ROLE_TEXT
                        and a.getState().contains(pyatspi.STATE_EDITABLE))
        if field is None:
            self.key("Escape")
            return
        if "pdf" in title:
            name = "monkey-%d.pdf" % self.rng.randint(0, 3)
        elif "save" in title:
            name = "monkey-%d.blf" % self.rng.randint(0, 3)
        else:
            existing = [f for f in os.listdir(self.work) if os.path.isfile(os.path.join(self.work, f))]
            name = self.rng.choice(existing) if existing else "missing.blf"
        self.count("file dialog " + (title or "?"))
        field.queryEditableText().setTextContents(os.path.join(self.work, name))
        self.click(*centre(self.extents(field)))
        self.key("Return")

    def step(self):
        self.alive()
        dialog = self.top_dialog() if self.other_windows() else None
        if dialog is not None:
            self.answer_dialog(dialog)
            self.dialog_seen = True
            return
        # Now and then, and after a dialog: where the label is now. The look
        # also waits for the program to catch up with the events sent.
        if getattr(self, "dialog_seen", False) or self.rng.random() < 0.05:
            self.refresh_geometry()
            self.dialog_seen = False
        r = self.rng.random()
        if r < 0.06:
            self.menu_command()
        elif r < 0.11:
            self.tool_button()
        else:
            self.random_input(self.window_point)

    # ----- the end: save and check -------------------------------------------------
    def close_dialogs(self):
        for _ in range(60):
            self.alive()
            dialog = self.top_dialog()
            if dialog is None:
                self.key("Escape")  # a popup menu or a combo box list
                return
            last = "%s (%s) with buttons %s" % (dialog.name, dialog.getRoleName(), ", ".join(
                b.name for b in walk(dialog, 8) if b.getRole() == pyatspi.ROLE_PUSH_BUTTON))
            cancel = find_if(dialog, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON
                             and a.name.replace("&", "").strip() in ("Cancel", "Close", "No", "OK")
                             and a.getState().contains(pyatspi.STATE_SHOWING))
            if cancel is not None and self.rng.random() < 0.7:
                self.click(*centre(self.extents(cancel)))
            else:
                self.key("Escape")
            time.sleep(0.2)
        raise Failure("a dialog would not close: " + last)

    def save_and_check(self):
        self.close_dialogs()
        target = os.path.join(self.work, "saved-by-monkey.blf")
        item = find(self.main, "Save As...", pyatspi.ROLE_MENU_ITEM)
        if item is None:
            raise Failure("no Save As... menu item")
        press_modal(item)
        dialog = self.wait_for("the save dialog", self.top_dialog)
        field = self.wait_for("the file name field", lambda: find_if(
            dialog, lambda a: a.getRole() == pyatspi.ROLE_TEXT and a.getState().contains(pyatspi.STATE_EDITABLE)))
        field.queryEditableText().setTextContents(target)
        find(dialog, "Save", pyatspi.ROLE_PUSH_BUTTON).queryAction().doAction(0)
        self.wait_for("the saved title", lambda: self.find_main() and self.find_main().name.endswith(
            "[ %s ]" % target))
        plan = subprocess.run([self.args.cli, "plan", target], capture_output=True, text=True)
        if plan.returncode != 0:
            raise Failure("tagmora-cli cannot read the saved file:\n" + plan.stderr)
        # File > Exit: the saved document asks nothing.
        press_modal(find(self.main, "Exit", pyatspi.ROLE_MENU_ITEM))
        try:
            code = self.proc.wait(timeout=60)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end on File > Exit")
        if code != 0:
            raise Failure("the program ended with status %d on File > Exit (%s)" % (code, describe_status(code)))

    def run(self, events):
        self.start()
        for done in range(events):
            try:
                self.step()
            except Failure:
                raise
            except Exception as e:  # the accessibility tree changed under us
                self.alive()
                self.count("stale: " + type(e).__name__)
            if self.args.verbose and done % 100 == 0:
                print("  %d events" % done, flush=True)
        self.save_and_check()

    def kill(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


def screenshot(screen, path):
    """The whole display as a PNG (for a failed run)."""
    import struct
    import zlib
    root = screen.screen().root
    geo = root.get_geometry()
    w, h = geo.width, geo.height
    raw = root.get_image(0, 0, w, h, X.ZPixmap, 0xffffffff).data
    rows = b"".join(b"\0" + bytes(c for i in range(w) for c in (raw[(y * w + i) * 4 + 2], raw[(y * w + i) * 4 + 1],
                                                                 raw[(y * w + i) * 4]))
                    for y in range(h))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))


def walk(acc, depth):
    if acc is None:
        return
    yield acc
    if depth <= 0:
        return
    for child in acc:
        yield from walk(child, depth - 1)


def centre(box):
    x, y, w, h = box
    return (x + w // 2, y + h // 2)


def is_file_dialog(dialog):
    if dialog.getRole() == pyatspi.ROLE_FILE_CHOOSER:
        return True
    return find_if(dialog, lambda a: a.getRole() == pyatspi.ROLE_LABEL and a.name in (
        "File name:", "Files of type:", "Look in:")) is not None


def describe_status(code):
    if code < 0:
        import signal
        try:
            return "signal " + signal.Signals(-code).name
        except ValueError:
            return "signal %d" % -code
    return "exit code %d" % code


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("gui")
    parser.add_argument("cli")
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--events", type=int, default=1000, help="events per label")
    parser.add_argument("--label", action="append", help="label file to start on, or 'new'; repeatable")
    parser.add_argument("--pause", type=float, default=0.005, help="seconds after each event")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()
    args.gui, args.cli = os.path.abspath(args.gui), os.path.abspath(args.cli)
    seed = args.seed if args.seed is not None else random.SystemRandom().randrange(1 << 31)
    labels = args.label or ["new"]
    print("monkey: seed %d, %d events on each of %s" % (seed, args.events, ", ".join(labels)), flush=True)
    passed = failed = 0
    for index, label in enumerate(labels):
        rng = random.Random("%d/%d" % (seed, index))
        work = tempfile.mkdtemp(prefix="tagmora-monkey-")
        monkey = Monkey(args, label, work, rng)
        started = time.time()
        try:
            monkey.run(args.events)
            passed += 1
            print("monkey: %s: %d events in %.0f s, saved file reads back" % (
                label, args.events, time.time() - started), flush=True)
            if args.verbose:
                print("  " + ", ".join("%s %d" % kv for kv in sorted(monkey.counts.items())))
        except Failure as e:
            failed += 1
            replay = [os.path.join(os.path.dirname(os.path.abspath(__file__)), "monkey.sh"), args.gui, args.cli,
                      "--seed", str(seed), "--events", str(args.events), "--label", label, "--keep"]
            print("monkey: %s: FAILED: %s" % (label, e), flush=True)
            try:
                screenshot(monkey.screen, os.path.join(work, "screen.png"))
                print("monkey: the screen then: " + os.path.join(work, "screen.png"))
            except Exception as shot_error:
                print("monkey: no screenshot: %s" % shot_error)
            print("monkey: seed %d; replay with: %s" % (seed, " ".join(shlex.quote(a) for a in replay)))
            err = os.path.join(work, "stderr.txt")
            if os.path.exists(err):
                with open(err, errors="replace") as f:
                    tail = f.read()[-6000:]
                if tail.strip():
                    print("monkey: the program's last output:\n" + tail)
            args.keep = True
        finally:
            monkey.kill()
            if not args.keep:
                shutil.rmtree(work, ignore_errors=True)
            else:
                print("monkey: work folder " + work)
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
