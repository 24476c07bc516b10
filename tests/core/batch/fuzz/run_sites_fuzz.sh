#!/usr/bin/env bash
# Builds the sites-file reader's fuzz target with clang (libFuzzer, address and
# undefined-behaviour sanitizers) against the debug build's other libraries,
# and runs it from a few good and damaged sites files. Usage: run_sites_fuzz.sh [seconds] [runs]
set -euo pipefail
root="$(cd "$(dirname "$0")/../../../.." && pwd)"
out="$root/build/fuzz"
mkdir -p "$out/sites_corpus"
cd "$root"
# The reader itself under the sanitizers; what it calls from the debug build.
libs=()
for lib in project template plan lines engine font pdf dial rules site io layout sun places; do
    libs+=("build/debug/core/$lib/libsundial_$lib.a")
done
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I. \
    core/batch/{csv,site_rows,text}.cpp tests/core/batch/fuzz/sites_fuzz.cpp \
    -Wl,--start-group "${libs[@]}" -Wl,--end-group $(pkg-config --libs dxflib freetype2 harfbuzz-subset) -lerfa \
    -ldate-tz -o "$out/sites_fuzz"
header='name,latitude,longitude,bearing,utc'
printf '%s\nExeter,50.7,3.5,185.2,0\n"Boston, MA",42.36,71.06,180,-5\n' "$header" >"$out/sites_corpus/good"
printf '\xEF\xBB\xBF%s\r\n"a ""b""",50,0,200,0\r\n\r\nc,99,0,200,0' "$header" >"$out/sites_corpus/crlf"
printf '%s\n"open,50,0,200,0\nB,50,0,200,0\nC"x,1\n' "$header" >"$out/sites_corpus/quotes"
"$out/sites_fuzz" -max_total_time="${1:-5}" -runs="${2:--1}" -max_len=16384 "$out/sites_corpus" 2>&1 | tail -n 3
