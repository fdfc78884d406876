#!/usr/bin/env python3
"""One-off import of the panel glyph file from the X11 misc-fixed fonts.

The build never runs this; res/fonts/panel-glyphs.txt is the committed source.
To redo the import on Debian:

    apt-get install xfonts-base pcf2bdf
    zcat /usr/share/fonts/X11/misc/5x8.pcf.gz > 5x8.pcf && pcf2bdf -o 5x8.bdf 5x8.pcf
    zcat /usr/share/fonts/X11/misc/5x7.pcf.gz > 5x7.pcf && pcf2bdf -o 5x7.bdf 5x7.pcf
    tools/fontgen/import_bdf.py 5x8.bdf 5x7.bdf > res/fonts/panel-glyphs.txt

Each panel code takes the glyph of the Unicode character that code page 437
shows for it; 1..31 and 127 are the usual graphic symbols.
"""
import sys

# Code page 437 graphic symbols for the control codes 1..31 and 127.
CONTROL_GLYPHS = {
    0x01: 0x263A, 0x02: 0x263B, 0x03: 0x2665, 0x04: 0x2666, 0x05: 0x2663,
    0x06: 0x2660, 0x07: 0x2022, 0x08: 0x25D8, 0x09: 0x25CB, 0x0A: 0x25D9,
    0x0B: 0x2642, 0x0C: 0x2640, 0x0D: 0x266A, 0x0E: 0x266B, 0x0F: 0x263C,
    0x10: 0x25BA, 0x11: 0x25C4, 0x12: 0x2195, 0x13: 0x203C, 0x14: 0x00B6,
    0x15: 0x00A7, 0x16: 0x25AC, 0x17: 0x21A8, 0x18: 0x2191, 0x19: 0x2193,
    0x1A: 0x2192, 0x1B: 0x2190, 0x1C: 0x221F, 0x1D: 0x2194, 0x1E: 0x25B2,
    0x1F: 0x25BC, 0x7F: 0x2302,
}
# Codes shown blank whatever the source font draws there.
BLANK_CODES = {0x00, 0x20, 0xFF}
CELL_WIDTH = 5
CELL_ROWS = 8


def code_point(code):
    if code == 0:
        return 0
    if code in CONTROL_GLYPHS:
        return CONTROL_GLYPHS[code]
    return ord(bytes([code]).decode("cp437"))


def read_bdf(path):
    """Returns (ascent, notice, {code point: list of row strings top first})."""
    glyphs, ascent, notice = {}, None, None
    with open(path, encoding="latin-1") as f:
        lines = iter(f.read().splitlines())
    for line in lines:
        words = line.split()
        if not words:
            continue
        if words[0] == "FONT_ASCENT":
            ascent = int(words[1])
        elif words[0] == "COPYRIGHT":
            notice = line.split(" ", 1)[1].strip().strip('"')
        elif words[0] == "STARTCHAR":
            enc, bbx, bitmap = None, None, []
            for line in lines:
                w = line.split()
                if w[0] == "ENCODING":
                    enc = int(w[1])
                elif w[0] == "BBX":
                    bbx = [int(v) for v in w[1:5]]
                elif w[0] == "BITMAP":
                    for line in lines:
                        if line.strip() == "ENDCHAR":
                            break
                        bitmap.append(int(line.strip(), 16))
                    break
            glyphs[enc] = place(bbx, bitmap, ascent, enc, path)
    return ascent, notice, glyphs


def place(bbx, bitmap, ascent, enc, path):
    """Puts a BDF bitmap into the 5-wide cell, row 0 at the top of the ascent."""
    width, height, xoff, yoff = bbx
    cell = [["."] * CELL_WIDTH for _ in range(CELL_ROWS)]
    byte_bits = ((width + 7) // 8) * 8
    for i, bits in enumerate(bitmap):
        y = yoff + height - 1 - i
        row = ascent - 1 - y
        for j in range(width):
            if not bits >> (byte_bits - 1 - j) & 1:
                continue
            col = xoff + j
            if not (0 <= row < CELL_ROWS and 0 <= col < CELL_WIDTH):
                sys.exit(f"{path}: U+{enc:04X} has a pixel outside the cell")
            cell[row][col] = "#"
    return ["".join(r) for r in cell]


def emit_set(out, name, ascent, glyphs, path):
    out.append(f"set {name} ascent {ascent}")
    for code in range(256):
        cp = code_point(code)
        if code in BLANK_CODES:
            rows = ["." * CELL_WIDTH] * CELL_ROWS
        elif cp in glyphs:
            rows = glyphs[cp]
        else:
            sys.exit(f"{path}: no glyph for U+{cp:04X} (code 0x{code:02X})")
        out.append(f"glyph 0x{code:02X} U+{cp:04X}")
        out.extend(rows)
    out.append("")


FONTS = """\
# ALT: the user-definable characters are blank; projects define them.
font ALT.FON
face alt
module ALT
base 5x8
blank 0x08 0x0F
blank 0xE0 0xE7

# INT: the user-definable characters are blank; the codes that the panel
# shows for the yen sign and the umlauts take those glyphs.
font INT.FON
face int
module INT
base 5x8
blank 0x08 0x0F
copy 0xA5 from 0x9D
copy 0xC4 from 0x8E
copy 0xD6 from 0x99
copy 0xDC from 0x9A
copy 0xE4 from 0x84
copy 0xF6 from 0x94
copy 0xFC from 0x81

# 706: seven rows; its rules already use the code page 437 positions.
font 706.FON
face 706
module 706
base 5x7
"""


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: import_bdf.py 5x8.bdf 5x7.bdf")
    sets = []
    notice = None
    for path, name in zip(sys.argv[1:], ("5x8", "5x7")):
        ascent, set_notice, glyphs = read_bdf(path)
        notice = notice or set_notice
        sets.append((name, ascent, glyphs, path))
    out = [
        "# Panel glyphs: the source of ALT.FON, INT.FON and 706.FON.",
        "#",
        "# Origin: the X11 \"misc-fixed\" fonts 5x8 and 5x7 (ISO 10646 encoding),",
        "# as packaged in Debian's xfonts-base, imported once by",
        "# tools/fontgen/import_bdf.py. Their notice:",
        f"#   {notice}",
        "#",
        "# Each glyph of a set is the line 'glyph 0xNN U+XXXX' (panel code and the",
        "# character code page 437 shows there) and 8 rows of 5 pixels, '#' lit,",
        "# '.' dark. Codes 0x00, 0x20 and 0xFF are blank. A font section names its",
        "# file, face, module name and base set, then its changes to the base.",
        "",
        f"notice {notice}",
        "",
    ]
    for s in sets:
        emit_set(out, *s)
    out.append(FONTS.rstrip("\n"))
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
