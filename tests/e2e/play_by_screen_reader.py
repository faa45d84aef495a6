# SPDX-License-Identifier: GPL-3.0-or-later
# Plays a whole game through the accessibility bus alone, as a screen reader's user would: reads
# the cards' names, presses a tower card one above or below the face-up card or else draws, answers
# every box with its buttons, enters a name for the record and quits, listening meanwhile for what
# the board announces. In a D-Bus session on an X display: play_by_screen_reader.py PROGRAM NAME
import os, subprocess, sys, time  # noqa: E401

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

MENU, RANKS = "BIENVENIDO A CRESTAVERDE", {"As": 1, "Jota": 11, "Reina": 12, "Rey": 13}
heard = []


def rank(card):
    word = card.get_name().split(" de ")[0]
    return RANKS.get(word) or int(word)


def children(node):
    return [c for c in map(node.get_child_at_index, range(node.get_child_count())) if c]


def find(node, test):
    return node if test(node) else next(filter(None, (find(c, test) for c in children(node))), None)


def press(node, name=None):
    (find(node, lambda n: n.get_name() == name) if name else node).do_action(0)


def showing(node):
    try:
        return node.get_state_set().contains(Atspi.StateType.SHOWING)
    except GLib.Error:  # gone
        return False


def wait_for(get, seconds=60):  # a bound for a hang only: a busy machine may take long
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        GLib.MainContext.default().iteration(False)  # delivers the announcements
        if found := get():
            return found
        time.sleep(0.05)
    sys.exit("gave up waiting")


def play(app):
    # Until the name box comes up: returns it and its field.
    objects = children(wait_for(lambda: find(app, lambda n: n.get_role() == Atspi.Role.FRAME)))
    towers = [o for o in objects if o.get_description().startswith("Torre")]
    face_up = next(o for o in objects if o.get_description() == "Al lado de la baraja")
    counters = [o for o in objects if o.get_role() == Atspi.Role.LABEL][:2]  # score, draws left
    boxes = lambda: [w for w in children(app) if w.get_name() != MENU and showing(w) and  # noqa: E731
                     w.get_role() in (Atspi.Role.ALERT, Atspi.Role.DIALOG)]
    while True:
        if box := next(iter(boxes()), None):
            if field := find(box, lambda n: n.get_role() == Atspi.Role.TEXT):
                return box, field
            press(box, "Aceptar")
            wait_for(lambda: not showing(box))
        elif face_up.get_n_actions():  # else the board is being dealt
            before = [c.get_name() for c in counters]
            fits = [t for t in towers if t.get_n_actions() and abs(rank(t) - rank(face_up)) in (1, 12)]
            press((fits or [face_up])[0])
            wait_for(lambda: [c.get_name() for c in counters] != before or boxes())


def main():
    program, name = sys.argv[1:3]
    listener = Atspi.EventListener.new(lambda event: heard.append(event.source.get_name()))
    listener.register("object:property-change:accessible-name")
    game = subprocess.Popen([program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    try:
        app = wait_for(lambda: find(Atspi.get_desktop(0), lambda n: n.get_name() == "CRESTAVERDE"))
        menu = wait_for(lambda: find(app, lambda n: n.get_name() == MENU and showing(n)))
        press(menu, "Jugar")
        box, field = play(app)
        field.set_text_contents(name)
        wait_for(lambda: field.get_text(0, -1) == name)  # the box holds the name before it is accepted
        press(box, "Aceptar")
        wait_for(lambda: showing(menu) and find(menu, lambda n: n.get_name().startswith(name + ", ")))
        missed = [a for a in ("Puntuación: ", "Robos restantes: 23") if not any(h.startswith(a) for h in heard)]
        if missed:
            sys.exit(f"never announced {missed}: {heard}")
        press(menu, "Salir")
        return game.wait(20)
    finally:
        game.kill()


if __name__ == "__main__":
    sys.exit(main())
