#!/usr/bin/env python3
"""Runs the end-to-end case table (cases.toml) against a built dllpick.

Each case starts from an empty registry, runs the real program with a fake
processor library posing as the case's processor, compares its standard
output and result byte for byte, then reads the registry's state without
dllpick's help: SQLite directly on POSIX, Wine's own reg.exe on Windows.

Closes with a line "N passed, N failed"; exits non-zero on any failure.
"""
import argparse
import os
import re
import sys
import tomllib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import targets  # noqa: E402

CLASS_PROCESSORS = {  # class -> (family, features)
    0: (4, 0),
    1: (5, 0),
    2: (6, 0),
    3: (5, 0x00800000),
    4: (6, 0x00800000),
}


REPEAT = re.compile(r"\{\{(.)\*(\d+)\}\}")


def expand(value):
    """Writes out "{{X*120}}" (120 X's) in every text of a case."""
    if isinstance(value, str):
        return REPEAT.sub(lambda match: match.group(1) * int(match.group(2)), value)
    if isinstance(value, list):
        return [expand(item) for item in value]
    if isinstance(value, dict):
        return {expand(key): expand(item) for key, item in value.items()}
    return value


def expected_stdout(case, usage_text):
    text = case.get("stdout", "")
    if "usage" in case:
        text += "\n" + case["usage"] + "\n" + usage_text
    return text


def processor_environment(case):
    if "family" in case or "features" in case:
        family, features = case.get("family", 0), case.get("features", 0)
    else:
        family, features = CLASS_PROCESSORS[case.get("cpu", 4)]
    environment = dict(os.environ)
    environment["FAKE_CHIPREP_FAMILY"] = str(family)
    environment["FAKE_CHIPREP_FEATURES"] = str(features)
    return environment


def run_case(target, case, usage_text):
    """Returns a list of problems; empty when the case passed."""
    target.reset(case)
    environment = processor_environment(case)
    for given in case.get("given", []):
        result = target.run(given, environment)
        if result.code != 0:
            return [f"given {given} exited {result.code}: {result.stdout!r}"]
    result = target.run(case["argv"], environment, user=case.get("user"))
    problems = []
    want = expected_stdout(case, usage_text)
    if result.stdout != want:
        problems.append("stdout differs:\n" + targets.diff(want, result.stdout))
    if result.stderr:
        problems.append(f"stderr is not empty: {result.stderr!r}")
    if result.code != (case["exit"] & 0xFF):
        problems.append(f"exit {result.code}, want {case['exit'] & 0xFF}")
    state = target.state()
    if state != case.get("after", {}):
        problems.append(f"registry after: {state!r}, want {case.get('after', {})!r}")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--target", choices=["posix", "windows"], required=True)
    parser.add_argument("--cases", required=True)
    parser.add_argument("--dllpick", required=True)
    parser.add_argument("--fake-chiprep", required=True)
    parser.add_argument("--store", help="POSIX: the store file dllpick was built to use")
    parser.add_argument("--work", help="Windows: a scratch folder for the Wine prefix")
    parser.add_argument("--only", help="run the cases whose name contains this")
    options = parser.parse_args()

    with open(options.cases, "rb") as cases_file:
        table = tomllib.load(cases_file)
    if options.target == "posix":
        target = targets.PosixTarget(options.dllpick, options.fake_chiprep, options.store)
    else:
        target = targets.WindowsTarget(options.dllpick, options.fake_chiprep, options.work)
    passed = failed = skipped = 0
    try:
        for case in table["case"]:
            if options.only and options.only not in case["name"]:
                continue
            if case.get("only", target.name) != target.name:
                continue
            reason = case.get("user") and target.cannot_run_as(case["user"])
            if reason:
                print(f"SKIP {case['name']}: {reason}")
                skipped += 1
                continue
            problems = run_case(target, expand(case), table["usage_text"])
            if problems:
                failed += 1
                print(f"FAIL {case['name']}")
                for problem in problems:
                    print("     " + problem.replace("\n", "\n     "))
            else:
                passed += 1
                print(f"ok   {case['name']}")
    finally:
        target.close()
    print(f"{target.name}: {passed} passed, {failed} failed, {skipped} skipped")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
