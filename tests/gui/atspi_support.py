"""What the scripts that drive the program through the accessibility bus
share: finding the program and its parts, waiting for them, and actions
that open modal dialogs."""
import time

import pyatspi
from gi.repository import Atspi


def poll(probe, timeout, interval=0.1, check=None):
    """probe() until it gives something (an exception counts as nothing:
    the tree changes under us); None after timeout seconds. check() runs
    before each try and may raise."""
    end = time.time() + timeout
    while time.time() < end:
        if check:
            check()
        try:
            found = probe()
        except Exception:
            found = None
        if found:
            return found
        time.sleep(interval)
    return None


def app_of(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def find_if(root, match):
    return pyatspi.utils.findDescendant(root, lambda a: a is not None and match(a), breadth_first=True)


def find(root, name, role=None):
    return find_if(root, lambda a: a.name == name and (role is None or a.getRole() == role))


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
