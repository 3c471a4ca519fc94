#!/usr/bin/env python3
# Floods the wake-up helper as any local user could: CONNECTIONS connections to the bus socket,
# each writing COUNT no-reply SetWakeup calls for WHEN + 1, WHEN + 2, ... as fast as the kernel
# takes them, built by hand (a D-Bus library would be the slower party). Each connection ends
# once the bus has read all of its calls.
# Usage: flood.py SOCKET_PATH CONNECTIONS COUNT WHEN
import os
import socket
import struct
import sys

WAKE = ("/com/example/norvak/VekoraWake", "com.example.norvak.VekoraWake")
BUS = ("/org/freedesktop/DBus", "org.freedesktop.DBus")


def message(serial, flags, target, member, body=b""):
    # A little-endian method call: path, interface, member, destination and, with a body, its
    # signature (one uint64).
    fields = bytearray()
    for code, kind, value in [(1, b"o", target[0]), (2, b"s", target[1]), (3, b"s", member),
                              (6, b"s", target[1])] + [(8, b"g", "t")] * bool(body):
        fields += b"\0" * (-len(fields) % 8) + bytes([code, 1]) + kind + b"\0"
        fields += (bytes([len(value)]) if kind == b"g" else struct.pack("<I", len(value)))
        fields += value.encode() + b"\0"
    out = b"l\x01" + bytes([flags, 1]) + struct.pack("<III", len(body), serial, len(fields))
    return out + fields + b"\0" * (-len(fields) % 8) + body


def flood(path, count, when):
    sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    sock.connect(path)
    sock.sendall(b"\0AUTH EXTERNAL " + str(os.getuid()).encode().hex().encode() + b"\r\n")
    assert sock.recv(256).startswith(b"OK"), "the bus refused EXTERNAL authentication"
    sock.sendall(b"BEGIN\r\n" + message(1, 0, BUS, "Hello"))
    one, chunk = bytearray(message(2, 1, WAKE, "SetWakeup", bytes(8))), bytearray()
    for serial in range(2, count + 2):
        struct.pack_into("<I", one, 8, serial)
        struct.pack_into("<Q", one, len(one) - 8, when + serial - 1)
        chunk += one
        if len(chunk) > 1 << 20 or serial == count + 1:
            sock.sendall(chunk)
            chunk.clear()
    # The bus answers this itself, after reading everything before it.
    last = count + 2
    sock.sendall(message(last, 0, BUS, "GetId"))
    received = b""
    while struct.pack("<4BI", 5, 1, ord("u"), 0, last) not in received:
        more = sock.recv(1 << 16)
        assert more, "the bus hung up"
        received = received[-8:] + more


def main():
    path, connections, count, when = sys.argv[1], *map(int, sys.argv[2:])
    children = []
    for _ in range(connections):
        pid = os.fork()
        if pid == 0:
            flood(path, count, when)
            os._exit(0)
        children.append(pid)
    sys.exit(any(os.waitpid(pid, 0)[1] for pid in children))


main()
