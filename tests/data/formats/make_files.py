#!/usr/bin/python3
"""Write the real GIF, icon and PCX files the format tests read, each made by
a common tool (Pillow or ImageMagick's convert) from one small drawing of ours,
next to that drawing as a plain reference (PPM, or PAM with alpha).

    /usr/bin/python3 tests/data/formats/make_files.py
"""

import os
import subprocess

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))

# A handful of flat colours, so palette formats hold the drawing exactly.
SKY, SUN, GRASS, HOUSE, ROOF, DOOR = (90, 160, 230), (250, 210, 40), (60, 170, 70), (235, 225, 200), (190, 40, 40), (100, 60, 30)


def drawing():
    """A house in a field under the sun, 24 x 20, hard edges only."""
    img = Image.new("RGB", (24, 20), SKY)
    d = ImageDraw.Draw(img)
    d.rectangle((0, 15, 23, 19), fill=GRASS)
    d.ellipse((17, 1, 22, 6), fill=SUN)
    d.rectangle((4, 9, 13, 16), fill=HOUSE)
    d.polygon([(3, 9), (8, 4), (14, 9)], fill=ROOF)
    d.rectangle((7, 12, 9, 16), fill=DOOR)
    return img


def icon_drawing():
    """A red-roofed house on a see-through ground, 16 x 16."""
    img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rectangle((3, 8, 12, 15), fill=HOUSE + (255,))
    d.polygon([(1, 8), (7, 2), (14, 8)], fill=ROOF + (255,))
    d.rectangle((6, 11, 8, 15), fill=DOOR + (255,))
    return img


def bilevel():
    """Black and white stripes and a bar, 13 x 7: rows end mid-byte, and two
    bytes a row are already an even count, so the tool adds no padding byte
    (1-bit rows are read without looking at bytes per line)."""
    img = Image.new("1", (13, 7), 1)
    d = ImageDraw.Draw(img)
    for x in range(0, 13, 3):
        d.line((x, 0, x, 2), fill=0)
    d.rectangle((3, 4, 10, 6), fill=0)
    return img


def write_ppm(img, path):
    img = img.convert("RGB")
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % img.size + img.tobytes())


def write_pam(img, path):
    with open(path, "wb") as f:
        f.write(b"P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n" % img.size)
        f.write(img.tobytes())


def out(name):
    return os.path.join(HERE, name)


def main():
    picture = drawing()
    write_ppm(picture, out("drawing.ppm"))
    # Pillow interlaces pictures this tall; ImageMagick writes rows in order.
    picture.save(out("pillow.gif"))
    subprocess.run(["convert", out("drawing.ppm"), out("magick.gif")], check=True)
    subprocess.run(["convert", out("drawing.ppm"), "-type", "Palette", out("magick.pcx")], check=True)

    icon = icon_drawing()
    write_pam(icon, out("icon.pam"))
    icon.save(out("pillow.ico"), sizes=[icon.size])  # a PNG entry
    subprocess.run(["convert", out("icon.pam"), out("magick.ico")], check=True)  # a bitmap entry

    stripes = bilevel()
    write_ppm(stripes, out("bilevel.ppm"))
    stripes.save(out("pillow-1bit.pcx"))


if __name__ == "__main__":
    main()
