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
import sqlite3
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


class PosixTarget:
    name = "posix"

    def __init__(self, options):
        self.dllpick = options.dllpick
        self.fake_dir = os.path.dirname(os.path.abspath(options.fake_chiprep))
        self.store = options.store

    def reset(self, case):
        os.makedirs(os.path.dirname(self.store), exist_ok=True)
        for suffix in ("", "-journal", "-wal", "-shm"):
            if os.path.exists(self.store + suffix):
                os.remove(self.store + suffix)
        self.garbage = b"this is not a registry\n" * 200 if case.get("store") == "garbage" else None
        if self.garbage:
            with open(self.store, "wb") as garbage:
                garbage.write(self.garbage)

    def cannot_run_as(self, user):
        """Why this target cannot run a case as `user`, or None."""
        if os.geteuid() != 0:
            return "running as another user needs root"
        for path in (self.dllpick, self.fake_dir, os.path.dirname(self.store)):
            if not targets.reachable_by(user, path):
                return f"{user} cannot reach {path} (the same is tested in the store's unit tests)"
        return None

    def run(self, argv, environment, user=None):
        environment = dict(environment, LD_LIBRARY_PATH=self.fake_dir)
        return targets.run([self.dllpick, *argv], environment, user=user)

    def state(self):
        """{subkey: {value name: data}} under the Kolvane root."""
        if not os.path.exists(self.store):
            return {}
        if self.garbage:
            with open(self.store, "rb") as store:
                if store.read() != self.garbage:
                    raise AssertionError("the file that is not a store was written to")
            return {}
        db = sqlite3.connect(f"file:{self.store}?mode=ro", uri=True)
        try:
            key = 1  # HKEY_LOCAL_MACHINE
            for name in targets.KOLVANE.split("\\"):
                row = db.execute(
                    "SELECT id FROM reg_keys WHERE parent = ? AND name = ?", (key, name)
                ).fetchone()
                if row is None:
                    return {}
                key = row[0]
            state = {}
            for sub_id, sub_name in db.execute(
                    "SELECT id, name FROM reg_keys WHERE parent = ?", (key,)).fetchall():
                values = {}
                for name, kind, data in db.execute(
                        "SELECT name, type, data FROM reg_values WHERE key = ?", (sub_id,)):
                    if kind != 1 or not data.endswith(b"\0"):
                        raise AssertionError(f"{sub_name}.{name}: not a REG_SZ with its NUL: {data!r}")
                    values[name] = data[:-1].decode("latin-1")
                state[sub_name] = values
            return state
        finally:
            db.close()

    def close(self):
        pass


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
    target = PosixTarget(options) if options.target == "posix" else targets.WindowsTarget(
        options.dllpick, options.fake_chiprep, options.work)
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
