#!/usr/bin/python3
"""Draw the GIF sample avatars in ../QQshow from Pillow shapes.

    06.gif  girl with a balloon, 80 x 120, 64-colour palette, interlaced
    07.gif  waving snowman, 64 x 96, four frames looping (the card shows
            the first)

No fonts, no source pictures, no randomness: rerunning it writes the same
bytes. Needs Debian's Pillow (python3-pil).

    /usr/bin/python3 assets/generate_gif_samples.py
"""

import math
import os

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = os.path.join(os.path.dirname(HERE), "QQshow")

# Shapes are drawn this many times larger and box-filtered down, for smooth edges.
SS = 4


class Drawing:
    """Coordinates in final pixels, drawn at SS times the size."""

    def __init__(self, w, h, background):
        self.w, self.h = w, h
        self.img = Image.new("RGB", (w * SS, h * SS), background)
        self.d = ImageDraw.Draw(self.img)

    def _pts(self, pts):
        return [(round(x * SS), round(y * SS)) for x, y in pts]

    def _box(self, box):
        x0, y0, x1, y1 = box
        return (round(x0 * SS), round(y0 * SS), round(x1 * SS) - 1, round(y1 * SS) - 1)

    def rect(self, box, fill, r=0):
        if r:
            self.d.rounded_rectangle(self._box(box), radius=round(r * SS), fill=fill)
        else:
            self.d.rectangle(self._box(box), fill=fill)

    def ellipse(self, box, fill):
        self.d.ellipse(self._box(box), fill=fill)

    def circle(self, cx, cy, r, fill):
        self.ellipse((cx - r, cy - r, cx + r, cy + r), fill)

    def poly(self, pts, fill):
        self.d.polygon(self._pts(pts), fill=fill)

    def line(self, pts, fill, width):
        self.d.line(self._pts(pts), fill=fill, width=round(width * SS), joint="curve")

    def arc(self, box, start, end, fill, width):
        self.d.arc(self._box(box), start, end, fill=fill, width=round(width * SS))

    def vgradient(self, top, bottom):
        for y in range(self.h * SS):
            t = y / (self.h * SS - 1)
            c = tuple(round(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
            self.d.line([(0, y), (self.w * SS - 1, y)], fill=c)

    def result(self):
        return self.img.resize((self.w, self.h), Image.Resampling.BOX)


def girl_with_balloon():
    s = Drawing(80, 120, (0, 0, 0))
    s.vgradient((150, 205, 245), (225, 240, 250))
    s.ellipse((-20, 96, 100, 140), (110, 185, 90))            # hill
    # balloon on its string
    s.line([(60, 30), (58, 48), (52, 62), (47, 70)], (90, 90, 90), 0.8)
    s.ellipse((48, 6, 72, 32), (225, 50, 60))
    s.ellipse((53, 10, 59, 17), (245, 140, 145))             # shine
    s.poly([(58, 31), (62, 31), (60, 34)], (200, 40, 50))
    # dress and legs
    s.rect((30, 96, 34, 110), (250, 215, 185))
    s.rect((40, 96, 44, 110), (250, 215, 185))
    s.rect((28, 108, 35, 112), (80, 60, 50), r=1.5)
    s.rect((39, 108, 46, 112), (80, 60, 50), r=1.5)
    s.poly([(37, 58), (20, 98), (54, 98)], (250, 200, 60))
    s.rect((33, 58, 41, 66), (250, 200, 60), r=2)
    # arms: one down, one up to the string
    s.line([(32, 64), (24, 80)], (250, 215, 185), 3)
    s.line([(42, 64), (47, 70)], (250, 215, 185), 3)
    # head, hair and face
    s.ellipse((22, 26, 52, 48), (120, 70, 40))               # hair behind
    s.circle(37, 42, 13, (250, 220, 195))
    s.poly([(22, 40), (25, 28), (37, 25), (49, 28), (52, 40), (44, 33), (33, 34)], (120, 70, 40))
    s.circle(23, 46, 4, (120, 70, 40))                        # pigtails
    s.circle(51, 46, 4, (120, 70, 40))
    s.circle(32, 43, 1.5, (40, 40, 50))
    s.circle(42, 43, 1.5, (40, 40, 50))
    s.circle(29, 48, 2, (245, 170, 170))                      # cheeks
    s.circle(45, 48, 2, (245, 170, 170))
    s.arc((33, 45, 41, 52), 20, 160, (170, 60, 60), 1)
    return s.result()


def snowman(frame):
    s = Drawing(64, 96, (40, 60, 110))
    # a few fixed stars in the night
    for x, y in ((8, 10), (22, 6), (50, 14), (58, 30), (6, 34), (40, 4)):
        s.circle(x, y, 0.9, (255, 250, 200))
    s.rect((0, 80, 64, 96), (235, 240, 250))
    # the waving arm swings back and forth
    angle = math.radians(-30 - 25 * math.sin(frame * math.pi / 2))
    s.line([(40, 52), (40 + 16 * math.cos(angle), 52 + 16 * math.sin(angle))], (110, 70, 40), 1.6)
    s.line([(24, 52), (10, 62)], (110, 70, 40), 1.6)
    s.circle(32, 70, 15, (250, 250, 255))
    s.circle(32, 44, 11, (250, 250, 255))
    s.circle(32, 64, 1.4, (40, 40, 40))
    s.circle(32, 72, 1.4, (40, 40, 40))
    # head, carrot nose, hat
    s.circle(32, 24, 9, (250, 250, 255))
    s.circle(29, 22, 1.2, (30, 30, 30))
    s.circle(35, 22, 1.2, (30, 30, 30))
    s.poly([(32, 24), (40, 26), (32, 27)], (245, 130, 30))
    s.rect((22, 14, 42, 17), (40, 40, 40))
    s.rect((25, 2, 39, 15), (40, 40, 40))
    s.rect((25, 11, 39, 13), (200, 40, 50))
    s.rect((24, 33, 40, 37), (200, 40, 50), r=1.5)            # scarf
    return s.result()


def main():
    os.makedirs(SAMPLES, exist_ok=True)

    girl = girl_with_balloon().quantize(64, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    girl.save(os.path.join(SAMPLES, "06.gif"), interlace=True, optimize=False)

    frames = [snowman(i) for i in range(4)]
    # One palette for every frame, taken from the first; later frames are
    # stored as the small area that changes.
    palette = frames[0].quantize(32, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    indexed = [f.quantize(palette=palette, dither=Image.Dither.NONE) for f in frames]
    indexed[0].save(os.path.join(SAMPLES, "07.gif"), save_all=True, append_images=indexed[1:], duration=250,
                    loop=0, disposal=1, optimize=False)


if __name__ == "__main__":
    main()
