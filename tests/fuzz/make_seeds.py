#!/usr/bin/python3
"""Writes the fuzzer's seed corpus to tests/fuzz/seeds: small WAV files of the shapes the
header parser must tell apart. Rerun after changing a shape; the files are kept in git."""
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

os.makedirs(HERE, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)
