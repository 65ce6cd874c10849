#!/usr/bin/env python3
"""Times the files written in a folder: from a file's creation to each close after writing.

Watches through the Linux kernel (inotify), so the updater and Wine are not slowed by being
watched, and the updater's "TmpUp" and the system's CopyFile are timed the same way. Prints
"<name>\t<milliseconds since its creation>" at each such close, until it is stopped.
"""
import ctypes
import os
import struct
import sys
import time

IN_CLOSE_WRITE = 0x00000008
IN_CREATE = 0x00000100
EVENT = struct.Struct("iIII")


def main():
    folder = sys.argv[1]
    libc = ctypes.CDLL("libc.so.6", use_errno=True)
    descriptor = libc.inotify_init1(0)
    if descriptor < 0 or libc.inotify_add_watch(
            descriptor, os.fsencode(folder), IN_CREATE | IN_CLOSE_WRITE) < 0:
        sys.exit(f"cannot watch {folder}: {os.strerror(ctypes.get_errno())}")
    created = {}
    while True:
        data = os.read(descriptor, 65536)
        now = time.monotonic()
        offset = 0
        while offset < len(data):
            _, mask, _, length = EVENT.unpack_from(data, offset)
            name = data[offset + EVENT.size:offset + EVENT.size + length].rstrip(b"\0")
            offset += EVENT.size + length
            if mask & IN_CREATE:
                created[name] = now
            elif mask & IN_CLOSE_WRITE and name in created:
                took = (now - created[name]) * 1000
                print(f"{name.decode(errors='replace')}\t{took:.3f}", flush=True)


if __name__ == "__main__":
    main()
