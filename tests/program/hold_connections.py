# Connects to SOCKET up to COUNT times within two seconds, sends each connection part of a line
# and holds it open; prints "held N", then "all closed" once the other end has hung up on every
# one of them. A full queue refuses a connection at once; it is tried again.
# Usage: python3 hold_connections.py SOCKET COUNT
import select
import socket
import sys
import time

path, count = sys.argv[1], int(sys.argv[2])
held = []
deadline = time.monotonic() + 2
while len(held) < count and time.monotonic() < deadline:
    connection = socket.socket(socket.AF_UNIX)
    connection.setblocking(False)
    try:
        connection.connect(path)
        connection.send(b"sh")
        held.append(connection)
    except BlockingIOError:
        connection.close()
        time.sleep(0.001)
print("held", len(held), flush=True)

waiting = select.poll()
for connection in held:
    waiting.register(connection, select.POLLIN)
left = len(held)
while left:
    for fd, _ in waiting.poll():
        waiting.unregister(fd)
        left -= 1
print("all closed", flush=True)
