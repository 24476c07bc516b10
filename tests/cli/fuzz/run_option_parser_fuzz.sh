#!/usr/bin/env bash
# Builds the command line's option reader's fuzz target with clang (libFuzzer,
# address and undefined-behaviour sanitizers on the reader) against the debug
# build's other libraries, and runs it from a few command lines as people type
# them. Usage: run_option_parser_fuzz.sh [seconds] [runs]
set -euo pipefail
root="$(cd "$(dirname "$0")/../../.." && pwd)"
out="$root/build/fuzz"
corpus="$out/option-parser-corpus"
mkdir -p "$corpus"
cd "$root"
libs=(build/debug/cli/libsundial_cli_lib.a)
for lib in batch project template plan lines engine font pdf dial rules site io sun places; do
    libs+=("build/debug/core/$lib/libsundial_$lib.a")
done
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I. \
    cli/option_parser.cpp tests/cli/fuzz/option_parser_fuzz.cpp \
    -Wl,--start-group "${libs[@]}" -Wl,--end-group $(pkg-config --libs dxflib freetype2 harfbuzz-subset) -lerfa \
    -ldate-tz -o "$out/option_parser_fuzz"
# Seeds: a byte for the command (its place in the table), then the arguments
# with a NUL after each.
seed() { local name="$1" command="$2"; shift 2; { printf "\\$(printf '%03o' "$command")"; printf '%s\0' "$@"; } >"$corpus/$name"; }
seed report 0 --place London --bearing 200 --json
seed sun 2 --lat=50.5 --lon 3 --west --at 2026-06-21T12:00:00
seed template 6 --width 600 --height 450 --half --date-line 06-01 --date-line 12-25 --pdf= -- x
seed repeats 6 --half --half --json=no -h
"$out/option_parser_fuzz" -max_total_time="${1:-5}" -runs="${2:--1}" -max_len=4096 "$corpus" 2>&1 | tail -n 3
