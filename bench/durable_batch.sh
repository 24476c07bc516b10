#!/bin/sh
# What durability costs a batch: `batch --places --pdf` (270 sheets) into a
# folder on disk and into one on tmpfs, where a flush costs nothing, and 40
# separate `report --pdf` runs on disk for scale. The batch on disk should
# take at most 2.5 times the tmpfs batch, and less than the 40 runs.
# Run: bench/durable_batch.sh [sundial-cli] [folder on disk] [folder on tmpfs]
set -eu
cli=$(realpath "${1:-build/release/cli/sundial-cli}")
disk=${2:-${TMPDIR:-/var/tmp}}/sundial-durable-batch.$$
shm=${3:-/dev/shm}/sundial-durable-batch.$$
mkdir -p "$disk" "$shm"
trap 'rm -rf "$disk" "$shm"' EXIT
hyperfine --warmup 2 --runs "${RUNS:-10}" --export-markdown "${MARKDOWN:-/dev/null}" \
    --prepare "rm -rf $disk/out" -n "batch on disk" \
    "$cli batch --places --pdf --out $disk/out" \
    --prepare "rm -rf $shm/out" -n "batch on tmpfs" \
    "$cli batch --places --pdf --out $shm/out" \
    --prepare "rm -rf $disk/runs; mkdir $disk/runs" -n "40 report --pdf runs on disk" \
    "for i in \$(seq 40); do $cli report --place Exeter --pdf $disk/runs/\$i.pdf >/dev/null; done"
