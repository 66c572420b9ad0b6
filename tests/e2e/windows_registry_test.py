#!/usr/bin/env python3
"""dllpick.exe against Wine's registry: what only the real registry can show.

- Keys that -o creates are volatile: gone after the wineserver restarts
  (Wine's equivalent of a reboot), while a key that existed non-volatile
  before -o keeps its persistence and the new value.
- A usage error's exit code is -1 (0xFFFFFFFF), as cmd.exe shows it, and
  lines end in CRLF.
- -q reads into 128 bytes: a value of 128 bytes with its NUL is shown, one
  of 129 bytes gets the problem line, and data with no NUL (written here as
  REG_BINARY) shows no byte past its length.
Values are planted and checked with Wine's own reg.exe.
"""
import argparse
import os
import sys

import targets

ROOT = "HKLM\\" + targets.KOLVANE
FOTEK = targets.KOLVANE + "\\Fotek"
PROBLEM = "--Problem to get " + FOTEK + ".USEDLL's value\n"


def has_value(data):
    return FOTEK + '.USEDLL has value "' + data + '"\n'


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--dllpick", required=True)
    parser.add_argument("--fake-chiprep", required=True)
    parser.add_argument("--work", required=True)
    options = parser.parse_args()

    wine = targets.WindowsTarget(options.dllpick, options.fake_chiprep, options.work)
    environment = dict(wine.environment, FAKE_CHIPREP_FAMILY="6", FAKE_CHIPREP_FEATURES="0x800000")
    checks = []

    def check(what, got, want):
        checks.append((what, got == want))
        print(("ok   " if got == want else "FAIL ") + what)
        if got != want:
            print("     got  " + repr(got) + "\n     want " + repr(want))

    def dllpick(*argv):
        return wine.run(list(argv), environment).stdout

    def reg_add(name, kind, data):
        result = wine.reg("add", ROOT + "\\Fotek", "/v", name, "/t", kind, "/d", data, "/f")
        assert result.code == 0, result

    try:
        # The process result as Windows sees it: -1 is 0xFFFFFFFF, not 255.
        exe = "Z:" + os.path.join(wine.bin, "dllpick.exe").replace("/", "\\")
        shown = wine.run_exe("cmd.exe", ["/c", exe + " -z FOTEK >NUL & echo %ERRORLEVEL%"])
        check("a usage error exits with -1", shown.stdout, "-1\n")
        raw = targets.run([wine.wine, exe, "-b", "FOTEK"], environment).stdout
        check("lines end in CRLF", raw, " The best library for your cpu is FOTW2.DLL\r\n")

        # Volatility.
        wine.reg("add", ROOT + "\\Echra", "/v", "USEDLL", "/d", "OLD.DLL", "/f")
        check("-o on a lasting key modifies it",
              "has been modified" in dllpick("-o", "ECHRA", "USEDLL", "teqa2"), True)
        check("-o on no key creates it",
              "has been created" in dllpick("-o", "FOTEK", "USEDLL", "fotw2"), True)
        check("before the restart both keys are there", sorted(wine.state()), ["Echra", "Fotek"])
        wine.restart_server()
        check("after the restart only the lasting key is left, with the new value",
              wine.state(), {"Echra": {"USEDLL": "TEQA2.DLL"}})

        # The 128-byte read.
        reg_add("USEDLL", "REG_SZ", "A" * 127)
        check("127 characters and the NUL, 128 bytes, are shown",
              dllpick("-q", "FOTEK", "USEDLL"), has_value("A" * 127))
        reg_add("USEDLL", "REG_SZ", "B" * 128)
        check("128 characters and the NUL, 129 bytes, get the problem line",
              dllpick("-q", "FOTEK", "USEDLL"), PROBLEM)
        reg_add("USEDLL", "REG_BINARY", "4142")
        check("data with no NUL shows no byte past its length",
              dllpick("-q", "FOTEK", "USEDLL"), has_value("AB"))
        reg_add("USEDLL", "REG_BINARY", "43" * 128)
        check("128 bytes with no NUL fill the buffer and show whole",
              dllpick("-q", "FOTEK", "USEDLL"), has_value("C" * 128))
    finally:
        wine.close()

    failed = sum(1 for _, passed in checks if not passed)
    print(f"windows registry: {len(checks) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
