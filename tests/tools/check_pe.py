#!/usr/bin/env python3
"""Checks a Windows executable the way a bare Windows machine will meet it.

  - PE32, i386, GUI subsystem;
  - ASLR with its relocations kept, DEP, Terminal-Server aware; no link time stamp and no
    debug directory, so two builds of the same sources give the same bytes;
  - imports (as objdump -p lists them) only from DLLs every Windows has, never a compiler
    runtime DLL, so the file runs alone;
  - optionally, a resource of a given type, name and language, with given bytes, the
    application manifest (common controls 6, no execution level) and the version resource.
Exits with a message for every fault found.
"""
import argparse
import pathlib
import re
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "cmake"))
from pe_image import (BASE_RELOCATION_DIRECTORY, DEBUG_DIRECTORY,  # noqa: E402
                      RELOCATIONS_STRIPPED, PeFile)

SYSTEM_DLLS = {
    "advapi32", "comctl32", "comdlg32", "gdi32", "imm32", "kernel32", "msimg32", "msvcrt",
    "ntdll", "ole32", "oleaut32", "shell32", "shlwapi", "user32", "uxtheme", "version",
}
RUNTIME_DLL = re.compile(r"^(libstdc\+\+|libgcc|libwinpthread)", re.IGNORECASE)
MANIFEST_TYPE = 24
MANIFEST_ID = 1
HEADER_FLAGS = {0x0040: "ASLR (dynamic base)", 0x0100: "DEP (NX compatible)",
                0x8000: "Terminal-Server aware"}
ROMANIAN_1250 = (0x0418, 1250)


def imported_dlls(objdump, path):
    listing = subprocess.run([objdump, "-p", path], check=True, capture_output=True,
                             text=True).stdout
    return re.findall(r"DLL Name:\s*(\S+)", listing)


def version_faults(pe, text, fields, description, file_name):
    """The version resource names the product, the file and the version, in Romanian, 1250."""
    info = pe.version_info()
    if info is None:
        return ["no version resource"]
    faults = [f"{which} version {found}, expected {fields}"
              for which, found in (("file", info.file_version), ("product", info.product_version))
              if found != fields]
    if info.translations != [ROMANIAN_1250]:
        faults.append(f"version translations {info.translations}, expected {[ROMANIAN_1250]}")
    expected = {"ProductName": "Zentor - Calvex", "FileDescription": description,
                "FileVersion": text, "ProductVersion": text, "OriginalFilename": file_name}
    table = info.strings.get(f"{ROMANIAN_1250[0]:04X}{ROMANIAN_1250[1]:04X}", {})
    faults += [f"version string {name} {table.get(name)!r}, expected {value!r}"
               for name, value in expected.items() if table.get(name) != value]
    return faults


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
    for flag, name in HEADER_FLAGS.items():
        if pe.dll_characteristics & flag == 0:
            faults.append(f"not {name}")
    if pe.characteristics & RELOCATIONS_STRIPPED or \
            pe.directory_size(BASE_RELOCATION_DIRECTORY) == 0:
        faults.append("no relocations: ASLR cannot move it")
    if pe.timestamp != 0:
        faults.append(f"link time stamp {pe.timestamp:#x}: two builds would differ")
    if pe.directory_size(DEBUG_DIRECTORY) != 0:
        faults.append("a debug directory, which names the build")

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

    if args.version:
        faults += version_faults(pe, *args.version)

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
    parser.add_argument("--version", nargs=4,
                        metavar=("TEXT", "FIELDS", "DESCRIPTION", "FILE_NAME"),
                        help="the version resource: 1.0029 1.0.0.29 \"...\" ActualizareCalvex.exe")
    parser.add_argument("executable")
    sys.exit(check(parser.parse_args()))


if __name__ == "__main__":
    main()
