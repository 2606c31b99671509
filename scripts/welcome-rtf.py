#!/usr/bin/env python3
"""Turns a welcome note written in a few plain-text marks into an RTF
description file the way WordPad writes one for a Chinese page.

    welcome-rtf.py NOTE.txt OUT.rtf

Marks, one per line (UTF-8):
    # text     the title: bold, 18 points
    ## text    a heading: bold, 14 points
    - text     a bullet
    text       a paragraph
    (blank)    an empty line

The output starts like the program's own template (code page 936, the font
宋体 with charset 134, 10-point body text) so the rich-text editor, WordPad and
Word all open it the same way. Chinese is written as \\'xx GBK bytes; any
character GBK lacks goes out as \\uN? so nothing is lost.
"""
import sys

HEADER = (
    "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
    "{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"
    "{\\f1\\fnil\\fcharset2 Symbol;}}\n"
    "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs20 "
)
BULLET = "{\\pntext\\f1\\'B7\\tab}"
BULLET_FORMAT = "{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-360\\li720 "


def escape(text):
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) < 0x80:
            out.append(ch)
        else:
            try:
                out.extend("\\'%02x" % b for b in ch.encode("gbk"))
            except UnicodeEncodeError:
                code = ord(ch)
                if code > 0xFFFF:
                    raise SystemExit("no character outside the BMP, please: %r" % ch)
                out.append("\\u%d?" % (code - 0x10000 if code > 0x7FFF else code))
    return "".join(out)


def convert(lines):
    body = []
    in_list = False
    for raw in lines:
        line = raw.rstrip("\n")
        if line.startswith("- "):
            # The first bullet sets the list format; the following ones only
            # repeat the marker, as WordPad does.
            body.append(BULLET + ("" if in_list else BULLET_FORMAT) + escape(line[2:]) + "\\par\n")
            in_list = True
            continue
        if in_list:
            body.append("\\pard ")
            in_list = False
        if line.startswith("## "):
            body.append("\\sb120\\b\\fs28 " + escape(line[3:]) + "\\b0\\fs20\\par\n\\pard ")
        elif line.startswith("# "):
            body.append("\\qc\\b\\fs36 " + escape(line[2:]) + "\\b0\\fs20\\par\n\\pard ")
        else:
            body.append(escape(line) + "\\par\n")
    if in_list:
        body.append("\\pard ")
    return HEADER + "".join(body) + "}\n"


def main():
    if len(sys.argv) != 3:
        raise SystemExit("usage: welcome-rtf.py NOTE.txt OUT.rtf")
    with open(sys.argv[1], encoding="utf-8") as note:
        rtf = convert(note.readlines())
    with open(sys.argv[2], "w", encoding="ascii", newline="\n") as out:
        out.write(rtf)


if __name__ == "__main__":
    main()
