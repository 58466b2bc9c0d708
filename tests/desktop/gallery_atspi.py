#!/usr/bin/python3
# The gallery as a screen reader reads it: a real AT-SPI client (pyatspi) walks the window's
# accessible tree, follows the focus as Tab is pressed, reads the styled list's rows, works a
# check box through its action and hears the text typed into an edit.
#
# Usage (ctest runs it so): xvfb-run -a dbus-run-session -- gallery_atspi.py GALLERY
# Exits 77 (skipped) where the display, the session bus or the accessibility bus is missing.

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

SKIPPED = 77


def skip(why):
    print("SKIPPED: " + why)
    sys.exit(SKIPPED)


def fail(why):
    print("FAILED: " + why)
    sys.exit(1)


if len(sys.argv) != 2:
    print("usage: gallery_atspi.py GALLERY", file=sys.stderr)
    sys.exit(2)
gallery = sys.argv[1]
if not os.environ.get("DISPLAY"):
    skip("no DISPLAY: run under xvfb-run")
if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
    skip("no session bus: run under dbus-run-session")
if not shutil.which("xdotool"):
    skip("xdotool is not installed")
try:
    import pyatspi
    from gi.repository import GLib
except Exception as e:  # the bindings are missing or the bus cannot be reached
    skip("no AT-SPI client: %s" % e)

# The gallery keeps its state in a home folder of its own, never the user's.
home = tempfile.TemporaryDirectory(prefix="lm7-atspi-home-")
env = dict(os.environ, HOME=home.name, XDG_CONFIG_HOME=os.path.join(home.name, ".config"))
env.pop("NO_AT_BRIDGE", None)
env.pop("SDL_VIDEODRIVER", None)
helpers = []
if shutil.which("openbox"):
    helpers.append(subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL))
    time.sleep(0.5)
app_process = subprocess.Popen([gallery, "--window"], env=env)
helpers.append(app_process)


def stop():
    for p in reversed(helpers):
        if p.poll() is None:
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()


def pump(seconds):
    """Lets the client's main context deliver events for a while."""
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def find_frame():
    try:
        desktop = pyatspi.Registry.getDesktop(0)
    except Exception as e:
        skip("the accessibility bus cannot be reached: %s" % e)
    end = time.time() + 30
    while time.time() < end:
        if app_process.poll() is not None:
            fail("the gallery ended (%d) before it showed" % app_process.returncode)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                for j in range(app.childCount):
                    frame = app.getChildAtIndex(j)
                    if frame.getRoleName() == "frame" and frame.name == "Gallery":
                        return frame
            except Exception:
                continue
        time.sleep(0.3)
    fail("no frame named Gallery appeared on the accessibility bus")


def walk(node, depth=0):
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def states(node):
    return {pyatspi.stateToString(s) for s in node.getState().getStates()}


failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("  not so: " + what)


try:
    frame = find_frame()
    pump(1.0)

    # The tree: roles, names and states for each section.
    nodes = list(walk(frame))
    by_role = {}
    for n, _ in nodes:
        by_role.setdefault(n.getRoleName(), []).append(n)
    print("tree: %d nodes; roles %s" % (len(nodes), sorted(by_role)))
    for role in ["frame", "panel", "label", "push button", "check box", "radio button", "combo box",
                 "list", "list item", "text", "page tab list", "page tab", "progress bar"]:
        check(role in by_role, "a %s in the tree" % role)
    panel_names = {p.name for p in by_role.get("panel", [])}
    for title in ["Framework controls", "Styled list boxes", "Styled tree and list views", "Colour pickers",
                  "Margin panel", "Remembered settings", "A tool window's controls", "File and folder pickers"]:
        check(title in panel_names, "the section %r is a panel named so" % title)
    for b in by_role.get("push button", []):
        s = states(b)
        check({"enabled", "sensitive", "showing", "visible"} <= s or "showing" not in s,
              "push button %r is enabled, sensitive, visible: %s" % (b.name, sorted(s)))
    combos = [c.name for c in by_role.get("combo box", [])]
    print("combo boxes: %s" % combos)
    print("unknown: %s" % [(n.name, n.parent.getRoleName()) for n in by_role.get("unknown", [])][:10])
    recent = [l for l in by_role.get("list", []) if l.name == "Recent corpora:"]
    check(bool(recent), "the list named by its label 'Recent corpora:'")

    # The styled list's rows read with their values.
    row_names = [i.name for i in by_role.get("list item", [])]
    check("corpus linguistics, 412" in row_names, "a styled row reads 'corpus linguistics, 412'")
    check("whale, 1226" in row_names, "the word list's row reads 'whale, 1226'")
    check("type/token ratio, n/a" in row_names, "a row without a value reads 'n/a'")
    check(any(re.match(r".+, \d+$", n) for n in row_names), "rows carry their numbers")

    # Focus events follow Tab.
    focused = []

    def on_focus(event):
        if event.detail1 == 1:
            focused.append((event.source.getRoleName(), event.source.name))

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    texts = []

    def on_text(event):
        texts.append((event.type, event.any_data))

    pyatspi.Registry.registerEventListener(on_text, "object:text-changed")
    window = subprocess.run(["xdotool", "search", "--sync", "--name", "^Gallery$"], capture_output=True,
                            text=True, timeout=20).stdout.split()
    check(bool(window), "xdotool finds the gallery's window")
    if window:
        subprocess.run(["xdotool", "windowactivate", "--sync", window[0]], timeout=20)
    pump(0.5)
    for _ in range(3):
        before = len(focused)
        subprocess.run(["xdotool", "key", "Tab"], timeout=20)
        pump(1.0)
        check(len(focused) > before, "Tab raises a focus event")
    print("focus events: %s" % focused)
    check(all(role and (name or role in ("list item", "page tab")) for role, name in focused[-3:]),
          "the focus events name their controls: %s" % focused[-3:])
    check(len({f for f in focused}) >= 2, "the focus moves between controls")

    # An action works the control: a check box toggles and the status line tells of it.
    checks = [c for c in by_role.get("check box", []) if "showing" in states(c)]
    check(bool(checks), "a check box on the screen")
    if checks:
        box = checks[0]
        was = "checked" in states(box)
        action = box.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        check("toggle" in names, "the check box offers toggle: %s" % names)
        if "toggle" in names:
            panels_before = {n.name for n, _ in walk(frame) if n.getRoleName() == "panel"}
            action.doAction(names.index("toggle"))
            pump(1.0)
            check(("checked" in states(box)) != was, "the toggle action changed the check box")
            reported = [n.name for n, _ in walk(frame) if n.getRoleName() == "panel"
                        and n.name not in panels_before and "checked" in n.name]
            print("status line: %s" % reported)
            check(bool(reported), "the status line reports the check box's change")

    # Typing into an edit raises text-changed events with the new text.
    edits = [t for t in by_role.get("text", []) if "editable" in states(t) and "showing" in states(t)
             and "single line" in states(t)]
    check(bool(edits), "an editable edit on the screen")
    if edits:
        edit = edits[0]
        edit.queryComponent().grabFocus()
        pump(0.5)
        texts.clear()
        subprocess.run(["xdotool", "type", "--delay", "50", "whale"], timeout=20)
        pump(1.5)
        inserted = "".join(d for t, d in texts if t.endswith("insert"))
        print("text events: %s" % texts)
        check("whale" in inserted, "typing raises text-changed:insert with the typed text (%r)" % inserted)
        text = edit.queryText()
        check("whale" in text.getText(0, -1), "the edit's text holds what was typed")
finally:
    stop()
    home.cleanup()

if failures:
    fail("%d checks failed" % len(failures))
print("PASSED")
