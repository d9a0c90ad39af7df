#!/usr/bin/python3
"""Writes the fuzzers' seed corpora: small WAV files of the shapes the header parser must tell
apart (tests/fuzz/seeds), converter screens (screen-seeds), paths for the converter's argument
string (argument-seeds) and catalogue queries (catalogue-seeds), each in the input format its
fuzzer's header describes. Rerun after changing a seed; the files are kept in git. Inputs that
once made a fuzzer fail are kept beside them as regression-* files, never rewritten here."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "seeds")


def fmt(tag=1, channels=2, rate=4, bits=16):
    block = channels * bits // 8
    return b"fmt " + struct.pack("<IHHIIHH", 16, tag, channels, rate, rate * block, block, bits)


def chunk(tag, body, size=None):
    pad = b"\0" if len(body) % 2 else b""
    return tag + struct.pack("<I", len(body) if size is None else size) + body + pad


def riff(*chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def samples(values):
    return struct.pack("<%dh" % len(values), *values)


LOUD = [32767, -32768, 0, 100] * 4
SEEDS = {
    "canonical-stereo.wav": riff(fmt(), chunk(b"data", samples(LOUD * 2 + [5, 5]))),
    "mono.wav": riff(fmt(channels=1, rate=3), chunk(b"data", samples(LOUD[:10]))),
    "one-hz-mono.wav": riff(fmt(channels=1, rate=1), chunk(b"data", samples([7, -7, 32767]))),
    "six-channels.wav": riff(fmt(channels=6, rate=2), chunk(b"data", samples(LOUD[:12] * 2))),
    "ffmpeg-list.wav": riff(fmt(), chunk(b"LIST", b"INFOISFT\x0e\0\0\0Lavf59.27.100\0"),
                            chunk(b"data", samples(LOUD))),
    "odd-chunk.wav": riff(fmt(), chunk(b"junk", b"abc"), chunk(b"data", samples(LOUD))),
    "extensible.wav": riff(fmt(tag=0xFFFE), chunk(b"data", samples(LOUD))),
    "eight-bit.wav": riff(fmt(bits=8), chunk(b"data", bytes(16))),
    "zero-channels.wav": riff(fmt(channels=0), chunk(b"data", bytes(16))),
    "zero-rate.wav": riff(fmt(rate=0), chunk(b"data", bytes(16))),
    "no-data.wav": riff(fmt(), chunk(b"LIST", bytes(8))),
    "data-beyond-file.wav": riff(fmt(), chunk(b"data", samples(LOUD), size=0xFFFFFFFF)),
    "data-past-end.wav": riff(fmt(), chunk(b"data", samples(LOUD), size=len(LOUD) * 2 + 8)),
    "huge-chunk.wav": riff(fmt(), chunk(b"LIST", bytes(4), size=0xFFFFFFF0),
                           chunk(b"data", samples(LOUD))),
}


# Screens: a byte of failing reads, then cells; 0xFD ends a row, 0xFE a screen, 0xFF and four
# bytes give a cell of any value.
ROW, SCREEN = b"\xfd", b"\xfe"


def cell(value):
    return b"\xff" + struct.pack("<I", value)


DURATION = b"  Duration: 00:03:25.47, start: 0.000000, bitrate: 128 kb/s"
TEN = b"  Duration: 00:00:10.00, start: 0.000000, bitrate: 1411 kb/s"
PROGRESS = b"size=     100kB time=00:00:12.34 bitrate=  66.4kbits/s speed=24.6x"
SCREEN_SEEDS = {
    "both-time-forms": b"\0" + DURATION + ROW * 8 + PROGRESS + SCREEN + DURATION + ROW * 8
    + b"size=     100kB time=12.34 bitrate=  66.4kbits/s" + SCREEN,
    "duration-on-last-row": b"\0" + b"time=1800.00 " + ROW * 24 + b" " * 69 + b"Duration: 1",
    "key-across-rows": b"\0" + ROW * 3 + b" " * 75 + b"Duration: 00:00:10.00" + ROW * 5
    + b"time=5.00 ",
    "wide-cells": b"\0" + TEN + ROW + b"time=5" + cell(0x16D) + b".00 " + ROW + cell(0x1F600)
    + cell(0x110000) + cell(0x410000) + cell(0xDC80) + cell(0xD800) + cell(0xFFFFFFFF) + b"x",
    "absurd-numbers": b"\0" + TEN + ROW + b"time=" + b"-99999999999:" * 5 + b"9.99 " + SCREEN
    + TEN + ROW + b"time=99999999999999.99 ",
    "no-digits": b"\0" + b"Duration: N/A, bitrate: N/A" + ROW + b"time=5.00 ",
    "failing-read": b"\x02" + TEN + ROW + b"time=5.00" + SCREEN + TEN + ROW + b"time=6.00"
    + SCREEN + TEN + ROW + b"time=9.00",
    "blank-screens": b"\0" + SCREEN + SCREEN + SCREEN,
    "error-message": b"\0" + b"/m/in.mp3: Invalid data found when processing input" + ROW * 24
    + b"x" * 80,
}


# Paths: a byte choosing bytes (0) or 32-bit wide characters (1), then source NUL output.
def wide(text):
    return b"".join(struct.pack("<I", ord(c)) for c in text)


ARGUMENT_SEEDS = {
    "absolute-with-quotes": b"\0/m/a \"b\".mp3\0temp/current.wav",
    "relative-with-colon": b"\0concat:a.mp3|b.mp3\0temp/current.wav",
    "dash": b"\0-\0-",
    "backslashes": b"\0C:\\x\\\"q\\\0out\\",
    "not-utf8": b"\0\xff\xfe name \xc3\0\xed\xa0\x80\xf4\x90\x80\x80",
    "non-ascii-and-blanks": "\0/home/é ü/\t\nsong 1.mp3\0temp/current.wav".encode(),
    "wide": b"\x01" + wide("/m/\u00e9 \"x\".mp3\0rel:out.wav"),
    "wide-beyond-unicode": b"\x01" + b"\xff\xff\xff\xff" + b"\x00\x00\x11\x00" + wide("\0-"),
}

# Queries: vendor NUL model NUL format NUL, then two little-endian cursors.
CATALOGUE_SEEDS = {
    "listed": b"Any phone\0iPhone\0M4A\0" + struct.pack("<ii", 0, 1),
    "format-inside-another": b"Alcatel\0ELLE-N3\0MIDI\0" + struct.pack("<ii", 4, 4),
    "empty-format": b"Xiaomi\0POCO F7 Ultra\0\0" + struct.pack("<ii", 1747, 1747),
    "non-ascii": "Samsung\0Galaxy S23 Ultra\u00e9\0WAV\0".encode() + struct.pack("<ii", -1, 1748),
    "unknown": b"Nobody\0Nothing\0OGG\0" + struct.pack("<ii", -2147483648, 2147483647),
}

for folder, seeds in (("seeds", SEEDS), ("screen-seeds", SCREEN_SEEDS),
                      ("argument-seeds", ARGUMENT_SEEDS), ("catalogue-seeds", CATALOGUE_SEEDS)):
    path = os.path.join(os.path.dirname(HERE), folder)
    os.makedirs(path, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(path, name), "wb") as f:
            f.write(data)
