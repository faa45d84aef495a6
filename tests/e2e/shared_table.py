# SPDX-License-Identifier: GPL-3.0-or-later
# The real program saving scores while another process holds the table's lock, and on a table that
# two accounts share. Each copy of the game runs on a virtual X display of its own with a window
# manager, driven by drive_game.py in a D-Bus session of its own (one accessibility bus a display).
# Usage: shared_table.py PROGRAM_FOLDER
import fcntl, glob, os, pwd, shutil, signal, subprocess, sys, tempfile, time  # noqa: E401

HERE = os.path.dirname(os.path.abspath(__file__))
passed = 0


def fail(message):
    sys.exit(f"FAIL: {message}")


def passes(message):
    global passed
    passed += 1
    print(message, flush=True)


def copy_program(source, folder):
    os.makedirs(folder)
    for pattern in ("crestaverde", "*.gif", "*.jpg", "*.svg", "*.avi"):
        for file in glob.glob(os.path.join(source, pattern)):
            shutil.copy2(file, folder)
    return os.path.join(folder, "crestaverde")


def names(folder):
    try:
        with open(os.path.join(folder, "record.ini"), "rb") as table:
            lines = table.read().decode("cp1252").split("\r\n")
    except FileNotFoundError:
        return None
    return sorted(name for name in lines[0:10:2] if name)


def wait_until(test, what, seconds=60):  # a bound for a hang only
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if test():
            return
        time.sleep(0.05)
    fail(f"gave up waiting for {what}")


class Game:
    # The driver runs from beside the program: a second account may not enter the checkout (a
    # clone in root's home, say). What the driver and its session print goes to a log, shown
    # when the driver fails.
    def __init__(self, program, account=None, home=None):
        folder = os.path.dirname(program)
        driver = os.path.join(folder, "drive_game.py")
        if not os.path.exists(driver):
            shutil.copy(os.path.join(HERE, "drive_game.py"), driver)
        self.log = os.path.join(folder, f"driver-{account or 'own'}.log")
        command = ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", "sh", "-c",
                   'openbox >/dev/null 2>&1 & exec dbus-run-session -- /usr/bin/python3 "$0" "$1"',
                   driver, program]
        if account:
            command = ["runuser", "-u", account, "--", "env", f"HOME={home}"] + command
        with open(self.log, "w") as log:
            self.process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                            stderr=log, text=True,
                                            env=dict(os.environ, QT_QPA_PLATFORM="xcb"))
        self.say("ready")

    def say(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        # The accessibility bus's daemons, started in the driver's session, write there too.
        reply = "x"
        while reply and not reply.startswith(("ok", "fail")):
            reply = self.process.stdout.readline()
        reply = reply.strip()
        if not reply.startswith("ok"):
            with open(self.log) as log:
                said = log.read()[-2000:]
            fail(f"{command}: {reply or 'the driver ended'}\n{said}")
        return reply[2:].strip()

    def ended(self):
        status = self.say("exit")
        self.process.stdin.close()
        self.process.wait(60)
        if status != "0":
            fail(f"exit status {status}")


class HeldLock:
    """Another process (this one) holding the table's lock: an flock on the table's folder."""

    def __init__(self, folder):
        self.fd = os.open(folder, os.O_RDONLY | os.O_DIRECTORY)  # not inherited by the games
        fcntl.flock(self.fd, fcntl.LOCK_EX)

    def free(self):
        os.close(self.fd)


def end_every_process_of(account):
    """What a failed run left of the account's games, so that the account can be removed."""
    uid = pwd.getpwnam(account).pw_uid
    for _ in range(600):  # a bound for a hang only
        left = [int(p) for p in os.listdir("/proc") if p.isdigit() and owner(p) == uid]
        if not left:
            return
        for pid in left:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        time.sleep(0.1)
    fail(f"processes of {account} outlived SIGKILL")


def owner(pid):
    try:
        return os.stat(f"/proc/{pid}").st_uid
    except FileNotFoundError:
        return None


def two_copies_while_the_lock_is_held(work, source):
    folder = os.path.join(work, "shared")
    program = copy_program(source, folder)
    lock = HeldLock(folder)
    ana, bea = Game(program), Game(program)
    ana.say("play Ana")
    bea.say("play Bea")
    if names(folder) is not None:
        fail("a save went past the lock")
    if ana.say("rows") != "Ana" or bea.say("rows") != "Bea":
        fail("a menu does not show its own row")
    lock.free()
    wait_until(lambda: names(folder) == ["Ana", "Bea"], "both rows in record.ini")
    # The copy that saved second read the other's row under the lock.
    wait_until(lambda: "Ana|Bea" in (ana.say("rows"), bea.say("rows")), "a menu to show both rows")
    for game in (ana, bea):
        game.say("quit")
        game.ended()
    passes("two copies went on while the lock was held, and both rows were saved once it was free")


def quitting_waits_for_the_lock(work, source):
    folder = os.path.join(work, "waits")
    program = copy_program(source, folder)
    lock = HeldLock(folder)
    carla = Game(program)
    carla.say("play Carla")
    carla.say("quit")
    carla.say("waiting")
    if names(folder) is not None:
        fail("a save went past the lock")
    lock.free()
    carla.ended()
    if names(folder) != ["Carla"]:
        fail(f"record.ini holds {names(folder)}")
    passes("quitting waited for the lock and then saved")


def giving_up_tells_the_score_is_lost(work, source):
    folder = os.path.join(work, "gives_up")
    program = copy_program(source, folder)
    lock = HeldLock(folder)
    dora = Game(program)
    dora.say("play Dora")
    dora.say("quit")
    dora.say("give-up")
    dora.ended()
    if names(folder) is not None:
        fail("record.ini was written")
    lock.free()
    passes("giving up on the lock told the player the score was not saved")


def two_accounts_beside_a_foreign_lock_file(work, source):
    folder = os.path.join(work, "accounts")
    program = copy_program(source, folder)
    with open(os.path.join(folder, "record.ini"), "wb") as table:
        table.write(b"Viejo\r\n100\r\n")
    lock_file = os.path.join(folder, "record.ini.lock")
    if os.geteuid() != 0:
        # One account: a lock file that is a link to nowhere stops nothing.
        os.symlink("/nonexistent/lock", lock_file)
        pepe = Game(program)
        pepe.say("play Pepe")
        wait_until(lambda: names(folder) == ["Pepe", "Viejo"], "Pepe in record.ini")
        pepe.say("quit")
        pepe.ended()
        passes("a lock file that is a link to nowhere stopped nothing (two accounts need root)")
        return
    account = f"cv-e2e-{os.getpid()}"
    subprocess.run(["useradd", "--system", "--no-create-home", "--home-dir", "/nonexistent",
                    "--shell", "/usr/sbin/nologin", account], check=True)
    try:
        home = os.path.join(work, "home")
        os.mkdir(home)
        shutil.chown(home, account)
        os.chmod(folder, 0o777)
        os.chmod(os.path.join(folder, "record.ini"), 0o666)
        open(lock_file, "w").close()
        shutil.chown(lock_file, "nobody")
        os.chmod(lock_file, 0o600)
        pepe, rosa = Game(program, account, home), Game(program)
        pepe.say("play Pepe")
        rosa.say("play Rosa")
        wait_until(lambda: names(folder) == ["Pepe", "Rosa", "Viejo"], "both rows in record.ini")
        for game in (pepe, rosa):
            game.say("quit")
            game.ended()
    finally:
        end_every_process_of(account)
        subprocess.run(["userdel", account], check=True)
    passes("a player and root kept each other's rows beside another account's lock file")


def main():
    source = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as work:
        os.chmod(work, 0o755)
        for scenario in (two_copies_while_the_lock_is_held, quitting_waits_for_the_lock,
                         giving_up_tells_the_score_is_lost, two_accounts_beside_a_foreign_lock_file):
            scenario(work, source)
    print(f"{passed} passed, 0 failed")


if __name__ == "__main__":
    main()
