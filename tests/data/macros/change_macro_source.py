#!/usr/bin/python3
"""Copies a workbook with a macro project and changes one letter of one module's source in
place, so that the copy's cells and every stream's size stay the same and only that module's
source differs (a later copy of the letter in the compressed text changes with it).

Usage: change_macro_source.py SOURCE COPY; prints the changed module's name. Works on the
compound-file workbooks (.xls) and on packages holding a vbaProject.bin (.xlsm, .xlsb)."""

import io
import shutil
import struct
import sys
import zipfile

import olefile

from independent_macro_reader import module_entries


def literals(data):
    """Where each literal byte of a compressed container lies and the text line it starts:
    (position in data, position in the text, line start in the text)."""
    found = []
    out = bytearray()
    pos = 1
    while pos + 2 <= len(data):
        header = struct.unpack_from("<H", data, pos)[0]
        chunk_end = min(len(data), pos + (header & 0x0FFF) + 3)
        pos += 2
        if not header & 0x8000:
            return found  # an uncompressed chunk: the letters before it are enough
        start = len(out)
        while pos < chunk_end:
            flags = data[pos]
            pos += 1
            for bit in range(8):
                if pos >= chunk_end:
                    break
                if not flags & (1 << bit):
                    found.append((pos, len(out), out.rfind(b"\n") + 1))
                    out.append(data[pos])
                    pos += 1
                    continue
                token = struct.unpack_from("<H", data, pos)[0]
                pos += 2
                bits = 4
                while (1 << bits) < len(out) - start:
                    bits += 1
                length = (token & (0xFFFF >> bits)) + 3
                offset = (token >> (16 - bits)) + 1
                for _ in range(length):
                    out.append(out[-offset])
    return [(at, where, out[line:line + 9]) for at, where, line in found]


def change_project(ole, prefix):
    """Changes a letter of the first module with one in a line of code; returns its name."""
    modules, _ = module_entries(ole, prefix)
    for module in modules:
        path = prefix + ["VBA", module["stream"]]
        stream = bytearray(ole.openstream(path).read())
        for at, _, line in literals(bytes(stream[module["offset"]:])):
            letter = stream[module["offset"] + at]
            if line != b"Attribute" and chr(letter).isalpha():
                stream[module["offset"] + at] = ord("q") if letter != ord("q") else ord("x")
                ole.write_stream(path, bytes(stream))
                return module["name"]
    raise SystemExit("no module has a line of code to change")


def main(source, copy):
    shutil.copyfile(source, copy)
    with open(copy, "rb") as file:
        is_package = file.read(4) == b"PK\x03\x04"
    if not is_package:
        with olefile.OleFileIO(copy, write_mode=True) as ole:
            print(change_project(ole, ["_VBA_PROJECT_CUR"]))
        return
    with zipfile.ZipFile(source) as package:
        parts = {info.filename: package.read(info) for info in package.infolist()}
    project = next(name for name in parts if name.lower().endswith("vbaproject.bin"))
    data = io.BytesIO(parts[project])
    print(change_project(olefile.OleFileIO(data, write_mode=True), []))
    parts[project] = data.getvalue()
    with zipfile.ZipFile(copy, "w", zipfile.ZIP_DEFLATED) as package:
        for name, content in parts.items():
            package.writestr(name, content)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
