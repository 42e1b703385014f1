#!/usr/bin/python3
"""Reads a workbook written by tallyer-cli --xlsx back with openpyxl and checks
it against the JSON (--json) of the same run.

    workbook_check.py BOOK.xlsx RUN.json

Checks that every figure equals the JSON's, counts are numbers, durations are
numbers of days shown [h]:mm, totals are SUM formulas whose cached values are
the sums, no other cell holds a formula (texts that look like formulas are
strings), colour cells are filled for the first 1,000 distinct colours only,
and the header row is frozen with a filter on the table. Prints what differs
and exits 1, or exits 0.
"""

import datetime
import json
import re
import sys

import openpyxl
from openpyxl.utils import get_column_letter

CELL_LIMIT = 32767
MAX_FILLS = 1000
TEAM = "チーム"
TOTAL = "合計"
DURATION_FORMAT = "[h]:mm"
CATEGORY_HEADINGS = {1: [], 2: ["色"], 3: ["色", "タイプ"], 4: ["内容"]}
ESCAPE = re.compile(r"_x([0-9A-Fa-f]{4})_")

failures = []


def fail(where, message):
    failures.append(f"{where}: {message}")


def shown(value):
    """A string cell as a spreadsheet shows it: the file format's escapes decoded."""
    return ESCAPE.sub(lambda m: chr(int(m.group(1), 16)), value)


def expected_text(text):
    """A JSON text as a cell holds it: NUL shown as U+FFFD, cut at the cell's limit."""
    return (text or "").replace("\0", "\ufffd")[:CELL_LIMIT]


def minutes_of(value):
    if isinstance(value, datetime.timedelta):
        return round(value.total_seconds() / 60)
    if isinstance(value, (int, float)) and not isinstance(value, bool):
        return round(value * 1440)
    return None


class Sheet:
    """A sheet read twice: formulas as written, and the values cached with them."""

    def __init__(self, book, values, name):
        self.name = name
        self.cells = book[name]
        self.values = values[name]
        self.formulas = set()

    def where(self, row, column):
        return f"{self.name}!{get_column_letter(column)}{row}"

    def text(self, row, column, want):
        cell = self.cells.cell(row, column)
        if want == "":
            if cell.value not in (None, ""):
                fail(self.where(row, column), f"expected an empty cell, got {cell.value!r}")
            return
        if cell.data_type != "s" or not isinstance(cell.value, str):
            fail(self.where(row, column), f"expected the string {want!r}, got {cell.value!r} ({cell.data_type})")
        elif shown(cell.value) != want:
            fail(self.where(row, column), f"expected {want[:80]!r}, got {shown(cell.value)[:80]!r}")

    def count(self, row, column, want):
        cell = self.cells.cell(row, column)
        if cell.data_type != "n" or cell.value != want:
            fail(self.where(row, column), f"expected the number {want}, got {cell.value!r} ({cell.data_type})")

    def duration(self, row, column, want):
        cell = self.cells.cell(row, column)
        if cell.number_format != DURATION_FORMAT:
            fail(self.where(row, column), f"number format {cell.number_format!r}, not {DURATION_FORMAT}")
        got = minutes_of(self.values.cell(row, column).value if cell.data_type == "f" else cell.value)
        if got != want:
            fail(self.where(row, column), f"expected {want} minutes, got {got} ({cell.value!r})")

    def total(self, row, column, cells, want, duration):
        """A SUM formula over cells = (first row, first column, last row, last column)."""
        cell = self.cells.cell(row, column)
        self.formulas.add(cell.coordinate)
        first_row, first_column, last_row, last_column = cells
        if last_row < first_row or last_column < first_column:
            formula = "=0"
        else:
            first = f"{get_column_letter(first_column)}{first_row}"
            last = f"{get_column_letter(last_column)}{last_row}"
            formula = f"=SUM({first})" if first == last else f"=SUM({first}:{last})"
        if cell.data_type != "f" or cell.value != formula:
            fail(self.where(row, column), f"expected the formula {formula}, got {cell.value!r} ({cell.data_type})")
        cached = self.values.cell(row, column).value
        if duration:
            self.duration(row, column, want)
        elif cached != want:
            fail(self.where(row, column), f"cached value {cached!r}, expected {want}")

    def no_other_formulas(self):
        for row in self.cells.iter_rows():
            for cell in row:
                if cell.data_type == "f" and cell.coordinate not in self.formulas:
                    fail(f"{self.name}!{cell.coordinate}", f"holds the formula {cell.value!r}")

    def last_row(self):
        return self.cells.max_row


def colour_text(colour):
    return colour.lower()


def check_summary(sheet, run):
    mode = run["mode"]
    headings = ["メンバー"] + CATEGORY_HEADINGS[mode] + ["件数", "時間"]
    categories = len(CATEGORY_HEADINGS[mode])
    cells = sheet.cells

    sheet.text(1, 1, "グループ名：" + expected_text(run["group"]))
    heading_row = None
    for row in range(1, min(cells.max_row, 40) + 1):
        if cells.cell(row, 1).value == "メンバー":
            heading_row = row
            break
    if heading_row is None:
        fail(sheet.name, "no column heading メンバー")
        return
    if not str(cells.cell(2, 1).value).startswith("期間："):
        fail(sheet.where(2, 1), f"expected the period, got {cells.cell(2, 1).value!r}")
    if run.get("options") is not None and not str(cells.cell(3, 1).value).startswith(f"集計モード：{mode}."):
        fail(sheet.where(3, 1), f"expected the mode in words, got {cells.cell(3, 1).value!r}")
    for row in range(3, heading_row):
        value = cells.cell(row, 1).value
        if value is not None and str(value).startswith("表示形式"):
            fail(sheet.where(row, 1), "the workbook shows no duration form")
    for i, heading in enumerate(headings):
        sheet.text(heading_row, 1 + i, heading)
    if cells.freeze_panes != f"A{heading_row + 1}":
        fail(sheet.name, f"frozen at {cells.freeze_panes}, expected below the column headings")

    def category_cells(entry):
        if mode == 2:
            return [("colour", entry["colour"])]
        if mode == 3:
            return [("colour", entry["colour"]), ("text", entry["type"] or "")]
        if mode == 4:
            return [("text", entry["content"])]
        return []

    rows = []
    for member in run["members"]:
        label = expected_text(member["name"])
        if mode == 1:
            rows.append((label, [], member["count"], member["minutes"]))
        elif not member["rows"]:
            rows.append((label, [("text", "")] * categories, 0, 0))
        else:
            for entry in member["rows"]:
                rows.append((label, category_cells(entry), entry["count"], entry["minutes"]))
    member_rows = len(rows)
    for entry in run.get("teamRows", []):
        rows.append((TEAM, category_cells(entry), entry["count"], entry["minutes"]))

    count_column = 2 + categories
    time_column = 3 + categories
    filled = []
    row = heading_row + 1
    for label, category, count, minutes in rows:
        sheet.text(row, 1, label)
        for i, (kind, value) in enumerate(category):
            column = 2 + i
            if kind == "text":
                sheet.text(row, column, expected_text(value))
                continue
            sheet.text(row, column, colour_text(value))
            fill = cells.cell(row, column).fill
            if value not in filled and len(filled) < MAX_FILLS:
                filled.append(value)
            if value in filled:
                want = "FF" + value[1:].upper()
                if fill.fill_type != "solid" or fill.fgColor.rgb != want:
                    fail(sheet.where(row, column), f"fill {fill.fill_type} {fill.fgColor.rgb}, expected {want}")
            elif fill.fill_type is not None:
                fail(sheet.where(row, column), f"the colour {value} is past the first {MAX_FILLS} and is filled")
        sheet.count(row, count_column, count)
        sheet.duration(row, time_column, minutes)
        row += 1

    first, last = heading_row + 1, heading_row + member_rows
    sheet.text(row, 1, TOTAL)
    sheet.total(row, count_column, (first, count_column, last, count_column), run["totals"]["count"],
                duration=False)
    sheet.total(row, time_column, (first, time_column, last, time_column), run["totals"]["minutes"],
                duration=True)
    if sum(r[2] for r in rows[:member_rows]) != run["totals"]["count"]:
        fail(sheet.name, "the JSON's member rows do not add up to its totals")
    if cells.max_row != row:
        fail(sheet.name, f"{cells.max_row - row} rows after the totals")
    want_filter = f"A{heading_row}:{get_column_letter(time_column)}{max(last, heading_row)}"
    if cells.auto_filter.ref != want_filter:
        fail(sheet.name, f"filter on {cells.auto_filter.ref}, expected {want_filter}")


def check_periods(sheet, run):
    breakdown = run["breakdown"]
    periods = breakdown["periods"]
    units = len(periods)
    total_column = units + 2
    sheet.text(1, 1, "メンバー")
    for i, period in enumerate(periods):
        sheet.text(1, 2 + i, period["label"])
    sheet.text(1, total_column, TOTAL)
    if sheet.cells.freeze_panes != "B2":
        fail(sheet.name, f"frozen at {sheet.cells.freeze_panes}, expected B2")

    members = run["members"]
    if len(breakdown["members"]) != len(members):
        fail(sheet.name, "the JSON's breakdown does not list the members")
        return
    row = 2
    for member, cells in zip(members, breakdown["members"]):
        sheet.text(row, 1, expected_text(member["name"]))
        for i, cell in enumerate(cells["cells"]):
            sheet.duration(row, 2 + i, cell["minutes"])
        sheet.total(row, total_column, (row, 2, row, units + 1),
                    sum(cell["minutes"] for cell in cells["cells"]), duration=True)
        if sum(cell["minutes"] for cell in cells["cells"]) != member["minutes"]:
            fail(sheet.where(row, 1), "the JSON's cells do not add up to the member's minutes")
        row += 1
    sheet.text(row, 1, TOTAL)
    for i, cell in enumerate(breakdown["totals"]):
        sheet.total(row, 2 + i, (2, 2 + i, row - 1, 2 + i), cell["minutes"], duration=True)
    sheet.total(row, total_column, (2, total_column, row - 1, total_column), run["totals"]["minutes"],
                duration=True)
    if sheet.cells.max_row != row:
        fail(sheet.name, f"{sheet.cells.max_row - row} rows after the totals")


def main():
    book_path, json_path = sys.argv[1], sys.argv[2]
    with open(json_path, encoding="utf-8") as f:
        run = json.load(f)
    book = openpyxl.load_workbook(book_path)
    values = openpyxl.load_workbook(book_path, data_only=True)
    names = ["集計"] + (["期間別"] if "breakdown" in run else [])
    if book.sheetnames != names:
        fail(book_path, f"sheets {book.sheetnames}, expected {names}")
    else:
        summary = Sheet(book, values, "集計")
        check_summary(summary, run)
        summary.no_other_formulas()
        if "breakdown" in run:
            periods = Sheet(book, values, "期間別")
            check_periods(periods, run)
            periods.no_other_formulas()
    for line in failures[:40]:
        print(line)
    if len(failures) > 40:
        print(f"... and {len(failures) - 40} more")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
