#!/usr/bin/env python3
# Checks screenshots of the water scene for what a working renderer shows and
# a broken one lacks.
#
#   scene_pixels.py look FIRST.ppm SECOND.ppm
#       each frame is not uniform and has warm bright lines (the brightest
#       pixels stand well above the median, yellow-white: red and green well
#       above blue, red not below green by more than a few levels, as the
#       picture behind may lean to green); the caustics move between the
#       frames, red more than green more than blue
#   scene_pixels.py shows DARKEST.ppm INDEX|any PICTURE0.bmp ... PICTURE7.bmp
#       the background is picture INDEX (or clearly one of the eight), framed
#       as the shader frames it
#   scene_pixels.py fade FROM.bmp TO.bmp SHOT.ppm...
#       shots taken in turn through a cross-fade: the share of TO grows from
#       the first shot to the last, and at least one shows a mix of both
#       pictures, each with a real share
#
# DARKEST is the pixel-wise minimum of a few frames: the caustics only add
# light, so their least is nearly even and the picture shows through it.
import sys

from image_files import read_bmp24, read_ppm

# What a frame must show.
MIN_LUMA_SPREAD = 12.0  # standard deviation of luminance, in 8-bit levels
BRIGHTEST_SHARE = 0.01  # the share of pixels counted as the bright lines
MIN_LINE_LIFT = 40.0  # their luminance above the median
MIN_WARM_STEP = 20.0  # mean red and green over blue in the bright lines
RED_GREEN_SLACK = 8.0  # how far red may fall short of green there
# What moves between two frames.
CHANGE_LEVEL = 8  # a pixel changed when a channel moved more than this
MIN_CHANGED_SHARE = 0.05
# Telling the background apart: luminance of blocks of the screen, compared
# with the same blocks of a picture.
BLOCKS = (32, 18)  # columns x rows on a landscape screen, turned for portrait
SAMPLE_STEP = 4  # pixels between samples of the screen in each axis
MIN_MATCH = 0.5  # correlation with the picture shown
MIN_MARGIN = 0.2  # over the best of the other pictures
MIN_BLEND_SHARE = 0.2  # of each picture in a cross-fade
MIN_FADE_RISE = 0.4  # the incoming picture's share, last shot over first
# Where the least caustics leave the background lookup: 0.02 x res, with res at
# its floor of 0.352 (the lookup moves towards the lower left where it is bright).
LEAST_DISPLACEMENT = 0.02 * 0.352


def luma(r, g, b):
    return 0.299 * r + 0.587 * g + 0.114 * b


def check_frame(path, failures):
    width, height, pixels = read_ppm(path)
    count = width * height
    lumas = [luma(pixels[i], pixels[i + 1], pixels[i + 2]) for i in range(0, count * 3, 3)]
    mean = sum(lumas) / count
    spread = (sum((v - mean) ** 2 for v in lumas) / count) ** 0.5
    order = sorted(range(count), key=lumas.__getitem__)
    median = lumas[order[count // 2]]
    brightest = order[-max(1, int(count * BRIGHTEST_SHARE)) :]
    r, g, b = (sum(pixels[3 * i + c] for i in brightest) / len(brightest) for c in range(3))
    lift = sum(lumas[i] for i in brightest) / len(brightest) - median
    print(f"{path}: {width}x{height}, luminance spread {spread:.1f}, median {median:.0f}, "
          f"bright lines {lift:.0f} above it with mean colour ({r:.0f}, {g:.0f}, {b:.0f})")
    if spread < MIN_LUMA_SPREAD:
        failures.append(f"{path}: nearly uniform (spread {spread:.1f})")
    if lift < MIN_LINE_LIFT:
        failures.append(f"{path}: no bright lines ({lift:.0f} above the median)")
    # Red and green both reach 255 where the lines are brightest, so red need
    # not stay above green there; the tint shows against blue.
    if not (r >= g - RED_GREEN_SLACK and min(r, g) - b >= MIN_WARM_STEP):
        failures.append(f"{path}: bright lines not warm ({r:.0f}, {g:.0f}, {b:.0f})")
    return width, height, pixels


def check_motion(first, second, failures):
    (w1, h1, p1), (w2, h2, p2) = first, second
    if (w1, h1) != (w2, h2):
        failures.append("the two frames differ in size")
        return
    changed = 0
    moved = [0, 0, 0]
    for i in range(0, w1 * h1 * 3, 3):
        deltas = [abs(p1[i + c] - p2[i + c]) for c in range(3)]
        if max(deltas) > CHANGE_LEVEL:
            changed += 1
        for c in range(3):
            moved[c] += deltas[c]
    share = changed / (w1 * h1)
    r, g, b = (m / (w1 * h1) for m in moved)
    print(f"between the frames {share:.1%} of the pixels changed; "
          f"mean change per channel ({r:.1f}, {g:.1f}, {b:.1f})")
    if share < MIN_CHANGED_SHARE:
        failures.append(f"the caustics do not move ({share:.1%} of the pixels changed)")
    if not (r > g > b):
        failures.append("what moves between the frames is not warm-tinted")


def block_grid(width, height):
    return BLOCKS if width >= height else (BLOCKS[1], BLOCKS[0])


def screen_blocks(path):
    width, height, pixels = read_ppm(path)
    columns, rows = block_grid(width, height)
    sums = [0.0] * (columns * rows)
    counts = [0] * (columns * rows)
    for y in range(0, height, SAMPLE_STEP):
        row = y * rows // height
        for x in range(0, width, SAMPLE_STEP):
            i = 3 * (y * width + x)
            block = row * columns + x * columns // width
            sums[block] += luma(pixels[i], pixels[i + 1], pixels[i + 2])
            counts[block] += 1
    return width, height, [s / n for s, n in zip(sums, counts)]


def read_bmp(path):
    width, height, stride, offset, data = read_bmp24(path)
    if height <= 0:
        raise SystemExit(f"{path}: not a bottom-up 24-bit bitmap")
    return width, height, stride, offset, data


def picture_blocks(path, width, height):
    """The picture's luminance over the same blocks, where the shader looks it
    up: a screen pixel f (origin at the lower left) reads the picture at
    f / (width x long side / short side), both axes alike, then repeats."""
    pw, ph, stride, offset, data = read_bmp(path)
    scale = 1.0 / (width * max(width / height, height / width))
    columns, rows = block_grid(width, height)
    sums = [0.0] * (columns * rows)
    counts = [0] * (columns * rows)
    for y in range(0, height, SAMPLE_STEP):
        row = y * rows // height
        from_bottom = height - 1 - y
        v = (from_bottom + 0.5) * scale - LEAST_DISPLACEMENT
        line = offset + (int(v * ph) % ph) * stride
        for x in range(0, width, SAMPLE_STEP):
            u = (x + 0.5) * scale - LEAST_DISPLACEMENT
            i = line + (int(u * pw) % pw) * 3
            block = row * columns + x * columns // width
            sums[block] += luma(data[i + 2], data[i + 1], data[i])
            counts[block] += 1
    return [s / n for s, n in zip(sums, counts)]


def correlation(xs, ys):
    mx, my = sum(xs) / len(xs), sum(ys) / len(ys)
    sxy = sum((x - mx) * (y - my) for x, y in zip(xs, ys))
    sxx = sum((x - mx) ** 2 for x in xs)
    syy = sum((y - my) ** 2 for y in ys)
    return sxy / max(1e-9, (sxx * syy) ** 0.5)


def check_shows(path, index, pictures, failures):
    width, height, screen = screen_blocks(path)
    scores = [correlation(screen, picture_blocks(p, width, height)) for p in pictures]
    print(f"{path}: match with pictures 0-7: " + " ".join(f"{s:.2f}" for s in scores))
    if index is None:
        index = max(range(len(scores)), key=scores.__getitem__)
        print(f"{path}: shows picture {index}")
    others = max(s for k, s in enumerate(scores) if k != index)
    if scores[index] < MIN_MATCH or scores[index] < others + MIN_MARGIN:
        failures.append(f"{path}: does not show picture {index} as framed "
                        f"({scores[index]:.2f}, best other {others:.2f})")


def blend_weights(path, source, target):
    """Least squares of screen = c + ws source + wt target over the blocks,
    on values centred at their means."""
    width, height, screen = screen_blocks(path)
    a = picture_blocks(source, width, height)
    b = picture_blocks(target, width, height)
    n = len(screen)
    ma, mb, ms = sum(a) / n, sum(b) / n, sum(screen) / n
    a = [v - ma for v in a]
    b = [v - mb for v in b]
    s = [v - ms for v in screen]
    saa = sum(x * x for x in a)
    sbb = sum(y * y for y in b)
    sab = sum(x * y for x, y in zip(a, b))
    sas = sum(x * z for x, z in zip(a, s))
    sbs = sum(y * z for y, z in zip(b, s))
    det = saa * sbb - sab * sab
    return (sas * sbb - sbs * sab) / det, (sbs * saa - sas * sab) / det


# Each shot is judged alone: a least of several frames would mix moments of
# the fade, and the caustics move too little between shots taken this close.
def check_fade(source, target, shots, failures):
    shares = []
    mixed = False
    for path in shots:
        ws, wt = blend_weights(path, source, target)
        total = ws + wt
        share = wt / total if total > 0 else 0.0
        print(f"{path}: weights of the two pictures {ws:.2f} and {wt:.2f}")
        shares.append(share)
        mixed = mixed or (total > 0 and min(ws, wt) / total >= MIN_BLEND_SHARE)
    if shares[-1] - shares[0] < MIN_FADE_RISE:
        failures.append(f"the incoming picture's share went from {shares[0]:.2f} "
                        f"to {shares[-1]:.2f}: no cross-fade")
    if not mixed:
        failures.append("no shot shows a mix of both pictures")


def main(argv):
    failures = []
    command = argv[1] if len(argv) > 1 else ""
    if command == "look" and len(argv) == 4:
        first = check_frame(argv[2], failures)
        second = check_frame(argv[3], failures)
        check_motion(first, second, failures)
    elif command == "shows" and len(argv) == 12:
        index = None if argv[3] == "any" else int(argv[3])
        check_shows(argv[2], index, argv[4:], failures)
    elif command == "fade" and len(argv) >= 6:
        check_fade(argv[2], argv[3], argv[4:], failures)
    else:
        print("usage: see the opening lines of scene_pixels.py", file=sys.stderr)
        return 2
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
