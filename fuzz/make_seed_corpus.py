#!/usr/bin/python3
"""Write the fuzzers' seed corpora: one tiny valid file of every kind each
target reads, so fuzzing starts from inside every decoder.

Pillow writes what it can; icon, cursor and the BMP kinds Pillow does not
write are packed here by hand. The output is the same on every run.

    /usr/bin/python3 fuzz/make_seed_corpus.py
"""

import io
import os
import struct

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
DECODE = os.path.join(HERE, "corpus", "fuzz_decode_picture")
CONVERT = os.path.join(HERE, "corpus", "fuzz_convert_bmp")

W, H = 6, 5


def pattern(mode="RGB"):
    img = Image.new("RGB", (W, H))
    for y in range(H):
        for x in range(W):
            img.putpixel((x, y), (x * 40, y * 50, 255 - x * 30))
    return img if mode == "RGB" else img.convert(mode)


def saved(img, fmt, **options):
    out = io.BytesIO()
    img.save(out, fmt, **options)
    return out.getvalue()


def bmp(width, height, bits, rows, table=b"", header_size=40, signature=b"BM"):
    """An uncompressed BMP; `rows` are stored rows, already padded."""
    pixels = b"".join(rows)
    offset = 14 + header_size + len(table)
    if header_size == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bits, 0, len(pixels), 0, 0, 0, 0)
        info += bytes(header_size - 40)
    head = signature + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return head + info + table + pixels


def pad4(row):
    return row + bytes(-len(row) % 4)


def rgb_rows(img, bottom_up=True, bytes_per_pixel=3):
    rows = []
    for y in range(img.height):
        row = b""
        for x in range(img.width):
            r, g, b = img.getpixel((x, y))
            row += bytes([b, g, r]) + bytes(bytes_per_pixel - 3)
        rows.append(pad4(row))
    return rows[::-1] if bottom_up else rows


def packed_rows(width, height, bits, index):
    rows = []
    for y in range(height):
        value, count, row = 0, 0, b""
        for x in range(width):
            value = (value << bits) | index(x, y)
            count += bits
            if count == 8:
                row, value, count = row + bytes([value]), 0, 0
        if count:
            row += bytes([value << (8 - count)])
        rows.append(pad4(row))
    return rows[::-1]


def grey_table(entries):
    return b"".join(bytes([i * 255 // (entries - 1)] * 3 + [0]) for i in range(entries))


def icon_image(width, height, bits, colour_rows, table=b""):
    """An icon entry's bitmap: header with double height, colours, AND mask."""
    mask = packed_rows(width, height, 1, lambda x, y: 1 if (x + y) % 3 == 0 else 0)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    return header + table + b"".join(colour_rows) + b"".join(mask)


def icon_file(images, kind=1):
    """Directory and images; each image is (width byte, colours byte, bytes)."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = b""
    for width, colours, blob in images:
        out += struct.pack("<BBBBHHII", width, width, colours, 0, 1, 0, len(blob), offset + len(blobs))
        blobs += blob
    return out + blobs


def with_plain_text(gif):
    """Puts a plain text extension in front of the first block after the colour table."""
    at = 13 + (3 * (2 << (gif[10] & 7)) if gif[10] & 0x80 else 0)
    grid = struct.pack("<HHHHBBBB", 0, 0, 40, 8, 8, 8, 1, 0)
    return gif[:at] + b"\x21\x01\x0c" + grid + b"\x02hi\x00" + gif[at:]


def pcx_version(data, version):
    return data[:1] + bytes([version]) + data[2:]


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main():
    img = pattern()
    index = lambda x, y: (x + 2 * y) % 2
    index4 = lambda x, y: (x + 2 * y) % 16
    index8 = lambda x, y: (x * 7 + y * 13) % 256

    decode = {
        "baseline.jpg": saved(img, "JPEG", quality=90),
        "progressive.jpg": saved(img, "JPEG", quality=90, progressive=True, subsampling=2),
        "grey.jpg": saved(pattern("L"), "JPEG"),
        "24bit.bmp": bmp(W, H, 24, rgb_rows(img)),
        "32bit-top-down.bmp": bmp(W, -H, 32, rgb_rows(img, bottom_up=False, bytes_per_pixel=4)),
        "8bit.bmp": bmp(W, H, 8, packed_rows(W, H, 8, index8), grey_table(256)),
        "4bit.bmp": bmp(W, H, 4, packed_rows(W, H, 4, index4), grey_table(16)),
        "1bit.bmp": bmp(W, H, 1, packed_rows(W, H, 1, index), grey_table(2)),
        "plain.gif": saved(pattern("P"), "GIF", interlace=False),
        # Pillow interlaces only pictures at least 16 pixels high.
        "interlaced.gif": saved(pattern("P").resize((16, 16)), "GIF", interlace=True),
        "plain-text.gif": with_plain_text(saved(pattern("P"), "GIF", interlace=False)),
        "animated.gif": saved(pattern("P"), "GIF", save_all=True, loop=0, duration=100, comment=b"seed",
                              transparency=0, append_images=[pattern("P").rotate(90)]),
        "1bit.ico": icon_file([(W, 2, icon_image(W, H, 1, packed_rows(W, H, 1, index), grey_table(2)))]),
        "4bit.ico": icon_file([(W, 16, icon_image(W, H, 4, packed_rows(W, H, 4, index4), grey_table(16)))]),
        "8bit.ico": icon_file([(W, 0, icon_image(W, H, 8, packed_rows(W, H, 8, index8), grey_table(256)))]),
        "24bit.ico": icon_file([(W, 0, icon_image(W, H, 24, rgb_rows(img)))]),
        "two-entries.ico": icon_file([(16, 0, icon_image(W, H, 24, rgb_rows(img))),
                                      (32, 16, icon_image(W, H, 4, packed_rows(W, H, 4, index4), grey_table(16)))]),
        "32bit.cur": icon_file([(W, 0, icon_image(W, H, 32, rgb_rows(img, bytes_per_pixel=4)))], kind=2),
        "png.ico": icon_file([(W, 0, saved(pattern("RGBA"), "PNG"))]),
        "8bit.pcx": saved(pattern("P"), "PCX"),
        "1bit.pcx": pcx_version(saved(pattern("1"), "PCX"), 3),
    }
    convert = {
        "bottom-up.bmp": decode["24bit.bmp"],
        "top-down.bmp": bmp(W, -H, 24, rgb_rows(img, bottom_up=False)),
        "core-header.bmp": bmp(W, H, 24, rgb_rows(img), header_size=12),
        "long-header.bmp": bmp(W, H, 24, rgb_rows(img), header_size=108, signature=b"BA"),
        "picture.jpg": decode["baseline.jpg"],
        "picture.png": saved(img, "PNG"),
    }
    for name, data in decode.items():
        write(DECODE, name, data)
    for name, data in convert.items():
        write(CONVERT, name, data)


if __name__ == "__main__":
    main()
