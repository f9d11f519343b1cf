#!/usr/bin/env python3
"""The report's bytes against Python's GB 18030 encoder.

every-character COMMAND...: for every code point from U+0080 on, what report_bytes_dump.cpp prints
    must be 936's own bytes where 936 has it, else GB 18030's ('?' for a surrogate).
saved REPORT PANE: the report reads as GB 18030 the pane (UTF-8), its first line in 936.
"""
import subprocess
import sys


def every_character(*command):
    lines = subprocess.run(command, check=True, stdout=subprocess.PIPE).stdout.splitlines()
    for code_point, line in enumerate(lines, 0x80):
        fields = line.decode().split(" ")
        own = fields[2] if len(fields) > 2 else chr(code_point).encode("gb18030", "replace").hex()
        if fields[0] != f"{code_point:04X}" or fields[1] != own.upper():
            return f"U+{code_point:04X}: the report has {fields[1]}, expected {own.upper()}"
    return None if len(lines) == 0x110000 - 0x80 else f"only {len(lines)} code points printed"


def saved(report_path, pane_path):
    with open(report_path, "rb") as report, open(pane_path, "rb") as pane:
        report, pane = report.read(), pane.read().decode()
    if report.decode("gb18030", "replace") != pane:
        return f"{report_path} does not read as GB 18030 to the pane"
    if not report.startswith(pane.split("\r\n")[0].encode("gbk")):
        return f"{report_path} does not begin with its first line in code page 936"
    return None


sys.exit({"every-character": every_character, "saved": saved}[sys.argv[1]](*sys.argv[2:]))
