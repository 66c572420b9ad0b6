"""Running dllpick for the end-to-end tests, and reading the registry back.

A target resets the registry, runs the program, and reads the registry's
state without dllpick. POSIX runs the program directly; Windows runs dllpick.exe under Wine in a
prefix of its own, with a wineserver held for the whole run so that each
program start does not pay for starting Wine again.
"""
import difflib
import os
import pwd
import re
import shutil
import sqlite3
import stat
import subprocess
from dataclasses import dataclass

KOLVANE = r"SOFTWARE\Ombrix Corporation\Kolvane"
REG_EXE = r"C:\windows\system32\reg.exe"


@dataclass
class Result:
    stdout: str  # bytes as latin-1, CRLF folded to LF on Windows
    stderr: str
    code: int    # as a POSIX shell sees it, 0-255


def run(command, environment, user=None, timeout=60):
    completed = subprocess.run(command, env=environment, stdin=subprocess.DEVNULL,
                               capture_output=True, timeout=timeout, user=user)
    return Result(completed.stdout.decode("latin-1"), completed.stderr.decode("latin-1"),
                  completed.returncode & 0xFF)


def reachable_by(user, path):
    """True when `user` may traverse every folder down to `path`."""
    account = pwd.getpwnam(user)
    folder = os.path.abspath(path)
    while True:
        folder = os.path.dirname(folder)
        info = os.stat(folder)
        if info.st_uid == account.pw_uid:
            allowed = info.st_mode & stat.S_IXUSR
        elif info.st_gid == account.pw_gid:
            allowed = info.st_mode & stat.S_IXGRP
        else:
            allowed = info.st_mode & stat.S_IXOTH
        if not allowed:
            return False
        if folder == "/":
            return True


def diff(want, got):
    lines = difflib.unified_diff(want.splitlines(keepends=True), got.splitlines(keepends=True),
                                 "want", "got", lineterm="")
    return "".join(repr(line)[1:-1] + "\n" for line in lines)


def find_wine_program(*candidates):
    """The first of `candidates` installed; Wine missing is an error, never a skip."""
    for candidate in candidates:
        path = shutil.which(candidate)
        if path:
            return path
    raise SystemExit(f"{candidates[-1]} is not installed (Debian package wine64)")


class PosixTarget:
    """dllpick with LD_LIBRARY_PATH on the fake libchiprep.so; the store read with SQLite."""
    name = "posix"

    def __init__(self, dllpick, fake_chiprep, store):
        self.dllpick = dllpick
        self.fake_dir = os.path.dirname(os.path.abspath(fake_chiprep))
        self.store = store

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
            if not reachable_by(user, path):
                return f"{user} cannot reach {path} (the same is tested in the store's unit tests)"
        return None

    def run(self, argv, environment, user=None):
        environment = dict(environment, LD_LIBRARY_PATH=self.fake_dir)
        return run([self.dllpick, *argv], environment, user=user)

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
            for name in KOLVANE.split("\\"):
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


class WindowsTarget:
    """dllpick.exe with a fake chiprep.dll beside it, in a fresh Wine prefix."""
    name = "windows"

    def __init__(self, dllpick, fake_chiprep, work):
        self.work = os.path.abspath(work)
        shutil.rmtree(self.work, ignore_errors=True)
        self.bin = os.path.join(self.work, "bin")
        os.makedirs(self.bin)
        shutil.copy(dllpick, os.path.join(self.bin, "dllpick.exe"))
        shutil.copy(fake_chiprep, os.path.join(self.bin, "chiprep.dll"))
        self.wine = find_wine_program("/usr/lib/wine/wine64", "wine64")
        self.wineserver = find_wine_program("/usr/lib/wine/wineserver64", "wineserver")
        self.environment = dict(os.environ, WINEPREFIX=os.path.join(self.work, "prefix"),
                                WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        self.environment.pop("DISPLAY", None)
        os.makedirs(self.environment["WINEPREFIX"])
        self.start_server()

    def start_server(self):
        # Wine's daemons must not inherit our pipes, or readers never see EOF.
        quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                     stderr=subprocess.DEVNULL)
        subprocess.run([self.wineserver, "-p"], env=self.environment, check=True, **quiet)
        subprocess.run([self.wine, "wineboot", "--init"], env=self.environment, check=True,
                       timeout=300, **quiet)

    def stop_server(self):
        """Ends Wine in this prefix; the registry is saved to disk first."""
        subprocess.run([self.wineserver, "-k"], env=self.environment)
        subprocess.run([self.wineserver, "-w"], env=self.environment)

    def restart_server(self):
        """Like a restart of Windows, as far as volatile keys go."""
        self.stop_server()
        self.start_server()

    def reg(self, *arguments):
        return run([self.wine, REG_EXE, *arguments], self.environment)

    def reset(self, case):
        self.reg("delete", "HKLM\\" + KOLVANE, "/f")

    def cannot_run_as(self, user):
        return f"Windows cases run as the prefix's user, not {user}"

    def run(self, argv, environment, user=None):
        if user is not None:
            raise ValueError(self.cannot_run_as(user))
        environment = dict(environment, **{k: v for k, v in self.environment.items()
                                          if k.startswith("WINE")})
        return self.run_exe(os.path.join(self.bin, "dllpick.exe"), argv, environment)

    def run_exe(self, exe, argv, environment=None):
        result = run([self.wine, exe, *argv], environment or self.environment)
        result.stdout = result.stdout.replace("\r\n", "\n")
        return result

    def state(self, root=KOLVANE):
        """{subkey: {value name: data}} under `root`, as reg.exe shows it."""
        result = self.reg("query", "HKLM\\" + root, "/s")
        if result.code != 0:
            return {}
        state, current = {}, None
        prefix = "HKEY_LOCAL_MACHINE\\" + root + "\\"
        for line in result.stdout.replace("\r\n", "\n").split("\n"):
            if line.startswith("HKEY_"):
                current = line[len(prefix):] if line.startswith(prefix) else None
                if current is not None:
                    state.setdefault(current, {})
                continue
            value = re.match(r"^    (.*?)    (REG_\w+)    ?(.*)$", line)
            if value and current is not None:
                if value.group(2) != "REG_SZ":
                    raise AssertionError(f"{current}.{value.group(1)} is {value.group(2)}")
                state[current][value.group(1)] = value.group(3)
        return state

    def close(self):
        self.stop_server()
