#!/usr/bin/env python3
"""Checks a Windows executable the way a bare Windows machine will meet it.

  - PE32, i386, GUI subsystem;
  - imports (as objdump -p lists them) only from DLLs every Windows has, never a compiler
    runtime DLL, so the file runs alone;
  - optionally, a resource of a given type, name and language, with given bytes, and the
    application manifest (common controls 6, no execution level).
Exits with a message for every fault found.
"""
import argparse
import re
import struct
import subprocess
import sys

SYSTEM_DLLS = {
    "advapi32", "comctl32", "comdlg32", "gdi32", "imm32", "kernel32", "msimg32", "msvcrt",
    "ntdll", "ole32", "oleaut32", "shell32", "shlwapi", "user32", "uxtheme", "version",
}
RUNTIME_DLL = re.compile(r"^(libstdc\+\+|libgcc|libwinpthread)", re.IGNORECASE)
MANIFEST_TYPE = 24
MANIFEST_ID = 1


class PeFile:
    """Just enough of the PE format: headers, sections and the resource tree."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from(
            "<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        directories = optional + 96  # PE32 layout
        self.resource_rva, self.resource_size = struct.unpack_from("<II", data, directories + 16)
        self.sections = []
        for index in range(sections):
            offset = optional + optional_size + 40 * index
            virtual_size, rva, raw_size, raw_offset = struct.unpack_from("<IIII", data, offset + 8)
            self.sections.append((rva, max(virtual_size, raw_size), raw_offset))

    def offset_of(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return rva - start + raw
        raise ValueError(f"RVA {rva:#x} outside every section")

    def resources(self):
        """{(type, name, language): bytes}; names as text, numbers as ints."""
        found = {}
        if self.resource_rva == 0:
            return found
        base = self.offset_of(self.resource_rva)

        def key_of(entry_name):
            if entry_name & 0x80000000 == 0:
                return entry_name
            at = base + (entry_name & 0x7FFFFFFF)
            length = struct.unpack_from("<H", self.data, at)[0]
            return self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")

        def walk(directory, path):
            named, numbered = struct.unpack_from("<HH", self.data, base + directory + 12)
            for index in range(named + numbered):
                entry_name, target = struct.unpack_from(
                    "<II", self.data, base + directory + 16 + 8 * index)
                key = path + (key_of(entry_name),)
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, key)
                else:
                    rva, size = struct.unpack_from("<II", self.data, base + target)
                    start = self.offset_of(rva)
                    found[key] = self.data[start:start + size]

        walk(0, ())
        return found


def imported_dlls(objdump, path):
    listing = subprocess.run([objdump, "-p", path], check=True, capture_output=True,
                             text=True).stdout
    return re.findall(r"DLL Name:\s*(\S+)", listing)


def check(args):
    faults = []
    with open(args.executable, "rb") as file:
        pe = PeFile(file.read())
    if pe.machine != 0x14C:
        faults.append(f"machine {pe.machine:#x}, not i386")
    if pe.magic != 0x10B:
        faults.append(f"optional header magic {pe.magic:#x}, not PE32")
    if pe.subsystem != 2:
        faults.append(f"subsystem {pe.subsystem}, not Windows GUI")

    dlls = imported_dlls(args.objdump, args.executable)
    if not dlls:
        faults.append("objdump lists no imported DLL at all")
    for dll in dlls:
        stem = dll.lower().removesuffix(".dll")
        if RUNTIME_DLL.match(dll):
            faults.append(f"imports the runtime DLL {dll}: link it statically")
        elif stem not in SYSTEM_DLLS:
            faults.append(f"imports {dll}, not a system DLL")

    resources = pe.resources()
    for given in args.resource:
        key_text, payload_path = given.split("=", 1)
        kind, name, language = key_text.split("/")
        key = (kind, name, int(language))
        with open(payload_path, "rb") as file:
            expected = file.read()
        if key not in resources:
            faults.append(f"no resource {key_text}; it has {sorted(map(str, resources))}")
        elif resources[key] != expected:
            faults.append(f"resource {key_text}: {len(resources[key])} bytes differ from "
                          f"{payload_path} ({len(expected)} bytes)")
        others = [k for k in resources if k[:2] == key[:2] and k != key]
        if others:
            faults.append(f"resource {kind}/{name} also stored as {others}")

    if args.manifest:
        manifests = [v for k, v in resources.items() if k[:2] == (MANIFEST_TYPE, MANIFEST_ID)]
        if len(manifests) != 1:
            faults.append(f"{len(manifests)} application manifests, expected one")
        else:
            text = manifests[0].decode("utf-8", "replace")
            if not re.search(r'name="Microsoft\.Windows\.Common-Controls"', text) or \
                    not re.search(r'version="6\.0\.0\.0"', text):
                faults.append("manifest without the common controls 6 dependency")
            if "requestedExecutionLevel" in text:
                faults.append("manifest requests an execution level")

    for fault in faults:
        print(f"{args.executable}: {fault}")
    if not faults:
        print(f"{args.executable}: imports {', '.join(dlls)}; "
              f"{len(resources)} resources; all checks pass")
    return 1 if faults else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--resource", action="append", default=[],
                        metavar="TYPE/NAME/LANGUAGE=FILE", help="a resource and its bytes")
    parser.add_argument("--manifest", action="store_true")
    parser.add_argument("executable")
    sys.exit(check(parser.parse_args()))


if __name__ == "__main__":
    main()
