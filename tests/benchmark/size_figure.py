#!/usr/bin/env python3
"""Prints the updater's size figure: what it weighs besides the build it carries, against the
goal, and what each section of the file takes. Reads the files only; asserts nothing."""
import argparse
import os
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "cmake"))
from pe_image import PeFile  # noqa: E402

GOAL_KIB = 200


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("updater")
    parser.add_argument("payload")
    args = parser.parse_args()
    updater = os.path.getsize(args.updater)
    payload = os.path.getsize(args.payload)
    overhead = (updater - payload) / 1024
    print(f"{'size':<12} updater {updater:,} bytes - payload {payload:,} bytes = "
          f"{overhead:.1f} KiB")
    with open(args.updater, "rb") as file:
        pe = PeFile(file.read())
    sections = ", ".join(f"{name} {raw_size / 1024:.1f}" for name, raw_size in pe.file_sections)
    print(f"{'':<12} in the file (KiB): headers {pe.sections[0][2] / 1024:.1f}, {sections}")
    print(f"{'':<12} goal: at most {GOAL_KIB} KiB -> "
          f"{'met' if overhead <= GOAL_KIB else 'NOT MET'}")


if __name__ == "__main__":
    main()
