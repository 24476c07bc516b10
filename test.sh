#!/usr/bin/env bash
# Installs whatever is missing, builds, and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install_deps.sh
cmake --preset debug >/dev/null
cmake --build --preset debug
QT_QPA_PLATFORM=offscreen ctest --preset debug -j2
# A few seconds of fuzzing the BMP reader (clang, libFuzzer).
./tests/pdf/fuzz/run_bmp_fuzz.sh 5
