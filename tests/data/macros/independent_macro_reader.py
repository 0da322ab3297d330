#!/usr/bin/python3
"""Reads the macro modules of a workbook on its own, as an oracle for the tests.

For each file named, prints a line "file" and whether the file could be read ("read" or
"unreadable"), then one line per module in the project's order: the module's name and its
source, each as hexadecimal UTF-8, separated by a space; the source with its lines ended by
"\\n". A file without a macro project has no module lines.
"""
import io
import struct
import sys
import zipfile

import olefile


def decompress(data):
    if not data or data[0] != 1:
        raise ValueError("no signature byte")
    out = bytearray()
    pos = 1
    while pos + 2 <= len(data):
        header = struct.unpack_from("<H", data, pos)[0]
        size = (header & 0x0FFF) + 3
        compressed = header & 0x8000
        chunk_end = min(len(data), pos + size)
        pos += 2
        start = len(out)
        if not compressed:
            out += data[pos:pos + 4096]
            pos += 4096
            continue
        while pos < chunk_end:
            flags = data[pos]
            pos += 1
            for bit in range(8):
                if pos >= chunk_end:
                    break
                if not flags & (1 << bit):
                    out.append(data[pos])
                    pos += 1
                    continue
                token = struct.unpack_from("<H", data, pos)[0]
                pos += 2
                written = len(out) - start
                bits = 4
                while (1 << bits) < written:
                    bits += 1
                length = (token & (0xFFFF >> bits)) + 3
                offset = (token >> (16 - bits)) + 1
                for _ in range(length):
                    out.append(out[-offset])
    return bytes(out)


def module_entries(ole, prefix):
    """The modules the project's dir stream lists: name, stream, offset, and the codepage."""
    records = decompress(ole.openstream(prefix + ["VBA", "dir"]).read())
    pos = 0
    codepage = "cp1252"
    modules = []
    current = None
    while pos + 6 <= len(records):
        ident, size = struct.unpack_from("<HI", records, pos)
        pos += 6
        if ident == 0x0010:
            break
        if ident == 0x0009:
            size = 6
        body = records[pos:pos + size]
        pos += size
        if ident == 0x0003:
            codepage = "cp%d" % struct.unpack_from("<H", body)[0]
        elif ident == 0x0019:
            current = {"name": body.decode(codepage, "replace")}
        elif current is None:
            continue
        elif ident == 0x0047 and body:
            current["name"] = body.decode("utf-16-le", "replace")
        elif ident == 0x001A:
            current.setdefault("stream", body.decode(codepage, "replace"))
        elif ident == 0x0032 and body:
            current["stream"] = body.decode("utf-16-le", "replace")
        elif ident == 0x0031:
            current["offset"] = struct.unpack_from("<I", body)[0]
        elif ident == 0x002B:
            modules.append(current)
            current = None
    return modules, codepage


def modules_of(ole, prefix):
    modules, codepage = module_entries(ole, prefix)
    found = []
    for module in modules:
        stream = ole.openstream(prefix + ["VBA", module["stream"]]).read()
        text = decompress(stream[module["offset"]:]).decode(codepage, "replace")
        text = text.replace("\r\n", "\n").replace("\r", "\n")
        found.append((module["name"], text))
    return found


def print_modules(path):
    with open(path, "rb") as file:
        is_package = file.read(4) == b"PK\x03\x04"
    if is_package:
        with zipfile.ZipFile(path) as package:
            parts = [n for n in package.namelist() if n.lower().endswith("vbaproject.bin")]
            if parts:
                return modules_of(olefile.OleFileIO(io.BytesIO(package.read(parts[0]))), [])
            return []
    ole = olefile.OleFileIO(path)
    if ole.exists("_VBA_PROJECT_CUR/VBA/dir"):
        return modules_of(ole, ["_VBA_PROJECT_CUR"])
    return []


def main():
    for path in sys.argv[1:]:
        try:
            modules = print_modules(path)
        except Exception:
            print("file unreadable")
            continue
        print("file read")
        for name, source in modules:
            print(name.encode().hex(), source.encode().hex())


if __name__ == "__main__":
    main()
