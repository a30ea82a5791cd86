#!/usr/bin/env python3
"""Draws the 28 pictures of the offline index pages and writes them as GIF files.

Usage: make_index_images.py [OUTPUT_FOLDER]   (default: data/images beside this tools folder)

Only the standard library is used: the pictures are drawn on small palette canvases and encoded
with the GIF's own variable-length LZW coding. Every file written is decoded again and compared
with what was drawn, so a fault in the encoder cannot go unnoticed.

The files are named as the pages name them (for example "dImage.gif", "Pagehold.gif"), so the
pages find them also on file systems that tell letter case apart.
"""

import os
import struct
import sys

WHITE = (255, 255, 255)
NAVY = (0, 0, 153)
INK = (40, 44, 60)
LINE_GREY = (150, 150, 150)
PAPER_EDGE = (120, 128, 140)
TEXT_LINE = (110, 130, 170)
FACE = (212, 208, 200)
FACE_DOWN = (196, 192, 184)
SHADOW = (128, 128, 128)
DARK = (64, 64, 64)
FOLDER = (240, 200, 90)
FOLDER_DARK = (190, 145, 40)
SKY = (150, 200, 240)
HILL = (70, 150, 80)
SUN = (250, 210, 60)
FILM = (50, 50, 60)
FILM_FRAME = (180, 200, 230)
BOX = (200, 150, 90)
BOX_DARK = (150, 100, 50)
TEAL = (0, 120, 130)
RED = (190, 40, 40)

# A 5 by 7 capital font for the logos and the "not found" picture.
FONT = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "?": ["01110", "10001", "00001", "00010", "00100", "00000", "00100"],
    " ": ["00000"] * 7,
}


class Canvas:
    def __init__(self, width, height, background=WHITE):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def put(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = color

    def fill(self, x0, y0, x1, y1, color):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, color)

    def frame(self, x0, y0, x1, y1, color):
        self.fill(x0, y0, x1, y0, color)
        self.fill(x0, y1, x1, y1, color)
        self.fill(x0, y0, x0, y1, color)
        self.fill(x1, y0, x1, y1, color)

    def dotted(self, x0, y0, x1, y1, color):
        """A dotted horizontal or vertical line, as tree views draw them."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if (x + y) % 2 == 0:
                    self.put(x, y, color)

    def text(self, x, y, words, scale, color):
        for letter in words:
            for row, bits in enumerate(FONT[letter]):
                for column, bit in enumerate(bits):
                    if bit == "1":
                        self.fill(x + column * scale, y + row * scale,
                                  x + (column + 1) * scale - 1, y + (row + 1) * scale - 1, color)
            x += 6 * scale

    def paste(self, other, x, y):
        for row in range(other.height):
            for column in range(other.width):
                self.put(x + column, y + row, other.pixels[row][column])

    def mapped(self, change):
        copy = Canvas(self.width, self.height)
        copy.pixels = [[change(color) for color in row] for row in self.pixels]
        return copy


def text_width(words, scale):
    return len(words) * 6 * scale - scale


# The kind icons, 20 by 18.

def text_icon():
    c = Canvas(20, 18)
    c.fill(4, 1, 15, 16, WHITE)
    c.frame(4, 1, 15, 16, PAPER_EDGE)
    c.fill(12, 1, 15, 4, WHITE)  # the folded corner
    for i in range(4):
        c.put(12 + i, 1 + i, PAPER_EDGE)
    c.fill(12, 1, 12, 4, PAPER_EDGE)
    c.fill(12, 4, 15, 4, PAPER_EDGE)
    for y in (6, 8, 10, 12, 14):
        c.fill(6, y, 13 if y != 14 else 10, y, TEXT_LINE)
    return c


def image_icon():
    c = Canvas(20, 18)
    c.fill(1, 2, 18, 15, SKY)
    c.fill(13, 4, 15, 6, SUN)
    for x in range(1, 19):
        top = 11 - min(abs(x - 7), 5) // 2 if x < 13 else 12
        c.fill(x, top, x, 15, HILL)
    c.frame(1, 2, 18, 15, PAPER_EDGE)
    return c


def audio_icon():
    """Two beamed eighth notes."""
    c = Canvas(20, 18)
    for x0, y0 in ((4, 12), (12, 11)):  # the heads, leaning
        c.fill(x0 + 1, y0, x0 + 3, y0, INK)
        c.fill(x0, y0 + 1, x0 + 3, y0 + 1, INK)
        c.fill(x0, y0 + 2, x0 + 2, y0 + 2, INK)
    c.fill(7, 3, 7, 12, INK)  # the stems
    c.fill(15, 2, 15, 11, INK)
    for x in range(7, 16):  # the beam, two pixels thick, rising to the right
        top = 3 - (x - 7) // 5
        c.fill(x, top, x, top + 1, INK)
    return c


def video_icon():
    c = Canvas(20, 18)
    c.fill(2, 1, 17, 16, FILM)
    for y in range(2, 16, 3):
        c.fill(3, y, 4, y + 1, WHITE)
        c.fill(15, y, 16, y + 1, WHITE)
    c.fill(6, 2, 13, 7, FILM_FRAME)
    c.fill(6, 10, 13, 15, FILM_FRAME)
    return c


def other_icon():
    c = Canvas(20, 18)
    c.fill(3, 5, 16, 15, BOX)
    c.frame(3, 5, 16, 15, BOX_DARK)
    for i in range(3):
        c.fill(5 + i, 4 - i, 14 + i, 4 - i, BOX_DARK)  # the lid in perspective
    c.fill(9, 5, 10, 15, FOLDER)  # tape
    return c


KIND_ICONS = {"text": text_icon, "Image": image_icon, "Audio": audio_icon,
              "Video": video_icon, "Other": other_icon}


# The header bar buttons, 26 by 22: raised (link), pressed and greyed.

def greyed(color):
    """Greys by brightness, in a few steps, so that shapes stay apart on a disabled button."""
    brightness = 0.3 * color[0] + 0.59 * color[1] + 0.11 * color[2]
    for limit, grey in ((90, (96, 96, 96)), (130, (120, 120, 120)), (175, (150, 150, 150)),
                        (235, (184, 182, 178))):
        if brightness < limit:
            return grey
    return FACE


def button(icon, state):
    c = Canvas(26, 22, FACE_DOWN if state == "d" else FACE)
    light, dark = (WHITE, SHADOW) if state == "u" else (SHADOW, WHITE)
    if state == "g":
        light, dark = FACE, FACE
        icon = icon.mapped(greyed)
    else:
        face = FACE_DOWN if state == "d" else FACE
        icon = icon.mapped(lambda color: face if color == WHITE else color)
    offset = 1 if state == "d" else 0
    c.paste(icon, 3 + offset, 2 + offset)
    c.fill(0, 0, 25, 0, light)
    c.fill(0, 0, 0, 21, light)
    c.fill(0, 21, 25, 21, dark)
    c.fill(25, 0, 25, 21, dark)
    if state == "u":
        c.fill(1, 20, 24, 20, (160, 160, 160))
        c.fill(24, 1, 24, 20, (160, 160, 160))
    return c


# The domain tree: folders and text items with their connecting lines, 38 by 18.

def closed_folder(c, x, y):
    c.fill(x, y + 1, x + 6, y + 2, FOLDER_DARK)  # the tab
    c.fill(x, y + 3, x + 17, y + 13, FOLDER)
    c.frame(x, y + 3, x + 17, y + 13, FOLDER_DARK)
    c.fill(x + 1, y + 4, x + 16, y + 4, (250, 225, 150))


def open_folder(c, x, y):
    c.fill(x, y + 1, x + 6, y + 2, FOLDER_DARK)
    c.fill(x, y + 3, x + 15, y + 13, FOLDER_DARK)
    for i in range(7):  # the front flap, leaning open
        c.fill(x + 3 - i // 3, y + 7 + i, x + 18 - i // 3, y + 7 + i, FOLDER)
    c.fill(x + 1, y + 13, x + 15, y + 13, FOLDER_DARK)


def tree_item(draw_item, last):
    c = Canvas(38, 18)
    c.dotted(9, 0, 9, 9 if last else 17, LINE_GREY)
    c.dotted(9, 9, 17, 9, LINE_GREY)
    draw_item(c)
    return c


def folder_item(last):
    return tree_item(lambda c: closed_folder(c, 19, 1), last)


def text_item(last):
    return tree_item(lambda c: c.paste(text_icon(), 18, 0), last)


def domains_folder():
    c = Canvas(20, 18)
    open_folder(c, 0, 1)
    return c


# The logos and the "not found" picture.

def product_logo():
    c = Canvas(275, 70)
    # A stack of archived pages with a bookmark.
    for i, shade in enumerate([(200, 206, 220), (225, 230, 240), WHITE]):
        x, y = 14 + 5 * i, 8 + 4 * i
        c.fill(x, y, x + 30, y + 40, shade)
        c.frame(x, y, x + 30, y + 40, PAPER_EDGE)
    for y in range(22, 52, 5):
        c.fill(28, y, 50, y, TEXT_LINE)
    c.fill(44, 14, 48, 30, RED)  # the bookmark, with a notched end
    c.put(46, 30, WHITE)
    c.fill(45, 29, 47, 29, RED)
    title = "PAGEHOLD"
    c.text(72, 12, title, 4, NAVY)
    c.fill(72, 45, 72 + text_width(title, 4), 46, TEAL)
    c.text(72, 52, "OFFLINE ARCHIVE", 1, INK)
    return c


def maker_logo():
    c = Canvas(197, 74)
    name = "CORVANE"
    left = (197 - text_width(name, 4)) // 2
    # A small diamond above the name.
    for i in range(7):
        c.fill(98 - i, 6 + i, 98 + i, 6 + i, TEAL)
        c.fill(98 - i, 19 - i, 98 + i, 19 - i, TEAL)
    c.text(left, 26, name, 4, INK)
    c.fill(left, 60, left + text_width(name, 4), 61, TEAL)
    return c


def not_found():
    c = Canvas(40, 40)
    c.fill(8, 3, 31, 36, WHITE)
    c.frame(8, 3, 31, 36, PAPER_EDGE)
    c.text(13, 10, "?", 3, RED)
    return c


def pictures():
    result = {}
    for stem, draw in KIND_ICONS.items():
        result[stem.lower()] = draw()
        for state in "udg":
            result[state + stem] = button(draw(), state)
    result["folder"] = folder_item(last=False)
    result["lfolder"] = folder_item(last=True)
    result["ofolder"] = domains_folder()
    result["ftext"] = text_item(last=False)
    result["ltext"] = text_item(last=True)
    result["notfound"] = not_found()
    result["Pagehold"] = product_logo()
    result["CorvaneLogo"] = maker_logo()
    return result


# GIF encoding.

def lzw_encode(indices, min_code_size):
    """The GIF flavour of LZW: codes written least significant bit first, growing from
    min_code_size + 1 bits to 12, a clear code at the start and whenever the table is full."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out = bytearray()
    bits = 0
    bit_count = 0

    def emit(code, size):
        nonlocal bits, bit_count
        bits |= code << bit_count
        bit_count += size
        while bit_count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            bit_count -= 8

    def fresh_table():
        return {(i,): i for i in range(clear)}

    table, next_code, size = fresh_table(), end + 1, min_code_size + 1
    emit(clear, size)
    current = (indices[0],)
    for index in indices[1:]:
        extended = current + (index,)
        if extended in table:
            current = extended
            continue
        emit(table[current], size)
        if next_code < 4096:
            table[extended] = next_code
            next_code += 1
            # The decoder adds its entry one code later, so it widens its codes when its next
            # code reaches 2^size; here that is one code further on.
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table, next_code, size = fresh_table(), end + 1, min_code_size + 1
        current = (index,)
    emit(table[current], size)
    # The decoder adds an entry for this last code too, and may widen before reading the end.
    if next_code < 4096:
        next_code += 1
        if next_code > (1 << size) and size < 12:
            size += 1
    emit(end, size)
    if bit_count:
        out.append(bits & 0xFF)
    return bytes(out)


def lzw_decode(data, min_code_size, pixel_count):
    """An independent reading of the data, as a viewer does it, to check the encoder."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    size = min_code_size + 1
    table = []
    previous = None
    result = []
    bit_pos = 0
    total_bits = len(data) * 8
    while bit_pos + size <= total_bits:
        code = 0
        for i in range(size):
            if data[(bit_pos + i) // 8] >> ((bit_pos + i) % 8) & 1:
                code |= 1 << i
        bit_pos += size
        if code == clear:
            table = [[i] for i in range(clear)] + [None, None]
            size = min_code_size + 1
            previous = None
            continue
        if code == end:
            break
        if previous is None:
            entry = table[code]
        elif code < len(table):
            entry = table[code]
            if len(table) < 4096:
                table.append(previous + [entry[0]])
        else:
            entry = previous + [previous[0]]
            table.append(entry)
        result.extend(entry)
        previous = entry
        if len(table) == (1 << size) and size < 12:
            size += 1
    return result[:pixel_count] if len(result) >= pixel_count else None


def encode_gif(canvas):
    colors = sorted({color for row in canvas.pixels for color in row})
    bits = max(1, (len(colors) - 1).bit_length())
    palette = colors + [(0, 0, 0)] * ((1 << bits) - len(colors))
    index_of = {color: i for i, color in enumerate(colors)}
    indices = [index_of[color] for row in canvas.pixels for color in row]
    min_code_size = max(2, bits)
    data = lzw_encode(indices, min_code_size)
    if lzw_decode(data, min_code_size, len(indices)) != indices:
        raise RuntimeError("the LZW coder does not read back")

    gif = bytearray(b"GIF89a")
    gif += struct.pack("<HHBBB", canvas.width, canvas.height, 0x80 | 0x70 | (bits - 1), 0, 0)
    for color in palette:
        gif += bytes(color)
    gif += b"," + struct.pack("<HHHHB", 0, 0, canvas.width, canvas.height, 0)
    gif.append(min_code_size)
    for start in range(0, len(data), 255):
        block = data[start:start + 255]
        gif.append(len(block))
        gif += block
    gif += b"\x00;"
    return bytes(gif)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "data", "images")
    os.makedirs(folder, exist_ok=True)
    for name, canvas in pictures().items():
        with open(os.path.join(folder, name + ".gif"), "wb") as out:
            out.write(encode_gif(canvas))
    return 0


if __name__ == "__main__":
    sys.exit(main())
