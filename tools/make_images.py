#!/usr/bin/python3
"""Draws every picture Tonewick reads at run time: the BMP files of its images folder and the
window icon twk.ico.

    make_images.py OUTDIR [--icon FILE] [--sheet FILE.png]
    make_images.py --list
    make_images.py --hicolor DIR
    make_images.py OUTDIR --words LANG.po
    make_images.py --list --worded

OUTDIR receives the BMP files (the build lays them out as build/run/images); the icon goes to
FILE, by default OUTDIR/twk.ico. Every picture is also drawn at 1.5 and 2 times its size for
screens of more pixels (NAME_1_5x.bmp, NAME_2x.bmp), and every picture a window or a button
shows, at each size, for dark themes as well (NAME_dark.bmp, NAME_dark_1_5x.bmp, ...): light ink,
edges blended against the dark theme's face, pure white still transparent. The rulers keep their
own light strips in every theme, so they have no dark variant. --sheet also writes a contact sheet of everything, enlarged,
for a person to look at. --list prints the BMP file names, one a line, without drawing.
--words draws only the pictures with words in them (--list --worded names
their files), with the words of a language's message catalogue, into OUTDIR (build/run/images/LANG),
each word narrowed to its room where the language needs more. --hicolor draws only the desktop's
application icon, as DIR/NxN/apps/tonewick.png in the
sizes of the desktop's icon theme (the same picture as the window icon).

The output is the same, byte for byte, on every run: no time stamps, no randomness, and the
fonts are Debian's DejaVu files. The BMP files are 24-bit and uncompressed. Shapes are drawn
at SS times the final size and reduced with a box filter, which smooths their edges against
the white window background. Text is drawn at the final size so that FreeType's hinting keeps
it crisp.

The ruler markers are drawn differently: the ruler makes their pure white pixels transparent,
so a marker's surroundings are pure white, its edges are blended against the ruler strip it
sits on, and no pixel inside a marker is pure white. The pictures of bitmap buttons follow the
same rule against a light button face, so that a button may make their white transparent too.
"""

import argparse
import math
import struct
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont, ImageOps

SS = 4

# What is being drawn: the size in final pixels is K times the 1x size, and DARK asks for the
# variant of dark themes. main() sets them for each picture it draws.
K = 1
DARK = False

FONT_DIR = Path("/usr/share/fonts/truetype/dejavu")
REGULAR = FONT_DIR / "DejaVuSans.ttf"
BOLD = FONT_DIR / "DejaVuSans-Bold.ttf"

WHITE = (255, 255, 255)
NEAR_WHITE = (254, 254, 254)
INK = (36, 42, 56)
SOFT_INK = (78, 88, 108)
NAVY = (16, 44, 96)
ACCENT = (0, 119, 255)  # the editor's scroll bar has this blue
ACCENT_DARK = (0, 78, 180)
GREEN = (38, 166, 74)
GREEN_DARK = (18, 108, 44)
RED = (218, 60, 52)
RED_DARK = (150, 30, 28)
ORANGE = (246, 142, 22)
ORANGE_DARK = (172, 88, 0)
ORANGE_LIGHT = (255, 196, 120)

BUTTON_FACE = (241, 240, 238)  # a push button's face in GTK's default theme
DARK_FACE = (53, 53, 53)  # the window's and a push button's face in GTK's dark theme
DARK_INK = (238, 240, 244)
DARK_SOFT_INK = (200, 206, 218)
DARK_NAVY = (168, 204, 255)


def ink():
    return DARK_INK if DARK else INK


def soft_ink():
    return DARK_SOFT_INK if DARK else SOFT_INK


def heading_ink():
    return DARK_NAVY if DARK else NAVY


def window_face():
    """What a picture outside a button is drawn against."""
    return DARK_FACE if DARK else WHITE


def button_face():
    return DARK_FACE if DARK else BUTTON_FACE


def sized(size):
    """A size in final pixels of the picture being drawn."""
    return (round(size[0] * K), round(size[1] * K))

STRIP_TOP = (247, 249, 253)
STRIP_BOTTOM = (221, 229, 242)
STRIP_MID = (234, 239, 247)
STRIP_EDGE = (172, 184, 206)
TICK = (128, 142, 166)


def font(size, bold=False):
    return ImageFont.truetype(str(BOLD if bold else REGULAR), size)


def mix(a, b, t):
    """The colour t of the way from a to b."""
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


class Sketch:
    """A picture drawn at SS times its size; every coordinate is in final pixels.

    Besides the colour picture it keeps a coverage mask of everything drawn, which the ruler
    markers need to tell their own pixels from the transparent surroundings."""

    def __init__(self, size, background=WHITE, mode="RGB"):
        self.size = sized(size)
        big = (self.size[0] * SS, self.size[1] * SS)
        self.image = Image.new(mode, big, background)
        self.mask = Image.new("L", big, 0)
        self.draws = (ImageDraw.Draw(self.image), ImageDraw.Draw(self.mask))

    @staticmethod
    def _scale(points):
        return [(x * SS * K, y * SS * K) for x, y in points]

    @staticmethod
    def _box(box):
        # PIL fills a box's last row and column too: end one subpixel early so that a box
        # from a to b covers exactly b - a pixels of the final picture.
        x0, y0, x1, y1 = (v * SS * K for v in box)
        return [x0, y0, x1 - 1, y1 - 1]

    def polygon(self, points, fill, outline=None):
        pts = self._scale(points)
        # The outline is drawn as a closed line: polygon outlines of PIL widen only inwards.
        self.draws[0].polygon(pts, fill=fill)
        self.draws[1].polygon(pts, fill=255)
        if outline is not None:
            width = round(SS * K)
            self.draws[0].line(pts + pts[:1], fill=outline, width=width, joint="curve")
            self.draws[1].line(pts + pts[:1], fill=255, width=width, joint="curve")

    def rect(self, box, fill, radius=0.0, outline=None):
        b = self._box(box)
        r = radius * SS * K
        self.draws[0].rounded_rectangle(b, r, fill=fill, outline=outline, width=round(SS * K))
        self.draws[1].rounded_rectangle(b, r, fill=255)

    def ellipse(self, box, fill):
        self.draws[0].ellipse(self._box(box), fill=fill)
        self.draws[1].ellipse(self._box(box), fill=255)

    def line(self, points, fill, width):
        pts = self._scale(points)
        self.draws[0].line(pts, fill=fill, width=round(width * SS * K), joint="curve")
        self.draws[1].line(pts, fill=255, width=round(width * SS * K), joint="curve")

    def arc(self, centre, radius, start, end, fill, width):
        """A circular arc; angles in degrees, clockwise from three o'clock."""
        cx, cy = centre
        box = self._box((cx - radius, cy - radius, cx + radius, cy + radius))
        self.draws[0].arc(box, start, end, fill=fill, width=round(width * SS * K))
        self.draws[1].arc(box, start, end, fill=255, width=round(width * SS * K))

    def paste(self, picture, points):
        """Fills the polygon with a picture of the final size, enlarged."""
        big = picture.resize(self.image.size, Image.Resampling.BILINEAR)
        shape = Image.new("L", self.image.size, 0)
        ImageDraw.Draw(shape).polygon(self._scale(points), fill=255)
        self.image.paste(big, (0, 0), shape)
        self.mask.paste(255, (0, 0), shape)

    def reduce(self):
        return self.image.resize(self.size, Image.Resampling.BOX)

    def symmetrise(self):
        """Makes the picture exactly mirror-symmetric about its vertical centre line.

        PIL rounds subpixel coordinates one way, so a shape drawn symmetric comes out up to a
        subpixel off; a marker centred on its hotspot column must not lean to one side."""
        self.image = Image.blend(self.image, ImageOps.mirror(self.image), 0.5)
        self.mask = Image.blend(self.mask, ImageOps.mirror(self.mask), 0.5)

    def reduce_marker(self, underlay=STRIP_MID):
        """The picture of a ruler marker: pixels the shapes cover less than 40 % of stay pure
        white (transparent), the others are blended against the ruler strip underneath."""
        art = self.reduce()
        cover = self.mask.resize(self.size, Image.Resampling.BOX)
        out = Image.new("RGB", self.size, WHITE)
        for y in range(self.size[1]):
            for x in range(self.size[0]):
                a = cover.getpixel((x, y)) / 255
                if a < 0.4:
                    continue
                # The art was drawn on white: swap the white share for the strip colour.
                c = tuple(
                    max(0, min(254, round(p + (1 - a) * (u - 255))))
                    for p, u in zip(art.getpixel((x, y)), underlay)
                )
                out.putpixel((x, y), c)
        return out


def write_text(image, xy, text, size, fill=None, bold=True, anchor="lm", room=None):
    """Text at 1x coordinates and size, drawn at the picture's own size; ink by default. Given
    its room (1x pixels), a text too wide for it is drawn smaller until it fits."""
    face = font(round(size * K), bold)
    while room and size > 7 and face.getlength(text) > room * K:
        size -= 0.5
        face = font(round(size * K), bold)
    ImageDraw.Draw(image).text((xy[0] * K, xy[1] * K), text, font=face, fill=fill or ink(),
                               anchor=anchor)


# The words drawn into pictures: English, or a language's with --words. tr marks them for the
# message catalogue too (po/CMakeLists.txt extracts them).
WORDS = {}


def tr(text):
    return WORDS.get(text) or text


def read_words(po_file):
    """msgid -> msgstr of a .po file's plain entries."""
    words, key, field = {}, None, None
    for line in po_file.read_text(encoding="utf-8").splitlines() + [""]:
        if line.startswith(("msgid ", "msgstr ")):
            field, line = line.split(" ", 1)
            if field == "msgid":
                key = ""
            else:
                words[key] = ""
        if line.startswith('"') and field:
            text = line[1:-1].replace('\\"', '"').replace("\\n", "\n")
            if field == "msgid":
                key += text
            else:
                words[key] += text
        if not line.strip():
            field = None
    return {k: v for k, v in words.items() if k and v}


def on_face(img, face):
    """The picture with its face made transparent (pure white) and any pure white of the art
    made near white, so that a window may take white as transparent."""
    if face == WHITE:
        return img
    img.putdata([NEAR_WHITE if p == WHITE else WHITE if p == face else p
                 for p in img.getdata()])
    return img


def gradient(size, top, bottom, horizontal=False):
    size = sized(size)
    img = Image.new("RGB", size)
    length = size[0] if horizontal else size[1]
    draw = ImageDraw.Draw(img)
    for i in range(length):
        c = mix(top, bottom, i / max(1, length - 1))
        if horizontal:
            draw.line([(i, 0), (i, size[1] - 1)], fill=c)
        else:
            draw.line([(0, i), (size[0] - 1, i)], fill=c)
    return img


# --- glyphs, drawn into a Sketch at a given place ---------------------------------------


def glyph_play(s, cx, cy, r, fill):
    s.polygon([(cx - r * 0.55, cy - r), (cx - r * 0.55, cy + r), (cx + r, cy)], fill)


def glyph_stop(s, cx, cy, r, fill):
    s.rect((cx - r, cy - r, cx + r, cy + r), fill, radius=r * 0.25)


def glyph_pause(s, cx, cy, r, fill):
    w = r * 0.62
    s.rect((cx - r, cy - r, cx - r + w, cy + r), fill, radius=w * 0.3)
    s.rect((cx + r - w, cy - r, cx + r, cy + r), fill, radius=w * 0.3)


def glyph_import(s, cx, cy, fill):
    """An arrow going down into a tray."""
    s.rect((cx - 1.2, cy - 7, cx + 1.2, cy - 0.5), fill)
    s.polygon([(cx - 4.6, cy - 1.8), (cx + 4.6, cy - 1.8), (cx, cy + 3.4)], fill)
    s.line([(cx - 6, cy + 1.5), (cx - 6, cy + 5.6), (cx + 6, cy + 5.6), (cx + 6, cy + 1.5)],
           fill, 2.0)


def glyph_note(s, x, y, fill):
    """Two beamed quavers in a 20-pixel square at (x, y)."""
    s.ellipse((x + 1.5, y + 13.5, x + 8.5, y + 19), fill)
    s.ellipse((x + 11.5, y + 11.5, x + 18.5, y + 17), fill)
    s.rect((x + 6.8, y + 5, x + 8.5, y + 16.5), fill)
    s.rect((x + 16.8, y + 3, x + 18.5, y + 14.5), fill)
    s.polygon([(x + 6.8, y + 5), (x + 18.5, y + 1.5), (x + 18.5, y + 5), (x + 6.8, y + 8.5)],
              fill)


def glyph_wave(s, x, y, fill):
    """A waveform of five bars in a 20-pixel square at (x, y)."""
    for i, h in enumerate((3.0, 6.5, 9.0, 5.0, 2.5)):
        cx = x + 4 + i * 3
        s.rect((cx - 0.9, y + 10 - h, cx + 0.9, y + 10 + h), fill, radius=0.9)


def glyph_phone(s, x, y, fill, screen):
    """A mobile phone with two sound waves in a 20-pixel square at (x, y)."""
    s.rect((x + 4, y + 3, x + 12, y + 17), fill, radius=1.8)
    s.rect((x + 5.3, y + 5, x + 10.7, y + 13.3), screen)
    s.ellipse((x + 7.3, y + 14.1, x + 8.7, y + 15.5), screen)
    s.arc((x + 12, y + 10), 3.0, -50, 50, fill, 1.3)
    s.arc((x + 12, y + 10), 5.8, -50, 50, fill, 1.3)


def glyph_refresh(s, cx, cy, r, fill, width):
    """A circular arrow turning clockwise, with its gap at the top right and its head at the
    top, pointing into the gap."""
    start, end = -35, 265
    s.arc((cx, cy), r, start, end, fill, width)
    t = math.radians(end)
    ex, ey = cx + r * math.cos(t), cy + r * math.sin(t)
    tx, ty = -math.sin(t), math.cos(t)  # clockwise tangent
    nx, ny = math.cos(t), math.sin(t)  # outward normal
    head = width * 1.45
    s.polygon(
        [
            (ex + tx * head * 1.5, ey + ty * head * 1.5),
            (ex + nx * head - tx * head * 0.3, ey + ny * head - ty * head * 0.3),
            (ex - nx * head - tx * head * 0.3, ey - ny * head - ty * head * 0.3),
        ],
        fill,
    )


# --- main window -------------------------------------------------------------------------


def select_media():
    s = Sketch((150, 24), background=window_face())
    glyph_note(s, 2, 2, ACCENT)
    img = s.reduce()
    write_text(img, (27, 12), tr("Select media"), 13, room=121)
    return on_face(img, window_face())


def button_picture(size, draw_glyph, label=None):
    """A picture for a bitmap button. Its background is white like every other picture, but its
    edges are smoothed against a light button face and nothing inside it is pure white, so that
    a button that makes white transparent shows its own face around the art without a halo."""
    s = Sketch(size, background=button_face())
    draw_glyph(s)
    img = s.reduce()
    if label:
        write_text(img, (33, 15), label, 14, room=size[0] - 36)
    return on_face(img, button_face())


def command_button(colour, glyph, label, width=100):
    """A round coloured badge with a white glyph, then the label."""

    def draw(s):
        s.ellipse((4, 4, 26, 26), colour)
        glyph(s)

    return button_picture((width, 30), draw, label)


def play_media():
    return command_button(GREEN, lambda s: glyph_play(s, 16, 15, 6, WHITE), tr("Play"))


def stop_media():
    return command_button(RED, lambda s: glyph_stop(s, 15, 15, 4.6, WHITE), tr("Stop"))


def import_media():
    return command_button(ORANGE, lambda s: glyph_import(s, 15, 14.4, WHITE), tr("Import"))


def help_button():
    s = Sketch((80, 30), background=button_face())
    s.ellipse((4, 4, 26, 26), ACCENT)
    img = s.reduce()
    write_text(img, (33, 15), tr("Help"), 14, room=44)
    write_text(img, (15, 15), "?", 17, fill=NEAR_WHITE, anchor="mm")
    return on_face(img, button_face())


def heading(text, draw_glyph):
    """A section heading: an accent tile with a glyph, bold text, and a rule that fades out."""
    face = window_face()
    s = Sketch((200, 22), background=face)
    s.rect((0.5, 1, 20.5, 21), ACCENT, radius=4)
    draw_glyph(s)
    img = s.reduce()
    write_text(img, (27, 11), text, 15, fill=heading_ink(), room=165)
    right = min(round(27 * K) + font(round(15 * K), True).getbbox(text)[2] + round(8 * K),
                round(190 * K))
    end = round(198 * K)
    draw = ImageDraw.Draw(img)
    for x in range(right, end):
        draw.line([(x, round(11 * K)), (x, round(13 * K) - 1)],
                  fill=mix(ACCENT, face, (x - right) / (end - right)))
    return on_face(img, face)


def edit_ringtone():
    return heading(tr("Edit ringtone"), lambda s: glyph_wave(s, 0.5, 1, WHITE))


def send_to_mobile():
    return heading(tr("Send to mobile"), lambda s: glyph_phone(s, 1, 1, WHITE, ACCENT))


def refresh():
    return button_picture((22, 22), lambda s: glyph_refresh(s, 11, 11.5, 6.6, ACCENT, 2.4))


# --- editor panel ------------------------------------------------------------------------


def row_title(text):
    """A ruler's title: right-aligned beside the ruler, centred on its 18-pixel strip."""
    img = Image.new("RGB", sized((70, 19)), window_face())
    write_text(img, (65, 9), text, 11, fill=soft_ink(), anchor="rm", room=64)
    return on_face(img, window_face())


def row_label(text):
    img = Image.new("RGB", sized((56, 18)), window_face())
    write_text(img, (1, 9), text, 11, fill=ink(), bold=True, room=54)
    return on_face(img, window_face())


def ringtone_button(draw_glyph):
    return button_picture((28, 22), draw_glyph)


# --- rulers ------------------------------------------------------------------------------


# The editor shows 4 pixels per second and starts its time axis 3 pixels into each ruler, where
# the time ruler's labelled ticks stand every 30 seconds; the strip is tiled from the ruler's
# left edge. So a tick every 4 pixels from x = 3 marks every second, and a tile of 40 pixels
# (ten seconds) lines up with the labels.
SECOND_PX = 4
AXIS_START = 3
STRIP_SECONDS = 10


def strip(top, bottom, edge, tick):
    """A ruler tile of ten seconds whose ticks, rising from its lower edge, tile seamlessly: a
    short tick every second, a longer one every five seconds, the longest every ten."""
    img = gradient((SECOND_PX * STRIP_SECONDS, 18), top, bottom)
    draw = ImageDraw.Draw(img)
    # Lines one final pixel wide at 1x are K pixels wide, rounded, at K times the size.
    line = max(1, round(K))
    draw.rectangle([(0, round(17 * K)), (img.size[0] - 1, img.size[1] - 1)], fill=edge)
    for second in range(STRIP_SECONDS):
        x = round((AXIS_START + second * SECOND_PX) * K)
        if second == 0:
            h, t = 6, tick
        elif second % 5 == 0:
            h, t = 4, tick
        else:
            h, t = 2, mix(tick, bottom, 0.5)
        draw.rectangle([(x, round((17 - h) * K)), (x + line - 1, round(17 * K) - 1)], fill=t)
    return img


def ruler_background():
    return strip(STRIP_TOP, STRIP_BOTTOM, STRIP_EDGE, TICK)


def ruler_range_background():
    return strip((226, 238, 255), (190, 215, 252), (120, 160, 220), (84, 124, 196))


def ruler_range():
    return strip((140, 190, 255), (50, 130, 240), ACCENT_DARK, (20, 80, 170))


def flag(fill, dark):
    """A flag on a pole standing at the picture's left edge, with a foot: a bracket that
    opens to the right."""
    s = Sketch((18, 18))
    s.polygon([(2, 1), (15.5, 5.5), (2, 10)], fill, outline=dark)
    s.rect((0, 0, 2.5, 18), dark)
    s.rect((0, 15.5, 7, 18), dark)
    return s


def ruler_start():
    return flag(GREEN, GREEN_DARK).reduce_marker()


def ruler_end():
    return ImageOps.mirror(flag(RED, RED_DARK).reduce_marker())


def pin(fill, dark, light):
    """A pentagon pointing down, centred on column 7 of 15."""
    s = Sketch((15, 18))
    s.polygon([(1.5, 0.5), (13.5, 0.5), (13.5, 8), (7.5, 17.3), (1.5, 8)], fill, outline=dark)
    s.rect((3.3, 2.2, 11.7, 4.0), light, radius=0.8)
    s.symmetrise()
    return s


def ruler_single():
    return pin(ORANGE, ORANGE_DARK, ORANGE_LIGHT).reduce_marker()


def ruler_single_up():
    return ImageOps.flip(pin(ACCENT, ACCENT_DARK, (140, 196, 255)).reduce_marker())


def ruler_volume_background():
    """A wedge that grows to the right between the ruler's 3-pixel margins."""
    s = Sketch((100, 18))
    wedge = [(3, 15.5), (97, 15.5), (97, 2.5)]
    s.paste(gradient((100, 18), (196, 222, 255), ACCENT, horizontal=True), wedge)
    s.polygon(wedge, None, outline=(120, 150, 200))
    return s.reduce()


def ruler_volume():
    s = Sketch((7, 18))
    s.rect((0.5, 0.5, 6.5, 17.5), (56, 66, 88), radius=2, outline=(28, 34, 46))
    s.rect((2.9, 5, 4.1, 13), (170, 182, 204))
    s.symmetrise()
    return s.reduce_marker()


# --- the window icon ---------------------------------------------------------------------


def icon(size):
    """A mobile phone sending sound waves, on a transparent background."""
    k = size / 48
    s = Sketch((size, size), background=(0, 0, 0, 0), mode="RGBA")
    s.rect((3 * k, 3 * k, 24 * k, 45 * k), INK + (255,), radius=4.5 * k)
    s.rect((6 * k, 8 * k, 21 * k, 35 * k), ACCENT + (255,), radius=1.2 * k)
    if size >= 32:
        s.ellipse((11.5 * k, 37.5 * k, 15.5 * k, 41.5 * k), (140, 150, 170, 255))
    waves = 3 if size >= 32 else 2
    width = max(1.4, 3.2 * k)
    for i in range(waves):
        r = (6 + i * 6) * k if waves == 3 else (9 + i * 9) * k
        s.arc((25 * k, 22 * k), r, -50, 50, ORANGE + (255,), width)
    return s.image.resize((size, size), Image.Resampling.BOX)


def ico_bytes(images):
    """An ICO file of 32-bit BGRA bitmaps with their 1-bit masks, the form every reader
    understands."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        w, h = img.size
        header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
        # Rows bottom-up, each pixel blue, green, red, alpha.
        r, g, b, a = ImageOps.flip(img).split()
        xor = Image.merge("RGBA", (b, g, r, a)).tobytes()
        stride = ((w + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(h)):
            row = bytearray(stride)
            for x in range(w):
                if img.getpixel((x, y))[3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        blob = header + xor + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob),
                                   offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


ICON_SIZES = (16, 32, 48)

# Every picture the program loads, with its size at 1x.
PICTURES = [
    ("select_media.bmp", (150, 24), select_media),
    ("PlayMedia.bmp", (100, 30), play_media),
    ("StopMedia.bmp", (100, 30), stop_media),
    ("ImportMedia.bmp", (100, 30), import_media),
    ("Help.bmp", (80, 30), help_button),
    ("edit_ringtone.bmp", (200, 22), edit_ringtone),
    ("send_to_mobile.bmp", (200, 22), send_to_mobile),
    ("refresh.bmp", (22, 22), refresh),
    ("time_title.bmp", (70, 19), lambda: row_title(tr("Time"))),
    ("cut_title.bmp", (70, 19), lambda: row_title(tr("Cut"))),
    ("fadein_title.bmp", (70, 19), lambda: row_title(tr("Fade in"))),
    ("fadeout_title.bmp", (70, 19), lambda: row_title(tr("Fade out"))),
    ("silence_title.bmp", (70, 19), lambda: row_title(tr("Silence"))),
    ("effects_title.bmp", (56, 18), lambda: row_label(tr("Effects:"))),
    ("volume_title.bmp", (56, 18), lambda: row_label(tr("Volume:"))),
    ("playRingtone.bmp", (28, 22), lambda: ringtone_button(
        lambda s: glyph_play(s, 14.5, 11, 6.5, GREEN))),
    ("pauseRingtone.bmp", (28, 22), lambda: ringtone_button(
        lambda s: glyph_pause(s, 14, 11, 5.8, soft_ink()))),
    ("stopRingtone.bmp", (28, 22), lambda: ringtone_button(
        lambda s: glyph_stop(s, 14, 11, 5.5, RED))),
    ("rulerBck.bmp", (40, 18), ruler_background),
    ("rulerRangeBck.bmp", (40, 18), ruler_range_background),
    ("rulerRange.bmp", (40, 18), ruler_range),
    ("rulerStart.bmp", (18, 18), ruler_start),
    ("rulerEnd.bmp", (18, 18), ruler_end),
    ("rulerSingle.bmp", (15, 18), ruler_single),
    ("rulerSingleUP.bmp", (15, 18), ruler_single_up),
    ("rulerVolumeBck.bmp", (100, 18), ruler_volume_background),
    ("rulerVolume.bmp", (7, 18), ruler_volume),
]


# The pictures with words, drawn again for each language.
WORDED = {"select_media.bmp", "PlayMedia.bmp", "StopMedia.bmp", "ImportMedia.bmp", "Help.bmp",
          "edit_ringtone.bmp", "send_to_mobile.bmp", "time_title.bmp", "cut_title.bmp",
          "fadein_title.bmp", "fadeout_title.bmp", "silence_title.bmp", "effects_title.bmp",
          "volume_title.bmp"}

# The rulers draw their own light strips in every theme.
NO_DARK_VARIANT = {name for name, _, _ in PICTURES if name.startswith("ruler")}

# The sizes each picture is drawn at besides 1x, and the suffixes of their file names.
SCALES = ((1, ""), (1.5, "_1_5x"), (2, "_2x"))


def variants(worded=False):
    """(file name, K, DARK) of every file of the images folder, each picture's 1x first; only
    of the pictures with words if worded."""
    for name, _, _ in PICTURES:
        if worded and name not in WORDED:
            continue
        stem = name[:-len(".bmp")]
        for dark in (False, True):
            if dark and name in NO_DARK_VARIANT:
                continue
            for k, suffix in SCALES:
                yield stem + ("_dark" if dark else "") + suffix + ".bmp", k, dark


def over_strip(marker, volume):
    """The marker as the ruler paints it: white left out, over its ruler's background."""
    shown = Image.new("RGB", marker.size)
    if volume:
        shown.paste(ruler_volume_background().crop((40, 0, 40 + marker.size[0], 18)))
    else:
        shown.paste(ruler_background().crop((0, 0) + marker.size))
    mask = Image.new("L", marker.size)
    mask.putdata([0 if px == WHITE else 255 for px in marker.getdata()])
    shown.paste(marker, (0, 0), mask)
    return shown


def contact_sheet(pictures, icons):
    """Every picture enlarged three times on a grey card, markers over a ruler strip with
    their white made transparent as the ruler does."""
    zoom, pad = 3, 12
    label = font(12)
    markers = {"rulerStart.bmp", "rulerEnd.bmp", "rulerSingle.bmp", "rulerSingleUP.bmp",
               "rulerVolume.bmp"}
    cells = []
    for name, img in pictures:
        if name in markers:
            img = over_strip(img, name == "rulerVolume.bmp")
        cells.append((name, img.resize((img.size[0] * zoom, img.size[1] * zoom),
                                       Image.Resampling.NEAREST)))
    for size, img in zip(ICON_SIZES, icons):
        cells.append((f"twk.ico {size}", img.resize((size * zoom, size * zoom),
                                                    Image.Resampling.NEAREST)))
    width = 760
    x, y, row_h, placed = pad, pad, 0, []
    for name, img in cells:
        w, h = img.size[0], img.size[1] + 16
        if x + w > width - pad:
            x, y, row_h = pad, y + row_h + pad, 0
        placed.append((name, img, x, y))
        x, row_h = x + max(w, 110) + pad, max(row_h, h)
    sheet = Image.new("RGB", (width, y + row_h + pad), (200, 204, 212))
    draw = ImageDraw.Draw(sheet)
    for name, img, px, py in placed:
        draw.text((px, py), name, font=label, fill=INK)
        if img.mode == "RGBA":
            card = Image.new("RGB", img.size, (232, 232, 232))
            card.paste(img, (0, 0), img)
            img = card
        sheet.paste(img, (px, py + 16))
    return sheet


# The sizes the desktop's hicolor icon theme asks an application for.
HICOLOR_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def write_hicolor(root):
    """PNG files without time stamps, so they too are the same on every run."""
    for size in HICOLOR_SIZES:
        folder = root / f"{size}x{size}" / "apps"
        folder.mkdir(parents=True, exist_ok=True)
        icon(size).save(folder / "tonewick.png", "PNG", optimize=False)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("outdir", nargs="?", type=Path)
    parser.add_argument("--icon", type=Path)
    parser.add_argument("--sheet", type=Path)
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--hicolor", type=Path)
    parser.add_argument("--words", type=Path)
    parser.add_argument("--worded", action="store_true")
    args = parser.parse_args(argv)
    if args.hicolor:
        write_hicolor(args.hicolor)
        return 0
    if args.list:
        print("\n".join(name for name, _, _ in variants(args.worded)))
        return 0
    if args.outdir is None:
        parser.error("the output folder is missing")

    args.outdir.mkdir(parents=True, exist_ok=True)
    global K, DARK
    drawn = []
    pictures = {name: (size, draw) for name, size, draw in PICTURES}
    if args.words:
        WORDS.update(read_words(args.words))
    for file_name, K, DARK in variants(args.words is not None):
        name = file_name.replace("_dark", "").replace("_1_5x", "").replace("_2x", "")
        size, draw = pictures[name]
        img = draw()
        if img.size != sized(size) or img.mode != "RGB":
            print(f"{file_name}: drew {img.mode} {img.size}, wanted RGB {sized(size)}",
                  file=sys.stderr)
            return 1
        img.save(args.outdir / file_name, "BMP")
        if file_name == name:
            drawn.append((name, img))
    K, DARK = 1, False
    if args.words:
        return 0

    icons = [icon(size) for size in ICON_SIZES]
    icon_path = args.icon or args.outdir / "twk.ico"
    icon_path.parent.mkdir(parents=True, exist_ok=True)
    icon_path.write_bytes(ico_bytes(icons))

    if args.sheet:
        contact_sheet(drawn, icons).save(args.sheet, "PNG")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
