#!/usr/bin/env python3
# Checks a screenshot of the About window pixel by pixel: the client area is
# pale green everywhere but the texts, the button and the picture; no white
# shows behind the texts; the heading is black and underlined, the notice is
# three blue lines; the picture sits at (142, 55) and equals bitmap 101.
# Usage: about_pixels.py SHOT.ppm X Y WIDTH HEIGHT PICTURE.bmp
import sys

from image_files import read_bmp24, read_ppm

# The window's look, in client coordinates.
BACKGROUND = (177, 232, 179)
HEADING_BLACK = (0, 0, 0)
NOTICE_BLUE = (0, 51, 255)
HEADING_BOX = (90, 20, 280, 20)
NOTICE_BOX = (20, 150, 380, 80)
BUTTON_BOX = (150, 210, 100, 32)
PICTURE_AT = (142, 55)
PICTURE_SIZE = (110, 83)

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def read_bmp_rows(path):
    width, height, stride, offset, data = read_bmp24(path)
    rows = []
    for row in range(abs(height)):
        source = height - 1 - row if height > 0 else row
        start = offset + source * stride
        rows.append([(data[start + 3 * x + 2], data[start + 3 * x + 1], data[start + 3 * x]) for x in range(width)])
    return width, abs(height), rows


class Shot:
    def __init__(self, path):
        self.width, self.height, self.pixels = read_ppm(path)

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i : i + 3])


def is_notice_blue(colour):
    # Blue text smoothed onto the green: blue well above red, green well below the background's.
    red, green, blue = colour
    return blue - red > 100 and green < BACKGROUND[1] - 60


def is_white(colour):
    return min(colour) >= 240


def is_dark(colour):
    return max(colour) < 90


def find_client(shot, x, y, width, height):
    """The client rectangle, measured: where the green fill starts inside the frame."""
    middle_y = y + height // 2
    left = next(i for i in range(x, x + width) if shot.at(i, middle_y) == BACKGROUND)
    right = next(i for i in range(x + width - 1, x, -1) if shot.at(i, middle_y) == BACKGROUND)
    column = left + 5
    top = next(j for j in range(y, y + height) if shot.at(column, j) == BACKGROUND)
    bottom = next(j for j in range(y + height - 1, y, -1) if shot.at(column, j) == BACKGROUND)
    return left, top, right - left + 1, bottom - top + 1


def inside(box, cx, cy):
    bx, by, bw, bh = box
    return bx <= cx < bx + bw and by <= cy < by + bh


def rows_to_bands(rows):
    bands = []
    for row in sorted(rows):
        if bands and row == bands[-1][1] + 1:
            bands[-1][1] = row
        else:
            bands.append([row, row])
    return bands


def main():
    shot_path, picture_path = sys.argv[1], sys.argv[6]
    x, y, width, height = (int(v) for v in sys.argv[2:6])
    shot = Shot(shot_path)
    left, top, client_width, client_height = find_client(shot, x, y, width, height)
    print(f"client area at ({left}, {top}), {client_width} x {client_height}")
    check(left > x and top > y + 10, "the window has a frame and a title bar above the client area")
    check(left - x == (x + width) - (left + client_width), "the frame is as wide on the left as on the right")

    picture_width, picture_height, picture = read_bmp_rows(picture_path)
    picture_box = (PICTURE_AT[0], PICTURE_AT[1], picture_width, picture_height)
    check((picture_width, picture_height) == PICTURE_SIZE, f"bitmap 101 is 110 x 83, not {picture_width} x {picture_height}")

    counts = {"stray": 0, "white": 0, "heading dark": 0, "notice blue": 0, "heading exact": 0, "notice exact": 0, "button green": 0, "button dark": 0}
    heading_dark_rows = {}
    notice_rows = set()
    notice_right = 0
    for cy in range(client_height):
        for cx in range(client_width):
            colour = shot.at(left + cx, top + cy)
            if inside(BUTTON_BOX, cx, cy):
                counts["button green"] += colour == BACKGROUND
                counts["button dark"] += is_dark(colour)
                continue
            if inside(picture_box, cx, cy):
                continue
            counts["white"] += is_white(colour)
            if inside(HEADING_BOX, cx, cy):
                counts["heading exact"] += colour == HEADING_BLACK
                if is_dark(colour):
                    counts["heading dark"] += 1
                    heading_dark_rows[cy] = heading_dark_rows.get(cy, 0) + 1
            elif inside(NOTICE_BOX, cx, cy):
                if colour != BACKGROUND:
                    notice_rows.add(cy)
                    notice_right = max(notice_right, cx)
                counts["notice blue"] += is_notice_blue(colour)
                counts["notice exact"] += colour == NOTICE_BLUE
            elif colour != BACKGROUND:
                counts["stray"] += 1
    print("counts:", counts)

    check(counts["stray"] == 0, f"{counts['stray']} pixels outside the texts, button and picture are not the pale green")
    check(counts["white"] == 0, f"{counts['white']} white pixels outside the button (white behind text?)")
    check(counts["heading dark"] >= 300, "the heading shows black text")
    widest_heading_row = max(heading_dark_rows.values(), default=0)
    check(widest_heading_row >= 150, f"the heading is underlined (widest dark row {widest_heading_row} px)")
    bands = rows_to_bands(notice_rows)
    print("notice lines (client rows):", bands)
    check(len(bands) == 3, f"the notice shows three lines, not {len(bands)}")
    check(notice_right < client_width - 2, "the notice's lines end inside the window")
    check(counts["notice blue"] >= 600, "the notice is drawn in blue")
    check(counts["notice exact"] >= 100, "the notice's text colour is RGB(0, 51, 255)")
    check(counts["heading exact"] >= 100, "the heading's text colour is black")
    button_area = BUTTON_BOX[2] * BUTTON_BOX[3]
    check(counts["button green"] < button_area // 10, "the button is drawn over its whole box")
    check(counts["button dark"] >= 50, "the button shows its caption")

    mismatched = 0
    for py in range(picture_height):
        for px in range(picture_width):
            if shot.at(left + PICTURE_AT[0] + px, top + PICTURE_AT[1] + py) != picture[py][px]:
                mismatched += 1
    check(mismatched == 0, f"{mismatched} pixels of the picture at (142, 55) differ from bitmap 101")

    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
