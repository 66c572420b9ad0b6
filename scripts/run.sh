#!/usr/bin/env bash
# Sets up, builds dllpick and runs its main job: assign a DLL to the Fotek
# library, then show the setting. Run as root: the store is /var/lib/dllpick.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default >/dev/null
set -x
build/default/dllpick -o FOTEK USEDLL 'L:\bin\fota2.dll'
build/default/dllpick -q FOTEK USEDLL
