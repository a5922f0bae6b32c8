#!/usr/bin/python3
"""End-to-end test of kvxzot as a screen reader or an automation tool sees
it: the real program, started in a desktop session of its own, driven only
through its accessibility tree (AT-SPI). Exit code 77 means the machine
lacks what the session needs (the test is skipped)."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

from desktop_session import DesktopSession, SessionUnavailable, missing_tools

# Roles a user operates: each must carry a name a screen reader can speak.
NAMED_ROLES = {"push button", "check box", "radio button", "text", "combo box", "menu item", "spin button",
               "slider", "toggle button", "page tab", "password text"}


SKIP_NOTE = "skipped.txt"  # in the test's working folder, read by scripts/test.sh
KEY_DOWN = 0xFF54   # the Down key's X keysym
KEY_RIGHT = 0xFF53  # the Right key's X keysym
KEY_TAB = 0xFF09
KEY_F2 = 0xFFBF
KEY_RETURN = 0xFF0D


class Failure(AssertionError):
    pass


def wait_for(predicate, what, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        try:
            result = predicate()
        except Exception:  # a node that went away while looking
            result = None
        if result:
            return result
        time.sleep(0.1)
    raise Failure("timed out waiting for " + what)


class Driver:
    def __init__(self, pyatspi):
        self.pyatspi = pyatspi
        # What took the focus, as a screen reader hears it: some editors
        # (a tree's label editor) are announced only this way.
        self.focused = []
        pyatspi.Registry.registerEventListener(self.on_focus, "object:state-changed:focused")

    def on_focus(self, event):
        if event.detail1:
            try:
                self.focused.append((event.source.getRoleName(), event.source.name))
            except Exception:  # gone already
                pass

    def wait_for_focus(self, role, name, timeout=20.0):
        from gi.repository import GLib
        context = GLib.MainContext.default()

        def arrived():
            while context.iteration(False):
                pass
            return (role, name) in self.focused
        wait_for(arrived, "the focus on %s %r" % (role, name), timeout)

    def app(self):
        for app in self.pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "KVX JUB ZOT":
                return app
        return None

    def windows(self):
        app = self.app()
        return [w for w in app] if app else []

    def window(self, role, name, timeout=20.0):
        return wait_for(lambda: next((w for w in self.windows() if w.getRoleName() == role
                                      and (w.name == name or name in w.name)), None),
                        "the %s %r" % (role, name), timeout)

    def gone(self, window, timeout=20.0):
        wait_for(lambda: all(w != window for w in self.windows()), "%r to close" % window.name, timeout)

    def states(self, node):
        return {self.pyatspi.stateToString(s) for s in node.getState().getStates()}

    def find(self, node, role=None, name=None, showing=False):
        found = self.find_all(node, role, name, showing, first=True)
        return found[0] if found else None

    def find_all(self, node, role=None, name=None, showing=False, first=False):
        found = []

        def walk(n):
            if n is None or (first and found):
                return
            if (role is None or n.getRoleName() == role) and (name is None or n.name == name) \
                    and (not showing or "showing" in self.states(n)):
                found.append(n)
            for child in n:
                walk(child)

        walk(node)
        return found

    def need(self, node, role, name, timeout=10.0):
        return wait_for(lambda: self.find(node, role, name), "%s %r" % (role, name), timeout)

    def press(self, node):
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if not names:
            raise Failure("%s %r offers no action (disabled?)" % (node.getRoleName(), node.name))
        action.doAction(names.index("Press") if "Press" in names else 0)

    def menu(self, frame, *path):
        """Presses a menu item, e.g. menu(frame, "File", "Open...")."""
        bar = self.find(frame, "menu bar")
        node = bar
        for name in path:
            node = next((n for n in self.find_all(node, "menu item", name)), None)
            if node is None:
                raise Failure("no menu item %r" % "/".join(path))
        wait_for(lambda: "enabled" in self.states(node), "/".join(path) + " to be enabled")
        self.press(node)

    def set_text(self, node, text):
        node.queryEditableText().setTextContents(text)

    def unnamed_controls(self, window):
        return ["%s in %s" % (n.getRoleName(), n.parent.getRoleName() if n.parent else "?")
                for n in self.find_all(window, showing=True)
                if n.getRoleName() in NAMED_ROLES and not n.name.strip()]

    def audit(self, window):
        unnamed = self.unnamed_controls(window)
        if unnamed:
            raise Failure("unnamed controls in %r: %s" % (window.name, ", ".join(unnamed)))

    def message_box(self, text_part, button, timeout=20.0):
        """Answers the message box whose text holds text_part."""
        def box():
            for w in self.windows():
                if w.getRoleName() in ("alert", "dialog") and w.name == "KVX JUB ZOT":
                    labels = " ".join(l.name for l in self.find_all(w, "label"))
                    if text_part in labels:
                        return w
            return None
        found = wait_for(box, "the message %r" % text_part, timeout)
        self.press(self.need(found, "push button", button))
        self.gone(found)


def file_start(path, size):
    with open(path, "rb") as f:
        return f.read(size)


def check_dialogs(d, frame):
    """Every dialog of the main window names its controls."""
    for path, title, close in ((("File", "New"), "New Profile", "Cancel"),
                               (("Edit", "Preference"), "Preference Setting", "Cancel"),
                               (("Edit", "Dealer Info"), "Dealer Information", "Cancel"),
                               (("Help", "About KVX JUB ZOT..."), "About KVX JUB ZOT", "OK")):
        d.menu(frame, *path)
        dialog = d.window("dialog", title)
        d.audit(dialog)
        d.press(d.need(dialog, "push button", close))
        d.gone(dialog)


def open_profile(d, frame, path):
    d.menu(frame, "File", "Open...")
    dialog = d.window("dialog", "Open")
    d.set_text(d.need(dialog, "text", "File name:"), path)
    d.press(wait_for(lambda: next((b for b in d.find_all(dialog, "push button", "Open")
                                   if "enabled" in d.states(b)), None), "the Open button"))
    d.gone(dialog)
    name = os.path.basename(path)
    return wait_for(lambda: next((w for w in d.windows() if name in w.name), None), "the profile's window")


def close_profile(d, frame):
    d.menu(frame, "File", "Close")
    wait_for(lambda: not any("[" in w.name for w in d.windows()), "the profile window to close")


def reopen(d, frame, path):
    """Closes the profile window and opens the file again; its new window."""
    close_profile(d, frame)
    open_profile(d, d.window("frame", "KVX JUB ZOT"), path)
    return d.window("frame", "[%s]" % os.path.basename(path))


def save(d, frame):
    d.menu(frame, "File", "Save")
    wait_for(lambda: d.find(frame, "label", "Modified") is None, "the profile saved")


def walk_tree(d, frame, limit=14):
    """Moves through the profile tree from the keyboard, as a screen reader
    user does: a click on its first item, then the Down key, item by item;
    each step must select the next item."""
    tree = d.need(frame, "tree", None)
    items = [c for c in tree if c.getRoleName() == "table cell"][:limit]
    if not items:
        raise Failure("the profile tree shows nothing")
    extents = items[0].queryComponent().getExtents(d.pyatspi.DESKTOP_COORDS)
    d.pyatspi.Registry.generateMouseEvent(extents.x + extents.width // 2, extents.y + extents.height // 2, "b1c")
    for item in items:
        if item is not items[0]:
            d.pyatspi.Registry.generateKeyboardEvent(KEY_DOWN, None, d.pyatspi.KEY_SYM)
        wait_for(lambda: "selected" in d.states(item), "tree item %r selected" % item.name)
    return [item.name for item in items]


def click(d, node):
    """A left click in the middle of a node, as a mouse user gives it."""
    extents = node.queryComponent().getExtents(d.pyatspi.DESKTOP_COORDS)
    d.pyatspi.Registry.generateMouseEvent(extents.x + extents.width // 2, extents.y + extents.height // 2, "b1c")


def profile_tree(d, frame):
    """The profile tree, named by the document's title; the form views have
    trees of their own (the two-list editors)."""
    title = frame.name[frame.name.find("[") + 1:frame.name.rfind("]")]
    return d.need(frame, "tree", title)


def tree_item(d, frame, name):
    tree = profile_tree(d, frame)
    try:
        return wait_for(lambda: next((c for c in tree if c.getRoleName() == "table cell" and c.name == name), None),
                        "the tree item %r" % name)
    except Failure as failure:
        shown = [c.name for c in tree if c.getRoleName() == "table cell"]
        raise Failure("%s; the tree shows %s" % (failure, ", ".join(map(repr, shown))))


def select_node(d, frame, name):
    item = tree_item(d, frame, name)
    click(d, item)
    wait_for(lambda: "selected" in d.states(item), "tree item %r selected" % name)


def key(d, keysym):
    d.pyatspi.Registry.generateKeyboardEvent(keysym, None, d.pyatspi.KEY_SYM)


def type_field(d, frame, field, text):
    """Types into a form field and leaves it with Tab, which commits it."""
    field.queryComponent().grabFocus()
    wait_for(lambda: "focused" in d.states(field), "the field %r focused" % field.name)
    d.set_text(field, text)
    key(d, KEY_TAB)


def add_contact(d, frame, folder, button, name):
    """Adds a contact from its folder's view and names it in its own view."""
    select_node(d, frame, folder)
    d.press(d.need(frame, "push button", button))
    field = wait_for(lambda: next((n for n in d.find_all(frame, "text", "Name") if "focused" in d.states(n)), None),
                     "the new contact's name field")
    type_field(d, frame, field, name)
    tree_item(d, frame, name)


def edit_contacts(d, frame):
    """A private added, given its ID, renamed in the tree with F2 and put into
    a new private group; another private added and deleted again."""
    add_contact(d, frame, "Privates", "Add Privates", "Zed Zulu")
    type_field(d, frame, d.need(frame, "text", "ID"), "10000321")

    select_node(d, frame, "Zed Zulu")
    d.focused.clear()
    key(d, KEY_F2)
    # The label editor opens with the whole name selected: typing replaces it.
    d.wait_for_focus("text", "Zed Zulu")
    d.pyatspi.Registry.generateKeyboardEvent(0, "Zoe Zulu", d.pyatspi.KEY_STRING)
    key(d, KEY_RETURN)
    tree_item(d, frame, "Zoe Zulu")

    add_contact(d, frame, "Privates", "Add Privates", "Temp")
    click(d, d.need(frame, "push button", "Delete Current Contact"))
    d.message_box("Deleting this Private contact", "OK")
    wait_for(lambda: d.find(profile_tree(d, frame), "table cell", "Temp") is None, "Temp deleted")

    add_contact(d, frame, "Private Groups", "Add Private Group", "Night Shift")
    candidates = d.need(frame, "list", "All Privates")
    click(d, wait_for(lambda: next((c for c in candidates if c.name.startswith("Zoe Zulu")), None), "Zoe Zulu offered"))
    add = d.need(frame, "push button", "Add >>")
    wait_for(lambda: "enabled" in d.states(add), "Add >> enabled")
    click(d, add)
    members = d.need(frame, "list", "Group Members")
    wait_for(lambda: any(c.name.startswith("Zoe Zulu") for c in members), "Zoe Zulu a member")


def check_contacts(d, frame):
    """The edits of edit_contacts, read back from the reopened file."""
    tree = profile_tree(d, frame)
    if d.find(tree, "table cell", "Temp") or d.find(tree, "table cell", "Zed Zulu"):
        raise Failure("a deleted or renamed private came back")
    select_node(d, frame, "Zoe Zulu")
    field = d.need(frame, "text", "ID")
    wait_for(lambda: field.queryText().getText(0, -1) == "10000321", "the private's ID read back")
    select_node(d, frame, "Night Shift")
    members = d.need(frame, "list", "Group Members")
    wait_for(lambda: any(c.name.startswith("Zoe Zulu") for c in members), "Zoe Zulu still a member")


def open_scan_list(d, frame):
    """The Scan List folder starts collapsed: opens it from the keyboard."""
    select_node(d, frame, "Scan List")
    key(d, KEY_RIGHT)


def edit_settings_and_scan_list(d, frame):
    """Ticks a check box of the settings, and puts a public group into the
    scan list of its channel, as a user does with mouse and keyboard."""
    select_node(d, frame, "Settings")
    box = d.need(frame, "check box", "Disable Programming Mode")
    d.press(box)
    wait_for(lambda: "checked" in d.states(box), "Disable Programming Mode ticked")

    open_scan_list(d, frame)
    select_node(d, frame, "Channel 2 (0)")
    available = d.need(frame, "tree", "All Public Groups")
    group = wait_for(lambda: next((c for c in available if c.name == "Maintenance"), None), "Maintenance available")
    click(d, group)
    add = d.need(frame, "push button", "Add >>")
    wait_for(lambda: "enabled" in d.states(add), "Add >> enabled")
    d.press(add)
    tree_item(d, frame, "Channel 2 (1)")


def check_settings_and_scan_list(d, frame):
    """The edits of edit_settings_and_scan_list, read back."""
    open_scan_list(d, frame)
    tree_item(d, frame, "Channel 2 (1)")
    select_node(d, frame, "Settings")
    box = d.need(frame, "check box", "Disable Programming Mode")
    wait_for(lambda: "checked" in d.states(box), "Disable Programming Mode still ticked")


def transfer(d, frame, command, title, success):
    """Runs Device > command and closes its dialog with OK after success."""
    d.menu(frame, "Device", command)
    dialog = d.window("dialog", title)
    d.audit(dialog)
    ok = wait_for(lambda: next((b for b in d.find_all(dialog, "push button", "OK") if "enabled" in d.states(b)), None),
                  "the %s to succeed" % command.lower(), timeout=60)
    d.need(dialog, "label", success)
    d.press(ok)
    d.gone(dialog)


def show_report(d, frame):
    """Report: the radio's own report, the first choice of the report
    dialog, shown in the report window and closed."""
    d.menu(frame, "Report")
    dialog = d.window("dialog", "Reports")
    d.audit(dialog)
    d.press(d.need(dialog, "push button", "OK"))
    d.gone(dialog)
    window = d.window("dialog", "Radio-Specific Report")
    d.audit(window)
    d.press(d.need(window, "push button", "Close"))
    d.gone(window)


def run(args):
    import pyatspi
    d = Driver(pyatspi)
    work = tempfile.mkdtemp(prefix="kvx-a11y-work-")
    processes = []
    try:
        profile = os.path.join(work, "Fleet.jub")
        shutil.copy(os.path.join(args.installation, "ProfileTemplate", "KVX30.jub"), profile)
        os.chmod(profile, 0o644)
        env = dict(os.environ)
        env["KVXZOT_MACHINE_SETTINGS"] = args.machine_settings
        env["KVXZOT_USER_SETTINGS"] = os.path.join(work, "user.ini")
        env["KVXZOT_NO_PLATFORM_PORTS"] = "1"
        env["XDG_CACHE_HOME"] = os.path.join(work, "cache")  # where reports are saved
        # The simulated radio is the only serial port, so it is the one used.
        link = os.path.join(work, "radio")
        radio = subprocess.Popen([args.radiosim, "--link", link, "--full"], stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        processes.append(radio)
        wait_for(lambda: os.path.exists(link), "the simulated radio")
        env["KVXZOT_EXTRA_PORTS"] = link

        app = subprocess.Popen([args.kvxzot], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        processes.append(app)
        frame = d.window("frame", "KVX JUB ZOT", timeout=30)
        d.need(frame, "label", "Idle")
        d.audit(frame)
        check_dialogs(d, frame)

        open_profile(d, frame, profile)
        frame = d.window("frame", "[Fleet.jub]")
        walk_tree(d, frame)
        d.audit(frame)

        before = file_start(profile, 5)
        if before != b"<?xml":
            raise Failure("the copied template is not plain XML")
        d.menu(frame, "File", "Save")
        # Stored scrambled, in the single-byte form it was read in.
        wait_for(lambda: file_start(profile, 2) == b"\x8f\x8c", "the profile saved")

        # Contact edits survive saving and opening again.
        edit_contacts(d, frame)
        save(d, frame)
        frame = reopen(d, frame, profile)
        check_contacts(d, frame)

        # A settings change and a scan-list edit survive saving and opening again.
        edit_settings_and_scan_list(d, frame)
        save(d, frame)
        frame = reopen(d, frame, profile)
        check_settings_and_scan_list(d, frame)
        close_profile(d, frame)

        # Read the radio into a new profile, then write it back.
        frame = d.window("frame", "KVX JUB ZOT")
        transfer(d, frame, "Read", "Read", "Reading successful!")
        frame = d.window("frame", "KVX JUB ZOT - [")
        d.need(frame, "label", "Idle")
        walk_tree(d, frame)
        show_report(d, frame)
        transfer(d, frame, "Write", "Write", "Writing success!")

        # The read profile was never saved: Exit asks, No discards it.
        d.menu(frame, "File", "Exit")
        d.message_box("Save changes to", "No")
        app.wait(timeout=20)
        if app.returncode != 0:
            raise Failure("kvxzot ended with %d: %s" % (app.returncode, app.stderr.read()))
        print("accessibility end-to-end: passed")
        return 0
    except Failure:
        describe_windows()
        for process in processes:
            if process.poll() is not None:
                print("  kvxzot ended with %s: %s" % (process.returncode, process.stderr.read()), file=sys.stderr)
        raise
    finally:
        for process in processes:
            if process.poll() is None:
                process.kill()
                process.wait()
        shutil.rmtree(work, ignore_errors=True)


def describe_windows():
    """What the program shows when a step failed: its windows and their texts."""
    try:
        import pyatspi
        d = Driver(pyatspi)
        for window in d.windows():
            texts = [n.name for n in d.find_all(window, "label", showing=True) if n.name]
            print("  window %s %r: %s" % (window.getRoleName(), window.name, " | ".join(texts)), file=sys.stderr)
    except Exception as error:  # the program may be gone
        print("  (no windows: %s)" % error, file=sys.stderr)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--kvxzot", required=True)
    parser.add_argument("--radiosim", required=True)
    parser.add_argument("--machine-settings", required=True)
    parser.add_argument("--installation", required=True)
    args = parser.parse_args()
    missing = missing_tools()
    if missing:
        print("skipped: this machine lacks " + ", ".join(missing))
        return 77
    try:
        with DesktopSession():
            try:
                return run(args)
            except Failure as failure:
                print("FAILED: %s" % failure, file=sys.stderr)
                return 1
    except SessionUnavailable as reason:
        # Said where the whole run's summary shows it: a skipped test's own
        # output is not printed.
        with open(SKIP_NOTE, "w") as note:
            note.write("AccessibilityEndToEnd skipped: %s\n" % reason)
        print("skipped: %s" % reason)
        return 77


if __name__ == "__main__":
    sys.exit(main())
