# Reading the images the end-to-end checks compare: screenshots saved as
# binary PPM, and the program's own 24-bit bitmaps.
import struct


def read_ppm(path):
    """Width, height and the RGB bytes of an 8-bit binary PPM (P6)."""
    data = open(path, "rb").read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos : pos + 1].isspace():
            pos += 1
        if data[pos : pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end : end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise SystemExit(f"{path}: not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1 : pos + 1 + width * height * 3]


def read_bmp24(path):
    """Width, height (negative when rows run top first), row stride, pixel
    offset and the file's bytes of a 24-bit bitmap; pixels are blue, green, red."""
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 24:
        raise SystemExit(f"{path}: not a 24-bit bitmap")
    return width, height, (width * 3 + 3) & ~3, offset, data
