#!/bin/sh
# Writes quillobar.ico: a memory chip with a check mark, drawn separately at
# 16, 24, 32, 48 and 64 pixels so every size has whole-pixel pins and borders.
# Each image is an uncompressed 32-bit BGRA DIB with alpha plus an AND mask
# (no PNG inside), the icon form every Windows version reads.
#
# Usage: sh resources/make_icon.sh [output.ico]
# Default output: quillobar.ico next to this script. The output depends only
# on this script, so running it again gives the same bytes.
set -e
out=${1:-$(dirname "$0")/quillobar.ico}
exec python3 - "$out" <<'PYTHON'
import struct
import sys

CYAN = (0, 255, 255)
RED = (255, 0, 0)
GREEN = (0, 255, 0)
DARK = (15, 15, 15)

# Per size: margin to the edge, pin length, border width, pins per side, pin
# width and pitch; body corners either cut by whole pixels ("cut") or rounded
# ("radius"); the pin-1 dot as (left, top, diameter); the check mark as two
# 45-degree bands meeting in a mitred point at pixel (vx, vy), each band
# 2*half+1 pixels across, their outer ends cut square to the band where
# x - y = long_end and x + y = short_end.
# Pins, cut corners and the check lie on whole pixels so they stay sharp;
# only rounded corners and the dot are smoothed, by sub-pixel sampling.
LAYOUTS = {
    16: dict(margin=0, pin_len=2, border=1, pins=3, pin_w=2, pitch=4, cut=1, dot=None,
             check=dict(vx=6, vy=11, half=1, long_end=6, short_end=12)),
    24: dict(margin=0, pin_len=3, border=1, pins=4, pin_w=2, pitch=4, cut=1, dot=(6, 6, 2),
             check=dict(vx=10, vy=16, half=1.5, long_end=10, short_end=18)),
    32: dict(margin=1, pin_len=3, border=2, pins=4, pin_w=2, pitch=4, radius=3.0, dot=(8, 8, 4),
             check=dict(vx=13, vy=22, half=2, long_end=14, short_end=24)),
    48: dict(margin=1, pin_len=5, border=3, pins=4, pin_w=3, pitch=7, radius=4.5, dot=(12, 12, 5),
             check=dict(vx=20, vy=33, half=3.5, long_end=16, short_end=38)),
    64: dict(margin=2, pin_len=6, border=4, pins=5, pin_w=4, pitch=8, radius=6.0, dot=(16, 16, 6),
             check=dict(vx=27, vy=44, half=4.5, long_end=22, short_end=50)),
}

SAMPLES = 8  # sub-samples per pixel side for anti-aliased edges


class Canvas:
    """Straight-alpha RGBA image, painted with the source-over rule."""

    def __init__(self, size):
        self.size = size
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def paint(self, coverage, color, box=None):
        """Blends color over every pixel by the share of it that coverage(x, y) covers."""
        x0, y0, x1, y1 = box if box else (0, 0, self.size, self.size)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.size, int(x1) + 1), min(self.size, int(y1) + 1)
        step = 1.0 / SAMPLES
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if coverage(x + (sx + 0.5) * step, y + (sy + 0.5) * step):
                            hits += 1
                if hits:
                    self._blend(x, y, color, hits / (SAMPLES * SAMPLES))

    def fill_rect(self, x0, y0, x1, y1, color):
        """Fills whole pixels [x0, x1) x [y0, y1) without sampling."""
        for y in range(y0, y1):
            for x in range(x0, x1):
                self._blend(x, y, color, 1.0)

    def _blend(self, x, y, color, alpha):
        r, g, b, a = self.px[y][x]
        out_a = alpha + a * (1.0 - alpha)
        if out_a <= 0.0:
            return
        mix = lambda src, dst: (src * alpha + dst * a * (1.0 - alpha)) / out_a
        self.px[y][x] = (mix(color[0], r), mix(color[1], g), mix(color[2], b), out_a)

    def bgra_rows(self):
        """Yields rows top-down as lists of (b, g, r, a) bytes; fully clear pixels are black."""
        for row in self.px:
            out = []
            for r, g, b, a in row:
                a8 = round(a * 255)
                if a8 == 0:
                    out.append((0, 0, 0, 0))
                else:
                    out.append((round(b), round(g), round(r), a8))
            yield out


def inside_round_rect(x0, y0, x1, y1, radius):
    def test(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    return test


def draw(size):
    L = LAYOUTS[size]
    c = Canvas(size)
    lo = L["margin"] + L["pin_len"]          # body edges
    hi = size - lo
    length = hi - lo
    span = (L["pins"] - 1) * L["pitch"] + L["pin_w"]
    assert (length - span) % 2 == 0, f"pins off-centre at {size}"
    first = lo + (length - span) // 2

    # Pins on all four sides, running under the body edge.
    for i in range(L["pins"]):
        p0 = first + i * L["pitch"]
        p1 = p0 + L["pin_w"]
        near, far = L["margin"], size - L["margin"]
        c.fill_rect(near, p0, lo + 1, p1, CYAN)   # left
        c.fill_rect(hi - 1, p0, far, p1, CYAN)    # right
        c.fill_rect(p0, near, p1, lo + 1, CYAN)   # top
        c.fill_rect(p0, hi - 1, p1, far, CYAN)    # bottom

    # Body: cyan rim, dark inside.
    b = L["border"]
    if "cut" in L:
        cut = L["cut"]
        c.fill_rect(lo + cut, lo, hi - cut, hi, CYAN)
        c.fill_rect(lo, lo + cut, hi, hi - cut, CYAN)
        c.fill_rect(lo + b, lo + b, hi - b, hi - b, DARK)
        for x in (lo + b, hi - b - 1):           # rim runs diagonally across the cut
            for y in (lo + b, hi - b - 1):
                c.fill_rect(x, y, x + 1, y + 1, CYAN)
    else:
        r = L["radius"]
        box = (lo, lo, hi, hi)
        c.paint(inside_round_rect(lo, lo, hi, hi, r), CYAN, box)
        c.paint(inside_round_rect(lo + b, lo + b, hi - b, hi - b, max(r - b, 0.0)), DARK, box)

    # Pin-1 mark in the top-left corner of the body.
    if L["dot"]:
        x0, y0, d = L["dot"]
        c.paint(inside_round_rect(x0, y0, x0 + d, y0 + d, d / 2), RED, (x0, y0, x0 + d, y0 + d))

    # Check mark: a pixel is in the long arm when x + y lies within its band,
    # in the short arm when x - y does; each arm stops at the other's outer
    # edge, which leaves a mitred point at (vx, vy), and at its own end cut.
    k = L["check"]
    up = k["vx"] + k["vy"] - k["half"]           # centre of the long arm's x + y band
    down = k["vx"] - k["vy"] + k["half"]         # centre of the short arm's x - y band
    for y in range(size):
        for x in range(size):
            long_arm = (abs(x + y - up) <= k["half"]
                        and down - k["half"] <= x - y <= k["long_end"])
            short_arm = (abs(x - y - down) <= k["half"]
                         and k["short_end"] <= x + y <= up + k["half"])
            if long_arm or short_arm:
                c.fill_rect(x, y, x + 1, y + 1, GREEN)
    return c


def dib(canvas):
    """One icon image: BITMAPINFOHEADER, BGRA rows bottom-up, then the AND mask."""
    size = canvas.size
    rows = list(canvas.bgra_rows())
    xor = b"".join(bytes(v for px in row for v in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:                     # clear pixel: let the background through
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + bytes(mask)


def ico(sizes):
    images = [dib(draw(s)) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    return out + b"".join(images)


with open(sys.argv[1], "wb") as f:
    f.write(ico([16, 24, 32, 48, 64]))
PYTHON
