#!/usr/bin/env python3
"""Pads an executable to an exact size with deterministic pseudo-random bytes.

The bytes go after the end of the image, where the loader never looks, so the program still
runs; being random they do not compress, so the payload weighs what a real build would.
"""
import argparse
import random
import sys

SEED = 10029


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("source")
    parser.add_argument("output")
    parser.add_argument("size", type=int)
    args = parser.parse_args()

    with open(args.source, "rb") as source:
        image = source.read()
    if not image.startswith(b"MZ"):
        sys.exit(f"{args.source}: not an executable")
    if len(image) > args.size:
        sys.exit(f"{args.source}: {len(image)} bytes, more than {args.size}")

    padding = random.Random(SEED).randbytes(args.size - len(image))
    with open(args.output, "wb") as output:
        output.write(image + padding)


if __name__ == "__main__":
    main()
