"""24-bit uncompressed BMP files: rows bottom-up, blue-green-red, each row padded to 4 bytes."""
import struct


def write_bmp(path, width, height, rgb_top_down):
    """Writes an RGB picture given as top-down rows of width * 3 bytes."""
    row = width * 3
    pad = (-row) % 4
    size = (row + pad) * height
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 54 + size, 0, 0, 54))
        f.write(struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, size, 2835, 2835, 0, 0))
        padding = b'\0' * pad
        for y in range(height - 1, -1, -1):
            line = bytearray(rgb_top_down[y * row:(y + 1) * row])
            line[0::3], line[2::3] = line[2::3], line[0::3]
            f.write(line + padding)


def read_bmp(path):
    """Reads a 24-bit BMP back into (width, height, top-down RGB bytes)."""
    data = open(path, 'rb').read()
    off, = struct.unpack_from('<I', data, 10)
    w, h, _, bpp = struct.unpack_from('<iiHH', data, 18)
    assert bpp == 24
    row = w * 3
    stride = row + (-row) % 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytearray(data[off + y * stride: off + y * stride + row])
        line[0::3], line[2::3] = line[2::3], line[0::3]
        out += line
    return w, h, bytes(out)
