#!/usr/bin/env python3
"""Checks that every translation unit of the product is compiled with the same options.

Reads the build's compile_commands.json. The product is every C/C++ file under app/, engine/,
os/ and ui/; its options are each command without what legitimately differs from one target
to the next: the compiler, the source and object files, the defines and the include folders.
Every product file must get the options of the others, and every option given with --require.
Exits with a message for every fault found.
"""
import argparse
import collections
import json
import os
import shlex
import sys

PRODUCT_FOLDERS = ("app", "engine", "os", "ui")
SOURCE_SUFFIXES = (".c", ".cc", ".cpp", ".cxx")
# Options followed by a separate value that belongs to one target or one file.
WITH_VALUE = {"-o", "-c", "-D", "-I", "-isystem", "-MF", "-MT", "-MQ", "/Fo", "/Fd"}
# Options glued to such a value.
PREFIXES = ("-D", "/D", "-I", "/I", "-isystem", "-o", "/Fo", "-Fo", "/Fd", "-Fd")


def arguments_of(entry):
    if "arguments" in entry:
        return list(entry["arguments"])
    return shlex.split(entry["command"], posix=os.name != "nt")


def product_options(entry):
    """The options of one command that every product file must share, in order."""
    arguments = arguments_of(entry)[1:]
    source = os.path.normcase(os.path.abspath(os.path.join(entry["directory"], entry["file"])))
    options = []
    skip_value = False
    for argument in arguments:
        if skip_value:
            skip_value = False
            continue
        if argument in WITH_VALUE:
            skip_value = True
            continue
        if argument.startswith(PREFIXES) or argument in {"-MD", "/c"}:
            continue
        path = os.path.normcase(os.path.abspath(os.path.join(entry["directory"], argument)))
        if path == source:
            continue
        options.append(argument)
    return tuple(options)


def product_file(entry, source_dir):
    path = os.path.abspath(os.path.join(entry["directory"], entry["file"]))
    relative = os.path.relpath(path, source_dir).replace(os.sep, "/")
    return relative if relative.split("/")[0] in PRODUCT_FOLDERS \
        and relative.endswith(SOURCE_SUFFIXES) else None


def check(arguments):
    with open(arguments.compile_commands, encoding="utf-8") as file:
        entries = json.load(file)
    source_dir = os.path.abspath(arguments.source_dir)
    by_options = collections.defaultdict(list)
    for entry in entries:
        relative = product_file(entry, source_dir)
        if relative:
            by_options[product_options(entry)].append(relative)
    if not by_options:
        print("no product file in", arguments.compile_commands)
        return 1

    faults = 0
    # The options most files get are the product's; every other set is a file that missed some.
    usual, usual_files = max(by_options.items(), key=lambda item: len(item[1]))
    for options, files in sorted(by_options.items(), key=lambda item: item[1]):
        if options == usual:
            continue
        missing = [option for option in usual if option not in options]
        extra = [option for option in options if option not in usual]
        for relative in sorted(set(files)):
            print(f"{relative}: options differ from {len(set(usual_files))} other files:"
                  f" missing {missing}, extra {extra}")
            faults += 1
    for option in arguments.require:
        if option not in usual:
            print(f"the product is compiled without {option}")
            faults += 1
    if not faults:
        files = sum(len(set(files)) for files in by_options.values())
        print(f"{files} product files, all with: {' '.join(usual)}")
    return 1 if faults else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--source-dir", required=True)
    parser.add_argument("--require", action="append", default=[], metavar="OPTION",
                        help="an option every product file must get (as --require=OPTION)")
    parser.add_argument("compile_commands")
    sys.exit(check(parser.parse_args()))


if __name__ == "__main__":
    main()
