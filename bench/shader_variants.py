#!/usr/bin/env python3
"""Where the water's fragment stage spends its time: writes copies of the
reference text (bench/water_reference.frag) with one part taken out or
changed, for bench/run.sh to time side by side with the reference.

    bench/shader_variants.py OUTPUT_DIR

Writes one NAME.frag per variant and variants.txt with "NAME<TAB>what it
shows" lines, in order. A replaced line must be found exactly once, so a
change to the reference shows here at once instead of timing the wrong text.
"""
import pathlib
import sys

REFERENCE = pathlib.Path(__file__).with_name("water_reference.frag")

PATTERN_CALL = "fractVoro = fractVoronoi(uv + displacement, SIZE_MUL, ALPHA_MUL, LAYERS);"
NOISE_CALL = ("vec2 displacement = noise2_2(uv * UV_DISPLACEMENT_SIZE) * "
              "UV_DISPLACEMENT_STRENGTH;")
POWER = ("noise += pow(voronoi(p * size + offset) * alpha + VORONOI_BRIGHTNESS_ADD,\r\n"
         "                     VORONOI_NOISE_POW);")

LAYER_BODY = ("    {\r\n"
              "        vec2 cellsPerLoop = hash2_2(vec2(size, alpha)) * WATER_SPEED * size * "
              "LOOP_SECONDS;\r\n"
              "        cellsPerLoop = floor(cellsPerLoop / LATTICE + 0.5) * LATTICE;\r\n"
              "        vec2 offset = mod(cellsPerLoop * iTime / LOOP_SECONDS, LATTICE);\r\n"
              "        " + POWER + "\r\n"
              "        size *= sizeMul;\r\n"
              "        alpha *= alphaMul;\r\n"
              "    }\r\n")
LAYER_LOOP = LAYER_BODY.replace("    {\r\n", "    for (int i = 0; i < layers; i++) {\r\n", 1)

# name, what it shows, [(text in the reference, its replacement)]
VARIANTS = [
    ("reference", "the straight transcription, as it is", []),
    ("no_background", "without the two picture lookups",
     [("vec4 b = getBackground(uvt, res);", "vec4 b = vec4(0.5);")]),
    ("no_displacement", "without the displacement noise (8 sin)",
     [(NOISE_CALL, "vec2 displacement = vec2(0.0);")]),
    ("no_turn", "cell points without their turn (sin and cos of the angle)",
     [("float s = sin(angle);\r\n    float c = cos(angle);",
       "float s = 0.6 + 0.0 * angle;\r\n    float c = 0.8;")]),
    ("no_turn_speed_hash", "turns per loop from a cheap fraction instead of cellTurns",
     [("float angle = TWO_PI * fract(cellTurns(cell) * iTime / LOOP_SECONDS);",
       "float angle = TWO_PI * fract(floor(fract(cell.x * 0.37 + cell.y * 0.61) * 768.0) * "
       "iTime / LOOP_SECONDS);")]),
    ("no_point_hash", "cell points from a cheap fraction instead of hash2_2 (2 sin)",
     [("vec2 q = hash2_2(cell) - 0.5;", "vec2 q = fract(cell * vec2(0.37, 0.61)) - 0.5;")]),
    ("squared_distance", "squared distances, one sqrt per voronoi call",
     [("float minDist = 2.0;", "float minDist = 4.0;"),
      ("float d = distance(p, voronoiPointFromRoot(r, cell, angle));",
       "vec2 toPoint = p - voronoiPointFromRoot(r, cell, angle);\r\n"
       "            float d = dot(toPoint, toPoint);"),
      ("    return minDist;\r\n}", "    return sqrt(minDist);\r\n}")]),
    ("power_as_product", "pow(x, 5.0) as x * x * x * x * x",
     [(POWER, "float v = voronoi(p * size + offset) * alpha + VORONOI_BRIGHTNESS_ADD;\r\n"
              "        noise += v * v * v * v * v;")]),
    ("layers_written_out", "the loop over the four layers written out four times",
     [(LAYER_LOOP, LAYER_BODY * 4)]),
    ("one_layer", "one layer of cells instead of four",
     [(PATTERN_CALL, PATTERN_CALL.replace("LAYERS", "1"))]),
    ("pattern_never_taken", "the pattern inside an if that no pixel takes "
     "(what code that does not run still costs)",
     [(PATTERN_CALL, "fractVoro = 0.1;\r\n        if (textureTime > 100.0) {\r\n"
                     "            " + PATTERN_CALL + "\r\n        }")]),
    ("mode2_alone", "mode 2 with no pattern code in the text at all: "
     "the picture lookups and the read-back alone",
     [(NOISE_CALL, "vec2 displacement = vec2(0.0);"),
      (PATTERN_CALL, "fractVoro = uv.x;")]),
]


def main():
    out = pathlib.Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    reference = REFERENCE.read_bytes().decode("ascii")
    lines = []
    for name, meaning, changes in VARIANTS:
        text = reference
        for old, new in changes:
            if text.count(old) != 1:
                sys.exit(f"{name}: {old!r} is not in the reference exactly once")
            text = text.replace(old, new)
        (out / f"{name}.frag").write_bytes(text.encode("ascii"))
        lines.append(f"{name}\t{meaning}\n")
    (out / "variants.txt").write_text("".join(lines))


if __name__ == "__main__":
    main()
