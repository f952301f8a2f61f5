#!/usr/bin/env python3
"""Packs PNG pictures into one Windows icon file (the program's icon resource):
every picture is stored as it is, a PNG entry, which Windows reads since Vista.

usage: make_ico.py OUT.ico PICTURE.png...   (square pictures of at most 256 pixels)
"""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit("make_ico.py: not a PNG picture")
    return struct.unpack(">II", data[16:24])


def main(out, pictures):
    entries = []
    for path in pictures:
        with open(path, "rb") as f:
            data = f.read()
        width, height = png_size(data)
        if width != height or width > 256:
            sys.exit(f"make_ico.py: {path} is {width}x{height}, not square of at most 256")
        entries.append((width, data))
    entries.sort(key=lambda e: e[0])
    offset = 6 + 16 * len(entries)
    head = struct.pack("<HHH", 0, 1, len(entries))
    directory = b""
    for size, data in entries:
        # 256 is written as 0; one plane, 32 bits a pixel.
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(head + directory + b"".join(data for _, data in entries))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
