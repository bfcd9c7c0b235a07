"""Small picture operations on top-down RGB byte strings, kept to whole-row or whole-image steps."""
import operator


def _avg(a, b):
    """Byte-wise rounded-down mean of two equal-length byte strings, done on big integers."""
    n = len(a)
    x = int.from_bytes(a, 'little')
    y = int.from_bytes(b, 'little')
    mask = int.from_bytes(b'\xfe' * n, 'little')
    return ((x & y) + (((x ^ y) & mask) >> 1)).to_bytes(n, 'little')


def halve(w, h, rgb):
    """Box-filters the picture down to half its size (odd last row/column dropped)."""
    w2, h2 = w // 2, h // 2
    row = w * 3
    even = b''.join(rgb[(2 * y) * row:(2 * y) * row + row] for y in range(h2))
    odd = b''.join(rgb[(2 * y + 1) * row:(2 * y + 1) * row + row] for y in range(h2))
    v = _avg(even, odd)
    left = bytearray(w2 * h2 * 3)
    right = bytearray(w2 * h2 * 3)
    for k in range(3):
        chan = v[k::3]
        # chan holds h2 rows of w samples; even and odd columns of each row.
        left[k::3] = b''.join(chan[y * w:y * w + 2 * w2:2] for y in range(h2))
        right[k::3] = b''.join(chan[y * w + 1:y * w + 2 * w2:2] for y in range(h2))
    return w2, h2, _avg(bytes(left), bytes(right))


def gather(rgb, offsets):
    """Picks the pixels starting at the given byte offsets (a sequence of ints)."""
    n = len(offsets)
    out = bytearray(n * 3)
    if n == 0:
        return out
    if n == 1:
        out[0:3] = rgb[offsets[0]:offsets[0] + 3]
        return out
    padded = rgb + b'\0\0\0'
    out[0::3] = bytes(operator.itemgetter(*offsets)(padded))
    out[1::3] = bytes(operator.itemgetter(*[o + 1 for o in offsets])(padded))
    out[2::3] = bytes(operator.itemgetter(*[o + 2 for o in offsets])(padded))
    return out
