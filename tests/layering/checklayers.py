#!/usr/bin/env python3
"""Fails when a file of a lower layer of src/ includes a header of a higher one.

The layers, lowest first: res, store, export, print and reports (side by side),
uiext, controls, dialogs, app. The command-line tool (cli) may use res, store,
export, print and reports. Includes are written from src/ ("store/datastore.h"),
so the first part of each quoted include names its layer; an include without a
folder is refused too, as it hides its layer.

    checklayers.py SRC_DIR        check a tree; prints each violation, exit 1 if any
    checklayers.py --self-test    checks planted violations are found
"""
import os
import re
import sys
import tempfile

LEVEL = {
    "res": 0,
    "store": 1,
    "export": 2,
    "import": 2,
    "print": 3,
    "reports": 3,
    "uiext": 4,
    "controls": 5,
    "dialogs": 6,
    "app": 7,
}
CLI_MAY_USE = {"res", "store", "export", "import", "print", "reports", "cli"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def allowed(source_layer, target_layer):
    if source_layer == target_layer:
        return True
    if source_layer == "cli":
        return target_layer in CLI_MAY_USE
    if target_layer == "cli" or source_layer not in LEVEL or target_layer not in LEVEL:
        return False
    # Print and reports stand side by side: neither uses the other.
    return LEVEL[target_layer] < LEVEL[source_layer]


def violations(src):
    found = []
    for folder, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(folder, name)
            layer = os.path.relpath(path, src).split(os.sep)[0]
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
            for match in INCLUDE.finditer(text):
                target = match.group(1)
                line = text.count("\n", 0, match.start()) + 1
                where = "%s:%d" % (os.path.relpath(path, src), line)
                if target.endswith(".moc") or target.startswith("ui_"):
                    continue
                if "/" not in target:
                    found.append('%s: "%s" does not say its layer (write it from src/)' % (where, target))
                    continue
                target_layer = target.split("/")[0]
                if target_layer not in LEVEL and target_layer != "cli":
                    found.append('%s: "%s" is no folder of src/' % (where, target))
                elif not allowed(layer, target_layer):
                    found.append('%s: %s includes "%s" of a higher layer' % (where, layer, target))
    return sorted(found)


def self_test():
    planted = {
        "store/good.h": '#include "res/stringtable.h"\n',
        "store/bad.cpp": '#include "store/good.h"\n#include "dialogs/accountdlg.h"\n',
        "print/sideways.cpp": '#include "reports/reportchart.h"\n',
        "cli/wide.cpp": '#include "store/good.h"\n#include "app/mainframe.h"\n',
        "export/bare.cpp": '#include "good.h"\n',
        "app/fine.cpp": '#include "dialogs/accountdlg.h"\n#include "store/good.h"\n#include "fine.moc"\n',
    }
    with tempfile.TemporaryDirectory() as root:
        for relative, text in planted.items():
            path = os.path.join(root, relative)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write(text)
        found = violations(root)
    expected = [
        'cli/wide.cpp:2: cli includes "app/mainframe.h" of a higher layer',
        'export/bare.cpp:1: "good.h" does not say its layer (write it from src/)',
        'print/sideways.cpp:1: print includes "reports/reportchart.h" of a higher layer',
        'store/bad.cpp:2: store includes "dialogs/accountdlg.h" of a higher layer',
    ]
    if found != expected:
        print("the check missed or invented violations:")
        print("\n".join(found))
        return 1
    print("every planted violation found, nothing else")
    return 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return self_test()
    if len(argv) != 2:
        print(__doc__)
        return 2
    found = violations(argv[1])
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
