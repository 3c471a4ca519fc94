# The running program read over the accessibility bus as a screen reader reads it, through the
# library Orca itself uses: in Danish, the alarm time field is found by its name, and an alarm time
# written through the bus makes the switch and the field both say the error. (Every control's name
# and description is checked in-process by tst_mainwindow; this is the trip over the bus.)
#
# Run on a display of its own and a session bus of its own (ctest runs it under dbus-run-session;
# the session bus starts the accessibility bus when first asked).
# Usage: screen_reader.py PROGRAM

import os
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


def read(node=None):
    # (role, name, description, object) for everything in the program's window, read afresh.
    if node is None:
        desktop = Atspi.get_desktop(0)
        apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
        node = next((app for app in apps if app and app.get_name() == "Vekora"), None)
        if node is None:
            return []
        node.clear_cache()
    found = []
    for child in filter(None, (node.get_child_at_index(i) for i in range(node.get_child_count()))):
        found += [(child.get_role_name(), child.get_name(), child.get_description(), child)]
        found += read(child)
    return found


def wait_for(what, role, name, error):
    # The object once the tree shows it (the tree fills in over a few reads), else None.
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        for node in read():
            if node[:2] == (role, name) and node[2].startswith(ERROR) == error:
                return node[3]
        time.sleep(0.2)
    print(f"FAIL: not read: {what}; what was read:")
    for node in read():
        print("  " + " | ".join(node[:3]))
    return None


def start_display():
    # A display of the test's own. Xvfb picks a free number itself and says which once it takes
    # connections, so no other server started at the same moment can take it in between.
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read, "rb") as said:
        os.environ["DISPLAY"] = ":" + said.readline().decode().strip()
    return server


def main(program):
    display = start_display()
    Atspi.init()
    with tempfile.TemporaryDirectory() as folder:
        shutil.copy(program, folder)
        with open(os.path.join(folder, "Vekora.ini"), "wb") as ini:
            ini.write(b"1\r\n1 0 \r\n 0 \r\n 0 \r\n 0 \r\n07:30\r\n\r\nTil ((o))\r\n")
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_CONFIG_HOME=folder, XDG_RUNTIME_DIR=folder)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        vekora = subprocess.Popen([os.path.join(folder, "vekora")], env=env)
        try:
            field = wait_for("the alarm time field", "text", "Alarmtid", False)
            if field is None:
                return 1
            # Written through the bus, as a screen reader's user would.
            Atspi.EditableText.set_text_contents(field, "24:00")
            if not (wait_for("the switch 'Fejl!'", "push button", "Fejl!", False) and
                    wait_for("the field saying the error", "text", "Alarmtid", True)):
                return 1
        finally:
            vekora.terminate()
            vekora.wait(10)
            display.terminate()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
