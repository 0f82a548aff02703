#!/usr/bin/env python3
"""Writes the golden pages of tests/html and the chart files they are generated from.

This is a second, independent description of the page, kept deliberately plain: each golden
NAME.html is what "Generate Chart" must write for the chart NAME.kpv. The C++ tests load each
NAME.kpv, generate its page and compare the bytes. Run it again only after checking by hand
that a change to the page is meant:  python3 tests/html/golden/make_goldens.py
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent

BOXES = range(188, 286)
NARROW = range(195, 202)


class Chart:
    def __init__(self):
        self.lines = {b: ["", "", ""] for b in BOXES}
        self.flags = {b: [[0, 0, 0], [0, 0, 0], [0, 0, 0]] for b in BOXES}  # bold, italic, under
        self.colour = {b: (0, 0, 0) for b in BOXES}
        self.h = {h: 0 for h in range(0, 84)}
        self.v = {v: 0 for v in range(90, 181)}

    def box(self, b, lines=("", "", ""), codes=("000", "000", "000"), colour=(0, 0, 0)):
        self.lines[b] = (list(lines) + ["", "", ""])[:3]
        self.flags[b] = [[int(c) for c in code] for code in codes]
        self.colour[b] = colour


def box_of(row, column):
    return 188 + 7 * row + column


# ---- the chart file, as the editor saves it ------------------------------------------------

def chart_file(chart):
    out = ["[KPVV10]", ";Brondel file.", "[Common Settings]", "Last Project Dir = ",
           "[Raw Chart Text]"]
    for n in range(3):
        out += [f"L{n + 1}-{b} = {chart.lines[b][n]}" for b in BOXES]
    out.append("[Raw Chart Text Styles]")
    for n in range(3):
        out += [f"S{n + 1}-{b} = " + "".join(str(f) for f in chart.flags[b][n]) for b in BOXES]
    out.append("[Raw Chart Box Colors]")
    for n in range(3):
        out += [f"C{n + 1}-{b} = {chart.colour[b][n]}" for b in BOXES]
    out.append("[Raw Chart CheckBox Horizontally]")
    out += [f"H-{h} = {chart.h[h]}" for h in range(0, 84)]
    out.append("[Raw Chart CheckBox Vertically]")
    out += [f"V-{v} = {chart.v[v]}" for v in range(90, 181)]
    return ("\r\n".join(out) + "\r\n").encode("utf-8")


# ---- the page -------------------------------------------------------------------------------

def img(name):
    return f"<img src=gfx/strek_{name}.gif>"


# (L, R, U, D) -> (standard, narrow), in the order of the image table.
JUNCTIONS = {
    (0, 0, 0, 1): ("upmiddle_av", "upmiddle2_av"),
    (0, 0, 1, 0): ("downmiddle_av", "downmiddle2_av"),
    (0, 0, 1, 1): ("middleup", "middleup2"),
    (0, 1, 0, 0): ("rightmiddle_av", "rightmiddle2_av"),
    (0, 1, 0, 1): ("leftmiddlestop", "rightmiddlestop4"),
    (0, 1, 1, 0): ("rightmiddlestop2", "rightmiddlestop3"),
    (0, 1, 1, 1): ("downmiddleup", "rightdownmiddleup"),
    (1, 0, 0, 0): ("leftmiddle_av", "leftmiddle2_av"),
    (1, 0, 0, 1): ("rightmiddlestop", "leftmiddlestop2"),
    (1, 0, 1, 0): ("leftmiddlestop3", "leftmiddlestop4"),
    (1, 0, 1, 1): ("downmiddleup2", "leftdownmiddleup"),
    (1, 1, 0, 0): ("middle2", "middle3"),
    (1, 1, 0, 1): ("leftmiddleleft", "leftmiddleleft4"),
    (1, 1, 1, 0): ("leftmiddleleft2", "leftmiddleleft3"),
    (1, 1, 1, 1): ("centercross", "centercross2"),
}

STYLED = {  # code -> (open, close of line 3)
    "100": ("<B>", "</B>"), "010": ("<I>", "</I>"), "001": ("<U>", "</U>"),
    "110": ("<B><I>", "</I></B>"), "111": ("<B><I><U>", "</U></I></B>"),
    "101": ("<B><U>", "</U></B>"), "011": ("<I><U>", "</U></I>"),
}


def has_text(chart, b):
    return any(chart.lines[b])


def colour_text(chart, b):
    text = ""
    for value in chart.colour[b]:
        digits = "%X" % (value & 0xFFFFFFFF)
        text += "0" + digits if len(digits) == 1 else digits
    return "FFFFFF" if text == "000000" else text


def escape(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;"))


def tags(chart, b, n):
    code = "".join(str(f) for f in chart.flags[b][n])
    if code in STYLED:
        opening, closing = STYLED[code]
        return opening, closing + ("<BR>" if n < 2 else "")
    if n < 2 and has_text(chart, b):
        return "", "<BR>"
    return "", ""


def side(value):
    return {0: 0, 1: 1}.get(value)  # None: neither on nor off


def junction(chart, b):
    row, column = (b - 188) // 7, (b - 188) % 7
    sides = (
        side(chart.h[6 * row + column - 1]) if column > 0 else 0,
        side(chart.h[6 * row + column]) if column < 6 else 0,
        side(chart.v[90 + 7 * (row - 1) + column]) if row > 0 else 0,
        side(chart.v[90 + 7 * row + column]) if row < 13 else 0,
    )
    if None in sides or sides == (0, 0, 0, 0):
        return ""
    return img(JUNCTIONS[sides][1 if b in NARROW else 0])


def connector_image(chart, h):
    if chart.h[h] != 1:
        return ""
    narrow_line = 6 <= h <= 11 and any(not has_text(chart, b) for b in NARROW)
    return img("middlehori2" if narrow_line else "middlehori")


def box_cell(chart, b):
    narrow = b in NARROW
    if has_text(chart, b):
        lead, close = "<font face=verdana size=1>", "</font>"
    else:
        lead, close = junction(chart, b), ""
    content = lead
    for n in range(1 if narrow else 3):
        opening, closing = tags(chart, b, n)
        content += opening + escape(chart.lines[b][n]) + closing
    height = 20 if narrow else 40
    return (f"<td bgcolor=#{colour_text(chart, b)} valign=center align=center nowrap "
            f"width=150 height={height}>{content}{close}</td>")


def page(chart):
    out = ["<html>", "", "<HEAD>", "</HEAD>", "", "<body bgcolor=#FFFFFF text=#000000>",
           "<table valign=center border=0 cellspacing=0 cellpadding=0 width=1110>"]
    for row in range(14):
        height = 20 if row == 1 else 40
        out.append("<tr>")
        for column in range(7):
            if column > 0:
                out.append("<td bgcolor=#FFFFFF valign=center align=center nowrap width=10 "
                           f"height={height}>{connector_image(chart, 6 * row + column - 1)}"
                           "<br></td>")
            out.append(box_cell(chart, box_of(row, column)))
        out += ["</tr>", ""]
        if row == 13:
            break
        out.append("<tr>")
        for column in range(7):
            v = 90 + 7 * row + column
            out.append("<td bgcolor=#FFFFFF valign=center align=center nowrap width=150 "
                       f"height=8>{img('middle') if chart.v[v] == 1 else ''}</td>")
            if column < 6:
                out.append("<td bgcolor=#FFFFFF valign=center align=center nowrap width=10 "
                           "height=8><img src=gfx/strek_middlehori_tom.gif></td>")
        out += ["</tr>", ""]
    out += ["</table>", "</body>", "</html>"]
    assert len(out) == 442
    data = ("\r\n".join(out) + "\r\n").encode("utf-8")
    if any(byte >= 128 for byte in data):
        data = b"\xef\xbb\xbf" + data
    return data


# ---- the charts -----------------------------------------------------------------------------

def empty():
    return Chart()


def examples():
    c = Chart()
    # The two worked examples: Board and Chair in row 4; an uncoloured empty Box beside it.
    c.box(box_of(4, 3), ("Board", "", "Chair"), ("100", "000", "010"), (255, 0, 0))
    # Text in line 3 only; colours that show the two-digit rule, black and a component > 255.
    c.box(box_of(2, 0), ("", "", "Third"), colour=(16, 255, 10))
    c.box(box_of(2, 1), ("Black",), colour=(0, 0, 0))
    c.box(box_of(2, 2), ("Almost", "black"), colour=(0, 0, 1))
    c.box(box_of(2, 3), ("Small",), colour=(1, 2, 3))
    c.box(box_of(2, 4), ("Wide", "red"), colour=(256, 0, 4095))
    # An empty Box whose first line is bold gets the tags without text.
    c.box(box_of(6, 6), codes=("100", "000", "111"), colour=(200, 200, 200))
    # Every style on lines 1 to 3 of one Box each.
    for column, (a, b, d) in enumerate([("100", "010", "001"), ("110", "111", "101"),
                                        ("011", "000", "110"), ("001", "100", "011")]):
        c.box(box_of(8, column), ("One", "Two", "Three"), (a, b, d), (227, 222, 188))
    # Flags outside 0 and 1: treated as unstyled.
    c.box(box_of(8, 5), ("Two", "Nine", "Minus"), ("200", "090", "001"))
    c.flags[box_of(8, 6)] = [[2, 0, 0], [0, 0, 0], [0, 0, 0]]
    # Every narrow Box holds text (one only in line 2): the narrow row keeps the standard line.
    for b in NARROW:
        c.box(b, (f"N{b}",), ("001", "000", "000"), (255, 255, 204))
    c.box(199, ("", "hidden", "hidden too"), ("100", "000", "000"))
    c.h[7] = 1
    c.h[9] = 1
    # Two text Boxes joined in row 5; a line end at an empty Box next to a text Box.
    c.box(box_of(5, 0), ("Left",))
    c.box(box_of(5, 1), ("Right",))
    c.h[6 * 5 + 0] = 1
    c.h[6 * 5 + 1] = 1
    # Connector values other than 0 and 1: no image in the cell and no junction image.
    c.h[6 * 10 + 2] = 2            # right of (10, 2), left of (10, 3)
    c.v[90 + 7 * 10 + 3] = 1       # below (10, 3): (10, 3) has a side that is neither
    c.v[90 + 7 * 11 + 0] = -1      # below (11, 0)
    c.h[6 * 11 + 0] = 1            # right of (11, 0)
    # The top corners and the bottom row.
    c.h[0] = 1
    c.v[90] = 1                    # 188: right and down
    c.h[5] = 1
    c.v[96] = 1                    # 194: left and down
    c.v[90 + 7 * 12 + 2] = 1       # 282 (row 13): up only
    return c


# Fifteen side combinations, four pages: in the narrow row at columns 0, 2, 4, 6 (column 0
# has no left side, column 6 no right side) and in standard Boxes of rows 4, 7, 10 and 12.
NARROW_PAGES = [
    {0: "R", 2: "LR", 4: "LRD", 6: "L"},
    {0: "RD", 2: "LRU", 4: "LRUD", 6: "LD"},
    {0: "RU", 2: "D", 4: "U", 6: "LU"},
    {0: "RUD", 2: "UD", 6: "LUD"},
]
STANDARD_PAGES = [
    {(4, 1): "D", (4, 3): "U", (7, 5): "UD", (10, 3): "R"},
    {(4, 1): "RD", (4, 3): "RU", (7, 5): "RUD", (10, 3): "L"},
    {(4, 1): "LD", (4, 3): "LU", (7, 5): "LUD", (10, 3): "LR"},
    {(4, 1): "LRD", (4, 3): "LRU", (7, 5): "LRUD"},
]


def set_sides(c, row, column, sides):
    if "L" in sides:
        c.h[6 * row + column - 1] = 1
    if "R" in sides:
        c.h[6 * row + column] = 1
    if "U" in sides:
        c.v[90 + 7 * (row - 1) + column] = 1
    if "D" in sides:
        c.v[90 + 7 * row + column] = 1


def connectors(number):
    c = Chart()
    junctions = {(1, col): s for col, s in NARROW_PAGES[number].items()}
    junctions.update(STANDARD_PAGES[number])
    # Every other Box holds text, so each junction Box sees exactly its own sides.
    for b in BOXES:
        position = ((b - 188) // 7, (b - 188) % 7)
        if position not in junctions:
            c.box(b, (f"B{b}",), colour=(204, 230, 255))
    for (row, column), sides in junctions.items():
        set_sides(c, row, column, sides)
    return c


def escaped():
    c = Chart()
    c.box(box_of(0, 0), ('Fish & "Chips"', "<b>not bold</b>", "</td><td>"), colour=(255, 255, 0))
    c.box(box_of(0, 1), ("Ærøskøbing", "Zürich €", "日本"), ("100", "000", "000"))
    c.box(195, ("a<b>c",))
    return c


CHARTS = {
    "empty": empty(),
    "examples": examples(),
    "connectors_1": connectors(0),
    "connectors_2": connectors(1),
    "connectors_3": connectors(2),
    "connectors_4": connectors(3),
    "escaped": escaped(),
}


def main():
    for name, chart in CHARTS.items():
        (HERE / f"{name}.kpv").write_bytes(chart_file(chart))
        (HERE / f"{name}.html").write_bytes(page(chart))


if __name__ == "__main__":
    main()
