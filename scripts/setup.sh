#!/usr/bin/env bash
# Installs what building dllpick needs on Debian, as root. With --windows, also
# what cross-building and testing the Windows target needs (mingw-w64, Wine).
# Installs only what is missing, so a second run costs nothing.
set -euo pipefail

packages=(cmake make g++ libsqlite3-dev)
for option in "$@"; do
  case "$option" in
    --tests) packages+=(libgtest-dev googletest sqlite3 python3) ;;
    --windows) packages+=(g++-mingw-w64-x86-64-posix wine wine64) ;;
    --bench) packages+=(hyperfine) ;;
    *) echo "setup.sh: unknown option $option" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The end-to-end tables are TOML, read with tomllib (Python 3.11 and later).
if [[ " $* " == *" --tests "* ]]; then
  python3 -c 'import tomllib' 2>/dev/null ||
    { echo "setup: python3 is older than 3.11 (no tomllib)" >&2; exit 1; }
fi
