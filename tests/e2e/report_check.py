#!/usr/bin/python3
"""Checks the record's outputs, as the end-to-end tests capture them, byte
for byte against what the rows and the moments of the test allow.

  report_check.py clipboard REPORT START END TEXT...
      REPORT is the clipboard's content; START and END (epoch seconds)
      bracket the moments the rows and the report were made; TEXT are the
      rows' event texts in order (without the time stamp).
  report_check.py file SAVED REPORT START END
      SAVED is the text file; its rows must be those of REPORT.
  report_check.py pdf PDFTEXT REPORT PAGES
      PDFTEXT is pdftotext's output of the printed job.
"""
import sys
import time

BANNER = "\u2605" * 8 + "\u3000救急外来心肺蘇生記録\u3000" + "\u2605" * 8
FOOTER = "\u2605" * 26
WEEKDAYS = "月火水木金土日"


def fail(msg):
    sys.exit("report_check: " + msg)


def moments(start, end):
    return [time.localtime(t) for t in range(int(start), int(end) + 1)]


def report_date_time(t):
    return "%d年%d月%d日(%s) %d時%d分" % (t.tm_year, t.tm_mon, t.tm_mday, WEEKDAYS[t.tm_wday], t.tm_hour, t.tm_min)


def rows_of(report):
    lines = report.split("\r\n")
    return lines[4:-3]


def check_clipboard(path, start, end, texts):
    report = open(path, "rb").read().decode("utf-8")
    stamps = {time.strftime("%m/%d %H:%M:%S", t) for t in moments(start, end)}
    dates = {"\u3000" * 14 + report_date_time(t) for t in moments(start, end)}
    lines = report.split("\r\n")
    if "\n" in report.replace("\r\n", "") or "\r" in report.replace("\r\n", ""):
        fail("a line break other than CR LF")
    if len(lines) != 7 + len(texts):
        fail("%d lines, expected %d" % (len(lines), 7 + len(texts)))
    rows = rows_of(report)
    for i, (row, text) in enumerate(zip(rows, texts)):
        if row[:14] not in stamps or row[14:] != text:
            fail("row %d is %r, expected a stamp of the test's time and %r" % (i, row, text))
    if lines[2] not in dates:
        fail("date line %r" % lines[2])
    expected = "\r\n".join([BANNER, "", lines[2], ""] + rows + ["", "", FOOTER])
    if report != expected:
        fail("report differs from the expected text")


def check_file(path, report_path, start, end):
    data = open(path, "rb").read()
    rows = rows_of(open(report_path, "rb").read().decode("utf-8"))
    for t in moments(start, end):
        header = "救急外来心肺蘇生記録" + "\u3000" * 4 + time.strftime("%Y/%m/%d %H:%M:%S", t) + "記録"
        if data == ("\r\n".join([header] + rows) + "\r\n").encode("cp932"):
            return
    fail("the file's bytes are not the header and rows in code page 932: %r" % data[:120])


def check_pdf(path, report_path, pages):
    text = open(path, encoding="utf-8").read()
    sheets = text.split("\f")[:-1]
    # The record's sheets, then the code summary's.
    if len(sheets) != pages + 1 or "振り返り" not in sheets[-1]:
        fail("%d sheets printed, expected %d and the summary's" % (len(sheets), pages))
    for i, sheet in enumerate(sheets[:-1]):
        flat = sheet.replace(" ", "").replace("\u3000", "")
        if "救急外来心肺蘇生記録" not in flat or "印刷" not in flat:
            fail("sheet %d has no title line" % (i + 1))
    flat = text.replace(" ", "").replace("\u3000", "")
    pos = 0
    for row in rows_of(open(report_path, "rb").read().decode("utf-8")):
        want = row.replace(" ", "").replace("\u3000", "")
        found = flat.find(want, pos)
        if found < 0:
            fail("row %r not printed (in order)" % row)
        pos = found + len(want)


def main(argv):
    kind = argv[1]
    if kind == "clipboard":
        check_clipboard(argv[2], float(argv[3]), float(argv[4]), argv[5:])
    elif kind == "file":
        check_file(argv[2], argv[3], float(argv[4]), float(argv[5]))
    elif kind == "pdf":
        check_pdf(argv[2], argv[3], int(argv[4]))
    else:
        fail("unknown check " + kind)


if __name__ == "__main__":
    main(sys.argv)
