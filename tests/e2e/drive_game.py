# SPDX-License-Identifier: GPL-3.0-or-later
# Drives one copy of the game through the accessibility bus, as a screen reader's user would, on
# commands read from standard input, one a line; answers each with "ok ..." or "fail ..." on
# standard output. Every box is read before it is answered. Run in a D-Bus session of its own.
#   ready         answers once the program is on the accessibility bus
#   play NAME     from the menu: a game abandoned at once, its score entered under NAME, the
#                 menu back with the row shown
#   rows          the names the menu shows, "|" between them
#   quit          presses Salir
#   waiting       waits for the box that says the game waits for the table's lock
#   give-up       presses Salir sin guardar there and answers the box that tells the score is lost
#   exit          waits for the program to end and answers with its exit status
# Usage: drive_game.py PROGRAM
import os, subprocess, sys, time  # noqa: E401

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

MENU = "BIENVENIDO A CRESTAVERDE"


class Failed(Exception):
    pass


def children(node):
    try:
        return [c for c in map(node.get_child_at_index, range(node.get_child_count())) if c]
    except GLib.Error:  # gone meanwhile
        return []


def find(node, test):
    try:
        if test(node):
            return node
    except GLib.Error:
        return None
    return next(filter(None, (find(c, test) for c in children(node))), None)


def named(name):
    return lambda n: n.get_name() == name


def showing(node):
    try:
        return node.get_state_set().contains(Atspi.StateType.SHOWING)
    except GLib.Error:
        return False


def wait_for(get, what, seconds=60):  # a bound for a hang only: a busy machine may take long
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        GLib.MainContext.default().iteration(False)
        if found := get():
            return found
        time.sleep(0.02)
    raise Failed(f"gave up waiting for {what}")


def texts(node):
    return [n.get_name() for n in [node] + children(node)] + [
        t for c in children(node) for t in texts(c)]


class Driver:
    def __init__(self, program):
        self.game = subprocess.Popen([program], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"),
                                     stderr=subprocess.DEVNULL)
        self.app = wait_for(lambda: find(Atspi.get_desktop(0), named("CRESTAVERDE")), "the program")

    @staticmethod
    def ready():
        return "ok"

    def menu(self):
        return wait_for(lambda: find(self.app, lambda n: n.get_name() == MENU and showing(n)), "the menu")

    def box(self, saying):
        # The top-level window that shows the text, other than the board and the menu.
        def up():
            for window in children(self.app):
                if window.get_name() != MENU and showing(window) and window.get_role() in (
                        Atspi.Role.ALERT, Atspi.Role.DIALOG) and any(saying in t for t in texts(window)):
                    return window
            return None
        return wait_for(up, f"a box saying {saying!r}")

    @staticmethod
    def press(node, name):
        button = wait_for(lambda: find(node, named(name)), f"the button {name}")
        button.do_action(0)

    def answer(self, saying, button):
        box = self.box(saying)
        self.press(box, button)
        wait_for(lambda: not showing(box), f"the box saying {saying!r} to close")

    def play(self, name):
        self.press(self.menu(), "Jugar")
        self.answer("NIVEL 1", "Aceptar")
        self.answer("Empieza", "Aceptar")
        board = wait_for(lambda: find(self.app, lambda n: n.get_role() == Atspi.Role.FRAME and showing(n)),
                         "the board")
        self.press(board, "Abandonar")
        self.answer("¿Desea abandonar la partida?", "Sí")
        box = self.box("HA BATIDO UN RECORD!!!")
        field = wait_for(lambda: find(box, lambda n: n.get_role() == Atspi.Role.TEXT), "the name field")
        prefilled = field.get_text(0, -1)
        if prefilled != "Introduzca su nombre":
            raise Failed(f"the name box holds {prefilled!r}")
        field.set_text_contents(name)
        wait_for(lambda: field.get_text(0, -1) == name, f"{name} in the name field")
        self.press(box, "Aceptar")
        wait_for(lambda: name in self.rows().split("|"), f"{name} in the menu")
        return "ok"

    def rows(self):
        menu = self.menu()
        labels = [n for n in children(menu) if n.get_role() == Atspi.Role.LABEL and ", " in n.get_name()]
        return "|".join(sorted(label.get_name().split(", ")[0] for label in labels))

    def quit(self):
        self.press(self.menu(), "Salir")
        return "ok"

    def waiting(self):
        self.box("Guardando las puntuaciones")
        return "ok"

    def give_up(self):
        self.press(self.box("Guardando las puntuaciones"), "Salir sin guardar")
        self.answer("No se han podido guardar las puntuaciones", "Aceptar")
        return "ok"

    def exit(self):
        return f"ok {self.game.wait(60)}"


def main():
    driver = Driver(sys.argv[1])
    try:
        for line in sys.stdin:
            command, _, argument = line.strip().partition(" ")
            try:
                action = getattr(driver, command.replace("-", "_"))
                reply = action(argument) if argument else action()
            except Failed as failure:
                reply = f"fail {failure}"
            print(reply if reply.startswith(("ok", "fail")) else f"ok {reply}", flush=True)
    finally:
        if driver.game.poll() is None:
            driver.game.kill()


if __name__ == "__main__":
    main()
