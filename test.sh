#!/usr/bin/env bash
# Installs whatever is missing, builds, and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install_deps.sh
cmake --preset debug >/dev/null
cmake --build --preset debug
# A few seconds of fuzzing the BMP reader (clang, libFuzzer).
./tests/core/pdf/fuzz/run_bmp_fuzz.sh 5
# And the dial project reader, against the libraries just built.
./tests/core/project/fuzz/run_project_fuzz.sh 5
# And the sites-file reader, a few seconds too.
./tests/core/batch/fuzz/run_sites_fuzz.sh 5
# And the command line's option reader.
./tests/cli/fuzz/run_option_parser_fuzz.sh 5
QT_QPA_PLATFORM=offscreen ctest --preset debug -j2
# Files and reports must read the same whatever the locale: everything once
# more with a comma as the decimal separator.
if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 QT_QPA_PLATFORM=offscreen ctest --preset debug -j2
fi
