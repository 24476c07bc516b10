#!/usr/bin/env bash
# Installs whatever is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install_deps.sh
cmake --preset release >/dev/null
cmake --build --preset release

if [[ -x build/release/app/sundial && ( -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ) ]]; then
    exec build/release/app/sundial "$@"
fi
echo "No display here (DISPLAY is not set): printing the Calculations report for the" >&2
echo "saved or default site instead (localdata.txt in $(pwd))." >&2
exec build/release/cli/sundial-cli report --settings localdata.txt
