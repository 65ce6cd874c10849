"""Just enough of the PE format for the build and its checks: headers, sections, the resource
tree and the version resource."""
import struct

MACHINE_I386 = 0x14C
PE32_MAGIC = 0x10B
EXECUTABLE_IMAGE = 0x0002
RELOCATIONS_STRIPPED = 0x0001
DLL = 0x2000
VERSION_TYPE = 16
VERSION_ID = 1
FIXED_INFO_SIGNATURE = 0xFEEF04BD
BASE_RELOCATION_DIRECTORY = 5
DEBUG_DIRECTORY = 6


def align4(offset):
    return (offset + 3) & ~3


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ" or len(data) < 0x40:
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, sections, self.timestamp, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        if self.magic != PE32_MAGIC:
            raise ValueError(f"optional header magic {self.magic:#x}, not PE32")
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, optional + 68)
        directories = optional + 96
        count = struct.unpack_from("<I", data, directories - 4)[0]
        self.directories = [struct.unpack_from("<II", data, directories + 8 * index)
                            for index in range(count)]
        self.resource_rva = self.directories[2][0] if count > 2 else 0
        self.sections = []
        self.file_sections = []  # [(name, bytes it takes in the file)]
        for index in range(sections):
            offset = optional + optional_size + 40 * index
            virtual_size, rva, raw_size, raw_offset = struct.unpack_from("<IIII", data, offset + 8)
            self.sections.append((rva, max(virtual_size, raw_size), raw_offset))
            self.file_sections.append(
                (data[offset:offset + 8].rstrip(b"\0").decode("latin-1"), raw_size))

    def is_32bit_windows_executable(self):
        return (self.machine == MACHINE_I386 and self.characteristics & EXECUTABLE_IMAGE != 0
                and self.characteristics & DLL == 0)

    def directory_size(self, index):
        return self.directories[index][1] if index < len(self.directories) else 0

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

    def version_info(self):
        """The version resource as a VersionInfo, or None when the file has none."""
        blocks = [v for k, v in self.resources().items() if k[:2] == (VERSION_TYPE, VERSION_ID)]
        return VersionInfo(blocks[0]) if blocks else None


def _dotted(most, least):
    return f"{most >> 16}.{most & 0xFFFF}.{least >> 16}.{least & 0xFFFF}"


class VersionInfo:
    """The fixed numbers ("1.0.0.29"), the strings of every table, and the translations."""

    def __init__(self, block):
        key, value, children = self._node(block, 0)
        if key != "VS_VERSION_INFO" or len(value) < 52:
            raise ValueError("malformed version resource")
        signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from(
            "<6I", value)
        if signature != FIXED_INFO_SIGNATURE:
            raise ValueError("version resource without its fixed part")
        self.file_version = _dotted(file_ms, file_ls)
        self.product_version = _dotted(product_ms, product_ls)
        self.strings = {}  # {table: {name: text}}
        self.translations = []
        for name, _, tables in children:
            if name == "StringFileInfo":
                for table, _, entries in tables:
                    self.strings[table] = {entry: text for entry, text, _ in entries}
            elif name == "VarFileInfo":
                for _, pairs, _ in tables:
                    self.translations += [struct.unpack_from("<HH", pairs, at)
                                          for at in range(0, len(pairs) - 3, 4)]

    @classmethod
    def _node(cls, data, offset):
        """(key, value, children) of the node at offset; text values as str."""
        length, value_length, is_text = struct.unpack_from("<HHH", data, offset)
        end = offset + length
        key_end = offset + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[offset + 6:key_end].decode("utf-16-le")
        at = align4(key_end + 2)
        if is_text:
            value = data[at:at + 2 * value_length].decode("utf-16-le").rstrip("\0")
            at += 2 * value_length
        else:
            value = data[at:at + value_length]
            at += value_length
        children = []
        at = align4(at)
        while at < end:
            child_length = struct.unpack_from("<H", data, at)[0]
            if child_length == 0:
                raise ValueError("malformed version resource")
            children.append(cls._node(data, at))
            at = align4(at + child_length)
        return key, value, children
