#!/usr/bin/env python3
"""Writes the 16x16, 24-bit menu picture: a signed page with a seal.

The top-left pixel is the background (white); the extension paints every
background pixel in the menu colour when it loads the picture."""
import struct
import sys

ROWS = [
    "................",
    "..kkkkkkkk......",
    "..kppppppkk.....",
    "..kppppppkpk....",
    "..kppppppkkkk...",
    "..kpppppppppk...",
    "..kpggggggppk...",
    "..kpppppppppk...",
    "..kpggggggppk...",
    "..kpppppppppk...",
    "..kpgggggpppk...",
    "..kpppppprrpk...",
    "..kpbppbrrrrk...",
    "..kpbbbpprrpk...",
    "..kkkkkkkkkkk...",
    "................",
]

COLOURS = {  # red, green, blue
    ".": (0xFF, 0xFF, 0xFF),
    "k": (0x30, 0x3A, 0x48),
    "p": (0xFB, 0xF6, 0xE4),
    "g": (0x9A, 0xA3, 0xAE),
    "b": (0x1F, 0x4E, 0xC8),
    "r": (0xC8, 0x28, 0x2E),
}


def pixel_rows():
    # A bottom-up bitmap stores the last row first, each pixel as blue, green, red.
    for row in reversed(ROWS):
        assert len(row) == 16, row
        yield b"".join(bytes(reversed(COLOURS[c])) for c in row)


def main(path):
    assert len(ROWS) == 16
    pixels = b"".join(pixel_rows())
    info = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(header + info + pixels)


if __name__ == "__main__":
    main(sys.argv[1])
