#!/usr/bin/env python3
"""Names in every script on a real machine: what the check plants and what it expects of the
program's reports and of its unattended clean run.

unicode_names.py plant USER DRIVE_C WORK       makes the files and folders in DRIVE_C, writes
                                               WORK/names.reg (the registry editor's Unicode
                                               format) and WORK/shortcuts.js
unicode_names.py planted USER EXPORT           every planted key and value is in the export
unicode_names.py report USER REPORT            each missing reference is a row with its exact
                                               key, value name and tested path; no valid one is
unicode_names.py cleaned USER REPORT EXPORT DRIVE_C   after -cleanonce: the certain rows were
                                               repaired, and are gone from the export, the rest
                                               stays, and so do the files
Prints one line of counts; exits with 1 and says why when a check fails."""
import codecs
import json
import os
import sys
from dataclasses import dataclass, field
from typing import Optional

HERE = "C:\\Данные"             # exists
EMOJI = HERE + "\\Папка 😀"     # exists, inside it
GONE = "C:\\Ушедшие"            # does not exist
GONE_CN = "C:\\消失的"
GONE_AR = "C:\\مفقود"

MACHINE = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion"
USER = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion"
CLASSES = "HKEY_LOCAL_MACHINE\\Software\\Classes"
CLSID = CLASSES + "\\CLSID\\{6B656C76-616E-6500-0000-00000000550"
MENU = USER + "\\Explorer\\MenuOrder\\Start Menu2\\Programs"
USER_ASSIST = USER + "\\Explorer\\UserAssist\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count"
ROWS_OF_USERS = "HKEY_USERS\\"
# A fresh prefix's only user.
USER_IN_EXPORT = "HKEY_USERS\\S-1-5-21-0-0-0-1000\\"


@dataclass
class Ref:
    """A key or value that names something: missing when rule is given, else valid."""
    key: str
    values: dict                  # written into the key: name -> text, number or bytes
    item: Optional[str] = None    # the value a row names; None when it names the key
    rule: Optional[str] = None
    tested: Optional[str] = None  # the path or name the row tests
    shown: Optional[str] = None   # the row's value text, where it shows one
    review: bool = False


@dataclass
class Shortcut:
    file: str
    target: str
    rule: Optional[str] = None
    # Its row is certain and shows no value text.
    shown = None
    review = False


@dataclass
class Corpus:
    refs: list = field(default_factory=list)
    shortcuts: list = field(default_factory=list)
    files: list = field(default_factory=list)
    folders: list = field(default_factory=list)


def rot13(text):
    # Only ASCII letters turn, as in the program-use history.
    return codecs.encode(text, "rot13")


def program_use(runs):
    return bytes([1, 0, 0, 0, runs, 0, 0, 0]) + bytes(8)


def corpus(user):
    profile = f"C:\\users\\{user}"
    programs = profile + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"
    c = Corpus()
    c.files = [HERE + "\\Программа.exe", HERE + "\\Εφαρμογή.exe", HERE + "\\プログラム.exe",
               HERE + "\\Шрифт.ttf", HERE + "\\مساعدة.chm", HERE + "\\Звук.wav",
               HERE + "\\文書.txt", EMOJI + "\\ファイル 😀.dll"]
    c.folders = [EMOJI, programs + "\\Игры 😀"]
    refs = c.refs
    # Software locations: key names.
    refs.append(Ref(MACHINE + "\\App Paths\\程序.exe", {"": GONE_CN + "\\程序.exe"},
                    rule="app-path-file", tested=GONE_CN + "\\程序.exe",
                    shown=GONE_CN + "\\程序.exe"))
    refs.append(Ref(MACHINE + "\\App Paths\\Программа.exe", {"": HERE + "\\Программа.exe"}))
    # Startup programs: value names and commands; a disabled entry is a key of its own.
    run = "\"" + HERE + "\\Εκκίνηση 😀.exe\" /tray"
    refs.append(Ref(USER + "\\Run", {"Εκκίνηση 😀": run}, "Εκκίνηση 😀", "run-command-file",
                    HERE + "\\Εκκίνηση 😀.exe", run))
    refs.append(Ref(USER + "\\Run", {"スタート": "\"" + HERE + "\\プログラム.exe\" /min"},
                    "スタート"))
    refs.append(Ref(MACHINE + "\\Run", {"تشغيل": GONE_AR + "\\تشغيل.exe"}, "تشغيل",
                    "run-command-file", GONE_AR + "\\تشغيل.exe", GONE_AR + "\\تشغيل.exe"))
    disabled = "\"" + GONE + "\\запуск.exe\" -x"
    refs.append(Ref("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Shared Tools\\MSConfig\\startupreg"
                    "\\Запуск", {"command": disabled, "item": "запуск"},
                    rule="disabled-startup-file", tested=GONE + "\\запуск.exe", shown=disabled))
    # Shared DLLs: the value names are the paths.
    shared = MACHINE + "\\SharedDlls"
    refs.append(Ref(shared, {EMOJI + "\\失われた.dll": 1}, EMOJI + "\\失われた.dll",
                    "shared-dll-file", EMOJI + "\\失われた.dll"))
    refs.append(Ref(shared, {EMOJI + "\\ファイル 😀.dll": 2}, EMOJI + "\\ファイル 😀.dll"))
    # Help files: the value names the file, its data the folder.
    help_keys = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\"
    refs.append(Ref(help_keys + "Help", {"Βοήθεια.hlp": GONE}, "Βοήθεια.hlp", "help-file",
                    GONE + "\\Βοήθεια.hlp", GONE + "\\Βοήθεια.hlp"))
    refs.append(Ref(help_keys + "Html Help", {"مساعدة.chm": HERE + "\\"}, "مساعدة.chm"))
    # Fonts.
    fonts = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"
    refs.append(Ref(fonts, {"字体 😀 (TrueType)": HERE + "\\字体 😀.ttf"}, "字体 😀 (TrueType)",
                    "font-file", HERE + "\\字体 😀.ttf", HERE + "\\字体 😀.ttf"))
    refs.append(Ref(fonts, {"Шрифт (TrueType)": HERE + "\\Шрифт.ttf"}, "Шрифт (TrueType)"))
    # Sound events: a scheme's default value.
    event = "HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps\\Κελβάνη\\Ειδοποίηση"
    refs.append(Ref(event + "\\.Current", {"": HERE + "\\Ήχος.wav"}, "", "sound-file",
                    HERE + "\\Ήχος.wav", HERE + "\\Ήχος.wav"))
    refs.append(Ref(event + "\\.Default", {"": HERE + "\\Звук.wav"}, ""))
    # MRU lists: a recent file, and the program-use history, whose names are rotated.
    mru = USER + "\\Explorer\\ComDlg32\\OpenSaveMRU"
    refs.append(Ref(mru, {"文": GONE + "\\文書.txt"}, "文", "recent-file", GONE + "\\文書.txt",
                    GONE + "\\文書.txt"))
    refs.append(Ref(mru, {"書": HERE + "\\文書.txt"}, "書"))
    used = "UEME_RUNPATH:" + GONE + "\\Игра.exe"
    refs.append(Ref(USER_ASSIST, {rot13(used): program_use(5)}, rot13(used), "user-assist-file",
                    GONE + "\\Игра.exe", used))
    used_here = "UEME_RUNPATH:" + HERE + "\\Программа.exe"
    refs.append(Ref(USER_ASSIST, {rot13(used_here): program_use(3)}, rot13(used_here)))
    # Start menu: a remembered order of a Programs folder, by the folder's name, which Windows
    # compares in any case of any script.
    order = {"Order": bytes([8, 0, 0, 0, 2]) + bytes(11)}
    refs.append(Ref(MENU + "\\Программы 😀", order, rule="menu-order-folder",
                    tested="Программы 😀"))
    refs.append(Ref(MENU + "\\ИГРЫ 😀", order))
    # Applications: an "Open with" command below a key named for the program.
    opened = "\"" + GONE_AR + "\\برنامج.exe\" \"%1\""
    refs.append(Ref(CLASSES + "\\Applications\\برنامج.exe\\shell\\open\\command", {"": opened},
                    rule="open-with-command-file", tested=GONE_AR + "\\برنامج.exe", shown=opened))
    refs.append(Ref(CLASSES + "\\Applications\\Εφαρμογή.exe\\shell\\open\\command",
                    {"": "\"" + HERE + "\\Εφαρμογή.exe\" \"%1\""}))
    # A class's server: the walk of the machine's software judges the classes.
    refs.append(Ref(CLSID + "1}\\InprocServer32", {"": GONE_CN + "\\控件.dll"}, "",
                    "file-reference", GONE_CN + "\\控件.dll", GONE_CN + "\\控件.dll"))
    refs.append(Ref(CLSID + "2}\\InprocServer32", {"": EMOJI + "\\ファイル 😀.dll"}))
    # Files and folders: a missing folder, an extension's class with a missing program.
    software = "HKEY_CURRENT_USER\\Software\\Κελβάνη"
    refs.append(Ref(software, {"Φάκελος": GONE + "\\Φάκελος"}, "Φάκελος", "file-reference",
                    GONE + "\\Φάκελος", GONE + "\\Φάκελος"))
    refs.append(Ref(software, {"Έγγραφο": EMOJI}, "Έγγραφο"))
    refs.append(Ref(software, {"πρόγραμμα": "C:\\данные\\εφαρμογή.exe"}, "πρόγραμμα"))
    refs.append(Ref(CLASSES + "\\.κελβ", {"": "Κελβάνη.Έγγραφο"}, ""))
    document = "\"" + GONE + "\\Έγγραφο.exe\" \"%1\""
    refs.append(Ref(CLASSES + "\\Κελβάνη.Έγγραφο\\shell\\open\\command", {"": document}, "",
                    "file-reference", GONE + "\\Έγγραφο.exe", document))
    # Add/remove programs and installer: rows for review, which a clean run leaves.
    uninstall = MACHINE + "\\Uninstall"
    refs.append(Ref(uninstall + "\\Программа 😀", {"DisplayName": "Программа 😀"},
                    rule="uninstall-command-missing", review=True,
                    tested=uninstall + "\\Программа 😀"))
    # The add/remove cache of that registration, named in another case.
    refs.append(Ref(MACHINE + "\\App Management\\ARPCache\\ПРОГРАММА 😀", {"Changed": 0}))
    # The installer's rows spell the machine's first key in capitals.
    installer = uninstall.replace("Software", "SOFTWARE")
    uninstaller = GONE + "\\απεγκατάσταση.exe"
    refs.append(Ref(installer + "\\Εφαρμογή", {"DisplayName": "Εφαρμογή",
                                                 "UninstallString": uninstaller},
                    "UninstallString", "uninstaller-file", uninstaller, uninstaller, review=True))
    refs.append(Ref(uninstall + "\\アプリ", {"DisplayName": "アプリ",
                                            "UninstallString": HERE + "\\プログラム.exe"}))
    # File extensions: a user's extension key that holds nothing, for review.
    extensions = USER + "\\Explorer\\FileExts"
    refs.append(Ref(extensions + "\\.файл", {}, rule="empty-file-extension", review=True,
                    tested=extensions + "\\.файл"))
    refs.append(Ref(extensions + "\\.文書\\OpenWithList", {"a": "程序.exe"}, "a"))
    # Shortcuts: a shortcut file's name and its target.
    desktop = profile + "\\Desktop"
    c.shortcuts = [Shortcut(desktop + "\\Ярлык 😀.lnk", GONE + "\\Ярлык.exe", "shortcut-target"),
                   Shortcut(desktop + "\\ショートカット.lnk", HERE + "\\プログラム.exe")]
    return c


# ---- planting ----

def reg_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def reg_data(data):
    if isinstance(data, int):
        return f"dword:{data:08x}"
    if isinstance(data, bytes):
        return "hex:" + ",".join(f"{b:02x}" for b in data)
    return reg_string(data)


def reg_file(refs):
    lines = ["Windows Registry Editor Version 5.00", ""]
    for ref in refs:
        lines.append(f"[{ref.key}]")
        for name, data in ref.values.items():
            lines.append(("@" if name == "" else reg_string(name)) + "=" + reg_data(data))
        lines.append("")
    return "\r\n".join(lines) + "\r\n"


def js_string(text):
    # Only ASCII in the script: every other character as UTF-16 escapes.
    units = text.encode("utf-16-le")
    return '"' + "".join(
        chr(u) if 32 <= u < 127 and chr(u) not in '"\\' else f"\\u{u:04x}"
        for u in (int.from_bytes(units[i:i + 2], "little") for i in range(0, len(units), 2))
    ) + '"'


def shortcut_script(shortcuts):
    lines = ['var shell = WScript.CreateObject("WScript.Shell");', "var link;"]
    for shortcut in shortcuts:
        lines += [f"link = shell.CreateShortcut({js_string(shortcut.file)});",
                  f"link.TargetPath = {js_string(shortcut.target)};", "link.Save();"]
    return "\r\n".join(lines) + "\r\n"


def on_disk(drive_c, path):
    return os.path.join(drive_c, *path[3:].split("\\"))


def plant(user, drive_c, work):
    c = corpus(user)
    for folder in c.folders:
        os.makedirs(on_disk(drive_c, folder), exist_ok=True)
    for path in c.files:
        os.makedirs(os.path.dirname(on_disk(drive_c, path)), exist_ok=True)
        with open(on_disk(drive_c, path), "w", encoding="utf-8") as file:
            file.write("placeholder\r\n")
    for shortcut in c.shortcuts:
        os.makedirs(os.path.dirname(on_disk(drive_c, shortcut.file)), exist_ok=True)
    with open(os.path.join(work, "names.reg"), "wb") as file:
        file.write(b"\xff\xfe" + reg_file(c.refs).encode("utf-16-le"))
    with open(os.path.join(work, "shortcuts.js"), "w", encoding="ascii") as file:
        file.write(shortcut_script(c.shortcuts))
    missing = missing_items(c)
    print(f"{len(c.refs) + len(c.shortcuts)} references planted ({len(missing)} missing)")


# ---- checks ----

def fail(problems, counts):
    if problems:
        print("\n".join(problems))
        sys.exit(1)
    print(counts)


def planted_rows(path):
    with open(path, encoding="utf-8") as lines:
        rows = [json.loads(line) for line in lines if line.strip()][1:]
    # On a fresh prefix only what was planted has letters beyond ASCII.
    return [row for row in rows
            if any(ord(c) > 127 for f in ("key", "value_name", "file", "tested_path")
                   for c in (row[f] or ""))]


def as_current_user(key):
    """A key met through HKEY_USERS\\<the user's SID>, named as the current user's."""
    if key and key.startswith(ROWS_OF_USERS):
        return "HKEY_CURRENT_USER" + key[key.index("\\", len(ROWS_OF_USERS)):]
    return key


def wanted(ref_or_shortcut):
    """What the row that finds it says: key, value name, shortcut file, tested path."""
    if isinstance(ref_or_shortcut, Shortcut):
        return (None, None, ref_or_shortcut.file, ref_or_shortcut.target)
    return (ref_or_shortcut.key, ref_or_shortcut.item, None, ref_or_shortcut.tested)


def said(row):
    return (row["key"], row["value_name"], row["file"], row["tested_path"])


def describe(row):
    return " | ".join(f"{f}={row[f]!r}" for f in ("category", "rule", "key", "value_name",
                                                   "file", "tested_path", "value_text"))


def missing_items(c):
    return [r for r in c.refs if r.rule] + [s for s in c.shortcuts if s.rule]


def found_by_rule(rows, item):
    return [row for row in rows if said(row) == wanted(item) and row["rule"] == item.rule]


def check_report(user, report):
    c = corpus(user)
    rows = planted_rows(report)
    missing = missing_items(c)
    targets = {wanted(m)[3] for m in missing}
    problems = []
    for item in missing:
        found = found_by_rule(rows, item)
        if not found:
            problems.append(f"not reported as planted: {item.rule} {wanted(item)}")
        for row in found:
            if row["class"] != ("review" if item.review else "certain"):
                problems.append(f"of the wrong class: {describe(row)}")
            if item.shown is not None and row["value_text"] != item.shown:
                problems.append(f"value text not {item.shown!r}: {describe(row)}")
    # A reference may be met by more than one category (the files and folders of a whole root,
    # HKEY_USERS), always with the same path.
    strays = [row for row in rows if row["tested_path"] not in targets]
    problems += [f"a row of no missing reference: {describe(row)}" for row in strays]
    for row in rows:
        if row["key"] != as_current_user(row["key"]) and not any(
                as_current_user(row["key"]) == wanted(m)[0] for m in missing):
            problems.append(f"met through HKEY_USERS, not planted there: {describe(row)}")
    categories = sorted({row["category"] for row in rows})
    fail(problems, f"{len(rows)} rows in {len(categories)} categories name them exactly, none a "
                   f"valid one")


# ---- the registry editor's export ----

def unquote(text, start):
    """The string quoted at text[start]; returns it and the index after its closing quote."""
    out, i = [], start + 1
    while text[i] != '"':
        if text[i] == "\\":
            i += 1
        out.append(text[i])
        i += 1
    return "".join(out), i + 1


def read_export(path):
    """Keys (case-folded) -> {value name (case-folded): data text as written}."""
    with open(path, encoding="utf-16") as file:
        lines = file.read().replace("\r\n", "\n").replace("\\\n  ", "").split("\n")
    keys, current = {}, None
    for line in lines:
        if line.startswith("[") and line.endswith("]"):
            current = keys.setdefault(line[1:-1].casefold(), {})
        elif current is not None and line.startswith("@="):
            current[""] = line[2:]
        elif current is not None and line.startswith('"'):
            name, end = unquote(line, 0)
            current[name.casefold()] = line[end + 1:]
    return keys


def export_name(key):
    """The name the whole registry's export gives a key: the current user's below the SID."""
    short = "HKEY_CURRENT_USER\\"
    return USER_IN_EXPORT + key[len(short):] if key.startswith(short) else key


def in_export(keys, ref):
    values = keys.get(export_name(ref.key).casefold())
    if values is None:
        return False
    names = list(ref.values) if ref.item is None else [ref.item]
    return all(name.casefold() in values for name in names)


def check_planted(user, export):
    c = corpus(user)
    keys = read_export(export)
    absent = [ref for ref in c.refs if not in_export(keys, ref)]
    fail([f"not in the registry after planting: {ref.key} {ref.item!r}" for ref in absent],
         f"{len(c.refs)} planted keys and values in the registry")


def check_cleaned(user, report, export, drive_c):
    c = corpus(user)
    keys = read_export(export)
    problems = []
    rows = planted_rows(report)
    repaired = left = 0
    for item in missing_items(c):
        # Rows run from the last: an item met twice (through HKEY_USERS, below Wow6432Node) is
        # repaired by one row and found gone by the other.
        outcomes = {row["outcome"] for row in rows if row["tested_path"] == wanted(item)[3]}
        if item.review:
            fine = outcomes == {"left"}
        else:
            fine = "repaired" in outcomes and outcomes <= {"repaired", "left"}
        if not fine:
            problems.append(f"rows {sorted(outcomes)}: {item.rule} {wanted(item)}")
        repaired += "repaired" in outcomes
        left += item.review
    # What code page 1252 cannot hold is backed up in the run's Unicode file.
    problems += [f"backed up in {row['backup_file']}: {describe(row)}" for row in rows
                 if row["outcome"] == "repaired"
                 and not (row["backup_file"] or "").endswith("-Unicode.reg")]
    for ref in c.refs:
        gone = ref.rule is not None and not ref.review
        if in_export(keys, ref) == gone:
            state = "still there" if gone else "gone"
            problems.append(f"{state} after the clean: {ref.key} {ref.item!r}")
    for shortcut in c.shortcuts:
        if os.path.exists(on_disk(drive_c, shortcut.file)) == bool(shortcut.rule):
            problems.append(f"shortcut {'still there' if shortcut.rule else 'gone'}: "
                            f"{shortcut.file}")
    problems += [f"file gone: {path}" for path in c.files + c.folders
                 if not os.path.exists(on_disk(drive_c, path))]
    fail(problems, f"{repaired} repaired, {left} left for review")


def main(arguments):
    command, user = arguments[0], arguments[1]
    if command == "plant":
        plant(user, arguments[2], arguments[3])
    elif command == "planted":
        check_planted(user, arguments[2])
    elif command == "report":
        check_report(user, arguments[2])
    elif command == "cleaned":
        check_cleaned(user, arguments[2], arguments[3], arguments[4])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
