"""A small baseline JPEG writer (8-bit YCbCr, no subsampling), standard
library only, for the program's own pictures.

Every Huffman code has a fixed length (DC categories 4 bits, AC symbols 8
bits): larger files than optimised tables give, but valid for any picture and
short enough to check by eye.
"""

import math
import struct

ZIGZAG = [
    0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7, 14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
]

LUMA_Q = [
    16, 11, 10, 16, 24, 40, 51, 61,
    12, 12, 14, 19, 26, 58, 60, 55,
    14, 13, 16, 24, 40, 57, 69, 56,
    14, 17, 22, 29, 51, 87, 80, 62,
    18, 22, 37, 56, 68, 109, 103, 77,
    24, 35, 55, 64, 81, 104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101,
    72, 92, 95, 98, 112, 100, 103, 99,
]
CHROMA_Q = [17, 18, 24, 47, 99, 99, 99, 99,
            18, 21, 26, 66, 99, 99, 99, 99,
            24, 26, 56, 99, 99, 99, 99, 99,
            47, 66, 99, 99, 99, 99, 99, 99] + [99] * 32

DC_SYMBOLS = list(range(12))
AC_SYMBOLS = [0x00, 0xF0] + [(run << 4) | size for run in range(16) for size in range(1, 11)]


def scaled(table, quality):
    scale = 5000 // quality if quality < 50 else 200 - 2 * quality
    return [min(255, max(1, (q * scale + 50) // 100)) for q in table]


def fixed_codes(symbols, length):
    """Canonical codes, all of one length: symbol -> (code, length)."""
    assert len(symbols) < (1 << length)  # the all-ones code stays unused
    return {s: (i, length) for i, s in enumerate(symbols)}


def dht(table_class, table_id, symbols, length):
    counts = [0] * 16
    counts[length - 1] = len(symbols)
    body = bytes([(table_class << 4) | table_id]) + bytes(counts) + bytes(symbols)
    return b"\xff\xc4" + struct.pack(">H", len(body) + 2) + body


COS = [[math.cos((2 * x + 1) * u * math.pi / 16) for x in range(8)] for u in range(8)]
C = [1 / math.sqrt(2)] + [1.0] * 7


def fdct(block):
    """8x8 forward DCT of a row-major block of level-shifted samples."""
    rows = [[sum(block[y * 8 + x] * COS[u][x] for x in range(8)) for u in range(8)] for y in range(8)]
    out = [0.0] * 64
    for v in range(8):
        for u in range(8):
            s = sum(rows[y][u] * COS[v][y] for y in range(8))
            out[v * 8 + u] = 0.25 * C[u] * C[v] * s
    return out


class BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def put(self, code, length):
        self.acc = (self.acc << length) | code
        self.n += length
        while self.n >= 8:
            self.n -= 8
            byte = (self.acc >> self.n) & 0xFF
            self.out.append(byte)
            if byte == 0xFF:
                self.out.append(0)
        self.acc &= (1 << self.n) - 1

    def flush(self):
        if self.n:
            self.put((1 << (8 - self.n)) - 1, 8 - self.n)
        return bytes(self.out)


def category(value):
    return 0 if value == 0 else abs(value).bit_length()


def magnitude_bits(value, size):
    return value if value >= 0 else value + (1 << size) - 1


def encode_block(bits, coefficients, quant, previous_dc, dc_codes, ac_codes):
    q = [int(round(coefficients[ZIGZAG[i]] / quant[i])) for i in range(64)]
    diff = q[0] - previous_dc
    size = category(diff)
    bits.put(*dc_codes[size])
    if size:
        bits.put(magnitude_bits(diff, size), size)
    run = 0
    for k in range(1, 64):
        if q[k] == 0:
            run += 1
            continue
        while run > 15:
            bits.put(*ac_codes[0xF0])
            run -= 16
        size = category(q[k])
        bits.put(*ac_codes[(run << 4) | size])
        bits.put(magnitude_bits(q[k], size), size)
        run = 0
    if run:
        bits.put(*ac_codes[0x00])
    return q[0]


def jpeg_bytes(width, height, pixel, quality=90):
    """pixel(x, y) -> (r, g, b); returns the bytes of a JFIF file."""
    luma_q = scaled(LUMA_Q, quality)
    chroma_q = scaled(CHROMA_Q, quality)
    dc_codes = fixed_codes(DC_SYMBOLS, 4)
    ac_codes = fixed_codes(AC_SYMBOLS, 8)
    planes = ([], [], [])
    for y in range(height):
        for x in range(width):
            r, g, b = pixel(x, y)
            planes[0].append(0.299 * r + 0.587 * g + 0.114 * b - 128)
            planes[1].append(-0.168736 * r - 0.331264 * g + 0.5 * b)
            planes[2].append(0.5 * r - 0.418688 * g - 0.081312 * b)
    bits = BitWriter()
    previous = [0, 0, 0]
    for by in range(0, height, 8):
        for bx in range(0, width, 8):
            for c in range(3):
                block = []
                for y in range(by, by + 8):
                    row = min(y, height - 1) * width
                    for x in range(bx, bx + 8):
                        block.append(planes[c][row + min(x, width - 1)])
                quant = luma_q if c == 0 else chroma_q
                previous[c] = encode_block(bits, fdct(block), quant, previous[c], dc_codes, ac_codes)
    data = bits.flush()

    out = bytearray(b"\xff\xd8")
    out += b"\xff\xe0" + struct.pack(">H5sBBBHHBB", 16, b"JFIF\0", 1, 1, 0, 1, 1, 0, 0)
    for table_id, table in ((0, luma_q), (1, chroma_q)):
        out += b"\xff\xdb" + struct.pack(">HB", 67, table_id) + bytes(table)
    out += b"\xff\xc0" + struct.pack(">HBHHB", 17, 8, height, width, 3)
    out += bytes([1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1])
    out += dht(0, 0, DC_SYMBOLS, 4) + dht(1, 0, AC_SYMBOLS, 8)
    out += dht(0, 1, DC_SYMBOLS, 4) + dht(1, 1, AC_SYMBOLS, 8)
    out += b"\xff\xda" + struct.pack(">HB", 12, 3) + bytes([1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0])
    out += data + b"\xff\xd9"
    return bytes(out)
