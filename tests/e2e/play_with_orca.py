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

LIMIT = 420  # seconds for the whole run, however busy the machine
MENU = "BIENVENIDO A CRESTAVERDE"
FACE_UP = "Al lado de la baraja"
RANKS = {"As": 1, "Jota": 11, "Reina": 12, "Rey": 13}
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'\s*(?:\{.*\}|\[.*\])?\s*$")
started = time.monotonic()


class Failed(Exception):
    pass


class BoxUp(Exception):
    """A box came up while the board was being played: where Orca began to read it."""

    def __init__(self, mark):
        super().__init__(mark)
        self.mark = mark


class Speech:
    """What Orca says, line by line as it says it: Orca writes its debug log to a terminal, which
    it writes a line at a time, where a file would hold the last lines back."""

    def __init__(self, log_path):
        self.lines = []  # (arrival, text)
        self._master, self._slave = os.openpty()
        tty.setraw(self._slave)
        self.terminal = os.ttyname(self._slave)
        self._log = open(log_path, "w")
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        pending = b""
        while True:
            try:
                chunk = os.read(self._master, 65536)
            except OSError:
                return
            pending += chunk
            *complete, pending = pending.split(b"\n")
            for raw in complete:
                line = raw.decode(errors="replace")
                self._log.write(line + "\n")
                if said := SPOKEN.search(line):
                    self.lines.append((time.monotonic(), said.group(1)))

    def mark(self):
        return len(self.lines)

    def said_since(self, mark):
        return [text for _, text in self.lines[mark:]]

    def wait(self, mark, test, what, boxes=True, seconds=60):
        """The first line since mark that passes test, with its arrival time. With boxes, an alert
        spoken meanwhile raises BoxUp."""
        end = time.monotonic() + seconds
        while time.monotonic() < min(end, started + LIMIT):
            for index, (arrival, text) in enumerate(self.lines[mark:], mark):
                if test(text):
                    return arrival, text
                if boxes and text.startswith("alert "):
                    raise BoxUp(index)
            pump()
        raise Failed(f"Orca never said {what}; it said {self.said_since(mark)}")


def pump():
    GLib.MainContext.default().iteration(False)
    time.sleep(0.02)


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)


def children(node):
    return [c for c in map(node.get_child_at_index, range(node.get_child_count())) if c]


def find(node, test):
    if test(node):
        return node
    return next(filter(None, (find(c, test) for c in children(node))), None)


def until(get, what, seconds=60):
    end = time.monotonic() + seconds
    while time.monotonic() < min(end, started + LIMIT):
        if found := get():
            return found
        pump()
    raise Failed(f"gave up waiting for {what}")


def rank(name):
    word = name.split(" de ")[0]
    return RANKS.get(word) or int(word)


def row(card):
    return 5 if card.get_description() == FACE_UP else int(card.get_description().split()[-1])


class Board:
    """The board as the accessibility bus shows it."""

    def __init__(self, app):
        frame = until(lambda: find(app, lambda n: n.get_role() == Atspi.Role.FRAME), "the board")
        objects = children(frame)
        self.towers = [o for o in objects if o.get_description().startswith("Torre")]
        self.face_up = next(o for o in objects if o.get_description() == FACE_UP)
        self.score, self.draws_left = [o for o in objects if o.get_role() == Atspi.Role.LABEL][:2]

    def focused(self):
        for card in self.towers + [self.face_up]:
            if card.get_state_set().contains(Atspi.StateType.FOCUSED):
                return card
        return None

    def fitting(self):
        face_up = rank(self.face_up.get_name())
        return next((t for t in self.towers
                     if t.get_n_actions() and abs(rank(t.get_name()) - face_up) in (1, 12)), None)


def move_to(board, speech, target):
    """Arrows the highlight to the card, hearing each card it passes."""
    for _ in range(30):
        at = board.focused()
        if at is not None and at.get_description() == target.get_description() and \
                at.get_name() == target.get_name():
            return
        if at is None or row(at) != row(target):
            arrow = "Up" if at is None or row(at) > row(target) else "Down"
        else:
            arrow = "Left" if target.get_extents(Atspi.CoordType.SCREEN).x < \
                at.get_extents(Atspi.CoordType.SCREEN).x else "Right"
        mark = speech.mark()
        key(arrow)
        now = until(lambda: (f := board.focused()) is not None and f != at and f, "the highlight to move")
        speech.wait(mark, lambda t, name=now.get_name(): t.startswith(name + " push button"),
                    f"the highlighted {now.get_name()}")
    raise Failed(f"the highlight never reached {target.get_name()}")


def answer_boxes(speech, mark):
    """Answers the boxes that follow one another, from the one Orca began to read at mark, until
    the board or the name box is up; returns what Orca said last. Esc, as a stray key on the board
    or an answer to the abandon question, changes nothing."""
    while True:
        _, text = speech.wait(mark, lambda t: t.startswith("alert ") or t == "Abandonar push button."
                              or t.endswith(" text."), "a box or the board", boxes=False)
        mark = speech.mark()
        if not text.startswith("alert "):
            return text
        key("Escape")


def start_session():
    """Runs the script again in a D-Bus session of its own."""
    if os.environ.get("CRESTAVERDE_E2E_INSIDE"):
        return
    os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv],
               dict(os.environ, CRESTAVERDE_E2E_INSIDE="1"))


def start_display(env):
    """A virtual X display; the server picks a free number itself, so that displays started at the
    same moment never collide."""
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp"], pass_fds=[write], stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as number:
        env["DISPLAY"] = ":" + number.readline().strip()
    os.environ["DISPLAY"] = env["DISPLAY"]
    return server


def private_home(folder):
    """A home whose sound goes nowhere and whose speech server reads it there."""
    home = os.path.join(folder, "home")
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=f"{home}/.config", XDG_DATA_HOME=f"{home}/.local/share",
               XDG_CACHE_HOME=f"{home}/.cache", XDG_RUNTIME_DIR=f"{home}/run", QT_QPA_PLATFORM="xcb")
    os.makedirs(f"{home}/.config/speech-dispatcher")
    os.makedirs(f"{home}/run", mode=0o700)
    with open(f"{home}/.asoundrc", "w") as asound:
        asound.write("pcm.!default { type null }\n")
    with open(f"{home}/.config/speech-dispatcher/speechd.conf", "w") as speechd:
        speechd.write('AudioOutputMethod "alsa"\nAddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                      "DefaultModule espeak-ng\n")
    return env


def copy_program(source, folder):
    os.makedirs(folder)
    for name in os.listdir(source):
        if name in ("crestaverde", "libcrestaverde_clip.so") or name.endswith((".gif", ".jpg", ".svg", ".avi")):
            shutil.copy2(os.path.join(source, name), folder)
    return os.path.join(folder, "crestaverde")


def play(speech, app):
    """From the menu to the name box: a box, the highlight, a draw and a card played."""
    mark = speech.mark()
    key("Return")  # Jugar
    speech.wait(mark, lambda t: t == "NIVEL 1.", "the level's box", boxes=False)
    if "alert CRESTAVERDE." not in speech.said_since(mark):
        raise Failed(f"the box was not read as one: {speech.said_since(mark)}")
    print(f"the box: {speech.said_since(mark)}")
    mark = speech.mark()
    key("Escape")
    heard = {}
    while len(heard) < 3:
        if answer_boxes(speech, mark).endswith(" text."):  # the game is over: another one
            mark = speech.mark()
            key("Escape")
            speech.wait(mark, lambda t: t.startswith(MENU), "the menu", boxes=False)
            mark = speech.mark()
            key("Return")
            continue
        board = Board(app)
        try:
            while len(heard) < 3:
                turn(speech, board, heard)
        except BoxUp as box:
            mark = box.mark
    return heard


def turn(speech, board, heard):
    """Shows the highlight, then plays a card that fits or else draws."""
    if board.focused() is None:
        mark, pressed = speech.mark(), time.monotonic()
        key("Left")
        name = board.face_up.get_name()
        arrival, _ = speech.wait(mark, lambda t: t == f"{name} push button.", "the face-up card highlighted")
        heard.setdefault("highlight", (name, arrival - pressed))
    target = board.fitting() if "play" not in heard else None
    move_to(board, speech, target or board.face_up)
    card = (target or board.face_up).get_name()
    before = (board.face_up.get_name(), board.score.get_name())
    mark, pressed = speech.mark(), time.monotonic()
    key("Return")
    if target is not None:
        score = until(lambda: board.score.get_name() != before[1] and board.score.get_name(), "the score")
        expected = f"notification {card}. {score}"
        arrival, said = speech.wait(mark, lambda t: t.startswith(expected), repr(expected))
        heard["play"] = (said, arrival - pressed)
    else:
        until(lambda: board.face_up.get_name() != before[0] or not board.face_up.get_name(), "a draw")
        expected = f"notification {board.face_up.get_name()}. {board.draws_left.get_name()}."
        arrival, said = speech.wait(mark, lambda t: t == expected, repr(expected))
        heard["draw"] = (said, arrival - pressed)


def main():
    start_session()
    global Atspi, GLib
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib

    with tempfile.TemporaryDirectory() as folder:
        env = private_home(folder)
        speech = Speech(os.path.join(folder, "orca.log"))
        helpers = [start_display(env)]
        helpers.append(subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL))
        # Orca in English whatever the machine's language, as the checks quote it.
        helpers.append(subprocess.Popen(["orca", "--disable", "braille", "--user-prefs", f"{folder}/orca",
                                         "--debug-file", speech.terminal],
                                        env=dict(env, LC_ALL="C.UTF-8", LANGUAGE="en"),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        game = None
        try:
            speech.wait(0, lambda t: t == "Screen reader on.", "that it is on", seconds=120)
            game = subprocess.Popen([copy_program(sys.argv[1], f"{folder}/game")], env=env)
            speech.wait(0, lambda t: t.startswith(MENU), "the menu", seconds=120)
            app = until(lambda: find(Atspi.get_desktop(0), lambda n: n.get_name() == "CRESTAVERDE" and
                                     n.get_role() == Atspi.Role.APPLICATION), "the program on the bus")
            for what, (said, after) in play(speech, app).items():
                print(f"{what}: '{said}', {after:.2f} s after the key")
            mark = speech.mark()
            key("alt+a")  # Abandonar, then Sí: a score of any size enters the empty table
            speech.wait(mark, lambda t: t.startswith("¿Desea abandonar"), "the abandon question", boxes=False)
            mark = speech.mark()
            key("Return")
            speech.wait(mark, lambda t: t == "Introduzca su nombre selected.", "the name box's whole text",
                        boxes=False)
            print(f"the name box: {speech.said_since(mark)}")
            key("Escape")
            speech.wait(mark, lambda t: t.startswith(MENU), "the menu again", boxes=False)
            key("Escape")
            if game.wait(60) != 0:
                raise Failed(f"exit status {game.returncode}")
        except Failed as failure:
            print(f"FAIL: {failure}\nOrca said, last: {speech.said_since(max(0, speech.mark() - 40))}",
                  file=sys.stderr)
            return 1
        finally:
            for process in [game, *helpers]:
                if process is not None and process.poll() is None:
                    process.kill()
    print(f"Orca read the game in {time.monotonic() - started:.0f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
