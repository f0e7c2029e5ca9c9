#!/usr/bin/env python3
"""Areas of a screenshot as `xwd -root` writes it, read fast enough to poll the screen.

screen.py near SHOT X Y W H R G B
    how many pixels of the area are within 40 of the colour in each channel
screen.py differs SHOT X Y W H OTHER
    how many pixels of the area differ by more than 24 in a channel from the same area of
    OTHER (another screenshot) or, for a name ending in ".rgb", from OTHER's raw 8-bit RGB
    pixels of W x H
"""
import struct
import sys


def area(shot, x, y, w, h):
    """The area's pixels as bytes R, G, B of a row after another."""
    with open(shot, "rb") as f:
        data = f.read()
    header = struct.unpack(">25I", data[:100])
    size, bits, row_bytes, colours = header[0], header[11], header[12], header[19]
    if bits != 32 or header[7] != 0:
        sys.exit(f"{shot}: not a 32-bit least significant byte first screenshot")
    start = size + 12 * colours
    rows = b"".join(
        data[start + row * row_bytes + 4 * x:start + row * row_bytes + 4 * (x + w)]
        for row in range(y, y + h))
    rgb = bytearray(w * h * 3)
    for channel, offset in ((0, 2), (1, 1), (2, 0)):  # stored B, G, R, unused
        rgb[channel::3] = rows[offset::4]
    return bytes(rgb)


def main():
    command, shot = sys.argv[1], sys.argv[2]
    x, y, w, h = map(int, sys.argv[3:7])
    pixels = area(shot, x, y, w, h)
    if command == "near":
        mask = -1
        for channel, value in enumerate(map(int, sys.argv[7:10])):
            near = bytes(abs(v - value) <= 40 for v in range(256))
            mask &= int.from_bytes(pixels[channel::3].translate(near), "big")
        print(bin(mask).count("1"))
    else:
        other = sys.argv[7]
        if other.endswith(".rgb"):
            with open(other, "rb") as f:
                reference = f.read()
        else:
            reference = area(other, x, y, w, h)
        print(sum(1 for i in range(0, len(pixels), 3)
                  if max(abs(pixels[i + c] - reference[i + c]) for c in range(3)) > 24))


if __name__ == "__main__":
    main()
