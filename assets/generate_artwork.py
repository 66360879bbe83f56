#!/usr/bin/python3
"""Draw all of showcard's artwork from Pillow primitives.

Everything the program ships (card background, sample avatars, application
icon) is produced here, so the pictures are our own and can be regenerated
byte-for-byte: no fonts, no external images, fixed random seeds.

Run from anywhere:  /usr/bin/python3 assets/generate_artwork.py
"""

import math
import os
import random

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
SAMPLES = os.path.join(ROOT, "QQshow")

# Shapes are drawn this many times larger and box-filtered down, which gives
# clean anti-aliased edges without any resampling ringing.
SS = 4

# Card geometry (pixels of the final 275 x 161 background).
CARD_W, CARD_H = 275, 161
VIEW_W, VIEW_H = 273, 159            # the part the program actually shows
FRAME = (4, 4, 83, 133)              # avatar outline, inclusive
FRAME_BLUE = (58, 122, 212)
BADGES = (87, 37, 221, 52)
ICON_DAYS = (90, 60)
ICON_HEART = (158, 60)
SERVICES = (9, 139, 265, 156)


# --------------------------------------------------------------------------
# helpers

class Sketch:
    """An RGBA canvas addressed in final-pixel units but drawn at SS x."""

    def __init__(self, w, h, transparent=False):
        self.w, self.h = w, h
        if transparent:
            # icons: pixels are replaced, so the background stays see-through
            self.img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
            self.d = ImageDraw.Draw(self.img)
        else:
            # opaque pictures: translucent fills blend over what is below
            self.img = Image.new("RGB", (w * SS, h * SS), (255, 255, 255))
            self.d = ImageDraw.Draw(self.img, "RGBA")

    @staticmethod
    def _s(v):
        return round(v * SS)

    def _box(self, box):
        x0, y0, x1, y1 = box
        # Boxes are given as half-open pixel edges, e.g. (0, 0, 10, 10) is
        # exactly 10 x 10 final pixels; PIL wants an inclusive end.
        return (self._s(x0), self._s(y0), self._s(x1) - 1, self._s(y1) - 1)

    def rect(self, box, fill, r=0, outline=None, width=0):
        if r:
            self.d.rounded_rectangle(self._box(box), radius=self._s(r),
                                     fill=fill, outline=outline,
                                     width=self._s(width))
        else:
            self.d.rectangle(self._box(box), fill=fill, outline=outline,
                             width=self._s(width))

    def ellipse(self, box, fill, outline=None, width=0):
        self.d.ellipse(self._box(box), fill=fill, outline=outline,
                       width=self._s(width))

    def circle(self, cx, cy, r, fill, outline=None, width=0):
        self.ellipse((cx - r, cy - r, cx + r, cy + r), fill, outline, width)

    def poly(self, pts, fill, outline=None):
        self.d.polygon([(self._s(x), self._s(y)) for x, y in pts],
                       fill=fill, outline=outline)

    def line(self, pts, fill, width, round_caps=True):
        sp = [(self._s(x), self._s(y)) for x, y in pts]
        self.d.line(sp, fill=fill, width=self._s(width), joint="curve")
        if round_caps:
            for x, y in (pts[0], pts[-1]):
                self.circle(x, y, width / 2, fill)

    def arc(self, box, start, end, fill, width):
        self.d.arc(self._box(box), start, end, fill=fill,
                   width=self._s(width))

    def chord(self, box, start, end, fill):
        self.d.chord(self._box(box), start, end, fill=fill)

    def pieslice(self, box, start, end, fill):
        self.d.pieslice(self._box(box), start, end, fill=fill)

    def vgradient(self, box, top, bottom):
        x0, y0, x1, y1 = [self._s(v) for v in box]
        for y in range(y0, y1):
            t = (y - y0) / max(1, y1 - y0 - 1)
            self.d.line([(x0, y), (x1 - 1, y)], fill=mix(top, bottom, t))

    def heart(self, cx, cy, size, fill):
        r = size * 0.27
        self.circle(cx - r * 0.95, cy - size * 0.12, r, fill)
        self.circle(cx + r * 0.95, cy - size * 0.12, r, fill)
        self.poly([(cx - size * 0.5, cy - size * 0.05),
                   (cx + size * 0.5, cy - size * 0.05),
                   (cx, cy + size * 0.45)], fill)

    def star(self, cx, cy, r_out, fill, points=5, inner=0.45, rot=-90):
        pts = []
        for i in range(points * 2):
            r = r_out if i % 2 == 0 else r_out * inner
            a = math.radians(rot + i * 180 / points)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        self.poly(pts, fill)

    def result(self):
        return self.img.resize((self.w, self.h), Image.Resampling.BOX)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(len(a)))


def rgb(img, background=(255, 255, 255)):
    """Flatten an RGBA picture onto a solid colour."""
    if img.mode == "RGB":
        return img
    base = Image.new("RGB", img.size, background)
    base.paste(img, (0, 0), img)
    return base


def save_jpeg(img, path, subsampling, quality=90):
    # Plain baseline JFIF: no progressive scans, no EXIF/ICC, standard
    # Huffman tables, so even a minimal decoder can read it.
    img.convert("RGB").save(path, "JPEG", quality=quality,
                            subsampling=subsampling, progressive=False,
                            optimize=False)


# --------------------------------------------------------------------------
# the figure standing in the card's avatar frame (78 x 128)

def frame_figure():
    w, h = 78, 128
    s = Sketch(w, h)
    s.vgradient((0, 0, w, h), (214, 233, 252), (248, 251, 255))
    # soft floor and a couple of clouds so the frame is not an empty box
    s.ellipse((-20, 108, 98, 150), (226, 240, 222))
    s.ellipse((6, 10, 26, 20), (255, 255, 255, 230))
    s.ellipse((14, 6, 32, 18), (255, 255, 255, 230))
    s.ellipse((52, 20, 72, 29), (255, 255, 255, 210))
    s.ellipse((22, 112, 56, 120), (180, 200, 180))          # shadow

    skin = (255, 222, 194)
    hair = (92, 58, 40)
    shirt = (255, 138, 92)
    jeans = (72, 112, 186)
    cx = 39

    # legs and shoes
    s.rect((28, 84, 38, 112), jeans, r=3)
    s.rect((40, 84, 50, 112), jeans, r=3)
    s.ellipse((24, 108, 39, 117), (60, 52, 60))
    s.ellipse((39, 108, 54, 117), (60, 52, 60))
    # left arm hanging, right arm waving
    s.line([(27, 58), (20, 72), (19, 82)], shirt, 7)
    s.circle(19, 84, 4, skin)
    s.line([(51, 58), (60, 50), (64, 38)], shirt, 7)
    s.circle(64.5, 35, 4, skin)
    # body (t-shirt) with a star print
    s.rect((25, 53, 53, 90), shirt, r=7)
    s.rect((25, 82, 53, 90), jeans, r=2)
    s.star(cx, 68, 6, (255, 236, 140))
    # neck and head
    s.rect((35, 46, 43, 56), skin, r=2)
    s.circle(cx, 32, 17, skin)
    # hair: a cap over the top with a scalloped fringe
    s.chord((20, 12, 58, 46), 180, 360, hair)
    for x in range(22, 52, 7):
        s.ellipse((x, 21, x + 10, 28), hair)
    s.circle(22.5, 33, 3.2, skin)                            # ears
    s.circle(55.5, 33, 3.2, skin)
    # face
    s.ellipse((31, 31, 35, 37), (44, 36, 44))
    s.ellipse((43, 31, 47, 37), (44, 36, 44))
    s.circle(32.6, 32.6, 0.8, (255, 255, 255))
    s.circle(44.6, 32.6, 0.8, (255, 255, 255))
    s.ellipse((26, 38, 32, 42), (255, 170, 160, 170))
    s.ellipse((46, 38, 52, 42), (255, 170, 160, 170))
    s.arc((33, 36, 45, 45), 20, 160, (170, 70, 70), 1.4)
    # a little heart floating by the waving hand
    s.heart(66, 20, 8, (255, 96, 128))
    return s.result()


# --------------------------------------------------------------------------
# card background

def badge_row(s):
    """Six little rounded badges like level / membership marks."""
    x0, y0, x1, y1 = BADGES
    n, gap = 6, 3
    bw = (x1 - x0 + 1 - gap * (n - 1)) / n                  # = 20
    tiles = [
        ((255, 196, 60), (240, 140, 20), "crown"),
        ((120, 196, 255), (50, 130, 230), "moon"),
        ((255, 150, 170), (230, 70, 110), "heart"),
        ((190, 150, 255), (130, 80, 220), "gem"),
        ((140, 220, 150), (50, 160, 80), "bolt"),
        ((255, 170, 110), (240, 100, 50), "star"),
    ]
    for i, (top, bottom, glyph) in enumerate(tiles):
        bx = x0 + i * (bw + gap)
        # gradient pill: draw gradient then cut it with a rounded mask
        pill = Sketch(round(bw) + 1, y1 - y0 + 1)
        pill.vgradient((0, 0, pill.w, pill.h), top, bottom)
        mask = Image.new("L", pill.img.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle(
            (0, 0, round(bw * SS) - 1, (y1 - y0 + 1) * SS - 1),
            radius=5 * SS, fill=255)
        s.img.paste(pill.img, (round(bx * SS), y0 * SS), mask)
        s.d.rounded_rectangle(
            (round(bx * SS), y0 * SS, round((bx + bw) * SS) - 1,
             (y1 + 1) * SS - 1), radius=5 * SS,
            outline=mix(bottom, (0, 0, 0), 0.15), width=SS // 2)
        # a white highlight on the upper half makes them look glossy
        s.rect((bx + 2, y0 + 1.2, bx + bw - 2, y0 + 6), (255, 255, 255, 70),
               r=2.5)
        cx, cy = bx + bw / 2, y0 + 8
        white = (255, 255, 255)
        if glyph == "crown":
            s.poly([(cx - 6, cy + 4), (cx - 6, cy - 3), (cx - 3, cy),
                    (cx, cy - 5), (cx + 3, cy), (cx + 6, cy - 3),
                    (cx + 6, cy + 4)], white)
        elif glyph == "moon":
            s.circle(cx, cy, 5.5, white)
            s.circle(cx + 2.8, cy - 2, 4.6, mix(top, bottom, 0.45))
            s.star(cx + 4.5, cy + 2.5, 2.2, white)
        elif glyph == "heart":
            s.heart(cx, cy + 0.5, 11, white)
        elif glyph == "gem":
            s.poly([(cx - 6, cy - 1.5), (cx - 3, cy - 5), (cx + 3, cy - 5),
                    (cx + 6, cy - 1.5), (cx, cy + 5.5)], white)
            s.line([(cx - 5, cy - 1.5), (cx + 5, cy - 1.5)],
                   mix(top, bottom, 0.6), 0.7, round_caps=False)
        elif glyph == "bolt":
            s.poly([(cx + 1.5, cy - 6), (cx - 4, cy + 1), (cx - 0.5, cy + 1),
                    (cx - 2, cy + 6), (cx + 4, cy - 1.2), (cx + 0.5, cy - 1.2),
                    (cx + 2.5, cy - 6)], white)
        else:
            s.star(cx, cy + 0.5, 6.5, white)


def day_icons(s):
    # calendar: red binding, white page, two rings and a small grid
    x, y = ICON_DAYS
    s.rect((x, y + 1, x + 10, y + 10), (255, 255, 255), r=1.5,
           outline=(92, 140, 210), width=1)
    s.rect((x, y + 1, x + 10, y + 4), (92, 140, 210), r=1.5)
    s.rect((x + 2, y, x + 3, y + 2.5), (60, 70, 90))
    s.rect((x + 7, y, x + 8, y + 2.5), (60, 70, 90))
    for gx in (2, 4.5, 7):
        for gy in (5.5, 7.8):
            s.rect((x + gx, y + gy, x + gx + 1.4, y + gy + 1.2),
                   (140, 170, 220))
    # heart for the "days together" count
    x, y = ICON_HEART
    s.heart(x + 5, y + 5.2, 9.4, (238, 70, 100))   # stays inside 10 x 10
    s.circle(x + 2.8, y + 3.2, 1.0, (255, 200, 210))


def service_row(s):
    """A dozen small app-like tiles along the bottom of the card."""
    x0, y0, x1, y1 = SERVICES
    n, size = 12, y1 - y0 + 1                                # 18 px tiles
    step = (x1 - x0 + 1 - size) / (n - 1)
    colours = [
        (74, 144, 226), (255, 149, 0), (76, 196, 112), (241, 92, 120),
        (148, 110, 230), (0, 184, 200), (255, 196, 40), (100, 120, 150),
        (232, 88, 64), (54, 170, 150), (212, 110, 200), (90, 168, 240),
    ]
    W = (255, 255, 255)
    for i, c in enumerate(colours):
        bx = round(x0 + i * step)
        by = y0
        tile = Sketch(size, size)
        tile.vgradient((0, 0, size, size), mix(c, W, 0.25), c)
        mask = Image.new("L", tile.img.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle(
            (0, 0, size * SS - 1, size * SS - 1), radius=4 * SS, fill=255)
        s.img.paste(tile.img, (bx * SS, by * SS), mask)
        cx, cy = bx + size / 2, by + size / 2
        g = i % 12
        if g == 0:      # envelope
            s.rect((cx - 5.5, cy - 4, cx + 5.5, cy + 4), W, r=1)
            s.line([(cx - 5, cy - 3.3), (cx, cy + 0.5), (cx + 5, cy - 3.3)],
                   c, 1, round_caps=False)
        elif g == 1:    # music note
            s.circle(cx - 2.5, cy + 3, 2.3, W)
            s.rect((cx - 0.8, cy - 5, cx + 0.6, cy + 3), W)
            s.poly([(cx - 0.8, cy - 5.5), (cx + 4.5, cy - 3.5),
                    (cx + 4.5, cy - 1.5), (cx - 0.8, cy - 3.3)], W)
        elif g == 2:    # chat bubble
            s.ellipse((cx - 6, cy - 5, cx + 6, cy + 3), W)
            s.poly([(cx - 3, cy + 1), (cx - 4.5, cy + 5.5), (cx + 1, cy + 2)],
                   W)
            for dx in (-3, 0, 3):
                s.circle(cx + dx, cy - 1, 0.9, c)
        elif g == 3:    # heart
            s.heart(cx, cy + 0.5, 12, W)
        elif g == 4:    # camera
            s.rect((cx - 6, cy - 3, cx + 6, cy + 5), W, r=1.5)
            s.rect((cx - 2.5, cy - 5, cx + 2.5, cy - 2), W, r=1)
            s.circle(cx, cy + 1, 2.6, c)
            s.circle(cx, cy + 1, 1.3, W)
        elif g == 5:    # globe
            s.circle(cx, cy, 5.5, W)
            s.ellipse((cx - 2.2, cy - 5.5, cx + 2.2, cy + 5.5), None,
                      outline=c, width=0.8)
            s.line([(cx - 5.5, cy), (cx + 5.5, cy)], c, 0.8,
                   round_caps=False)
        elif g == 6:    # star
            s.star(cx, cy + 0.5, 6.5, W)
        elif g == 7:    # game pad
            s.rect((cx - 6.5, cy - 3, cx + 6.5, cy + 3.5), W, r=3)
            s.rect((cx - 4.6, cy - 0.4, cx - 1.4, cy + 0.9), c)
            s.rect((cx - 3.6, cy - 1.4, cx - 2.4, cy + 1.9), c)
            s.circle(cx + 2.5, cy + 1.2, 0.9, c)
            s.circle(cx + 4.2, cy - 0.4, 0.9, c)
        elif g == 8:    # gift
            s.rect((cx - 5, cy - 1, cx + 5, cy + 5.5), W)
            s.rect((cx - 6, cy - 3.5, cx + 6, cy - 0.5), W)
            s.rect((cx - 0.7, cy - 3.5, cx + 0.7, cy + 5.5), c)
            s.ellipse((cx - 4, cy - 6.5, cx, cy - 3.5), None, outline=W,
                      width=1)
            s.ellipse((cx, cy - 6.5, cx + 4, cy - 3.5), None, outline=W,
                      width=1)
        elif g == 9:    # cloud
            s.circle(cx - 2.5, cy + 0.5, 3.2, W)
            s.circle(cx + 1.5, cy - 1, 4, W)
            s.rect((cx - 6.5, cy + 0.5, cx + 6.5, cy + 4), W, r=1.75)
        elif g == 10:   # smiling face
            s.circle(cx, cy, 5.8, W)
            s.circle(cx - 2, cy - 1.3, 0.9, c)
            s.circle(cx + 2, cy - 1.3, 0.9, c)
            s.arc((cx - 3, cy - 2, cx + 3, cy + 3.2), 20, 160, c, 1)
        else:           # bell
            s.chord((cx - 5, cy - 6, cx + 5, cy + 6), 180, 360, W)
            s.rect((cx - 5, cy - 0.5, cx + 5, cy + 3), W)
            s.rect((cx - 6.5, cy + 2.5, cx + 6.5, cy + 4), W, r=0.7)
            s.circle(cx, cy + 5, 1.4, W)


def card_background():
    s = Sketch(CARD_W, CARD_H)
    # light face: near-white at the top shading to a very light blue
    s.vgradient((0, 0, CARD_W, CARD_H), (253, 254, 255), (233, 242, 252))
    # tinted strip behind the bottom tiles, separated by a hairline
    s.vgradient((1, 136, VIEW_W - 1, VIEW_H - 1), (230, 239, 250),
                (220, 233, 248))
    s.rect((6, 136, VIEW_W - 6, 137), (196, 214, 238))
    # faint dotted divider between the badge row and the counters
    for x in range(88, VIEW_W - 4, 3):
        s.rect((x, 54, x + 1, 55), (205, 220, 240))
    # decorative soft bubbles in the one free corner beside the badges
    for cx, cy, r, a in ((236, 44, 7, 70), (252, 40, 4, 60),
                         (262, 49, 5, 50), (247, 51, 2.5, 80)):
        s.circle(cx, cy, r, (150, 190, 240, a))
    s.star(229, 41, 2.6, (255, 200, 80, 200))
    badge_row(s)
    day_icons(s)
    service_row(s)
    # thin rounded border around the visible card
    s.d.rounded_rectangle((0, 0, VIEW_W * SS - 1, VIEW_H * SS - 1),
                          radius=6 * SS, outline=(176, 202, 234),
                          width=SS)
    img = rgb(s.result())

    # The frame is placed on the final pixel grid so its outline stays one
    # crisp pixel wide.
    fx0, fy0, fx1, fy1 = FRAME
    fig = rgb(frame_figure())
    assert fig.size == (fx1 - fx0 - 1, fy1 - fy0 - 1)
    img.paste(fig, (fx0 + 1, fy0 + 1))
    d = ImageDraw.Draw(img)
    d.rectangle(FRAME, outline=FRAME_BLUE, width=1)
    return img


# --------------------------------------------------------------------------
# sample avatars

def sample_portrait():
    """01.jpg: half-length portrait of a girl with a bow, 100 x 150."""
    w, h = 100, 150
    s = Sketch(w, h)
    s.vgradient((0, 0, w, h), (255, 226, 214), (255, 196, 210))
    rnd = random.Random(101)
    for _ in range(14):                                     # bokeh dots
        x, y, r = rnd.uniform(0, w), rnd.uniform(0, 90), rnd.uniform(2, 7)
        s.circle(x, y, r, (255, 255, 255, rnd.randint(50, 110)))
    skin = (255, 220, 196)
    hair = (70, 44, 40)
    cx = 50
    # long hair behind the shoulders
    s.rect((18, 40, 82, 128), hair, r=22)
    # shoulders and sweater
    s.ellipse((8, 110, 92, 190), (96, 168, 220))
    s.poly([(38, 112), (50, 126), (62, 112)], (255, 255, 255))
    s.rect((42, 88, 58, 116), skin, r=4)                     # neck
    # face
    s.ellipse((24, 34, 76, 96), skin)
    # fringe: a cap with scalloped edge
    s.chord((20, 22, 80, 82), 180, 360, hair)
    for i, x in enumerate(range(24, 80, 10)):
        s.ellipse((x - 3, 44 + (i % 2) * 2, x + 9, 62 - (i % 2) * 3), hair)
    s.rect((20, 52, 27, 100), hair, r=3)
    s.rect((73, 52, 80, 100), hair, r=3)
    # bow
    bow = (236, 72, 104)
    s.poly([(64, 26), (78, 18), (80, 34)], bow)
    s.poly([(64, 26), (54, 14), (52, 30)], bow)
    s.circle(65, 26, 3.5, mix(bow, (0, 0, 0), 0.15))
    # eyes, cheeks, mouth
    for ex in (38, 62):
        s.ellipse((ex - 4, 62, ex + 4, 73), (50, 36, 44))
        s.circle(ex + 1.3, 65, 1.5, (255, 255, 255))
        s.arc((ex - 6, 56, ex + 6, 64), 200, 340, hair, 1.3)
    s.ellipse((28, 74, 38, 80), (255, 160, 160, 150))
    s.ellipse((62, 74, 72, 80), (255, 160, 160, 150))
    s.chord((44, 76, 56, 86), 0, 180, (200, 80, 90))
    return rgb(s.result())


def sample_cat():
    """02.jpg: ginger cat face on teal, 120 x 120."""
    w = h = 120
    s = Sketch(w, h)
    s.vgradient((0, 0, w, h), (120, 214, 206), (60, 170, 176))
    s.circle(60, 60, 52, (255, 255, 255, 40))
    fur = (248, 160, 72)
    dark = (214, 118, 40)
    # ears
    s.poly([(22, 46), (28, 12), (52, 32)], fur)
    s.poly([(98, 46), (92, 12), (68, 32)], fur)
    s.poly([(29, 38), (31, 21), (44, 32)], (255, 196, 200))
    s.poly([(91, 38), (89, 21), (76, 32)], (255, 196, 200))
    # head
    s.ellipse((14, 24, 106, 104), fur)
    # stripes on the forehead
    for x in (52, 60, 68):
        s.poly([(x - 3, 27), (x + 3, 27), (x, 42)], dark)
    # white muzzle
    s.ellipse((34, 64, 62, 90), (255, 244, 232))
    s.ellipse((58, 64, 86, 90), (255, 244, 232))
    # eyes
    for ex in (40, 80):
        s.ellipse((ex - 8, 48, ex + 8, 64), (80, 170, 90))
        s.ellipse((ex - 2.5, 49, ex + 2.5, 63), (30, 30, 36))
        s.circle(ex + 3, 53, 2, (255, 255, 255))
    # nose and mouth
    s.poly([(54, 66), (66, 66), (60, 73)], (236, 110, 130))
    s.arc((48, 66, 60, 80), 20, 160, (110, 60, 50), 1.5)
    s.arc((60, 66, 72, 80), 20, 160, (110, 60, 50), 1.5)
    # whiskers
    for dy in (-3, 3):
        s.line([(36, 76 + dy), (8, 72 + dy * 2.5)], (255, 255, 255), 1)
        s.line([(84, 76 + dy), (112, 72 + dy * 2.5)], (255, 255, 255), 1)
    return rgb(s.result())


def sample_robot():
    """03.bmp: friendly robot standing, 72 x 120 (24-bit BMP)."""
    w, h = 72, 120
    s = Sketch(w, h)
    s.vgradient((0, 0, w, h), (255, 246, 200), (255, 226, 160))
    s.ellipse((14, 108, 58, 116), (230, 196, 120))
    metal = (176, 196, 214)
    edge = (96, 120, 150)
    # antenna
    s.line([(36, 6), (36, 16)], edge, 2)
    s.circle(36, 6, 3.5, (240, 80, 80))
    # head
    s.rect((16, 14, 56, 44), metal, r=8, outline=edge, width=1.5)
    s.rect((21, 20, 51, 36), (40, 56, 80), r=5)
    s.circle(29, 28, 4, (110, 230, 255))
    s.circle(43, 28, 4, (110, 230, 255))
    s.arc((30, 28, 42, 35), 20, 160, (110, 230, 255), 1.3)
    s.rect((12, 24, 16, 34), edge, r=1.5)                   # ear bolts
    s.rect((56, 24, 60, 34), edge, r=1.5)
    # neck, body
    s.rect((31, 44, 41, 50), edge)
    s.rect((14, 50, 58, 88), metal, r=7, outline=edge, width=1.5)
    s.rect((24, 57, 48, 77), (240, 246, 252), r=4)
    s.heart(36, 67, 12, (240, 90, 110))
    # arms
    s.line([(14, 56), (6, 70), (8, 82)], edge, 5)
    s.circle(8, 84, 4, metal)
    s.line([(58, 56), (66, 46), (66, 36)], edge, 5)
    s.circle(66, 33, 4, metal)
    # legs
    s.rect((21, 88, 31, 108), edge, r=2)
    s.rect((41, 88, 51, 108), edge, r=2)
    s.rect((17, 104, 33, 112), (80, 90, 110), r=3)
    s.rect((39, 104, 55, 112), (80, 90, 110), r=3)
    return rgb(s.result())


def sample_penguin():
    """04.bmp: small penguin, 40 x 48, stored as an 8-bit palette BMP."""
    w, h = 40, 48
    s = Sketch(w, h)
    s.vgradient((0, 0, w, h), (200, 228, 255), (236, 246, 255))
    s.ellipse((4, 40, 36, 47), (214, 230, 246))
    body = (36, 44, 64)
    s.ellipse((6, 8, 34, 45), body)                           # body
    s.ellipse((4, 22, 12, 38), body)                          # flippers
    s.ellipse((28, 22, 36, 38), body)
    s.ellipse((11, 18, 29, 44), (255, 255, 255))             # belly
    s.ellipse((12, 10, 20, 22), (255, 255, 255))             # face patches
    s.ellipse((20, 10, 28, 22), (255, 255, 255))
    s.circle(16.5, 16, 1.8, body)
    s.circle(23.5, 16, 1.8, body)
    s.poly([(17, 20), (23, 20), (20, 24)], (255, 170, 40))   # beak
    s.ellipse((10, 42, 19, 47), (255, 170, 40))               # feet
    s.ellipse((21, 42, 30, 47), (255, 170, 40))
    s.rect((8, 4, 32, 10), (230, 70, 80), r=3)               # beanie
    s.circle(20, 4, 2.6, (255, 255, 255))
    img = rgb(s.result())
    return img.quantize(colors=64, method=Image.Quantize.MEDIANCUT,
                        dither=Image.Dither.NONE)


def sample_landscape():
    """05.jpg: hills, lake and sun at sunset, 160 x 100."""
    w, h = 160, 100
    s = Sketch(w, h)
    s.vgradient((0, 0, w, 62), (120, 170, 236), (255, 206, 160))
    s.circle(112, 50, 13, (255, 236, 150))
    s.circle(112, 50, 18, (255, 236, 150, 60))
    rnd = random.Random(505)
    for _ in range(5):                                        # clouds
        x, y = rnd.uniform(0, 150), rnd.uniform(6, 30)
        for k in range(3):
            s.ellipse((x + k * 7, y - (k == 1) * 4, x + k * 7 + 14, y + 7),
                      (255, 255, 255, 200))
    s.poly([(0, 62), (30, 32), (54, 50), (84, 22), (122, 62)],
           (104, 120, 170))
    s.poly([(70, 62), (100, 40), (130, 52), (160, 34), (160, 62)],
           (124, 138, 184))
    s.poly([(76, 31), (84, 22), (92, 30), (86, 29), (82, 32)],
           (255, 255, 255))
    # lake with the sun's reflection
    s.vgradient((0, 62, w, 80), (150, 190, 236), (96, 150, 210))
    for i in range(6):
        s.rect((104 + i % 2 * 2, 64 + i * 2.5, 120 - i % 2 * 2,
                65 + i * 2.5), (255, 232, 170, 160 - i * 20))
    # grassy shore with small pine trees
    s.ellipse((-30, 74, 110, 130), (96, 178, 96))
    s.ellipse((60, 78, 200, 130), (118, 194, 104))
    for x, y, k in ((14, 80, 1.0), (26, 76, 1.3), (40, 82, 0.9),
                    (136, 84, 1.1), (148, 82, 0.8)):
        s.rect((x - 1, y, x + 1, y + 6 * k), (110, 80, 60))
        s.poly([(x - 6 * k, y + 2), (x, y - 14 * k), (x + 6 * k, y + 2)],
               (44, 130, 80))
    for x, y in ((40, 20), (50, 16), (58, 24)):               # birds
        s.arc((x - 4, y - 2, x, y + 2), 200, 340, (60, 60, 90), 0.8)
        s.arc((x, y - 2, x + 4, y + 2), 200, 340, (60, 60, 90), 0.8)
    return rgb(s.result())


# --------------------------------------------------------------------------
# application icon

def app_icon_16():
    """Hand-placed on whole pixels: scaled-down detail turns to mush here."""
    s = Sketch(16, 16, transparent=True)
    s.rect((0, 2, 16, 14), FRAME_BLUE, r=2)
    s.rect((1, 3, 15, 13), (246, 250, 255), r=1)
    s.rect((2, 4, 7, 12), (210, 230, 252))
    s.rect((3, 5, 6, 8), (255, 120, 72), r=1)
    s.rect((2.5, 9, 6.5, 12), (255, 120, 72), r=1)
    s.rect((8, 5, 14, 6), (40, 60, 100))
    s.rect((8, 7, 12, 8), (140, 156, 180))
    s.rect((8, 10, 10, 11), (240, 90, 110))
    s.rect((11, 10, 14, 11), (76, 196, 112))
    return s.result()


def app_icon(size):
    """A card with an avatar square and text lines; fewer details when small."""
    if size <= 16:
        return app_icon_16()
    s = Sketch(size, size, transparent=True)
    u = size / 256
    small = size <= 32
    blue = FRAME_BLUE
    card = (u * 12, u * 44, u * 244, u * 212)
    s.rect((card[0] + u * 4, card[1] + u * 8, card[2] + u * 4,
            card[3] + u * 8), (20, 40, 80, 60), r=u * 26)    # drop shadow
    border = max(u * 8, 1)
    s.rect(card, (246, 250, 255), r=u * 26, outline=blue, width=border)
    av = (u * 36, u * 68, u * 112, u * 188)
    s.rect(av, (210, 230, 252), r=u * 8, outline=blue,
           width=max(u * 6, 1))
    # avatar: head and shoulders
    s.circle(u * 74, u * 112, u * 20, (255, 138, 92))
    s.rect((u * 46, u * 140, u * 102, u * 184), (255, 138, 92), r=u * 24)
    # text lines
    lw = max(u * 16, 2)
    s.rect((u * 132, u * 74, u * 220, u * 74 + lw), (40, 60, 100), r=lw / 2)
    s.rect((u * 132, u * 104, u * 200, u * 104 + lw * 0.75),
           (120, 140, 170), r=lw / 2)
    # coloured tag pills
    tags = [((240, 90, 110), 132, 164), ((76, 196, 112), 172, 220)]
    ty = u * 140 if not small else u * 130
    for c, a, b in tags:
        s.rect((u * a, ty, u * b, ty + max(u * 22, 2)), c, r=u * 11)
    if not small:
        for i, c in enumerate(((255, 196, 40), (74, 144, 226),
                               (148, 110, 230))):
            x = 132 + i * 30
            s.rect((u * x, u * 176, u * (x + 22), u * 188), c, r=u * 5)
    return s.result()


# --------------------------------------------------------------------------

def main():
    os.makedirs(SAMPLES, exist_ok=True)

    bg = card_background()
    # 4:4:4 and high quality so the one-pixel frame and small glyphs keep
    # their colour instead of being smeared over neighbouring pixels.
    save_jpeg(bg, os.path.join(HERE, "card_background.jpg"), subsampling=0,
              quality=94)

    # Different chroma layouts on purpose, so the decoder's common paths
    # all get exercised by the bundled samples.
    save_jpeg(sample_portrait(), os.path.join(SAMPLES, "01.jpg"),
              subsampling=2, quality=90)
    save_jpeg(sample_cat(), os.path.join(SAMPLES, "02.jpg"),
              subsampling=1, quality=88)
    sample_robot().save(os.path.join(SAMPLES, "03.bmp"), "BMP")
    sample_penguin().save(os.path.join(SAMPLES, "04.bmp"), "BMP")
    save_jpeg(sample_landscape(), os.path.join(SAMPLES, "05.jpg"),
              subsampling=0, quality=88)

    icons = {n: app_icon(n) for n in (16, 32, 48, 256)}
    icons[256].save(os.path.join(HERE, "showcard.png"), "PNG")
    icons[48].save(os.path.join(HERE, "showcard-48.png"), "PNG")
    icons[256].save(os.path.join(HERE, "showcard.ico"), "ICO",
                    sizes=[(n, n) for n in (16, 32, 48, 256)],
                    append_images=[icons[n] for n in (16, 32, 48)])


if __name__ == "__main__":
    main()
