#!/usr/bin/env python3
"""Keeps the package's folders in their layers and its handles in their holders.

The folders form layers; each may include only itself and the folders to its left:

    identifiers -> components -> controls, shell -> framework -> dragdrop -> tree, list, combo
                -> design -> examples, bench

Folders that share a layer (controls and shell; tree, list and combo; examples and bench) never
include one another: the views meet only through the link interfaces in framework/. Tests under
tests/<folder> obey their folder's layer and may also include their own folder and tests/support.

The second check keeps the calls that free things by hand (delete, ->Release(), ->Free(),
CloseHandle, DestroyMenu, DestroyIcon, FindCloseChangeNotification) inside the holders and the few
classes that own such things, each named below with the reason it may. Tests are exempt from this
half: a test frees by hand what it made by hand to see what the package does with it.

Every finding names the file and line; the exit code is 1 when there is one.

    tools/check-layers.py [ROOT]     checks the tree at ROOT (default: this script's project)
    tools/check-layers.py --self-test
"""

import os
import re
import sys
import tempfile

LAYERS = [
    ["identifiers"],
    ["components"],
    ["controls", "shell"],
    ["framework"],
    ["dragdrop"],
    ["tree", "list", "combo"],
    ["design"],
    ["examples", "bench"],
]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}

# The shared test helpers: the environment, the counting allocator, the fake shell. Everything a
# test program links sits above them, so they may use the library up to drag and drop.
SUPPORT_RANK = RANK["dragdrop"]

# Includes that still cross a layer, each with the reason it is left for now. Keyed by the
# including file and the included file.
PENDING_INCLUDES = {}

# What frees by hand, and where it may. The patterns run over code with comments and literals
# blanked, so a word in a comment or a string is never a finding; "= delete" is a deleted function.
FREEING = {
    "delete": re.compile(r"\bdelete\b"),
    "->Release()": re.compile(r"->\s*Release\s*\(\s*\)"),
    "->Free(": re.compile(r"->\s*Free\s*\("),
    "CloseHandle": re.compile(r"\bCloseHandle\s*\("),
    "DestroyMenu": re.compile(r"\bDestroyMenu\s*\("),
    "DestroyIcon": re.compile(r"\bDestroyIcon\s*\("),
    "FindCloseChangeNotification": re.compile(r"\bFindCloseChangeNotification\s*\("),
}
DELETED_FUNCTION = re.compile(r"=\s*delete\b")

OWNERS = {
    ("identifiers/Holders.h", "CloseHandle"): "the kernel handle holder",
    ("identifiers/Holders.h", "DestroyMenu"): "the menu holder",
    ("identifiers/Holders.h", "DestroyIcon"): "the icon holder",
    ("identifiers/Holders.h", "FindCloseChangeNotification"): "the change notification holder",
    ("identifiers/Holders.h", "->Free("): "the holder of shell-allocated strings",
    ("identifiers/OwnedPidl.h", "->Free("): "the identifier list holder",
    ("identifiers/ComObject.h", "delete"): "the reference count of our COM objects frees them",
    ("identifiers/ShellMalloc.cpp", "->Release()"):
        "the package's lifetime object holds the shell allocator from load to unload",
    ("shell/OleGlobals.cpp", "->Release()"):
        "the unit's Initialize/Finalize count holds its own reference of the shell allocator",
    ("components/Component.cpp", "delete"): "an owner frees the components it owns",
    ("components/Thread.cpp", "delete"): "a thread that frees itself on termination",
    ("framework/ChangeNotifyThread.cpp", "delete"): "the watcher frees itself when it ends",
}

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".c")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def blank_comments_and_literals(text):
    """The text with comments, string and character literals turned to blanks, lines kept."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 1
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append("".join(ch if ch == "\n" else " " for ch in text[i:end]))
            i = end
        elif c == 'R' and text.startswith('R"', i):
            open_paren = text.find("(", i + 2)
            delimiter = text[i + 2:open_paren]
            end = text.find(")" + delimiter + '"', open_paren)
            end = n if end < 0 else end + len(delimiter) + 2
            out.append("".join(ch if ch == "\n" else " " for ch in text[i:end]))
            i = end
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(" " * (min(j + 1, n) - i))
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def where(root, path):
    """(folder, test folder) of a path under root: ("tree", None) or ("tests", "tree")."""
    parts = os.path.relpath(path, root).replace(os.sep, "/").split("/")
    if parts[0] == "tests" and len(parts) > 2:
        return "tests", parts[1]
    return parts[0], None


def resolve(root, including, name):
    """The file an include names: beside the including file, else from the root, else from
    tests/ (where the test programs find their support)."""
    for base in (os.path.dirname(including), root, os.path.join(root, "tests")):
        candidate = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(candidate):
            return candidate
    return None


def may_include(source, target):
    """Whether a file in `source` may include one in `target`; both are (folder, test folder)."""
    folder, test = source
    to_folder, to_test = target
    if folder == "tests":
        if to_folder == "tests":
            return to_test in (test, "support")
        limit = SUPPORT_RANK if test == "support" else RANK.get(test)
        if limit is None:
            return True
        return to_folder == test or RANK.get(to_folder, len(LAYERS)) < limit or (
            test == "support" and RANK.get(to_folder) == limit)
    if to_folder == "tests":
        return False
    if to_folder == folder:
        return True
    return RANK.get(to_folder, len(LAYERS)) < RANK[folder]


def library_files(root):
    for folder in list(RANK) + ["tests"]:
        top = os.path.join(root, folder)
        for directory, _, names in os.walk(top):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.join(directory, name)


def check(root):
    findings = []
    for path in library_files(root):
        rel = os.path.relpath(path, root).replace(os.sep, "/")
        source = where(root, path)
        with open(path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target_path = resolve(root, path, match.group(1))
            if not target_path:
                continue  # a platform or third-party header
            target_rel = os.path.relpath(target_path, root).replace(os.sep, "/")
            if (rel, target_rel) in PENDING_INCLUDES:
                continue
            if not may_include(source, where(root, target_path)):
                findings.append(f"{rel}:{number}: includes {target_rel} against the layer order")
        if source[0] == "tests":
            continue
        code = DELETED_FUNCTION.sub("", blank_comments_and_literals(text))
        for number, line in enumerate(code.splitlines(), 1):
            for token, pattern in FREEING.items():
                if pattern.search(line) and (rel, token) not in OWNERS:
                    findings.append(f"{rel}:{number}: {token} outside the holders")
    return findings


def self_test():
    """Builds a small tree with one fault of each kind and a clean one beside it."""
    def write(root, rel, text):
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)

    failures = []
    with tempfile.TemporaryDirectory() as root:
        write(root, "identifiers/A.h", "#pragma once\n")
        write(root, "controls/C.h", '#include "identifiers/A.h"\n')
        write(root, "shell/S.h", "#pragma once\n")
        write(root, "tree/T.h", '#include "controls/C.h"\n')
        write(root, "list/L.h", "#pragma once\n")
        write(root, "tests/support/Help.h", '#include "shell/S.h"\n')
        write(root, "tests/tree/TTest.cpp",
              '#include "tree/T.h"\n#include "support/Help.h"\nvoid f(int* p) { delete p; }\n')
        write(root, "shell/Ok.cpp",
              '// delete the file, CloseHandle(h) in a comment\n'
              'const char* s = "DestroyIcon(x)";\n'
              "struct X { X(const X&) = delete; };\n")
        clean = check(root)
        if clean:
            failures.append(f"a clean tree has findings: {clean}")

        write(root, "identifiers/Up.cpp", '\n#include "controls/C.h"\n')
        write(root, "controls/Sib.cpp", '#include "shell/S.h"\n')
        write(root, "tree/Views.cpp", '#include "list/L.h"\n')
        write(root, "tests/identifiers/UpTest.cpp", '#include "tree/T.h"\n')
        write(root, "shell/Naked.cpp", "void f(HANDLE h) {\n    CloseHandle(h);\n}\n")
        write(root, "controls/Menu.cpp", "void g(IUnknown* u) { u->Release(); }\n")
        found = check(root)
        expected = [
            "identifiers/Up.cpp:2: includes controls/C.h",
            "controls/Sib.cpp:1: includes shell/S.h",
            "tree/Views.cpp:1: includes list/L.h",
            "tests/identifiers/UpTest.cpp:1: includes tree/T.h",
            "shell/Naked.cpp:2: CloseHandle outside",
            "controls/Menu.cpp:1: ->Release() outside",
        ]
        for e in expected:
            if not any(f.startswith(e) for f in found):
                failures.append(f"not caught: {e}")
        if len(found) != len(expected):
            failures.append(f"expected {len(expected)} findings, got {found}")
    for f in failures:
        print(f"check-layers self-test: {f}")
    print("check-layers self-test: " + ("failed" if failures else "passed"))
    return 1 if failures else 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return self_test()
    root = argv[1] if len(argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    findings = check(root)
    for f in findings:
        print(f)
    print(f"check-layers: {len(findings)} finding(s)")
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
