#!/usr/bin/env python3
"""Checks that every source folder includes only the floors below it.

The floors: store <- framework <- platform <- menus / views / planner / todo
<- shell, and cli <- platform. Within the middle floor views come first, the
planner may use views, the to-do window may use both. The portable store never
includes a system header of Windows. Prints each offending line and exits 1.
"""
import os
import re
import sys

ALLOWED = {
    "store": {"store"},
    "framework": {"framework", "store"},
    "platform": {"platform", "framework", "store"},
    "menus": {"menus", "framework", "store"},
    "views": {"views", "platform", "framework", "store"},
    "planner": {"planner", "views", "platform", "framework", "store"},
    "todo": {"todo", "planner", "views", "platform", "framework", "store"},
    "shell": {"shell", "menus", "views", "planner", "todo", "platform", "framework", "store"},
    "cli": {"cli", "platform", "store"},
}
# What no portable folder may include.
SYSTEM_ONLY = re.compile(r'#\s*include\s*<(windows|winhttp|xmllite|wincrypt|commctrl|shlobj)\.h>', re.I)
LOCAL = re.compile(r'#\s*include\s*"([A-Za-z_]+)/')
SOURCE = (".h", ".cpp", ".hpp", ".c")


def check(src_root):
    faults = []
    folders = sorted(d for d in os.listdir(src_root) if os.path.isdir(os.path.join(src_root, d)))
    for folder in folders:
        if folder not in ALLOWED:
            faults.append(f"src/{folder}: a folder with no include rule (add it to scripts/check-layers.py)")
            continue
        for dirpath, _, files in os.walk(os.path.join(src_root, folder)):
            for name in sorted(files):
                if not name.endswith(SOURCE):
                    continue
                path = os.path.join(dirpath, name)
                rel = os.path.relpath(path, os.path.dirname(src_root))
                with open(path, encoding="latin-1") as f:
                    for number, line in enumerate(f, 1):
                        m = LOCAL.match(line.strip())
                        if m and m.group(1) not in ALLOWED[folder]:
                            faults.append(f"{rel}:{number}: {folder}/ may not include {m.group(1)}/: {line.strip()}")
                        if folder == "store" and SYSTEM_ONLY.match(line.strip()):
                            faults.append(f"{rel}:{number}: the store stays portable: {line.strip()}")
    return faults


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    faults = check(os.path.join(root, "src"))
    for fault in faults:
        print(fault)
    if faults:
        print(f"check-layers: {len(faults)} include(s) against the folder rules")
        return 1
    print("check-layers: every include follows the folder rules")
    return 0


if __name__ == "__main__":
    sys.exit(main())
