"""Writes RGBA pictures as PNG files with nothing but Python itself: the image
data goes into stored (uncompressed) deflate blocks."""
import struct


def _crc32(data):
    crc = 0xFFFFFFFF
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ (0xEDB88320 if crc & 1 else 0)
    return crc ^ 0xFFFFFFFF


def _adler32(data):
    a, b = 1, 0
    for byte in data:
        a = (a + byte) % 65521
        b = (b + a) % 65521
    return (b << 16) | a


def _zlib_stored(data):
    out = bytearray(b"\x78\x01")
    for start in range(0, max(len(data), 1), 65535):
        block = data[start:start + 65535]
        final = 1 if start + 65535 >= len(data) else 0
        out += struct.pack("<BHH", final, len(block), len(block) ^ 0xFFFF) + block
    return bytes(out + struct.pack(">I", _adler32(data)))


def _chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", _crc32(kind + body))


def png(width, height, pixel):
    """pixel(x, y) gives (r, g, b, a) for the texel x, y counted from the top left."""
    rows = b"".join(b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header) + _chunk(b"IDAT", _zlib_stored(rows)) + _chunk(b"IEND", b"")


def write(path, width, height, pixel):
    with open(path, "wb") as out:
        out.write(png(width, height, pixel))
