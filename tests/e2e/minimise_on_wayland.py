# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the game as a native Wayland client inside a nested compositor shown on an X display, and
# minimises the board during play: the program must keep running, show no box while the board is
# hidden, keep its clock still, and bring the board back at its full size with the same time left.
# Then checks on the Wayland wire that every other window is a transient of the board and that the
# windows carry the desktop entry's name.
# In a D-Bus session, with WAYLAND_DISPLAY set:
#   minimise_on_wayland.py PROGRAM DESKTOP_ID LOG RESULT ROUND...
# where each ROUND is MINIMISE:RESTORE:SECONDS: "button" (the title bar's minimise button, which Qt
# draws), or an xdotool key such as super+h; the keys that bring the board back, such as alt+Tab
# or super+Tab; and how long to watch the hidden board, 0 for as long as the time left would last.
# RESULT gets "passed" when every check held.
import os, re, subprocess, sys, time  # noqa: E401

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

from play_by_screen_reader import children, find, press, showing  # noqa: E402

MENU = "BIENVENIDO A CRESTAVERDE"
LEVEL_ONE_TICK_S, LEVEL_ONE_DRAIN = 2, 20


class Failed(Exception):
    pass


def wait_for(what, get, seconds=60):  # without a bound of its own, one for a hang only
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if (found := get()) is not None and found is not False:
            return found
        time.sleep(0.05)
    raise Failed(f"gave up waiting for {what}")


def screen_size():
    out = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True, text=True, check=True)
    return tuple(map(int, out.stdout.split()))


# Points on the board that nothing changes during a minimise: the felt beside the title bar and
# above the score, left, middle and right. A board back at another size or place shows other
# colours there.
def sample_points():
    width, height = screen_size()
    return [(20, 60), (width // 2, 60), (width - 20, 60), (20, height - 60), (width - 20, height - 60)]


def colours(points):
    spec = " ".join(f"%[pixel:p{{{x},{y}}}]" for x, y in points)
    out = subprocess.run(["convert", "x:root", "-format", spec, "info:"], capture_output=True, text=True,
                         check=True)
    return out.stdout.split()


class Game:
    def __init__(self, program, log):
        env = dict(os.environ, QT_QPA_PLATFORM="wayland", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   WAYLAND_DEBUG="client")
        self.log = open(log, "w")
        self.process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=self.log)
        self.app = wait_for("the game on the accessibility bus",
                            lambda: find(Atspi.get_desktop(0), lambda n: n.get_name() == "CRESTAVERDE"))
        # Found once: each look through the board's cards costs a round trip per card.
        self.board = wait_for("the board", lambda: find(self.app, lambda n: n.get_role() == Atspi.Role.FRAME))
        self.bar = find(self.board, lambda n: n.get_role() == Atspi.Role.PROGRESS_BAR)

    def running(self):
        return self.process.poll() is None

    def boxes(self):
        return [w for w in children(self.app) if w.get_name() != MENU and showing(w)
                and w.get_role() in (Atspi.Role.ALERT, Atspi.Role.DIALOG)]

    def time_left(self):
        return int(self.bar.get_current_value())

    def size(self):
        extents = self.board.get_extents(Atspi.CoordType.WINDOW)
        return extents.width, extents.height

    def deal(self):
        menu = wait_for("the menu", lambda: find(self.app, lambda n: n.get_name() == MENU and showing(n)))
        press(menu, "Jugar")
        for _ in ("NIVEL 1", "Empieza"):
            box = wait_for("the banner's box", lambda: next(iter(self.boxes()), None))
            press(box, "Aceptar")
            wait_for("the box to close", lambda: not showing(box))
        wait_for("the clock to run", lambda: self.time_left() < 200)

    def just_after_a_tick(self):
        before = self.time_left()
        # Bounded for a hang only: a loaded or sanitized run draws late, and a tick is 2 s.
        try:
            return wait_for("a tick of the clock", lambda: (now := self.time_left()) != before and now, 60)
        except Failed as failure:
            raise Failed(f"{failure} at {before}; showing: {self.showing_windows()}") from None

    # Each window up, with whether it is the active one: what holds a clock still.
    def showing_windows(self):
        return [(w.get_name(), w.get_state_set().contains(Atspi.StateType.ACTIVE))
                for w in children(self.app) if showing(w)]


# Qt's title bar on the maximised board: its minimise button is the third from the right. The
# pointer rests there from the start, so that a click needs no motion, which a nested compositor
# may deliver after the click.
def minimise_button():
    width, _ = screen_size()
    return str(width - 64), "15"


# Minimises the board just after a tick of the clock; returns the time left then. The screen is
# read first: on a loaded machine that takes long enough for the next tick to pass meanwhile.
# A request the compositor let pass still holds the clock until the board has the focus again, so
# a second try waits for no tick: the one tick a hold may let through is allowed for anyway.
def minimise(game, how, points):
    for attempt in range(3):
        if how == "button":
            # Weston's X backend follows the pointer by its moves alone, from where it thinks the
            # pointer was, and stops it at the screen's edges: a move to the corner puts both in
            # the same place, and the next one on the button. Both come well before the click.
            subprocess.run(["xdotool", "mousemove", "0", "0", "mousemove", *minimise_button()], check=True)
        before = colours(points)
        time_left = game.just_after_a_tick() if attempt == 0 else game.time_left()
        if how == "button":
            subprocess.run(["xdotool", "mousemove", *minimise_button(), "click", "1"], check=True)
        else:
            subprocess.run(["xdotool", "key", how], check=True)
        try:
            wait_for("the board to disappear", lambda: all(a != b for a, b in zip(colours(points), before)), 30)
            return time_left, before
        except Failed:
            pass
    raise Failed(f"{how} did not hide the board; board {game.size()} on screen {screen_size()}, showing {game.showing_windows()}")


def play_round(game, minimise_how, restore_keys, watch_seconds, points):
    full_size = game.size()
    time_left, before = minimise(game, minimise_how, points)
    # The program learns that the board is gone only from the compositor, which on a loaded
    # machine may tell it after the next tick: that one tick may still come, then not one more.
    hidden_at = time_left
    # As long as the time left would last at level 1, and one tick more.
    watch = float(watch_seconds) or (time_left // LEVEL_ONE_DRAIN + 2) * LEVEL_ONE_TICK_S
    end = time.monotonic() + watch
    while time.monotonic() < end:
        if not game.running():
            raise Failed("the program ended while the board was hidden")
        if game.boxes():
            raise Failed(f"a box came up while the board was hidden: {game.boxes()[0].get_name()}")
        now = game.time_left()
        if now != hidden_at and (hidden_at != time_left or now != time_left - LEVEL_ONE_DRAIN):
            raise Failed(f"the clock ran while the board was hidden: {time_left} -> {now}")
        hidden_at = now
        time.sleep(0.2)
    subprocess.run(["xdotool", "key", restore_keys], check=True)
    # The clock goes on where it stopped: the tick it stopped in may end at once.
    if game.time_left() not in (hidden_at, hidden_at - LEVEL_ONE_DRAIN):
        raise Failed(f"time left {game.time_left()} after the board came back, {hidden_at} before")
    wait_for("the board back at its full size", lambda: colours(points) == before, 20)
    wait_for("the board's size in its window", lambda: game.size() == full_size, 10)
    wait_for("the clock to run again", lambda: game.time_left() < hidden_at, 4 * LEVEL_ONE_TICK_S + 5)
    print(f"minimised with {minimise_how} at {time_left}, watched {watch:.0f} s, back with {restore_keys}")


def check_wire(log, desktop_id):
    lines = open(log, encoding="utf-8", errors="replace").read().splitlines()
    if any("Protocol error" in line for line in lines):
        raise Failed("the compositor reported a protocol error")
    toplevels, current = [], {}
    for line in lines:
        if m := re.search(r"get_toplevel\(new id xdg_toplevel@(\d+)\)", line):
            current[m[1]] = {"parent": None, "title": None, "app_id": None}
            toplevels.append(current[m[1]])
        elif m := re.search(r"-> xdg_toplevel@(\d+)\.set_parent\(xdg_toplevel@(\d+)\)", line):
            current[m[1]]["parent"] = current[m[2]]
        elif m := re.search(r'-> xdg_toplevel@(\d+)\.set_(title|app_id)\("(.*)"\)', line):
            current[m[1]][m[2]] = m[3]
    board, others = toplevels[0], toplevels[1:]
    if board["title"] != "CRESTAVERDE" or board["parent"] is not None:
        raise Failed(f"the first window is not the board: {board}")
    if not any(t["title"] == MENU for t in others) or len(others) < 3:
        raise Failed(f"expected the menu and the banner's boxes: {others}")
    if orphans := [t["title"] for t in others if t["parent"] is not board]:
        raise Failed(f"not transients of the board: {orphans}")
    if names := {t["app_id"] for t in toplevels} - {desktop_id}:
        raise Failed(f"application ids other than {desktop_id}: {names}")
    print(f"{len(others)} windows over the board, all its transients; application id {desktop_id}")


def main():
    program, desktop_id, log, result = sys.argv[1:5]
    points = sample_points()
    # Also where the keys go: the X display gives them to the window under the pointer.
    subprocess.run(["xdotool", "mousemove", *minimise_button()], check=True)
    game = Game(program, log)
    try:
        game.deal()
        for round_ in sys.argv[5:]:
            play_round(game, *round_.split(":"), points)
        if not game.running():
            raise Failed("the program ended")
    except Failed as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    finally:
        game.process.kill()
        game.process.wait()
        game.log.close()
    try:
        check_wire(log, desktop_id)
    except Failed as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    with open(result, "w") as out:
        out.write("passed\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
