#!/usr/bin/env python3
# Checks a screenshot of the About window pixel by pixel: the client area is
# pale green everywhere but the texts, the button and the picture; no white
# shows behind the texts; the heading is black and underlined, the notice is
# three blue lines; the picture sits at (142, 55) and equals bitmap 101.
# At another scale (DPI, 96 when not given) every box, length and area grows
# with it, and the picture is bitmap 101 resampled smoothly.
# Usage: about_pixels.py SHOT.ppm X Y WIDTH HEIGHT PICTURE.bmp [DPI]
import sys

from image_files import read_bmp24, read_ppm

# The window's look at 96 dpi, in client coordinates.
BACKGROUND = (177, 232, 179)
HEADING_BLACK = (0, 0, 0)
NOTICE_BLUE = (0, 51, 255)
HEADING_BOX = (90, 20, 280, 20)
NOTICE_BOX = (20, 150, 380, 80)
BUTTON_BOX = (150, 210, 100, 32)
PICTURE_AT = (142, 55)
PICTURE_SIZE = (110, 83)
DESIGN_DPI = 96

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


def scaled(length, dpi):
    """A 96-dpi length at dpi, rounded half away from zero as Windows' MulDiv does."""
    magnitude = (abs(length) * dpi + DESIGN_DPI // 2) // DESIGN_DPI
    return magnitude if length >= 0 else -magnitude


def scaled_box(box, dpi):
    return tuple(scaled(v, dpi) for v in box)


def area_resampled(rows, width, height, target_width, target_height):
    """The picture at another size, each target pixel the area-weighted mean of
    the source pixels it covers: the smooth resampling to compare with."""

    def spans(source, target):
        result = []
        for t in range(target):
            start, end = t * source / target, (t + 1) * source / target
            weights = []
            i = int(start)
            while i < end and i < source:
                weights.append((i, min(end, i + 1) - max(start, i)))
                i += 1
            result.append(weights)
        return result

    columns, lines = spans(width, target_width), spans(height, target_height)
    out = []
    for line in lines:
        row = []
        for column in columns:
            total = [0.0, 0.0, 0.0]
            weight_sum = 0.0
            for sy, wy in line:
                for sx, wx in column:
                    weight = wx * wy
                    weight_sum += weight
                    for c in range(3):
                        total[c] += rows[sy][sx][c] * weight
            row.append(tuple(v / weight_sum for v in total))
        out.append(row)
    return out


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
    dpi = int(sys.argv[7]) if len(sys.argv) > 7 else DESIGN_DPI
    scale = dpi / DESIGN_DPI
    heading_box, notice_box = scaled_box(HEADING_BOX, dpi), scaled_box(NOTICE_BOX, dpi)
    button_box = scaled_box(BUTTON_BOX, dpi)
    shot = Shot(shot_path)
    left, top, client_width, client_height = find_client(shot, x, y, width, height)
    print(f"client area at ({left}, {top}), {client_width} x {client_height}")
    check(left > x and top > y + 10, "the window has a frame and a title bar above the client area")
    check(left - x == (x + width) - (left + client_width), "the frame is as wide on the left as on the right")

    picture_width, picture_height, picture = read_bmp_rows(picture_path)
    picture_box = scaled_box((PICTURE_AT[0], PICTURE_AT[1], picture_width, picture_height), dpi)
    check((picture_width, picture_height) == PICTURE_SIZE, f"bitmap 101 is 110 x 83, not {picture_width} x {picture_height}")

    counts = {"stray": 0, "white": 0, "heading dark": 0, "notice blue": 0, "heading exact": 0, "notice exact": 0, "button green": 0, "button dark": 0}
    heading_dark_rows = {}
    notice_rows = set()
    notice_right = 0
    for cy in range(client_height):
        for cx in range(client_width):
            colour = shot.at(left + cx, top + cy)
            if inside(button_box, cx, cy):
                counts["button green"] += colour == BACKGROUND
                counts["button dark"] += is_dark(colour)
                continue
            if inside(picture_box, cx, cy):
                continue
            counts["white"] += is_white(colour)
            if inside(heading_box, cx, cy):
                counts["heading exact"] += colour == HEADING_BLACK
                if is_dark(colour):
                    counts["heading dark"] += 1
                    heading_dark_rows[cy] = heading_dark_rows.get(cy, 0) + 1
            elif inside(notice_box, cx, cy):
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
    # Lengths grow with the scale, areas with its square.
    area = scale * scale
    check(counts["heading dark"] >= 300 * area, "the heading shows black text")
    widest_heading_row = max(heading_dark_rows.values(), default=0)
    print(f"heading: widest dark row {widest_heading_row} px, dark rows {min(heading_dark_rows, default=0)} to {max(heading_dark_rows, default=0)}")
    check(widest_heading_row >= 150 * scale, f"the heading is underlined (widest dark row {widest_heading_row} px)")
    bands = rows_to_bands(notice_rows)
    print("notice lines (client rows):", bands)
    check(len(bands) == 3, f"the notice shows three lines, not {len(bands)}")
    check(notice_right < client_width - 2, "the notice's lines end inside the window")
    check(counts["notice blue"] >= 600 * area, "the notice is drawn in blue")
    check(counts["notice exact"] >= 100 * area, "the notice's text colour is RGB(0, 51, 255)")
    check(counts["heading exact"] >= 100 * area, "the heading's text colour is black")
    button_area = button_box[2] * button_box[3]
    check(counts["button green"] < button_area // 10, "the button is drawn over its whole box")
    check(counts["button dark"] >= 50 * area, "the button shows its caption")
    # The texts fit: each notice line is as tall as the font or more, and the
    # three lines end inside their box.
    if bands:
        check(bands[-1][1] < notice_box[1] + notice_box[3], "the notice's last line ends inside its box")
        tallest = max(end - start + 1 for start, end in bands)
        check(tallest >= 10 * scale, f"the notice's lines are {tallest} px tall, too small for the scale")

    px0, py0, box_width, box_height = picture_box
    drawn = [[shot.at(left + px0 + px, top + py0 + py) for px in range(box_width)] for py in range(box_height)]
    if (box_width, box_height) == (picture_width, picture_height):
        mismatched = sum(drawn[py][px] != picture[py][px] for py in range(box_height) for px in range(box_width))
        check(mismatched == 0, f"{mismatched} pixels of the picture at ({px0}, {py0}) differ from bitmap 101")
    else:
        # Smooth: close to the area-weighted resampling everywhere, and many
        # colours that the bitmap itself does not hold (a nearest-pixel copy
        # only repeats the bitmap's own colours, in blocks).
        reference = area_resampled(picture, picture_width, picture_height, box_width, box_height)
        differences = [abs(drawn[py][px][c] - reference[py][px][c]) for py in range(box_height) for px in range(box_width) for c in range(3)]
        mean_difference = sum(differences) / len(differences)
        source_colours = {colour for row in picture for colour in row}
        new_colours = sum(colour not in source_colours for row in drawn for colour in row)
        new_share = new_colours / (box_width * box_height)
        print(f"picture at ({px0}, {py0}), {box_width} x {box_height}: mean difference from the smooth resampling {mean_difference:.2f}, share of colours not in the bitmap {new_share:.2f}")
        check(mean_difference < 3, f"the picture at ({px0}, {py0}) is not bitmap 101 scaled to {box_width} x {box_height}")
        check(new_share > 0.15, "the picture is not resampled smoothly (it repeats the bitmap's own pixels)")

    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
