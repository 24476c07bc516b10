#!/usr/bin/env bash
# Builds the dial project reader's fuzz target with clang (libFuzzer, address
# and undefined-behaviour sanitizers on the reader and its JSON parser) against
# the debug build's other libraries, and runs it for a few seconds from a seed
# corpus of good projects. Usage: run_project_fuzz.sh [seconds]
set -euo pipefail
root="$(cd "$(dirname "$0")/../../../.." && pwd)"
build="$root/build/debug"
out="$root/build/fuzz"
seconds="${1:-5}"
mkdir -p "$out/project-corpus"

libs=()
for lib in template plan lines engine font pdf dial rules site io layout sun places; do
    libs+=("$build/core/$lib/libsundial_$lib.a")
done
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" "$root/core/project/dial_project.cpp" "$root/tests/core/project/fuzz/project_fuzz.cpp" \
    -Wl,--start-group "${libs[@]}" -Wl,--end-group $(pkg-config --libs dxflib freetype2 harfbuzz-subset) -lerfa -ldate-tz \
    -o "$out/project_fuzz"

# Seeds: projects as the command line writes them.
cli="$build/cli/sundial-cli"
"$cli" template --place Exeter --width 600 --height 450 --half \
    --save-project "$out/project-corpus/plain.sundial" >/dev/null
"$cli" template --lat 51.5 --lon 0.12 --west --bearing 200 --utc 1 --width 300 --height 200 \
    --root-x 100 --root-y 20 --quarter --numerals arabic --date-lines --months --nodus 90 \
    --noon-curve --style 120 --made "9 Dec" --paper letter --landscape \
    --save-project "$out/project-corpus/full.sundial" >/dev/null
"$cli" template --lat 33.87 --south --lon 151.21 --east --tz Australia/Sydney --year 2026 \
    --width 600 --height 450 --summer-numerals --save-project "$out/project-corpus/zone.sundial" >/dev/null

"$out/project_fuzz" -max_total_time="$seconds" -max_len=2048 "$out/project-corpus" 2>&1 | tail -n 3
