#!/usr/bin/env python3
"""Stops the build when the executable to be carried is not the one the configure line names:
it must be a 32-bit Windows executable, and when it carries a version resource, its file version
must be the carried version (1.0029 read as 1.0.0.29). Touches the stamp file when all is well.
"""
import argparse
import pathlib
import struct
import sys

from pe_image import PeFile


def fault_of(payload, carried_text, carried_fields):
    try:
        data = payload.read_bytes()
    except OSError as error:
        return f"cannot be read ({error.strerror})"
    try:
        pe = PeFile(data)
    except (ValueError, IndexError, struct.error) as error:
        return f"not a 32-bit Windows executable ({error})"
    if not pe.is_32bit_windows_executable():
        return (f"not a 32-bit Windows executable (machine {pe.machine:#x}, "
                f"characteristics {pe.characteristics:#x})")
    try:
        info = pe.version_info()
    except (ValueError, IndexError, struct.error, UnicodeDecodeError) as error:
        return f"unreadable version resource ({error})"
    if info is not None and info.file_version != carried_fields:
        shown = {text.get("FileVersion") for text in info.strings.values()} - {None}
        named = f" (FileVersion \"{', '.join(sorted(shown))}\")" if shown else ""
        return (f"carries version {info.file_version}{named}, but UPDATER_CARRIED_VERSION is "
                f"{carried_text}, which a version resource writes as {carried_fields}")
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("payload", type=pathlib.Path)
    parser.add_argument("carried_text", help="the configure line's version, e.g. 1.0029")
    parser.add_argument("carried_fields", help="the same in a version resource, e.g. 1.0.0.29")
    parser.add_argument("--stamp", type=pathlib.Path)
    args = parser.parse_args()
    fault = fault_of(args.payload, args.carried_text, args.carried_fields)
    if fault:
        sys.exit(f"Payload {args.payload}: {fault}.")
    if args.stamp:
        args.stamp.write_text(f"{args.payload} {args.carried_fields}\n")


if __name__ == "__main__":
    main()
