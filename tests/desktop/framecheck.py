#!/usr/bin/env python3
"""Compares what the screen shows with frames that tickora-render composes for the same settings.

  framecheck.py blend SHOT X Y BACKGROUND FROM TO [BITS] -- RENDER_OPTIONS...
      The clock in the screenshot SHOT at (X, Y) over BACKGROUND (a colour RRGGBB, or a screenshot of
      the same screen without the clock) must be the frame of one second between the epoch times FROM
      and TO, blended source-over, on a screen of BITS red, green, blue bits (888 unless given); prints the best match.
  framecheck.py spots FROM TO [BEFORE] -- RENDER_OPTIONS...
      Prints window-relative pixels for the click tests, one "NAME X Y" a line:
        hand   solid in every frame FROM..TO and clear in a frame hours later (so on a hand), or clear
               at the epoch BEFORE when given (so on a hand that has moved since)
        sprite opaque in frames all round the clock (a marker or numeral)
        clear  alpha 0 in every frame FROM..TO and well inside the round face
        gone   with BEFORE: solid at BEFORE and alpha 0 in every frame FROM..TO (a hand has left it)

TICKORA_RENDER names tickora-render. Times are local, as the clock reads them.
"""
import math
import os
import subprocess
import sys
import tempfile
import time

TOLERANCE = 3  # per channel: premultiplication and the compositor's blend round differently
MATCH_NEEDED = 0.995  # share of the clock's pixels that must match
OPAQUE = 255
SOLID = 64  # alpha that no rounding at a hand's edge can bring to 0


def load_rgba(path):
    """(width, height, bytes) of a picture as 8-bit RGBA."""
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True,
                          text=True).stdout.split()
    raw = subprocess.run(["convert", path, "-depth", "8", "rgba:-"], check=True,
                         capture_output=True).stdout
    width, height = int(size[0]), int(size[1])
    if len(raw) != width * height * 4:
        sys.exit(f"framecheck: unexpected data size for {path}")
    return width, height, raw


def render(epoch, options, workdir):
    stamp = time.strftime("%H:%M:%S", time.localtime(epoch))
    out = os.path.join(workdir, f"frame-{int(epoch)}.png")
    if not os.path.exists(out):
        subprocess.run([os.environ.get("TICKORA_RENDER", "tickora-render"), "--frame", "--time", stamp,
                        *options, "--out", out], check=True)
    return load_rgba(out)


def blend(shot, x, y, background, first, last, options, bits="888"):
    step = [255.0 / ((1 << int(b)) - 1) / 2 if int(b) < 8 else 0 for b in bits]  # half a step of fewer bits
    sw, sh, screen = load_rgba(shot)
    if os.path.exists(background):
        bw, bh, under = load_rgba(background)
        if (bw, bh) != (sw, sh):
            sys.exit("framecheck: the background and the screenshot differ in size")
    else:
        colour = bytes(int(background[i:i + 2], 16) for i in (0, 2, 4)) + b"\xff"
        under = colour * (sw * sh)
    best = (-1.0, None, 0)
    with tempfile.TemporaryDirectory() as workdir:
        for epoch in range(first, last + 1):
            fw, fh, frame = render(epoch, options, workdir)
            good = 0
            worst = 0
            for row in range(fh):
                for col in range(fw):
                    sx, sy = x + col, y + row
                    if not (0 <= sx < sw and 0 <= sy < sh):
                        continue
                    f = (row * fw + col) * 4
                    s = (sy * sw + sx) * 4
                    a = frame[f + 3]
                    diff = 0
                    for c in range(3):
                        expected = (frame[f + c] * a + under[s + c] * (255 - a)) / 255.0
                        diff = max(diff, abs(screen[s + c] - expected) - step[c])
                    worst = max(worst, diff)
                    if diff <= TOLERANCE:
                        good += 1
            share = good / float(fw * fh)
            if share > best[0]:
                best = (share, epoch, worst)
    share, epoch, worst = best
    stamp = time.strftime("%H:%M:%S", time.localtime(epoch))
    print(f"best match {share:.4f} at {stamp} (largest difference {worst:.1f})")
    return 0 if share >= MATCH_NEEDED else 1


def alpha_of(frame):
    width, height, data = frame
    return width, height, data[3::4]


def spots(first, last, options, before=None):
    with tempfile.TemporaryDirectory() as workdir:
        now = [alpha_of(render(e, options, workdir)) for e in range(first, last + 1)]
        # Hours later every hand points elsewhere; spread over the dial, only sprites stay covered.
        later = alpha_of(render(first + 6 * 3600 + 30 * 60 + 30 if before is None else before, options, workdir))
        around = [alpha_of(render(first + k * 3600 + k * 7 * 60 + 13 * k, options, workdir))
                  for k in range(1, 12, 2)]
    width, height, _ = now[0]
    centre = (width - 1) / 2.0

    def all_alpha(frames, col, row, test):
        return all(test(f[2][(row + dy) * width + col + dx]) for f in frames
                   for dy in (-1, 0, 1) for dx in (-1, 0, 1))

    found = {}
    for row in range(2, height - 2):
        for col in range(2, width - 2):
            r = math.hypot(col - centre, row - centre)
            if "hand" not in found and r > 8 and all_alpha(now, col, row, lambda a: a >= SOLID) \
                    and all_alpha([later], col, row, lambda a: a == 0):
                found["hand"] = (col, row)
            if "sprite" not in found and 20 <= col <= width - 20 and 20 <= row <= height - 20 \
                    and all_alpha(now + around + [later], col, row, lambda a: a == OPAQUE):
                found["sprite"] = (col, row)
            if "clear" not in found and r < centre - 12 and all_alpha(now, col, row, lambda a: a == 0):
                found["clear"] = (col, row)
            if before is not None and "gone" not in found and r > 8 and all_alpha(now, col, row, lambda a: a == 0) \
                    and all_alpha([later], col, row, lambda a: a >= SOLID):
                found["gone"] = (col, row)
    for name in ("hand", "sprite", "clear", "gone"):
        if name in found:
            print(name, *found[name])
    return 0


def main(argv):
    if "--" not in argv:
        sys.exit(__doc__)
    split = argv.index("--")
    args, options = argv[1:split], argv[split + 1:]
    if len(args) in (7, 8) and args[0] == "blend":
        return blend(args[1], int(args[2]), int(args[3]), args[4], int(args[5]), int(args[6]), options, *args[7:])
    if len(args) in (3, 4) and args[0] == "spots":
        return spots(int(args[1]), int(args[2]), options, int(args[3]) if len(args) == 4 else None)
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
