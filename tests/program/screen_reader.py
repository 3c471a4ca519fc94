"""The running program read over the accessibility bus as a screen reader reads it, through the
library Orca itself uses: the time, the date, the fields and the switch, in Danish; an alarm time
written through the bus makes the switch and the field both say the error.

Run on a display and a session bus of its own (ctest runs it under xvfb-run and
dbus-run-session; the session bus starts the accessibility bus when first asked).
Usage: screen_reader.py PROGRAM"""

import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
except (ImportError, ValueError) as missing:
    print(f"SKIP: no AT-SPI client library ({missing}; packages python3-gi, gir1.2-atspi-2.0)")
    sys.exit(77)

ERROR = "Reparer fejlen i feltet med alarmtid!"


def objects(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child
            yield from objects(child)


def read():
    """(role, name, description, object) for everything in the program's window, read afresh."""
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "Vekora":
            app.clear_cache()
            return [(o.get_role_name(), o.get_name(), o.get_description(), o) for o in objects(app)]
    return []


def wait_for(wanted, seconds=15):
    """The first object `wanted` picks, once the tree shows it; the tree fills in over a few reads."""
    deadline = time.monotonic() + seconds
    while True:
        found = [node for node in read() if wanted(*node[:3])]
        if found or time.monotonic() > deadline:
            return found[0] if found else None
        time.sleep(0.2)


def main(program):
    Atspi.init()
    failures = []

    def check(what, node):
        if node is None:
            failures.append(what)
        return node

    with tempfile.TemporaryDirectory() as folder:
        shutil.copy(program, folder)
        with open(os.path.join(folder, "Vekora.ini"), "wb") as ini:
            ini.write(b"1\r\n1 0 \r\n 0 \r\n 0 \r\n 0 \r\n07:30\r\n\r\nTil ((o))\r\n")
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_CONFIG_HOME=folder, XDG_RUNTIME_DIR=folder)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        vekora = subprocess.Popen([os.path.join(folder, "vekora")], env=env)
        try:
            check("the switch 'Til ((o))'",
                  wait_for(lambda role, name, _: role == "push button" and name == "Til ((o))"))
            today = datetime.date.today()
            date = re.compile(rf"\w+ {today.day}\. \w+ {today.year}")  # Søndag 6. december 2026
            check("the date", wait_for(lambda role, name, _: role == "label" and
                                       date.fullmatch(name)))

            def shows_time(role, name, _):
                try:
                    shown = datetime.datetime.strptime(name, "%H:%M:%S").time()
                except ValueError:
                    return False
                now = datetime.datetime.now()
                apart = abs((now - datetime.datetime.combine(now.date(), shown)).total_seconds())
                return role == "label" and (apart <= 5 or apart >= 86395)

            check("the time", wait_for(shows_time))
            check("the frame", wait_for(lambda _, name, __: name == "Norvak Vekuret"))
            check("the message field",
                  wait_for(lambda role, name, _: role == "text" and name == "Alarmmeddelelse"))
            field = check("the alarm time field, no error", wait_for(
                lambda role, name, text: role == "text" and name == "Alarmtid" and
                not text.startswith(ERROR)))
            if field:
                # Written through the bus, as a screen reader's user would.
                Atspi.EditableText.set_text_contents(field[3], "24:00")
                check("the switch 'Fejl!'",
                      wait_for(lambda role, name, _: role == "push button" and name == "Fejl!"))
                check("the field saying the error", wait_for(
                    lambda role, name, text: name == "Alarmtid" and text.startswith(ERROR)))
            for what in failures:
                print(f"FAIL: not read: {what}")
            if failures:
                print("what was read:")
                for role, name, description, _ in read():
                    print(f"  {role} | {name} | {description}")
        finally:
            vekora.terminate()
            vekora.wait(10)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
