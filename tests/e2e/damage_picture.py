#!/usr/bin/env python3
# Writes a damaged copy of a picture file, for test builds that carry it.
#   damage_picture.py IN OUT cut|flip|text
#     cut   the first 40 % of the file, as a download or a disk cut it short
#     flip  every byte of 256 in the middle inverted, as a bad sector leaves it
#     text  a line of text in place of the picture
import sys


def main(argv):
    if len(argv) != 4 or argv[3] not in ("cut", "flip", "text"):
        raise SystemExit("usage: damage_picture.py IN OUT cut|flip|text")
    data = bytearray(open(argv[1], "rb").read())
    mode = argv[3]
    if mode == "cut":
        data = data[: len(data) * 2 // 5]
    elif mode == "flip":
        middle = len(data) // 2
        for i in range(middle, middle + 256):
            data[i] ^= 0xFF
    else:
        data = bytearray(b"This is not a picture.\n")
    open(argv[2], "wb").write(data)


if __name__ == "__main__":
    main(sys.argv)
