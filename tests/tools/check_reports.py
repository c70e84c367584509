#!/usr/bin/env python3
"""Checks the reports of one scan against each other and the machine reports against their
published schema.

check_reports.py SCHEMA TEXT CSV JSONL   the same rows in all three, every JSON line valid,
                                         the CSV read by Python's csv module
check_reports.py SCHEMA --no-certain JSONL   valid, and no row of the certain class in sight
Prints one line of counts; exits with 1 and says why when a check fails."""
import csv
import json
import sys

import jsonschema

SEPARATOR = "  #####  "


def fail(message):
    print(message)
    sys.exit(1)


def json_rows(schema, path):
    validator = jsonschema.Draft7Validator(schema)
    with open(path, encoding="utf-8") as lines:
        objects = [json.loads(line) for line in lines if line.strip()]
    for number, item in enumerate(objects, 1):
        errors = sorted(validator.iter_errors(item), key=str)
        if errors:
            fail(f"{path} line {number}: {errors[0].message}")
    if not objects or objects[0]["type"] != "header":
        fail(f"{path}: the first line is not the header")
    rows = objects[1:]
    if any(row["type"] != "row" for row in rows):
        fail(f"{path}: a second header")
    in_sight = [row for row in rows if not row["ignored"]]
    counts = objects[0]["counts"]
    if counts["rows"] != len(in_sight) or counts["ignored"] != len(rows) - len(in_sight):
        fail(f"{path}: the header counts {counts}, the lines {len(in_sight)} in sight")
    return in_sight


def main(arguments):
    with open(arguments[0], encoding="utf-8") as file:
        schema = json.load(file)
    if arguments[1] == "--no-certain":
        rows = json_rows(schema, arguments[2])
        certain = [row for row in rows if row["class"] == "certain"]
        if certain:
            fail(f"{len(certain)} certain rows left, e.g. {certain[0]['list_key']}")
        print(f"{len(rows)} rows, none certain")
        return
    text_path, csv_path, json_path = arguments[1:4]
    with open(text_path, encoding="cp1252", newline="") as file:
        text = [tuple(line.split(SEPARATOR)) for line in file.read().split("\r\n")[3:] if line]
    with open(csv_path, encoding="utf-8-sig", newline="") as file:
        table = list(csv.DictReader(file))
    if table and list(table[0].keys()) != list(schema["definitions"]["row"]["required"])[1:]:
        fail(f"{csv_path}: the columns are {list(table[0].keys())}")
    from_csv = [(r["problem"], r["list_key"], r["list_value"]) for r in table
                if r["ignored"] == "false"]
    from_json = [(r["problem"], r["list_key"], r["list_value"]) for r in json_rows(schema, json_path)]
    for name, rows in (("CSV", from_csv), ("JSON", from_json)):
        if rows != text:
            diff = next((pair for pair in zip(text, rows) if pair[0] != pair[1]), None)
            fail(f"the {name} report differs from the text report ({len(rows)} rows, "
                 f"{len(text)} in the text), first at {diff}")
    letters = sum(1 for row in text if any(ord(c) > 127 for c in "".join(row)))
    print(f"{len(text)} rows alike in the text, CSV and JSON reports, {letters} with letters "
          f"beyond ASCII")


if __name__ == "__main__":
    main(sys.argv[1:])
