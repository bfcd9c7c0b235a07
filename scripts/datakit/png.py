"""PNG decoding to 8-bit RGB (alpha composited on black), top-down rows.

The system's libpng (always present beside Qt) is used through ctypes when it can be loaded; a
pure-Python decoder is the fallback (correct, only slower)."""
import ctypes
import ctypes.util
import struct
import zlib


class _PngImage(ctypes.Structure):
    _fields_ = [('opaque', ctypes.c_void_p), ('version', ctypes.c_uint32), ('width', ctypes.c_uint32),
                ('height', ctypes.c_uint32), ('format', ctypes.c_uint32), ('flags', ctypes.c_uint32),
                ('colormap_entries', ctypes.c_uint32), ('warning_or_error', ctypes.c_uint32),
                ('message', ctypes.c_char * 64)]


_lib = None


def _libpng():
    global _lib
    if _lib is None:
        _lib = False
        for name in ('libpng16.so.16', ctypes.util.find_library('png16'), ctypes.util.find_library('png')):
            if not name:
                continue
            try:
                lib = ctypes.CDLL(name)
                lib.png_image_begin_read_from_memory.argtypes = [ctypes.POINTER(_PngImage), ctypes.c_void_p,
                                                                 ctypes.c_size_t]
                lib.png_image_finish_read.argtypes = [ctypes.POINTER(_PngImage), ctypes.c_void_p,
                                                      ctypes.c_void_p, ctypes.c_int32, ctypes.c_void_p]
                _lib = lib
                break
            except (OSError, AttributeError):
                continue
    return _lib


def _decode_libpng(lib, data):
    img = _PngImage()
    img.version = 1
    buf = ctypes.create_string_buffer(data, len(data))
    if not lib.png_image_begin_read_from_memory(ctypes.byref(img), buf, len(data)):
        raise ValueError(img.message.decode())
    img.format = 2  # 8-bit RGB
    w, h = img.width, img.height
    out = ctypes.create_string_buffer(w * h * 3)  # zero-filled: alpha composites on black
    if not lib.png_image_finish_read(ctypes.byref(img), None, out, w * 3, None):
        raise ValueError(img.message.decode())
    return w, h, out.raw


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _decode_python(data):
    pos = 8
    idat = []
    palette = trns = None
    while pos < len(data):
        n, = struct.unpack_from('>I', data, pos)
        kind = data[pos + 4:pos + 8]
        chunk = data[pos + 8:pos + 8 + n]
        pos += 12 + n
        if kind == b'IHDR':
            w, h, depth, ctype, _, _, interlace = struct.unpack('>IIBBBBB', chunk)
        elif kind == b'PLTE':
            palette = chunk
        elif kind == b'tRNS':
            trns = chunk
        elif kind == b'IDAT':
            idat.append(chunk)
    if interlace:
        raise ValueError('interlaced PNG not supported')
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[ctype]
    if depth < 8 and ctype != 3 and ctype != 0:
        raise ValueError('unsupported PNG depth')
    bits = channels * depth
    bpp = max(1, bits // 8)
    stride = (w * bits + 7) // 8
    raw = zlib.decompress(b''.join(idat))
    prev = bytearray(stride)
    rows = []
    for y in range(h):
        ftype = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if ftype == 1:
            for i in range(bpp, stride):
                line[i] = (line[i] + line[i - bpp]) & 255
        elif ftype == 2:
            line = bytearray((a + b) & 255 for a, b in zip(line, prev))
        elif ftype == 3:
            for i in range(stride):
                left = line[i - bpp] if i >= bpp else 0
                line[i] = (line[i] + ((left + prev[i]) >> 1)) & 255
        elif ftype == 4:
            for i in range(stride):
                left = line[i - bpp] if i >= bpp else 0
                ul = prev[i - bpp] if i >= bpp else 0
                line[i] = (line[i] + _paeth(left, prev[i], ul)) & 255
        rows.append(bytes(line))
        prev = line
    out = bytearray()
    for line in rows:
        if depth == 16:
            line = line[0::2]
        elif depth < 8:
            line = bytes((line[(x * depth) // 8] >> (8 - depth - (x * depth) % 8)) & ((1 << depth) - 1)
                         for x in range(w))
        if ctype == 3:
            alpha = trns or b''
            px = bytearray()
            for i in line[:w]:
                a = alpha[i] if i < len(alpha) else 255
                px += bytes(palette[3 * i + k] * a // 255 for k in range(3))
            out += px
        elif ctype == 0:
            scale = 255 // ((1 << depth) - 1) if depth < 8 else 1
            out += bytes(v * scale for v in line[:w] for _ in range(3))
        elif ctype == 4:
            out += bytes(line[2 * x] * line[2 * x + 1] // 255 for x in range(w) for _ in range(3))
        elif ctype == 2:
            out += line[:w * 3]
        else:
            a = line[3::4]
            px = bytearray(w * 3)
            for k in range(3):
                px[k::3] = bytes(c * t // 255 for c, t in zip(line[k::4], a))
            out += px
    return w, h, bytes(out)


def decode(path):
    """Returns (width, height, RGB bytes, rows top-down)."""
    data = open(path, 'rb').read()
    lib = _libpng()
    if lib:
        return _decode_libpng(lib, data)
    return _decode_python(data)


def _chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)


def encode(path, width, height, rgb_top_down):
    """Writes 8-bit RGB (top-down rows of width * 3 bytes) as a PNG file, rows unfiltered."""
    row = width * 3
    raw = b''.join(b'\0' + rgb_top_down[y * row:(y + 1) * row] for y in range(height))
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(_chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)))
        f.write(_chunk(b'IDAT', zlib.compress(raw, 9)))
        f.write(_chunk(b'IEND', b''))
