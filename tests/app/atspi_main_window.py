#!/usr/bin/python3
"""The main window as a screen reader sees it, through AT-SPI on a virtual display.

    atspi_main_window.py KUGELO_EXECUTABLE

Starts Xvfb and, under dbus-run-session, a session bus (the accessibility bus starts on demand), then the
program on a fresh home with an unreachable draw service. It shows every tab of the main window (also the
inner tabs of "Berechnung") by pressing the tab through AT-SPI, walks the window's showing controls and
prints each as "role | name" once. Every showing control that takes the keyboard focus must have a name
and a description (signs only, like "…", count as none), in the language the program starts in (French):
no word of either may be one that only the German language files use. The test fails and lists the
controls that break this. Then it switches the language through the menu and checks that the names of the
tip fields follow it, and that a command's answer in the status bar reaches the screen reader as a name
change, each time the command runs.
"""

import os
import random
import re
import socket
import subprocess
import sys
import tempfile
import time

SKIP = 77  # CTest's SKIP_RETURN_CODE


def x_server_answers(number):
    # X clients try the abstract socket first, which other machines' servers on the same network namespace
    # may hold even when this machine's /tmp shows no lock.
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as probe:
        try:
            probe.connect("\0/tmp/.X11-unix/X%d" % number)
            return True
        except OSError:
            return False


def start_xvfb():
    """A display of its own on a number nobody uses. Returns (process, number) or (None, None)."""
    for number in random.sample(range(100, 1000), 20):
        if os.path.exists("/tmp/.X%d-lock" % number) or x_server_answers(number):
            continue
        # -displayfd: the number comes back once the server takes clients; -noreset: no restart when its
        # last client leaves.
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", ":%d" % number, "-displayfd", str(write_end), "-noreset", "-screen", "0",
                                 "1280x1024x24", "-nolisten", "tcp"], pass_fds=(write_end,),
                                stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as ready:
            answered = ready.readline().strip()
        if answered == str(number) and xvfb.poll() is None:
            return xvfb, answered
        xvfb.kill()
        xvfb.wait()
    return None, None


def outer(executable):
    # The display first, so that the session bus and the accessibility bus it starts see it.
    xvfb, number = start_xvfb()
    if xvfb is None:
        print("Xvfb did not start", file=sys.stderr)
        return 1
    try:
        env = dict(os.environ, DISPLAY=":" + number, KUGELO_ATSPI_INNER="1")
        return subprocess.call(["dbus-run-session", "--", sys.executable, __file__, executable], env=env,
                               timeout=240)
    finally:
        xvfb.terminate()
        xvfb.wait()


def inner(executable):
    import pyatspi

    home = tempfile.mkdtemp(prefix="kugelo-atspi-")
    env = dict(os.environ,
               QT_QPA_PLATFORM="xcb",
               QT_ACCESSIBILITY="1",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               KUGELO_HOME=home,
               KUGELO_SETTINGS=os.path.join(home, "settings.json"),
               KUGELO_PRODUCT_HOST="http://127.0.0.1:9")
    program = subprocess.Popen([executable], env=env)
    try:
        frame = wait_for_window(pyatspi, program)
        if frame is None:
            print("The main window did not appear on the accessibility bus", file=sys.stderr)
            return 1
        return check(pyatspi, frame, executable)
    finally:
        program.terminate()
        try:
            program.wait(timeout=10)
        except subprocess.TimeoutExpired:
            program.kill()


def wait_for_window(pyatspi, program):
    pid = program.pid
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline and program.poll() is None:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is None or app.get_process_id() != pid:
                    continue
                for window in app:
                    if window.getRoleName() == "frame" and window.getState().contains(pyatspi.STATE_SHOWING):
                        return window
            except Exception:  # an application that went away while we looked
                continue
        time.sleep(0.3)
    return None


def walk(pyatspi, node, path, out):
    """The showing descendants of node: (path, role, name, focusable, accessible)."""
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        state = child.getState()
        if not state.contains(pyatspi.STATE_SHOWING):
            continue  # hidden, on a tab behind, or a menu not open: nothing a user meets now
        role = child.getRoleName()
        here = path + [child.name or role]
        out.append((here, role, child.name, state.contains(pyatspi.STATE_FOCUSABLE), child))
        walk(pyatspi, child, here, out)
    return out


def says_something(name):
    # A name of signs only ("…", "☘") says as little as none.
    return any(c.isalnum() for c in name)


def press(pyatspi, accessible):
    actions = accessible.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) in ("press", "click", "SetFocus", "Press"):
            actions.doAction(i)
            time.sleep(0.4)
            return
    actions.doAction(0)
    time.sleep(0.4)


def words_of(path):
    with open(path, encoding="utf-8-sig") as f:
        return set(w.lower() for w in re.findall(r"[^\W\d_]{4,}", f.read()))


def german_only_words(executable):
    """The words of the German language and message files that the French ones never use."""
    land = os.path.join(os.path.dirname(os.path.abspath(executable)), "Land")
    german = words_of(os.path.join(land, "Kugelo_de.txt")) | words_of(os.path.join(land, "Kugelo_de.txt.meld"))
    french = words_of(os.path.join(land, "Kugelo_fr.txt")) | words_of(os.path.join(land, "Kugelo_fr.txt.meld"))
    return german - french


def check(pyatspi, frame, executable):
    listed = []  # (role, name), each once, in the order met
    unnamed = []
    german = german_only_words(executable)
    pressed = set()

    def explore(where):
        controls = walk(pyatspi, frame, [], [])
        for path, role, name, focusable, accessible in controls:
            if (role, name) not in listed:
                listed.append((role, name))
            if not focusable:
                continue
            description = accessible.description or ""
            strange = sorted(set(w.lower() for w in re.findall(r"[^\W\d_]{4,}", name + " " + description))
                             & german)
            if not says_something(name) or not says_something(description) or strange:
                box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                entry = "%s named %r, description %r%s, at %d,%d %dx%d, in %s" % (
                    role, name, description, ", German: " + " ".join(strange) if strange else "", box.x,
                    box.y, box.width, box.height, " / ".join(path[:-1]))
                if entry not in unnamed:
                    unnamed.append(entry)
        for path, role, name, _, accessible in controls:
            key = tuple(path)
            if role == "page tab" and key not in pressed:
                pressed.add(key)
                press(pyatspi, accessible)
                explore(name)

    explore("start")
    print("Showing controls of the main window (role | name), every tab:")
    for role, name in listed:
        print("  %-14s | %s" % (role, name))
    if unnamed:
        print("\nFAIL: %d showing focusable control(s) without a French name and description:" % len(unnamed))
        for entry in unnamed:
            print("  " + entry)
        return 1

    # The names follow the language: German from the menu, then the third row's second number.
    tabs = [c for c in walk(pyatspi, frame, [], []) if c[1] == "page tab"]
    press(pyatspi, tabs[0][4])
    # The language menu opens as a user opens it; its first item is German (named in the language shown).
    language_menu = next((c[4] for c in walk(pyatspi, frame, [], []) if c[1] == "menu item"
                          and c[2] == "Langue/Language"), None)
    german = None
    if language_menu is not None:
        press(pyatspi, language_menu)
        items = [c for c in walk(pyatspi, language_menu, [], []) if c[1].endswith("menu item")]
        german = items[0][4] if items else None
    if german is None:
        print("FAIL: the language menu did not open")
        return 1
    press(pyatspi, german)
    time.sleep(0.5)
    names = [name for _, role, name, _, _ in walk(pyatspi, frame, [], []) if role == "text"]
    if "3. Tipp, Zahl 2" not in names:
        print("FAIL: after choosing German no tip field is named \"3. Tipp, Zahl 2\"; text fields: %s" % names)
        return 1
    fields = [name for name in names if "Tipp, " in name]
    print("\nAfter choosing German: the %d tip fields are named \"%s\" ... \"%s\"" % (len(fields), fields[0],
                                                                                     fields[-1]))
    if not announced(pyatspi, frame):
        return 1
    print("PASS: every showing focusable control has a name and a description, in French")
    return 0


def announced(pyatspi, frame):
    """A command's answer reaches a screen reader: the status panel's name changes to it, also when the same
    answer comes twice (the clear button on rows that are empty already)."""
    from gi.repository import GLib

    heard = []

    def listener(event):
        try:
            heard.append(event.source.name)
        except Exception:
            pass

    pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
    clear = next((c[4] for c in walk(pyatspi, frame, [], []) if c[2] == "Löschen aller Tipps"), None)
    if clear is None:
        print("FAIL: no control named \"Löschen aller Tipps\"")
        return False
    context = GLib.MainContext.default()
    for _ in range(2):
        press(pyatspi, clear)
        deadline = time.monotonic() + 2
        while time.monotonic() < deadline:
            while context.iteration(False):
                pass
            time.sleep(0.05)
    pyatspi.Registry.deregisterEventListener(listener, "object:property-change:accessible-name")
    count = heard.count("Tipps gelöscht")
    if count < 2:
        print("FAIL: the answer \"Tipps gelöscht\" was announced %d time(s) for two presses; names heard: %s"
              % (count, heard))
        return False
    print("The answer of the clear button was announced for each press: \"Tipps gelöscht\" (%d events)" % count)
    return True


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    if os.environ.get("KUGELO_ATSPI_INNER"):
        sys.exit(inner(sys.argv[1]))
    try:
        import pyatspi  # noqa: F401  (only to know it is there)
    except ImportError:
        print("SKIP: python3-pyatspi is not installed", file=sys.stderr)
        sys.exit(SKIP)
    sys.exit(outer(sys.argv[1]))
