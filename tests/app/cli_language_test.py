#!/usr/bin/env python3
"""tonewick-cli in the user's language: its messages translated, its plural forms right, and
its options parsed alike in every locale ("--loudness -14.5" taken, "-14,5" refused).

Usage: cli_language_test.py TONEWICK_CLI (in the working folder, which has temp/ffmpeg)
"""
import os
import subprocess
import sys
import tempfile

cli = sys.argv[1]
folder = tempfile.mkdtemp()
song, made, rendered = (os.path.join(folder, name) for name in ("song.wav", "out.wav", "r.wav"))
subprocess.run(["ffmpeg", "-nostdin", "-loglevel", "error", "-f", "lavfi", "-i",
                "sine=frequency=440:duration=6", "-ac", "2", song], check=True)

make = ["make", song, "--cut", "1:3", "--format", "wav", "-o", made, "--loudness"]
# (locale, arguments, exit status, the stream's last line)
cases = [
    ("de_DE.UTF-8", make + ["-14,5"], 2, "stderr", "tonewick-cli make: --loudness erwartet eine "
     "Lautheit in LUFS von -40 bis -5, etwa -14, nicht \u201e-14,5\u201c"),
    ("de_DE.UTF-8", make + ["-14.5"], 0, "stdout", made + ": 2 Sekunden, WAV"),
    ("de_DE.UTF-8", ["render", song, "--cut", "1:2", "-o", rendered], 0, "stdout",
     rendered + ": 1 Sekunde, 44100 Hz, 2 Kan\u00e4le"),
    ("fr_FR.UTF-8", ["phones", "Nokiax"], 1, "stderr", "tonewick-cli phones: aucun fabricant "
     "\u00ab\u00a0Nokiax\u00a0\u00bb dans le catalogue\u00a0; \u00ab\u00a0tonewick-cli phones"
     "\u00a0\u00bb les liste"),
    ("C.UTF-8", make + ["-14,5"], 2, "stderr", "tonewick-cli make: --loudness takes a loudness "
     "in LUFS from -40 to -5, such as -14, not '-14,5'"),
]
failed = 0
for locale, args, status, stream, line in cases:
    env = {k: v for k, v in os.environ.items() if not k.startswith(("LC_", "LANGUAGE"))}
    env["LANG"] = locale
    run = subprocess.run([cli] + args, env=env, capture_output=True, text=True)
    said = getattr(run, stream).splitlines()
    if run.returncode != status or not said or said[-1] != line:
        failed += 1
        print(f"{locale} {' '.join(args[:2])}: exit {run.returncode}, expected {status}\n"
              f"  {stream}: {said[-1:]!r}\n  expected: {line!r}")
sys.exit(1 if failed else 0)
