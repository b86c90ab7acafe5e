#!/usr/bin/python3
"""Fails unless the executable runs on a bare Windows Vista, 32-bit or 64-bit: its header
names Vista (6.0) as OS and subsystem, it imports only DLLs that Vista ships, and every
function it imports, by name or by ordinal, directly or delay-loaded, is in the list of
those known to exist on Vista. Reads the PE file itself, not a disassembler's listing.
    check_executable.py EXE VistaImports.txt
"""
import struct
import sys

# Not the universal C runtime (ucrtbase.dll, api-ms-win-*): Vista to 8.1 lack it without
# an update.
VISTA_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "advapi32.dll",
              "shell32.dll", "ole32.dll", "msvcrt.dll", "version.dll"}


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        sections, optional_size = struct.unpack_from("<2xH12xH", data, pe + 4)
        self.optional = pe + 24
        magic = struct.unpack_from("<H", data, self.optional)[0]
        if magic not in (0x10B, 0x20B):
            raise ValueError(f"unknown optional header magic {magic:#x}")
        self.wide = magic == 0x20B  # PE32+: 64-bit thunks
        self.directories = self.optional + (112 if self.wide else 96)
        table = self.optional + optional_size
        self.sections = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def versions(self):
        os_major, os_minor = struct.unpack_from("<HH", self.data, self.optional + 40)
        sub_major, sub_minor = struct.unpack_from("<HH", self.data, self.optional + 48)
        return (os_major, os_minor), (sub_major, sub_minor)

    def directory(self, index):
        return struct.unpack_from("<II", self.data, self.directories + 8 * index)

    def offset(self, rva):
        for size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f"address {rva:#x} is in no section")

    def string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii", "replace")

    def thunks(self, rva):
        """The names (or "ordinal N") an import name table lists."""
        width, flag = (8, 1 << 63) if self.wide else (4, 1 << 31)
        at = self.offset(rva)
        while True:
            value = int.from_bytes(self.data[at:at + width], "little")
            if value == 0:
                return
            yield f"ordinal {value & 0xFFFF}" if value & flag else self.string((value & 0x7FFFFFFF) + 2)
            at += width

    def imports(self):
        """(DLL, function) for each import, the delay-loaded ones too."""
        for index, size, fields in ((1, 20, "<I8xII"), (13, 32, "<4xI8xI")):
            rva, _ = self.directory(index)
            if rva == 0:
                continue
            at = self.offset(rva)
            while any(self.data[at:at + size]):
                if index == 1:
                    names, dll, addresses = struct.unpack_from(fields, self.data, at)
                else:
                    dll, names = struct.unpack_from(fields, self.data, at)
                    addresses = 0
                for function in self.thunks(names or addresses):
                    yield self.string(dll).lower(), function
                at += size


def allowed_functions(path):
    """A DLL's name on a line of its own, its functions indented below."""
    allowed, dll = {}, None
    with open(path) as f:
        for line in f:
            if not line.strip() or line.startswith("#"):
                continue
            if line[0] in " \t":
                allowed[dll].add(line.strip())
            else:
                dll = line.strip().lower()
                allowed[dll] = set()
    return allowed


def problems(exe, list_path):
    with open(exe, "rb") as f:
        pe = PeFile(f.read())
    allowed = allowed_functions(list_path)
    imports = list(pe.imports())
    found = []
    for dll in sorted({dll for dll, _ in imports} - VISTA_DLLS):
        found.append(f"{dll} (a DLL Vista does not ship)")
    found += [f"{dll} {function}" for dll, function in imports
              if dll in VISTA_DLLS and function not in allowed.get(dll, set())]
    print(f"imports {len(imports)} functions from {sorted({dll for dll, _ in imports})}")
    os_version, subsystem = pe.versions()
    print(f"header: OS {os_version}, subsystem {subsystem}")
    if (os_version, subsystem) != ((6, 0), (6, 0)):
        found.append(f"the header declares OS {os_version} and subsystem {subsystem}, not Windows Vista (6.0)")
    if not imports:
        found.append("no imports read at all")
    return found


if __name__ == "__main__":
    exe, list_path = sys.argv[1:]
    found = problems(exe, list_path)
    if found:
        print("imports or declares what is not known to exist on Windows Vista:\n  " + "\n  ".join(found) +
              f"\nAdd a function to {list_path} only once it is known to exist on Vista (Microsoft's"
              " documented minimum supported client); otherwise call it through GetProcAddress.")
        sys.exit(1)
