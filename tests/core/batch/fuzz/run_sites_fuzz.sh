#!/usr/bin/env bash
# Builds the sites-file reader's fuzz target with clang (libFuzzer, address and
# undefined-behaviour sanitizers) and runs it from a few good and damaged
# sites files. Usage: run_sites_fuzz.sh [seconds] [runs]
set -euo pipefail
root="$(cd "$(dirname "$0")/../../../.." && pwd)"
out="$root/build/fuzz"
mkdir -p "$out/sites_corpus"
cd "$root"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I. \
    core/batch/{csv,site_rows,text}.cpp core/io/{clean_text,regular_file,atomic_file}.cpp \
    core/rules/input_rules.cpp core/dial/geometry.cpp core/site/{site_state,time_zone_menu,number_text}.cpp \
    core/places/places.cpp tests/core/batch/fuzz/sites_fuzz.cpp -o "$out/sites_fuzz"
header='name,latitude,longitude,bearing,utc'
printf '%s\nExeter,50.7,3.5,185.2,0\n"Boston, MA",42.36,71.06,180,-5\n' "$header" >"$out/sites_corpus/good"
printf '\xEF\xBB\xBF%s\r\n"a ""b""",50,0,200,0\r\n\r\nc,99,0,200,0' "$header" >"$out/sites_corpus/crlf"
printf '%s\n"open,50,0,200,0\nB,50,0,200,0\nC"x,1\n' "$header" >"$out/sites_corpus/quotes"
"$out/sites_fuzz" -max_total_time="${1:-5}" -runs="${2:--1}" -max_len=16384 "$out/sites_corpus" 2>&1 | tail -n 3
