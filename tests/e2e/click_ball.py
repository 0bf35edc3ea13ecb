#!/usr/bin/env python3
"""Clicks the start-up dialog's Resolution ball while it moves.

Takes screenshots of the root window (ImageMagick's import, at half size),
finds the three balls and picks the one whose label shows the most red text:
"Resolution" over "windowed"/"640x480"/... outnumbers "Quality" over "low"
and "Start" alone. Two looks give the ball's speed; the click goes where the
ball will be by then (xdotool). Exit status 0 after a click, 1 if the balls
could not be told apart within the tries (overlapping, or not drawn)."""
import subprocess
import sys
import time

SCALE = 2  # screenshots at half size


def read_ppm(data):
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    if fields[0] != b"P6" or fields[3] != b"255":
        raise ValueError("expected an 8-bit binary PPM")
    return int(fields[1]), int(fields[2]), data[pos:]


def screenshot():
    taken = time.monotonic()
    data = subprocess.run(["import", "-window", "root", "-resize", "50%", "-depth", "8", "ppm:-"],
                          capture_output=True, check=True).stdout
    return (taken + time.monotonic()) / 2, read_ppm(data)


def find_resolution_ball(image):
    """Centre of the Resolution ball in full-size pixels, or None."""
    width, height, pixels = image
    cell = 4
    cells = {}
    for y in range(height):
        row = y * width * 3
        for x in range(width):
            i = row + x * 3
            r, g, b = pixels[i], pixels[i + 1], pixels[i + 2]
            cyan = g > 40 and abs(g - b) <= 12 and g > r
            red = r > 120 and r > g + 60
            if cyan or red:
                entry = cells.setdefault((x // cell, y // cell), [0, 0])
                entry[1 if red else 0] += 1
    seen, balls = set(), []
    for start in cells:
        if start in seen:
            continue
        stack, members = [start], []
        seen.add(start)
        while stack:
            c = stack.pop()
            members.append(c)
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    n = (c[0] + dx, c[1] + dy)
                    if n in cells and n not in seen:
                        seen.add(n)
                        stack.append(n)
        xs = [m[0] for m in members]
        ys = [m[1] for m in members]
        size = (max(xs) - min(xs) + 1) * cell * SCALE
        if size < 24 or size > 90:
            continue
        red = sum(cells[m][1] for m in members)
        cx = (min(xs) + max(xs) + 1) * cell * SCALE / 2
        cy = (min(ys) + max(ys) + 1) * cell * SCALE / 2
        balls.append((red, cx, cy))
    if len(balls) != 3:
        return None
    balls.sort(reverse=True)
    if balls[0][0] <= balls[1][0]:
        return None
    return balls[0][1], balls[0][2]


def main():
    for _ in range(50):
        t1, image1 = screenshot()
        p1 = find_resolution_ball(image1)
        t2, image2 = screenshot()
        p2 = find_resolution_ball(image2)
        if not p1 or not p2 or abs(p2[0] - p1[0]) > 80 or abs(p2[1] - p1[1]) > 80:
            time.sleep(0.1)
            continue
        speed = ((p2[0] - p1[0]) / (t2 - t1), (p2[1] - p1[1]) / (t2 - t1))
        ahead = time.monotonic() + 0.03 - t2
        x = int(p2[0] + speed[0] * ahead)
        y = int(p2[1] + speed[1] * ahead)
        subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"], check=True)
        print("clicked %d,%d" % (x, y))
        return 0
    return 1


sys.exit(main())
