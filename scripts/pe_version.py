#!/usr/bin/env python3
"""Reads the version resource of a Windows executable.

    pe_version.py FILE          the fixed file version, "a.b.c.d"
    pe_version.py FILE NAME     a value of the string table, e.g. CompanyName

The release names its files after the version the built program carries,
so the number is written once, in res/nimbul.rc. Exits 1 with a message on
stderr when the file has no such resource or value.
"""
import struct
import sys

RT_VERSION = 16
FIXED_SIGNATURE = 0xFEEF04BD


class NoVersion(Exception):
    pass


def _u16(data, offset):
    return struct.unpack_from("<H", data, offset)[0]


def _u32(data, offset):
    return struct.unpack_from("<I", data, offset)[0]


def _align4(n):
    return (n + 3) & ~3


def version_resource(data):
    """The bytes of the first RT_VERSION resource of the PE image `data`."""
    if data[:2] != b"MZ":
        raise NoVersion("not an executable (no MZ header)")
    pe = _u32(data, 0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        raise NoVersion("not a PE file")
    coff = pe + 4
    sections = _u16(data, coff + 2)
    optional = coff + 20
    optional_size = _u16(data, coff + 16)
    magic = _u16(data, optional)
    directories = optional + (96 if magic == 0x10B else 112)
    resource_rva = _u32(data, directories + 2 * 8)
    if resource_rva == 0:
        raise NoVersion("no resources")

    table = optional + optional_size

    def file_offset(rva):
        for i in range(sections):
            s = table + 40 * i
            size, start, raw_size, raw = struct.unpack_from("<IIII", data, s + 8)
            if start <= rva < start + max(size, raw_size):
                return raw + rva - start
        raise NoVersion("resource address outside every section")

    root = file_offset(resource_rva)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", data, directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, directory + 16 + 8 * i)
            yield name, target

    def first_leaf(target):
        # Below the type: one level of names, one of languages, then the data.
        while target & 0x80000000:
            target = next(entries(root + (target & 0x7FFFFFFF)), (None, None))[1]
            if target is None:
                raise NoVersion("empty version resource directory")
        rva, size = struct.unpack_from("<II", data, root + target)
        start = file_offset(rva)
        return data[start:start + size]

    for name, target in entries(root):
        if name == RT_VERSION:
            return first_leaf(target)
    raise NoVersion("no version resource")


def _blocks(data, start, end):
    """The child blocks (key, value bytes, type, children start, end) in [start, end)."""
    while start + 6 <= end:
        length, value_length, kind = struct.unpack_from("<HHH", data, start)
        if length == 0:
            break
        key_end = start + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[start + 6:key_end].decode("utf-16-le")
        value = _align4(key_end + 2)
        value_bytes = value_length * 2 if kind == 1 else value_length
        children = _align4(value + value_bytes)
        yield key, data[value:value + value_bytes], kind, children, start + length
        start = _align4(start + length)


def fixed_file_version(resource):
    for key, value, _, _, _ in _blocks(resource, 0, len(resource)):
        if key == "VS_VERSION_INFO" and len(value) >= 16 and _u32(value, 0) == FIXED_SIGNATURE:
            ms, ls = _u32(value, 8), _u32(value, 12)
            return "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    raise NoVersion("no fixed file information")


def string_value(resource, name):
    for _, _, _, children, end in _blocks(resource, 0, len(resource)):
        for key, _, _, tables, tables_end in _blocks(resource, children, end):
            if key != "StringFileInfo":
                continue
            for _, _, _, strings, strings_end in _blocks(resource, tables, tables_end):
                for entry, value, _, _, _ in _blocks(resource, strings, strings_end):
                    if entry == name:
                        return value.decode("utf-16-le").rstrip("\0")
    raise NoVersion("no string value %r" % name)


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        with open(argv[1], "rb") as f:
            resource = version_resource(f.read())
        print(fixed_file_version(resource) if len(argv) == 2 else string_value(resource, argv[2]))
    except (OSError, NoVersion, struct.error) as e:
        print("%s: %s" % (argv[1], e), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
