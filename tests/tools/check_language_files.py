#!/usr/bin/env python3
"""Checks every language file of a folder against Lan_English.ini, the file all others follow.

check_language_files.py FOLDER: prints one line per fault, naming the file, section and key, and
exits with 1 when there is any. A file must be ANSI text (code page 1252) with CR LF line ends;
hold every key of the English file once and no other; keep its placeholders and line break
marks; carry the English file's version and a name of its own; and give each item of a menu and
each control of a window an access key of its own.
"""
import collections
import pathlib
import re
import sys

CODE_PAGE = "cp1252"
IDENTITY = "Language"
# The main window's menus under the menu bar, each a group of its own access keys.
MENUS = [
    ["miBackupFullRegistry", "miWindowsBackup", "miStartupManager", "miExit"],
    ["miScanRegistry", "miRepairRegistry", "miRestoreRegistry"],
    ["miSelectAll", "miSelectAllType", "miSelectNone", "miSelectNoneType", "miIgnoreListAdd",
     "miSaveText", "miOpenRegedit", "miOptions"],
    ["miHelp", "miHomePage", "miAbout"],
    ["pmSelectAll", "pmSelectAllType", "pmSelectNone", "pmSelectNoneType", "pmIgnoreListAdd",
     "pmSaveText", "pmOpenRegedit"],
]
MENU_BAR = ["miFile", "miAction", "miEdit", "miLanguage", "miHelpMenu"]
MENU_SECTION = "Menu_frmKelvane"
MAIN_WINDOW = "frmKelvane"
OTHER_LANGUAGE = "miOther"
# The Language menu's items for languages whose file gives no name of its own.
LANGUAGE_ITEM = re.compile(
    r"mi(Afrikaans|Arabic|BrazilianPortuguese|Bulgarian|Catalan|Czech|Danish|Nederlands|"
    r"English|Finnish|French|German|Hrvatski|Hungary|Italian|Japanese|Korean|Lithuanian|Malay|"
    r"Norwegian|Polish|PortuguesePT|Romanian|Russian|Serbian|Chinese|Slovenian|Spanish|"
    r"Swedish|TraditionalChinese|Turkish|Other)$")
PLACEHOLDER = re.compile(r"%\d")
LINE_BREAK = re.compile(r"\\n|\\r|%n")


class LanguageFile:
    def __init__(self, path):
        self.path = path
        self.faults = []
        self.texts = collections.OrderedDict()  # (section, key) in upper case -> (names, text)
        raw = path.read_bytes()
        # ANSI (code page 1252) for the Western languages; UTF-8 with its mark for the others.
        marked = raw.startswith(b"\xef\xbb\xbf")
        bare = re.search(rb"(?<!\r)\n|\r(?!\n)", raw)
        if bare:
            self.fault(f"line {line_of(raw, bare.start())} does not end in CR LF")
        if marked:
            try:
                text = raw[3:].decode("utf-8")
            except UnicodeDecodeError as error:
                self.fault(f"byte {error.start + 3} is not UTF-8, though the file says it is")
                text = raw[3:].decode("utf-8", errors="replace")
        else:
            utf8 = re.search(rb"[\xc2\xc3][\x80-\xbf]", raw)
            if utf8:
                self.fault(f"line {line_of(raw, utf8.start())} holds UTF-8 text without the UTF-8 "
                           "byte order mark (a letter shows as two odd characters)")
            try:
                text = raw.decode(CODE_PAGE)
            except UnicodeDecodeError as error:
                self.fault(f"byte {error.start} is no character of code page 1252")
                text = raw.decode(CODE_PAGE, errors="replace")
        self.parse(text)

    def fault(self, message, section=None, key=None):
        where = f" [{section}] {key}" if section else ""
        self.faults.append(f"{self.path.name}{where}: {message}")

    def parse(self, text):
        section = ""
        for line in re.split(r"\r\n|\r|\n", text):
            line = line.strip()
            if not line:
                continue
            if line.startswith("[") and "]" in line:
                section = line[1:line.rindex("]")].strip()
            elif "=" in line:
                key, value = line.split("=", 1)
                key, value = key.strip(), value.strip()
                name = (section.upper(), key.upper())
                if name in self.texts:
                    self.fault("is given twice; the program reads only the first", section, key)
                    continue
                self.texts[name] = ((section, key), unquoted(value))
            else:
                self.fault(f'line "{line}" has no "="', section or "(top)", "")

    def text(self, section, key):
        entry = self.texts.get((section.upper(), key.upper()))
        return None if entry is None else entry[1]


def line_of(raw, offset):
    return raw.count(b"\n", 0, offset) + 1


# The profile reader takes a matching pair of surrounding quotes off a value.
def unquoted(value):
    if len(value) >= 2 and value[0] in "\"'" and value[-1] == value[0]:
        return value[1:-1]
    return value


def access_key(caption):
    """The letter after a single '&', upper-cased; None when there is none."""
    index = 0
    while index + 1 < len(caption):
        if caption[index] == "&":
            if caption[index + 1] != "&":
                return caption[index + 1].upper()
            index += 1
        index += 1
    return None


def check_access_keys(file, section, keys):
    seen = {}
    for key in keys:
        text = file.text(section, key)
        letter = access_key(text or "")
        if letter is None:
            continue
        if letter in seen:
            file.fault(f'access key "{letter}" is also the one of {seen[letter]}', section, key)
        else:
            seen[letter] = key


def check_texts(file, english):
    for (section, key), english_text in english.texts.values():
        text = file.text(section, key)
        if text is None:
            file.fault("is missing", section, key)
            continue
        if english_text and not text:
            file.fault("is empty; the English text has words", section, key)
        for pattern, what in ((PLACEHOLDER, "placeholders"), (LINE_BREAK, "line break marks")):
            if sorted(pattern.findall(text)) != sorted(pattern.findall(english_text)):
                file.fault(f"{what} {pattern.findall(text)} differ from the English text's "
                           f"{pattern.findall(english_text)}", section, key)
        if (access_key(english_text) and not access_key(text) and
                not LANGUAGE_ITEM.match(key) and section.upper() != IDENTITY.upper()):
            file.fault("has no access key (&); the English text has one", section, key)
    for name, ((section, key), _) in file.texts.items():
        if name not in english.texts:
            file.fault("is unknown: the English file has no such key", section, key)


def check_identity(file, english):
    if not file.text(IDENTITY, "Name"):
        file.fault("is missing: the language's name in its own tongue", IDENTITY, "Name")
    version = file.text(IDENTITY, "Version")
    if version != english.text(IDENTITY, "Version"):
        file.fault(f'is "{version}", the English file\'s "{english.text(IDENTITY, "Version")}"',
                   IDENTITY, "Version")


def check_groups(file):
    window_sections = {section for (section, _), _ in file.texts.values()
                       if section.upper() not in (MENU_SECTION.upper(), "RESOURCESTRING",
                                                  IDENTITY.upper())}
    for section in sorted(window_sections):
        keys = [key for (owner, key), _ in file.texts.values() if owner == section]
        if section.upper() == MAIN_WINDOW.upper():
            # The menu bar's letters open menus; a control of the window must not take one.
            taken = {access_key(file.text(MENU_SECTION, item) or "") for item in MENU_BAR}
            for key in keys:
                letter = access_key(file.text(section, key) or "")
                if letter and letter in taken:
                    file.fault(f'access key "{letter}" also opens a menu', section, key)
        check_access_keys(file, section, keys)
    # The English file keeps the program's designed menu captions, clashes included.
    if file.path.name == "Lan_English.ini":
        return
    items = [key for (section, key), _ in file.texts.values()
             if section == MENU_SECTION and LANGUAGE_ITEM.match(key)]
    for menu in [MENU_BAR] + MENUS + [items]:
        check_access_keys(file, MENU_SECTION, menu)


# The Language menu lists every language by its own name, and "Other" in the words of the
# language in force.
def check_language_menu(files):
    seen = {}
    for file in files:
        letter = access_key(file.text(IDENTITY, "Name") or "")
        if letter in seen:
            file.fault(f'access key "{letter}" is also the one of {seen[letter]}', IDENTITY, "Name")
        elif letter:
            seen[letter] = file.path.name
    for file in files:
        letter = access_key(file.text(MENU_SECTION, OTHER_LANGUAGE) or "")
        if letter in seen:
            file.fault(f'access key "{letter}" is also the one of {seen[letter]} in the Language '
                       "menu", MENU_SECTION, OTHER_LANGUAGE)


def main(arguments):
    if len(arguments) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    folder = pathlib.Path(arguments[1])
    files = [LanguageFile(path) for path in sorted(folder.glob("Lan_*.ini"))]
    english = next((file for file in files if file.path.name == "Lan_English.ini"), None)
    if english is None:
        print(f"{folder}: no Lan_English.ini", file=sys.stderr)
        return 1
    for file in files:
        if file is not english:
            check_texts(file, english)
        check_identity(file, english)
        check_groups(file)
    check_language_menu(files)
    faults = [fault for file in files for fault in file.faults]
    for fault in faults:
        print(fault)
    print(f"language files: {len(files)} checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
