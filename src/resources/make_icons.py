#!/usr/bin/env python3
"""Draws the program's icons as PNG files (plain Python, no imaging library).

Every icon is a list of filled shapes on a 32 x 32 design grid, rendered with
4 x 4 supersampling. Run it from this folder to regenerate icons/ (compiled
into the program) and google_earth/ (shipped beside it, for the KML export).
"""
import math
import os
import struct
import zlib

SS = 4


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1, a0=None, a1=None):
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if not (r0 <= d <= r1):
            return False
        if a0 is None:
            return True
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return (a0 <= a <= a1) if a0 <= a1 else (a >= a0 or a <= a1)
    return inside


def poly(*pts):
    def inside(x, y):
        c = False
        n = len(pts)
        for i in range(n):
            xa, ya = pts[i]
            xb, yb = pts[(i + 1) % n]
            if (ya > y) != (yb > y):
                xi = xa + (y - ya) * (xb - xa) / (yb - ya)
                if x < xi:
                    c = not c
        return c
    return inside


def line(x0, y0, x1, y1, w):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy or 1e-9

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (w / 2) ** 2
    return inside


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def rgb(h, a=255):
    h = h.lstrip('#')
    return (int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16), a)


def render(layers, size):
    scale = 32.0 / size
    px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(size)] for _ in range(size)]
    offsets = [(i + 0.5) / SS for i in range(SS)]
    for shape, colour in layers:
        cr, cg, cb, ca = colour
        for j in range(size):
            for i in range(size):
                hits = 0
                for oy in offsets:
                    for ox in offsets:
                        if shape((i + ox) * scale, (j + oy) * scale):
                            hits += 1
                if not hits:
                    continue
                a = ca / 255.0 * hits / (SS * SS)
                r, g, b, da = px[j][i]
                out = a + da * (1 - a)
                if out <= 0:
                    continue
                mix = lambda s, d: (s * a + d * da * (1 - a)) / out
                px[j][i] = (mix(cr, r), mix(cg, g), mix(cb, b), out)
    return px


def write_png(path, px):
    size = len(px)
    raw = bytearray()
    for row in px:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((int(round(r)), int(round(g)), int(round(b)), int(round(a * 255))))

    def chunk(kind, data):
        c = struct.pack('>I', len(data)) + kind + data
        return c + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)

    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(bytes(raw), 9))
    png += chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


INK = rgb('#2b3a4a')
PAPER = rgb('#fbfbf7')
EDGE = rgb('#6b7785')
BLUE = rgb('#2f7fd0')
LIGHTBLUE = rgb('#8cc4f2')
GREEN = rgb('#2e9d46')
RED = rgb('#d23c35')
AMBER = rgb('#f0b429')
FOLDER = rgb('#e9b949')
FOLDER_DARK = rgb('#c48f1f')
GREY = rgb('#9aa5b1')


def page(x0=7, y0=3, x1=25, y1=29, fold=6):
    body = poly((x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1))
    inner = poly((x0 + 1.2, y0 + 1.2), (x1 - fold - 0.5, y0 + 1.2), (x1 - 1.2, y0 + fold + 0.5),
                 (x1 - 1.2, y1 - 1.2), (x0 + 1.2, y1 - 1.2))
    corner = poly((x1 - fold, y0), (x1, y0 + fold), (x1 - fold, y0 + fold))
    return [(body, EDGE), (inner, PAPER), (corner, GREY)]


def text_lines(x0, x1, ys, colour=GREY):
    return [(rect(x0, y, x1, y + 1.4), colour) for y in ys]


def plus(cx, cy, arm, w, colour):
    return [(union(rect(cx - arm, cy - w / 2, cx + arm, cy + w / 2),
                   rect(cx - w / 2, cy - arm, cx + w / 2, cy + arm)), colour)]


def check_mark(colour, w=3.2, pts=((9, 17), (14, 23), (24, 9))):
    (ax, ay), (bx, by), (cx, cy) = pts
    return [(union(line(ax, ay, bx, by, w), line(bx, by, cx, cy, w)), colour)]


def folder(open_=False):
    back = union(rrect(3, 7, 14, 12, 1.5), rrect(3, 9, 29, 27, 1.5))
    layers = [(back, FOLDER_DARK)]
    if open_:
        layers += [(rect(6, 11, 26, 22), PAPER),
                   (poly((7, 15), (31, 15), (27, 27), (3, 27)), FOLDER)]
    else:
        layers += [(rrect(3, 12, 29, 27, 1.5), FOLDER)]
    return layers


def floppy():
    return [(rrect(4, 4, 28, 28, 2), BLUE),
            (rect(9, 4, 23, 12), PAPER), (rect(19, 5.5, 22, 10.5), INK),
            (rect(8, 17, 24, 28), PAPER)] + text_lines(10, 22, (20, 23.5))


def gear(cx, cy, r, colour, hole=PAPER):
    teeth = [line(cx + (r - 1) * math.cos(a), cy + (r - 1) * math.sin(a),
                  cx + (r + 2.6) * math.cos(a), cy + (r + 2.6) * math.sin(a), 4)
             for a in [k * math.pi / 4 for k in range(8)]]
    return [(union(circle(cx, cy, r), *teeth), colour), (circle(cx, cy, r * 0.42), hole)]


def globe(cx, cy, r):
    land = union(circle(cx - r * 0.35, cy - r * 0.3, r * 0.38), circle(cx + r * 0.3, cy + r * 0.35, r * 0.33),
                 circle(cx + r * 0.45, cy - r * 0.4, r * 0.2))
    body = circle(cx, cy, r)
    return [(body, BLUE), (lambda x, y: body(x, y) and land(x, y), GREEN),
            (ring(cx, cy, r - 1.2, r), rgb('#1d5a96'))]


def tower(cx, base, top, colour):
    return [(union(line(cx, top, cx - 5, base, 2), line(cx, top, cx + 5, base, 2),
                   line(cx - 3.2, base - 6, cx + 3.2, base - 6, 1.6),
                   line(cx - 1.6, top + 6, cx + 1.6, top + 6, 1.6)), colour),
            (circle(cx, top, 2.2), RED)]


def waves(cx, cy, colour, side):
    a0, a1 = (315, 45) if side > 0 else (135, 225)
    return [(union(ring(cx, cy, 4, 5.6, a0, a1), ring(cx, cy, 7.5, 9.1, a0, a1)), colour)]


def arrow_down(cx, top, bottom, colour, w=5):
    return [(union(rect(cx - w / 2, top, cx + w / 2, bottom - 6),
                   poly((cx - 7, bottom - 7), (cx + 7, bottom - 7), (cx, bottom))), colour)]


ICONS = {
    # main window, about box, options pages
    'main/pics/lwise.png': lambda: (
        [(circle(16, 16, 15), BLUE), (ring(16, 16, 13.5, 15), rgb('#1d5a96'))]
        + tower(9, 27, 9, PAPER) + tower(23, 27, 9, PAPER)
        + [(line(9, 9, 23, 9, 1.3), AMBER)]),
    'main/pics/hcmfs1.png': lambda: (
        tower(16, 30, 8, INK) + waves(16, 8, BLUE, 1) + waves(16, 8, BLUE, -1)),
    'main/pics/compare.PNG': lambda: (
        page(2, 4, 15, 26, 4) + text_lines(4.5, 12, (12, 16, 20))
        + page(17, 6, 30, 28, 4) + text_lines(19.5, 27, (14, 18, 22), BLUE)
        + [(union(line(11, 29.5, 21, 29.5, 1.6), poly((21, 27), (24, 29.5), (21, 32))), RED)]),
    'main/pics/1to1.png': lambda: (
        [(line(7, 24, 25, 8, 2.2), BLUE), (circle(7, 24, 4.5), GREEN), (circle(25, 8, 4.5), RED)]),
    'main/pics/ltol.png': lambda: (
        [(union(line(7, 6, 25, 16, 1.4), line(7, 16, 25, 6, 1.4), line(7, 16, 25, 26, 1.4),
                line(7, 26, 25, 16, 1.4), line(7, 6, 25, 26, 1.4)), BLUE)]
        + [(circle(7, y, 3.3), GREEN) for y in (6, 16, 26)]
        + [(circle(25, y, 3.3), RED) for y in (6, 16, 26)]),
    'main/pics/annex11.png': lambda: (
        globe(14, 18, 12)
        + [(poly((21, 2), (31, 2), (31, 9), (21, 9)), RED), (rect(20, 2, 21.5, 18), INK)]),
    'main/pics/google_earth.png': lambda: (
        globe(16, 16, 14) + [(ring(16, 16, 13, 14.5, 20, 160), rgb('#ffffff', 160))]),
    'main/pics/mask.png': lambda: (
        [(rect(3, 28, 30, 29.5), INK), (rect(3, 3, 4.5, 29.5), INK),
         (union(line(5, 25, 10, 25, 2), line(10, 25, 13, 8, 2), line(13, 8, 19, 8, 2),
                line(19, 8, 22, 25, 2), line(22, 25, 29, 25, 2)), RED),
         (poly((12.5, 27), (13.5, 11), (18.5, 11), (19.5, 27)), rgb('#2f7fd0', 110))]),
    'main/pics/preferences-system.png': lambda: gear(16, 16, 9, GREY),
    'main/pics/folder.png': lambda: folder(),
    'main/pics/syntax-check.png': lambda: (
        page() + text_lines(10, 21, (9, 13)) + check_mark(GREEN, 3.2, ((11, 20), (15, 25), (23, 14)))),
    'main/pics/system-software-update.png': lambda: (
        [(ring(16, 16, 9, 12.5, 100, 420 - 360), GREEN), (ring(16, 16, 9, 12.5, 280, 240 + 0), GREEN)]
        + [(poly((16, 1), (22, 5.5), (16, 10)), GREEN), (poly((16, 22), (10, 26.5), (16, 31)), GREEN)]),
    'main/pics/delete-item.png': lambda: (
        [(union(line(8, 8, 24, 24, 4.5), line(24, 8, 8, 24, 4.5)), RED)]),
    'main/pics/list-add.png': lambda: plus(16, 16, 11, 5, GREEN),
    # tool bar icons
    '32x32/pics/new/32x32/document-new-4.png': lambda: (
        page() + plus(23, 24, 6, 3, AMBER)),
    '32x32/pics/new/32x32/document-open-2.png': lambda: folder(True),
    '32x32/pics/new/32x32/document-save-7.png': floppy,
    '32x32/pics/new/32x32/document-save-as-6.png': lambda: (
        floppy() + [(line(16, 30, 29, 17, 4), AMBER), (poly((14, 32), (15, 28), (18, 31)), INK)]),
    '32x32/pics/new/32x32/list-add-2.png': lambda: plus(16, 16, 12, 6, GREEN),
    '32x32/pics/new/32x32/list-remove-2.png': lambda: [(rect(4, 13, 28, 19), RED)],
    '32x32/pics/new/32x32/edit-copy-2.png': lambda: (
        page(3, 2, 19, 24, 5) + page(12, 8, 28, 30, 5) + text_lines(15, 24, (17, 21, 25))),
    '32x32/pics/new/32x32/edit-find-replace-4.png': lambda: (
        page(3, 2, 21, 28, 5) + text_lines(6, 17, (10, 14, 18))
        + [(ring(20, 19, 5, 7.5), INK), (circle(20, 19, 5), rgb('#8cc4f2', 150)),
           (line(25, 24, 30, 29, 3.5), INK)]),
    '32x32/pics/new/32x32/mail-mark-task.png': lambda: (
        [(rrect(4, 6, 28, 28, 3), EDGE), (rrect(5.5, 7.5, 26.5, 26.5, 2), PAPER)]
        + check_mark(GREEN, 3.6, ((9, 17), (14, 23), (29, 4)))),
    '32x32/pics/new/32x32/configure-2.png': lambda: (
        gear(13, 13, 7, GREY) + [(line(17, 17, 28, 28, 5), INK), (circle(28, 28, 2.5), INK)]),
    '32x32/pics/new/32x32/download-3.png': lambda: (
        [(union(rect(3, 20, 6, 29), rect(3, 26, 29, 29), rect(26, 20, 29, 29)), EDGE)]
        + arrow_down(16, 2, 24, BLUE, 6)),
}

SIZES = {'main/pics/hcmfs1.png': 64, 'main/pics/lwise.png': 48}

# The station marks of the KML export. The plain mark is a red dot that reads
# on satellite images; with the tower shown the mark only has to be findable
# and clickable without hiding the model, so it is a faint ring.
BESIDE_PROGRAM = {
    'google_earth/placemark_circle.png': lambda: (
        [(circle(16, 16, 11), rgb('#ffffff')), (circle(16, 16, 8.5), RED)]),
    'google_earth/hidden_circle.png': lambda: (
        [(ring(16, 16, 8, 10), rgb('#ffffff', 90))]),
}


# The program's icon for the desktop's application list and file managers,
# at the sizes of the hicolor theme; installed, not compiled in.
DESKTOP_ICON = 'org.linkwise.Linkwise.png'
DESKTOP_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in ICONS.items():
        path = os.path.join(here, 'icons', name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_png(path, render(draw(), SIZES.get(name, 32)))
        print(path)
    for name, draw in BESIDE_PROGRAM.items():
        path = os.path.join(here, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_png(path, render(draw(), 32))
        print(path)
    for size in DESKTOP_SIZES:
        path = os.path.join(here, 'desktop', 'icons', '%dx%d' % (size, size), DESKTOP_ICON)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_png(path, render(ICONS['main/pics/lwise.png'](), size))
        print(path)


if __name__ == '__main__':
    main()
