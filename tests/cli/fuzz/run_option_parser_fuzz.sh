#!/usr/bin/env bash
# Builds the option reader's fuzz target with clang (libFuzzer, address and
# undefined-behaviour sanitizers) against the debug build's other libraries and
# runs it from a few command lines. Usage: run_option_parser_fuzz.sh [seconds] [runs]
set -euo pipefail
cd "$(dirname "$0")/../../.."
out=build/fuzz
mkdir -p "$out/option-parser-corpus"
libs=(build/debug/cli/libsundial_cli_lib.a)
for lib in batch project template plan lines engine font pdf dial rules site io sun places; do
    libs+=("build/debug/core/$lib/libsundial_$lib.a")
done
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I. \
    cli/option_parser.cpp tests/cli/fuzz/option_parser_fuzz.cpp \
    -Wl,--start-group "${libs[@]}" -Wl,--end-group $(pkg-config --libs dxflib freetype2 harfbuzz-subset) -lerfa \
    -ldate-tz -o "$out/option_parser_fuzz"
# Seeds: the command's place in the table as a byte, then NUL-ended arguments.
printf '\0--place\0London\0--json\0' >"$out/option-parser-corpus/report"
printf '\6--width\0600\0--half\0--date-line\00006-01\0--pdf=\0--\0x\0' >"$out/option-parser-corpus/template"
"$out/option_parser_fuzz" -max_total_time="${1:-5}" -runs="${2:--1}" -max_len=4096 "$out/option-parser-corpus" 2>&1 | tail -n 3
