#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the real program with the keyboard while the Orca screen reader listens, as a blind player
# would, and checks what Orca says: a box, the highlight on the face-up card, the card a draw turns
# up, the score when a card is played, and the name box's text whole. The deal is random: the board
# is read through the accessibility bus to find the cards that fit, and a game lost on the way is
# followed by another. It runs on a virtual X display and in a D-Bus session of its own, with
# Orca's speech going to ALSA's null device.
# Usage: play_with_orca.py PROGRAM_FOLDER
import os, re, shutil, subprocess, sys, tempfile, threading, time, tty  # noqa: E401

LIMIT = time.monotonic() + 420  # for the whole run, however busy the machine
MENU, FACE_UP = "BIENVENIDO A CRESTAVERDE", "Al lado de la baraja"
RANKS = {"As": 1, "Jota": 11, "Reina": 12, "Rey": 13}
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'\s*(?:\{.*\}|\[.*\])?\s*$")
said = []  # (arrival, text) of each line Orca speaks


class Failed(Exception):
    pass


class BoxUp(Exception):
    """A box came up while the board was being played; holds where Orca began to read it."""


def listen():
    """Orca writes its debug log to a terminal a line at a time, where a file would hold the last
    lines back. Returns the terminal's name."""
    master, terminal = os.openpty()
    tty.setraw(terminal)

    def read():
        for line in os.fdopen(master, "rb"):
            if found := SPOKEN.search(line.decode(errors="replace")):
                said.append((time.monotonic(), found.group(1)))
    threading.Thread(target=read, daemon=True).start()
    return os.ttyname(terminal)


def pump():
    GLib.MainContext.default().iteration(False)
    time.sleep(0.02)


def until(get, what):
    while time.monotonic() < LIMIT:
        if found := get():
            return found
        pump()
    raise Failed(f"gave up waiting for {what}")


def hear(mark, test, what, boxes=True):
    """The first line since mark that passes test, and when it came. With boxes, an alert spoken
    meanwhile raises BoxUp."""
    def heard():
        for index, (arrival, text) in enumerate(said[mark:], mark):
            if test(text):
                return arrival, text
            if boxes and text.startswith("alert "):
                raise BoxUp(index)
    return until(heard, f"Orca to say {what}")


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)
    return len(said), time.monotonic()


def children(node):
    return [c for c in map(node.get_child_at_index, range(node.get_child_count())) if c]


def find(node, test):
    return node if test(node) else next(filter(None, (find(c, test) for c in children(node))), None)


def rank(card):
    word = card.get_name().split(" de ")[0]
    return RANKS.get(word) or int(word)


def row(card):  # the face-up card lies below the towers' four rows
    return 5 if card.get_description() == FACE_UP else int(card.get_description().split()[-1])


class Board:
    """The board as the accessibility bus shows it."""

    def __init__(self, app):
        objects = children(until(lambda: find(app, lambda n: n.get_role() == Atspi.Role.FRAME), "the board"))
        self.towers = [o for o in objects if o.get_description().startswith("Torre")]
        self.face_up = next(o for o in objects if o.get_description() == FACE_UP)
        self.score, self.draws_left = [o for o in objects if o.get_role() == Atspi.Role.LABEL][:2]

    def focused(self):
        return next((c for c in self.towers + [self.face_up]
                     if c.get_state_set().contains(Atspi.StateType.FOCUSED)), None)

    def fitting(self):
        return next((t for t in self.towers if t.get_n_actions() and
                     abs(rank(t) - rank(self.face_up)) in (1, 12)), None)

    def move_to(self, target):
        """Arrows the highlight to the card, hearing each card it reaches."""
        while (at := self.focused()) != target:
            if at is None or row(at) != row(target):
                arrow = "Up" if at is None or row(at) > row(target) else "Down"
            else:
                x = lambda card: card.get_extents(Atspi.CoordType.SCREEN).x  # noqa: E731
                arrow = "Left" if x(target) < x(at) else "Right"
            mark, _ = key(arrow)
            now = until(lambda: (f := self.focused()) != at and f, "the highlight to move")
            hear(mark, lambda t: t == f"{now.get_name()} push button.", f"the highlighted {now.get_name()}")


def answer_boxes(mark):
    """Answers the boxes Orca reads from mark on, until the board or the name box is up; returns
    what Orca said last. Esc, as a stray key on the board or an answer to the abandon question,
    changes nothing."""
    while True:
        _, text = hear(mark, lambda t: t.startswith("alert ") or t == "Abandonar push button." or
                       t.endswith(" text."), "a box or the board", boxes=False)
        if not text.startswith("alert "):
            return text
        mark, _ = key("Escape")


def turn(board, heard):
    """Shows the highlight, then plays a card that fits or else draws."""
    if board.focused() is None:
        name = board.face_up.get_name()
        mark, pressed = key("Left")
        arrival, _ = hear(mark, lambda t: t == f"{name} push button.", "the face-up card highlighted")
        heard.setdefault("highlight", (name, arrival - pressed))
    target = None if "play" in heard else board.fitting()
    board.move_to(target or board.face_up)
    card, score = (target or board.face_up).get_name(), board.score.get_name()
    mark, pressed = key("Return")
    if target is not None:
        score = until(lambda: board.score.get_name() != score and board.score.get_name(), "the score")
        what, expected = "play", f"notification {card}. {score}"
    else:
        until(lambda: board.face_up.get_name() != card, "a draw")
        what, expected = "draw", f"notification {board.face_up.get_name()}. {board.draws_left.get_name()}."
    arrival, text = hear(mark, lambda t: t.startswith(expected), repr(expected))
    heard[what] = (text, arrival - pressed)


def play(app):
    """From the menu to a board played: a box, the highlight, a draw and a card played."""
    mark, _ = key("Return")  # Jugar
    hear(mark, lambda t: t == "NIVEL 1.", "the level's box", boxes=False)
    if "alert CRESTAVERDE." not in [t for _, t in said[mark:]]:
        raise Failed("the level's box was not read as a box")
    mark, _ = key("Escape")
    heard = {}
    while len(heard) < 3:
        if answer_boxes(mark).endswith(" text."):  # the game is lost: another one
            mark, _ = key("Escape")
            hear(mark, lambda t: t.startswith(MENU), "the menu", boxes=False)
            mark, _ = key("Return")
            continue
        board = Board(app)
        try:
            while len(heard) < 3:
                turn(board, heard)
        except BoxUp as box:
            mark = box.args[0]
    return heard


def session(folder):
    """A home whose sound goes nowhere, on an X display whose server picks a free number itself."""
    home = f"{folder}/home"
    os.makedirs(f"{home}/.config/speech-dispatcher")
    os.makedirs(f"{home}/run", mode=0o700)
    with open(f"{home}/.asoundrc", "w") as sound:
        sound.write("pcm.!default { type null }\n")
    with open(f"{home}/.config/speech-dispatcher/speechd.conf", "w") as speech:
        speech.write('AudioOutputMethod "alsa"\nAddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                     "DefaultModule espeak-ng\n")
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten",
                               "tcp"], pass_fds=[write], stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as number:
        display = ":" + number.readline().strip()
    os.environ.update(HOME=home, XDG_CONFIG_HOME=f"{home}/.config", XDG_DATA_HOME=f"{home}/.local/share",
                      XDG_CACHE_HOME=f"{home}/.cache", XDG_RUNTIME_DIR=f"{home}/run", DISPLAY=display,
                      QT_QPA_PLATFORM="xcb")
    return server


def main():
    if not os.environ.get("CRESTAVERDE_E2E_INSIDE"):  # again, in a D-Bus session of its own
        os.environ["CRESTAVERDE_E2E_INSIDE"] = "1"
        os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv])
    global Atspi, GLib
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib

    with tempfile.TemporaryDirectory() as folder:
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        processes = [session(folder), subprocess.Popen(["openbox"], **quiet)]
        # Orca in English whatever the machine's language, as the checks quote it.
        processes.append(subprocess.Popen(["orca", "--disable", "braille", "--user-prefs", f"{folder}/orca",
                                           "--debug-file", listen()],
                                          env=dict(os.environ, LC_ALL="C.UTF-8", LANGUAGE="en"), **quiet))
        try:
            hear(0, lambda t: t == "Screen reader on.", "that it is on")
            # Without the window manager the program's windows would not get the keyboard's focus.
            until(lambda: "window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                        capture_output=True, text=True).stdout,
                  "the window manager")
            os.makedirs(f"{folder}/game")
            for name in os.listdir(sys.argv[1]):
                if name == "crestaverde" or name.endswith((".gif", ".jpg", ".svg", ".avi")):
                    shutil.copy2(os.path.join(sys.argv[1], name), f"{folder}/game")
            processes.append(subprocess.Popen([f"{folder}/game/crestaverde"]))
            hear(0, lambda t: t.startswith(MENU), "the menu")
            app = until(lambda: find(Atspi.get_desktop(0), lambda n: n.get_role() == Atspi.Role.APPLICATION and
                                     n.get_name() == "CRESTAVERDE"), "the program on the bus")
            for what, (said_then, after) in play(app).items():
                print(f"{what}: '{said_then}', {after:.2f} s after the key")
            mark, _ = key("alt+a")  # Abandonar, then Sí: the name box, as a score of 0 enters the table
            hear(mark, lambda t: t.startswith("¿Desea abandonar"), "the abandon question", boxes=False)
            mark, _ = key("Return")
            hear(mark, lambda t: t == "Introduzca su nombre selected.", "the name box's whole text", boxes=False)
            mark, _ = key("Escape")
            hear(mark, lambda t: t.startswith(MENU), "the menu again", boxes=False)
            key("Escape")
            if processes[-1].wait(60) != 0:
                raise Failed(f"exit status {processes[-1].returncode}")
        except Failed as failure:
            print(f"FAIL: {failure}; Orca said last: {[t for _, t in said[-40:]]}", file=sys.stderr)
            return 1
        finally:
            for process in processes:
                process.kill()
    return 0


if __name__ == "__main__":
    sys.exit(main())
