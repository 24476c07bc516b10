#!/usr/bin/env bash
# Builds the BMP reader's fuzz target with clang (libFuzzer, address and
# undefined-behaviour sanitizers) and runs it for a few seconds from a small
# seed corpus of valid and damaged files. Usage: run_bmp_fuzz.sh [seconds]
set -euo pipefail
root="$(cd "$(dirname "$0")/../../../.." && pwd)"
out="$root/build/fuzz"
seconds="${1:-5}"
mkdir -p "$out/corpus"

clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" "$root/core/pdf/bmp_reader.cpp" "$root/tests/core/pdf/fuzz/bmp_fuzz.cpp" -o "$out/bmp_fuzz"

# Seeds: a 2 x 2 picture at each depth the reader accepts.
seed() {  # name bpp palette-entries row-bytes
    local name=$1 bpp=$2 entries=$3 row=$4
    python3 - "$out/corpus/$name" "$bpp" "$entries" "$row" <<'PY'
import struct, sys
path, bpp, entries, row = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
stride = (row + 3) // 4 * 4
pixels = bytes(range(stride)) * 2
offset = 54 + 4 * entries
header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
info = struct.pack("<IiiHHIIiiII", 40, 2, 2, 1, bpp, 0, len(pixels), 0, 0, 0, 0)
palette = bytes((i * 37) % 256 for i in range(4 * entries))
open(path, "wb").write(header + info + palette + pixels)
PY
}
if command -v python3 >/dev/null; then
    seed bpp1 1 2 1
    seed bpp4 4 16 1
    seed bpp8 8 256 2
    seed bpp24 24 0 6
fi

"$out/bmp_fuzz" -max_total_time="$seconds" -max_len=4096 "$out/corpus" 2>&1 | tail -n 3
