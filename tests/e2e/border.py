#!/usr/bin/python3
"""Finds the world's heavy black border in a screenshot, wherever the window stands.

Prints "LEFT TOP WIDTH HEIGHT": the screen place of the border's top left corner (the middle of
its left and top sides) and the distances between the middles of opposite sides. When the right
or the bottom side is not on the screen it prints "LEFT TOP" only, says which side on standard
error and exits 1; when no border is there at all, it exits 2.
"""
import re
import subprocess
import sys

SHORTEST = 150  # shorter dark runs are not a side of the border
THICKEST = 16  # the border's pen: 5 pixels at actual size, 15 at 300 %


def dark_rows(path):
    """The screenshot's rows as bytes, 0 where every channel is below a quarter."""
    ppm = subprocess.run(
        ["/usr/bin/convert", path, "-channel", "RGB", "-threshold", "25%", "-depth", "8", "ppm:-"],
        check=True, capture_output=True).stdout
    head = re.match(rb"P6\s+(\d+)\s+(\d+)\s+\d+\s", ppm)
    width, height = int(head[1]), int(head[2])
    rgb = ppm[head.end():]
    # Each channel is now 0 or 255: a pixel is dark where the three channels, or-ed, are 0.
    dark = (int.from_bytes(rgb[0::3], "big") | int.from_bytes(rgb[1::3], "big")
            | int.from_bytes(rgb[2::3], "big")).to_bytes(width * height, "big")
    return [dark[y * width:(y + 1) * width] for y in range(height)]


def bars(rows):
    """Horizontal dark bars [first row, last row, left end, right end], a pen's width thick."""
    found, growing = [], []
    for y, row in enumerate(rows):
        now = []
        for run in re.finditer(rb"\x00{%d,}" % SHORTEST, row):
            start, end = run.start(), run.end() - 1
            bar = next((b for b in growing
                        if abs(b[2] - start) <= 2 and abs(b[3] - end) <= 2), None)
            if bar:
                bar[1] = y
            else:
                bar = [y, y, start, end]
                found.append(bar)
            now.append(bar)
        growing = now
    return [b for b in found if 3 <= b[1] - b[0] + 1 <= THICKEST]


def side(rows, top, x, step):
    """The columns from x on (going by step) that run dark from row top down as a side of the
    border: their middle and the last row they all reach, or None when fewer than three do."""
    def reach(col):
        y = top
        while y < len(rows) and rows[y][col] == 0:
            y += 1
        return y - 1
    cols = []
    while 0 <= x < len(rows[0]) and reach(x) - top >= SHORTEST and len(cols) <= THICKEST:
        cols.append(x)
        x += step
    if len(cols) < 3:
        return None
    return (cols[0] + cols[-1]) / 2, min(reach(c) for c in cols)


def main(path):
    rows = dark_rows(path)
    found = bars(rows)
    for top in found:
        t0, t1, start, end = top
        left = side(rows, t0, start, 1)
        if not left:
            continue
        middle_top = (t0 + t1) / 2
        right = side(rows, t0, end, -1)
        bottom = next((b for b in found if b[0] > t1 and abs(b[2] - start) <= 2
                       and abs(b[3] - end) <= 2), None)
        if right and bottom:
            print(round(left[0]), round(middle_top),
                  round(right[0] - left[0]), round((bottom[0] + bottom[1]) / 2 - middle_top))
            return 0
        print(round(left[0]), round(middle_top))
        if not right:
            print(f"the right side of the world's border is not on the screen: the top side, "
                  f"from x={start}, stops at x={end}", file=sys.stderr)
        if not bottom:
            print(f"the bottom side of the world's border is not on the screen: the left side, "
                  f"from y={t0}, stops at y={left[1]}", file=sys.stderr)
        return 1
    print("no world border on the screen", file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
