#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the desktop tests know of the running game, seen from outside it.

    outside_view.py REPORT

Writes REPORT (KEY=VALUE lines, replaced whole) ten times a second from what anyone
on the desktop can see of the game: the window manager's view of its windows (each
window's WM_WINDOW_ROLE names its screen) and the accessibility bus's view of its
controls (what a screen reader is told). The game itself writes nothing for the tests.

    focus=SCREEN/CONTROL      the control that holds the keyboard, by its spoken name
                              ("quiz/Continue"); "SCREEN/window" for the window itself
    window.SCREEN=ID shown    the X window of each screen on view; "0 hidden" otherwise
    errorBox=ID               the error box's X window, while one is open
    continue=1|0              the quiz's CONTINUE is on view
    clock=running|stopped     a question's answers are all on view and not yet judged
    answerA=TEXT ...          the answer lines as the quiz shows them ("A- Yellow")
    result=TEXT|none          the quiz's result panel, while it shows
    score1=N, lives1=N ...    the contestants' points and lives on the quiz's panel
    killButton=CAPTION        the finale's button
    tossButton=CAPTION enabled|disabled   the tie break's button
"""
import os
import subprocess
import sys

import gi

gi.require_version("Atspi", "2.0")
import pyatspi  # noqa: E402
from gi.repository import Atspi, GLib  # noqa: E402

REPORT = sys.argv[1]
INTERVAL_MS = 100

# The screens' windows, told apart on the accessibility bus by their descriptions.
SCREENS = [
    ("The title screen", "title"),
    ("The quiz", "quiz"),
    ("The introduction", "introduction"),
    ("Settings:", "settings"),
    ("The end of the game", "notice"),
    ("The finale", "finale"),
    ("The tie break: a level", "tieBreak"),
    ("The tie break: the contestant", "coinCall"),
    ("The show's web sites", "internetSites"),
]
ROLES = [key for _, key in SCREENS]


def screen_of(window):
    try:
        description = window.description or ""
    except Exception:
        return "other"
    for start, key in SCREENS:
        if description.startswith(start):
            return key
    return "errorBox" if window.getRole() == pyatspi.ROLE_ALERT else "other"


def top_window(accessible):
    """The window an accessible stands in: the application's child above it."""
    node = accessible
    for _ in range(32):
        parent = node.parent
        if parent is None or parent.getRole() == pyatspi.ROLE_APPLICATION:
            return node
        node = parent
    return node


class Game:
    def __init__(self):
        self.focus = "none"
        self.controls = {}  # (screen, spoken name) -> accessible, found once per window
        self.windows_seen = {}
        self.roles = {}  # X window -> WM_WINDOW_ROLE

    def application(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "zandoodle":
                pid = app.get_process_id()
                if pid != getattr(self, "pid", None):
                    # A game started again: its windows are new. What it says is read
                    # afresh every time, never from the library's cache.
                    self.pid, self.focus, self.controls, self.windows_seen = pid, "none", {}, {}
                    app.set_cache_mask(Atspi.Cache.NONE)
                return app
        return None

    def on_focus(self, event):
        if not event.detail1:
            return
        try:
            window = top_window(event.source)
            screen = screen_of(window)
            if event.source == window:
                self.focus = screen + "/window"
            else:
                self.focus = screen + "/" + (event.source.name or "unnamed")
        except Exception:
            pass

    def learn(self, window, screen):
        """Finds the named controls of a window that has just come up."""
        pending = [window]
        while pending:
            node = pending.pop()
            try:
                name, role = node.name, node.getRole()
                if role in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_LABEL, pyatspi.ROLE_TEXT,
                            pyatspi.ROLE_PROGRESS_BAR, pyatspi.ROLE_STATIC):
                    key = name if role != pyatspi.ROLE_PUSH_BUTTON else "button:" + name
                    self.controls.setdefault((screen, key), node)
                    if role == pyatspi.ROLE_PUSH_BUTTON:
                        self.controls.setdefault((screen, "button"), node)
                pending.extend(child for child in node if child is not None)
            except Exception:
                continue

    def initial_focus(self, window, screen):
        pending = [window]
        while pending:
            node = pending.pop()
            try:
                if node.getState().contains(pyatspi.STATE_FOCUSED):
                    self.focus = screen + ("/window" if node == window else "/" + node.name)
                    return
                pending.extend(child for child in node if child is not None)
            except Exception:
                continue

    def control(self, screen, key):
        return self.controls.get((screen, key))

    def x_windows(self):
        try:
            listed = subprocess.run(["xprop", "-root", "_NET_CLIENT_LIST"], capture_output=True,
                                    text=True, timeout=2).stdout
        except Exception:
            return {}
        shown = {}
        for word in listed.replace(",", " ").split():
            if not word.startswith("0x"):
                continue
            window = int(word, 16)
            if window not in self.roles:
                out = subprocess.run(["xprop", "-id", word, "WM_WINDOW_ROLE"],
                                     capture_output=True, text=True, timeout=2).stdout
                self.roles[window] = out.split('"')[1] if '"' in out else ""
            shown[self.roles[window]] = window
        return shown

    def active_role(self, shown):
        """The role of the window that the window manager says is active, if it is ours."""
        try:
            out = subprocess.run(["xprop", "-root", "_NET_ACTIVE_WINDOW"], capture_output=True,
                                 text=True, timeout=2).stdout
            window = int(out.split("#")[1].split(",")[0], 16)
        except Exception:
            return None
        for role, shown_window in shown.items():
            if shown_window == window:
                return role
        return None

    def report(self):
        lines = []
        shown = self.x_windows()
        for key in ROLES:
            lines.append("window.%s=%s" % (key, "%d shown" % shown[key] if key in shown else "0 hidden"))
        if "errorBox" in shown:
            lines.append("errorBox=%d" % shown["errorBox"])

        app = self.application()
        active = self.active_role(shown)
        if app is not None:
            for window in app:
                if window is None:
                    continue
                screen = screen_of(window)
                if screen not in self.windows_seen:
                    self.windows_seen[screen] = window
                    self.learn(window, screen)
                    if self.focus == "none":
                        self.initial_focus(window, screen)
                # The bus can drop a focus event on a busy machine: the window that the
                # window manager says is active is asked what it focuses now.
                if screen == active:
                    self.initial_focus(window, screen)
        lines.append("focus=" + self.focus)
        lines.extend(self.quiz())
        lines.extend(self.finale())
        return "\n".join(lines) + "\n"

    def showing(self, accessible):
        try:
            return accessible is not None and accessible.getState().contains(pyatspi.STATE_SHOWING)
        except Exception:
            return False

    def quiz(self):
        if "quiz" not in self.windows_seen:
            return []
        out = []
        lines = [self.control("quiz", "Answer line " + letter) for letter in "ABC"]
        result = self.control("quiz", "Result")
        cont = self.control("quiz", "button:Continue")
        for letter, line in zip("ABC", lines):
            out.append("answer%s=%s" % (letter, line.description if self.showing(line) else ""))
        judged = self.showing(result)
        out.append("result=%s" % (result.description if judged else "none"))
        out.append("continue=%d" % (1 if self.showing(cont) else 0))
        running = all(self.showing(line) for line in lines) and not judged and not self.showing(cont)
        out.append("clock=%s" % ("running" if running else "stopped"))
        for n, who in (("1", "Player one's"), ("2", "Player two's")):
            score = self.control("quiz", who + " score")
            lives = self.control("quiz", who + " lives")
            try:
                out.append("score%s=%s" % (n, score.queryText().getText(0, -1)))
                out.append("lives%s=%d" % (n, int(lives.queryValue().currentValue)))
            except Exception:
                pass
        return out

    def finale(self):
        out = []
        for screen, key in (("finale", "killButton"), ("tieBreak", "tossButton")):
            button = self.control(screen, "button")
            if button is None:
                continue
            try:
                caption = button.name
                if key == "tossButton":
                    enabled = button.getState().contains(pyatspi.STATE_SENSITIVE)
                    caption += " enabled" if enabled else " disabled"
                out.append("%s=%s" % (key, caption))
            except Exception:
                pass
        return out


def main():
    game = Game()

    def write():
        try:
            text = game.report()
        except Exception as e:  # the game is starting or going: try again next time
            text = "focus=none\nproblem=%s\n" % e
        temp = REPORT + ".new"
        with open(temp, "w") as f:
            f.write(text)
        os.replace(temp, REPORT)
        return True

    pyatspi.Registry.registerEventListener(game.on_focus, "object:state-changed:focused")
    GLib.timeout_add(INTERVAL_MS, write)
    pyatspi.Registry.start()


if __name__ == "__main__":
    main()
