#!/usr/bin/env python3
"""Writes the PNG decoder's test data into the folder given.

pngs.txt lists one PNG per line: name, width, height, expected error. Each
name.png was encoded here from pixels made here; for error 0, name.rgba
holds the pixels as 8-bit RGBA and name.raw what the decoder gives without
conversion. streams.txt lists zlib streams, one per line: name.z inflates to
the contents of plain.bin.
"""
import os
import random
import struct
import sys
import zlib

CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
DEPTHS = {0: (1, 2, 4, 8, 16), 2: (8, 16), 3: (1, 2, 4, 8), 4: (8, 16), 6: (8, 16)}
ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]
SIGNATURE = bytes([137, 80, 78, 71, 13, 10, 26, 10])


def pack(samples, depth):
    """Samples to bytes: big-endian at 8 and 16 bits, most significant bit
    first below 8, padded at the end."""
    if depth >= 8:
        return b"".join(s.to_bytes(depth // 8, "big") for s in samples)
    out, acc, bits = bytearray(), 0, 0
    for s in samples:
        acc, bits = (acc << depth) | s, bits + depth
        if bits == 8:
            out.append(acc)
            acc, bits = 0, 0
    if bits:
        out.append(acc << (8 - bits))
    return bytes(out)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def filter_line(kind, line, prev, bpp):
    out = bytearray([kind])
    for i, x in enumerate(line):
        a = line[i - bpp] if i >= bpp else 0
        b = prev[i] if prev is not None else 0
        c = prev[i - bpp] if prev is not None and i >= bpp else 0
        predicted = [0, a, b, (a + b) // 2, paeth(a, b, c)][kind]
        out.append((x - predicted) & 255)
    return bytes(out)


class Image:
    def __init__(self, width, height, color, depth, rows, palette=None):
        self.width, self.height, self.color, self.depth = width, height, color, depth
        self.rows = rows  # rows of pixels, each pixel a tuple of samples
        self.palette = palette or []  # (r, g, b)
        self.alphas = []  # tRNS values of a palette image
        self.key = None  # tRNS key of a grey or RGB image, one or three samples

    def bytes_per_pixel(self):
        return (CHANNELS[self.color] * self.depth + 7) // 8

    def scanlines(self, interlace, filters):
        passes = ADAM7 if interlace else [(0, 0, 1, 1)]
        out, row_number = bytearray(), 0
        for x0, y0, dx, dy in passes:
            sub = [row[x0::dx] for row in self.rows[y0::dy]]
            if not sub or not sub[0]:
                continue
            prev = None
            for row in sub:
                line = pack([s for px in row for s in px], self.depth)
                out += filter_line(filters(row_number), line, prev, self.bytes_per_pixel())
                prev, row_number = line, row_number + 1
        return bytes(out)

    def raw(self):
        return pack([s for row in self.rows for px in row for s in px], self.depth)

    def rgba(self):
        def high(s):
            return s >> 8 if self.depth == 16 else s

        out = bytearray()
        for row in self.rows:
            for px in row:
                if self.color == 3:
                    r, g, b = self.palette[px[0]]
                    a = self.alphas[px[0]] if px[0] < len(self.alphas) else 255
                    out += bytes([r, g, b, a])
                    continue
                keyed = self.key is not None and tuple(px) == tuple(self.key)
                if self.color == 0:
                    v = px[0] * 255 // ((1 << self.depth) - 1) if self.depth < 8 else high(px[0])
                    out += bytes([v, v, v, 0 if keyed else 255])
                elif self.color == 2:
                    out += bytes([high(s) for s in px] + [0 if keyed else 255])
                elif self.color == 4:
                    out += bytes([high(px[0])] * 3 + [high(px[1])])
                else:
                    out += bytes(high(s) for s in px)
        return bytes(out)


def random_image(rng, width, height, color, depth, palette_size=None, values=None):
    top = (1 << depth) - 1
    palette = None
    if color == 3:
        palette_size = palette_size or min(top + 1, 200)
        palette = [tuple(rng.randrange(256) for _ in range(3)) for _ in range(palette_size)]
        top = palette_size - 1
    rows = [[tuple(rng.choice(values) if values else rng.randint(0, top) for _ in range(CHANNELS[color]))
             for _ in range(width)] for _ in range(height)]
    return Image(width, height, color, depth, rows, palette)


def chunk(kind, data, good_crc=True):
    crc = zlib.crc32(kind + data) & 0xFFFFFFFF
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc if good_crc else crc ^ 0x5A5A5A5A)


def encode(image, interlace=0, filters=lambda y: y % 5, level=6, strategy=zlib.Z_DEFAULT_STRATEGY, wbits=15,
           idat_pieces=1, before=(), after=(), good_crc=True, scanlines=None, zdata=None):
    """A whole PNG file. `before` chunks go after IHDR, `after` chunks after
    the last IDAT; both are (type, data) pairs."""
    if scanlines is None:
        scanlines = image.scanlines(interlace, filters)
    if zdata is None:
        compressor = zlib.compressobj(level, zlib.DEFLATED, wbits, 9, strategy)
        zdata = compressor.compress(scanlines) + compressor.flush()
    ihdr = struct.pack(">IIBBBBB", image.width, image.height, image.depth, image.color, 0, 0, interlace)
    chunks = [(b"IHDR", ihdr)] + list(before)
    if image.palette:
        chunks.append((b"PLTE", b"".join(bytes(rgb) for rgb in image.palette)))
    if image.alphas:
        chunks.append((b"tRNS", bytes(image.alphas)))
    if image.key is not None:
        chunks.append((b"tRNS", b"".join(struct.pack(">H", k) for k in image.key)))
    step = max(1, -(-len(zdata) // idat_pieces))
    chunks += [(b"IDAT", zdata[i:i + step]) for i in range(0, len(zdata), step)] or [(b"IDAT", b"")]
    chunks += list(after) + [(b"IEND", b"")]
    return SIGNATURE + b"".join(chunk(kind, data, good_crc) for kind, data in chunks)


class Writer:
    def __init__(self, folder):
        self.folder = folder
        self.pngs = []
        self.streams = []

    def png(self, name, image, error=0, data=None, **options):
        data = encode(image, **options) if data is None else data
        self.write(name + ".png", data)
        if error == 0:
            self.write(name + ".rgba", image.rgba())
            self.write(name + ".raw", image.raw())
        self.pngs.append(f"{name} {image.width} {image.height} {error}")

    def plain(self, name, data):
        self.write(name + ".bin", data)
        return name

    def stream(self, name, plain, level, strategy=zlib.Z_DEFAULT_STRATEGY, wbits=15):
        compressor = zlib.compressobj(level, zlib.DEFLATED, wbits, 9, strategy)
        with open(os.path.join(self.folder, plain + ".bin"), "rb") as f:
            data = f.read()
        self.write(name + ".z", compressor.compress(data) + compressor.flush())
        self.streams.append(f"{name} {plain}")

    def write(self, name, data):
        with open(os.path.join(self.folder, name), "wb") as f:
            f.write(data)

    def finish(self):
        for listing, lines in (("pngs.txt", self.pngs), ("streams.txt", self.streams)):
            self.write(listing, ("\n".join(lines) + "\n").encode())


def colour_cases(w, rng):
    # Every colour type and bit depth, plain and interlaced, at sizes whose
    # rows end inside a byte and whose passes are partly empty.
    for color, depths in DEPTHS.items():
        for depth in depths:
            for width, height in ((13, 7), (1, 1), (3, 9), (33, 2)):
                image = random_image(rng, width, height, color, depth)
                w.png(f"c{color}_d{depth}_{width}x{height}", image)
                w.png(f"c{color}_d{depth}_{width}x{height}_adam7", image, interlace=1)


def filter_cases(w, rng):
    # Each filter on every row, for one-bit, one-byte, three-byte and
    # eight-byte pixels, plain and interlaced.
    for color, depth in ((0, 1), (0, 8), (2, 8), (6, 16)):
        image = random_image(rng, 11, 6, color, depth)
        for kind in range(5):
            for interlace in (0, 1):
                w.png(f"filter{kind}_c{color}_d{depth}_i{interlace}", image, interlace=interlace,
                      filters=lambda y, k=kind: k)


def transparency_cases(w, rng):
    for depth in (1, 2, 4, 8, 16):
        image = random_image(rng, 9, 5, 0, depth)
        image.key = (image.rows[2][3][0],)
        w.png(f"grey_key_d{depth}", image)
        w.png(f"grey_key_d{depth}_adam7", image, interlace=1)
    for depth in (8, 16):
        image = random_image(rng, 9, 5, 2, depth, values=[0, 1, 0x1234 if depth == 16 else 200])
        image.key = image.rows[1][1]
        w.png(f"rgb_key_d{depth}", image)
    for depth in (1, 2, 4, 8):
        image = random_image(rng, 10, 4, 3, depth)
        image.alphas = [rng.randrange(256) for _ in range(len(image.palette) // 2 + 1)]
        w.png(f"palette_alpha_d{depth}", image)
    # Two-bit grey whose key is 2: exactly the pixels of grey 170 turn clear.
    image = Image(4, 1, 0, 2, [[(0,), (1,), (2,), (3,)]])
    image.key = (2,)
    w.png("grey2_key2", image)


def chunk_cases(w, rng):
    image = random_image(rng, 12, 8, 2, 8)
    text = (b"tEXt", b"Comment\x00made by the tests")
    gamma = (b"gAMA", struct.pack(">I", 45455))
    private = (b"prVt", bytes(range(40)))
    w.png("ancillary_chunks", image, before=[text, gamma], after=[private])
    w.png("ancillary_between_idat", image, idat_pieces=1, after=[(b"IDAT", b""), private, (b"IDAT", b"")])
    w.png("split_idat", image, idat_pieces=7, after=[(b"IDAT", b"")])
    w.png("single_byte_idat", image, idat_pieces=10 ** 6)
    w.png("bad_crcs", image, good_crc=False, before=[text])
    rgb_with_palette = random_image(rng, 5, 5, 2, 8)
    rgb_with_palette.palette = [(1, 2, 3), (4, 5, 6)]
    w.png("rgb_suggested_palette", rgb_with_palette)
    # Scanline data longer than the image needs: the rest is ignored.
    w.png("trailing_scanline_data", image, scanlines=image.scanlines(0, lambda y: y % 5) + bytes(30))


def compression_cases(w, rng):
    image = random_image(rng, 40, 30, 6, 8, values=[0, 0, 0, 7, 255])
    for level in range(10):
        w.png(f"level{level}", image, level=level)
    strategies = {"filtered": zlib.Z_FILTERED, "huffman": zlib.Z_HUFFMAN_ONLY, "rle": zlib.Z_RLE,
                  "fixed": zlib.Z_FIXED}
    for name, strategy in strategies.items():
        w.png(f"strategy_{name}", image, strategy=strategy)
    for wbits in (9, 12):
        w.png(f"window{wbits}", image, wbits=wbits)


def edge_cases(w, rng):
    w.png("rgba8_1x1", Image(1, 1, 6, 8, [[(10, 20, 30, 40)]]))
    w.png("rgb16_pixel", Image(1, 1, 2, 16, [[(0x1234, 0x5678, 0x9ABC)]]))
    w.png("adam7_1x1", Image(1, 1, 6, 16, [[(0x1122, 0x3344, 0x5566, 0x7788)]]), interlace=1)
    w.png("large_rgba", random_image(rng, 300, 200, 6, 8, values=list(range(0, 256, 17))), level=9)


def error_cases(w, rng):
    rgb = random_image(rng, 6, 4, 2, 8)
    good = encode(rgb)
    w.png("empty_file", rgb, error=48, data=b"")
    w.png("header_28_bytes", rgb, error=27, data=good[:28])
    w.png("bad_signature", rgb, error=28, data=b"\x89PNG\r\n\x1a\x0b" + good[8:])
    w.png("not_ihdr_first", rgb, error=29, data=good[:12] + b"IHDX" + good[16:])

    def with_header(offset, value):
        return good[:offset] + bytes([value]) + good[offset + 1:]

    w.png("colour_type_5", rgb, error=31, data=with_header(25, 5))
    w.png("compression_1", rgb, error=32, data=with_header(26, 1))
    w.png("filter_method_1", rgb, error=33, data=with_header(27, 1))
    w.png("interlace_2", rgb, error=34, data=with_header(28, 2))
    w.png("rgb_depth_4", rgb, error=37, data=with_header(24, 4))
    w.png("palette_depth_16", rgb, error=37, data=good[:24] + bytes([16, 3]) + good[26:])
    w.png("width_0", rgb, error=45, data=good[:16] + bytes(4) + good[20:])
    w.png("no_iend", rgb, error=30, data=good[:-12])
    w.png("chunk_past_end", rgb, error=35, data=good[:-12] + struct.pack(">I", 20) + b"IEND" + bytes(8))
    # Data two bytes short, CRC missing: refused before the data is read.
    w.png("idat_past_end", rgb, error=35, data=good[:-12] + struct.pack(">I", 10) + b"IDAT" + bytes(8))
    w.png("chunk_length_2g", rgb, error=63, data=good[:-12] + struct.pack(">I", 1 << 31) + b"IEND" + bytes(8))
    w.png("unknown_critical", rgb, error=69, before=[(b"ABCD", b"xyz")])
    w.png("trns_with_alpha", Image(1, 1, 6, 8, [[(1, 2, 3, 4)]]), error=42, before=[(b"tRNS", b"\0\1")])
    w.png("trns_grey_alpha", Image(1, 1, 4, 8, [[(1, 2)]]), error=42, before=[(b"tRNS", b"\0\1")])
    w.png("trns_grey_3_bytes", Image(1, 1, 0, 8, [[(1,)]]), error=40, before=[(b"tRNS", b"\0\1\2")])
    w.png("trns_rgb_2_bytes", Image(1, 1, 2, 8, [[(1, 2, 3)]]), error=41, before=[(b"tRNS", b"\0\1")])

    palette = random_image(rng, 4, 3, 3, 8, palette_size=4)
    palette.alphas = [1, 2, 3, 4, 5]
    w.png("trns_past_palette", palette, error=39)
    big = random_image(rng, 2, 2, 3, 8, palette_size=257)
    w.png("plte_257", big, error=38)
    w.png("plte_not_triples", palette, error=44, before=[(b"PLTE", bytes(10))])
    index5 = Image(2, 1, 3, 8, [[(0,), (5,)]], palette=[(9, 9, 9)] * 4)
    w.png("palette_index_5_of_4", index5, error=46)
    index5_4bit = Image(2, 1, 3, 4, [[(5,), (0,)]], palette=[(9, 9, 9)] * 4)
    w.png("palette_index_5_of_4_d4", index5_4bit, error=47)
    w.png("no_palette", Image(1, 1, 3, 2, [[(0,)]]), error=47)

    lines = rgb.scanlines(0, lambda y: 1)
    w.png("filter_type_5", rgb, error=36, scanlines=lines[:19] + b"\5" + lines[20:])
    w.png("scanlines_short", rgb, error=43, scanlines=lines[:-1])
    w.png("adam7_short", rgb, error=43, interlace=1, scanlines=rgb.scanlines(1, lambda y: 0)[:-1])
    w.png("zlib_check_bad", rgb, error=24, zdata=b"\x78\x9d" + zlib.compress(lines)[2:])


def stream_cases(w, rng):
    words = [b"lantern", b"moss", b"quill", b"mere", b"tile", b"shadow", b"\n"]
    text = b" ".join(rng.choice(words) for _ in range(12000))
    noise = bytes(rng.randrange(256) for _ in range(20000))
    runs = b"".join(bytes([rng.randrange(4)]) * rng.randint(1, 300) for _ in range(400))
    mixed = text[:20000] + noise[:10000] + runs[:20000] + text[:5000]
    # Short repeating patterns: overlapping copies of every distance below 20.
    periods = b"".join(bytes(rng.randrange(256) for _ in range(rng.randint(2, 19))) * rng.randint(2, 40)
                       for _ in range(600))
    for name, data in (("text", text), ("noise", noise), ("runs", runs), ("mixed", mixed), ("periods", periods),
                       ("empty", b"")):
        plain = w.plain(name, data)
        for level in (0, 1, 6, 9):
            w.stream(f"{name}_l{level}", plain, level)
        for strategy_name, strategy in (("filtered", zlib.Z_FILTERED), ("huffman", zlib.Z_HUFFMAN_ONLY),
                                        ("rle", zlib.Z_RLE), ("fixed", zlib.Z_FIXED)):
            w.stream(f"{name}_{strategy_name}", plain, 6, strategy)
        w.stream(f"{name}_window9", plain, 9, wbits=9)
    # Stored blocks hold at most 65535 bytes: this needs several.
    w.stream("stored_blocks", w.plain("noise8", noise * 8), 0)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(20240611)
    writer = Writer(folder)
    for make in (colour_cases, filter_cases, transparency_cases, chunk_cases, compression_cases, edge_cases,
                 error_cases, stream_cases):
        make(writer, rng)
    writer.finish()


if __name__ == "__main__":
    main()
