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
    """Horizontal dark bars [first row, last row, left end, right end], a pen's width thick. A
    bar's ends are those of most of its rows: a round end of the pen shortens the first and last
    rows, and a label may touch the border."""
    found, growing = [], []
    for y, row in enumerate(rows):
        now = []
        for run in re.finditer(rb"\x00{%d,}" % SHORTEST, row):
            bar = next((b for b in growing if abs(b[2][-1] - run.start()) <= 2), None)
            if bar:
                bar[1] = y
            else:
                bar = [y, y, [], []]
                found.append(bar)
            bar[2].append(run.start())
            bar[3].append(run.end() - 1)
            now.append(bar)
        growing = now
    middle = lambda ends: sorted(ends)[len(ends) // 2]
    return [[y0, y1, middle(starts), middle(ends)]
            for y0, y1, starts, ends in found if 3 <= y1 - y0 + 1 <= THICKEST]


def side(rows, top, x, step):
    """The middle of the columns, among the border pen's width from x on (going by step), that
    run dark from row top down as a side of the border, and the last row they all reach; None
    when fewer than three do."""
    def reach(col):
        y = top
        while y < len(rows) and rows[y][col] == 0:
            y += 1
        return y - 1
    cols = [c for c in range(x, x + step * THICKEST, step)
            if 0 <= c < len(rows[0]) and reach(c) - top >= SHORTEST]
    if len(cols) < 3:
        return None
    return (min(cols) + max(cols)) / 2, min(reach(c) for c in cols)


def main(path):
    rows = dark_rows(path)
    found = bars(rows)
    for top in found:
        t0, t1, start, end = top
        left = side(rows, (t0 + t1) // 2, start, 1)
        if not left:
            continue
        right = side(rows, (t0 + t1) // 2, end, -1)
        bottom = next((b for b in found if b[0] > t1 and abs(b[2] - start) <= 2
                       and abs(b[3] - end) <= 2), None)
        if right and bottom:
            print(round(left[0]), round((t0 + t1) / 2),
                  round(right[0] - left[0]), round((bottom[0] + bottom[1] - t0 - t1) / 2))
            return 0
        print(round(left[0]), round((t0 + t1) / 2))
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
