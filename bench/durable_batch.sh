#!/bin/sh
# What durability costs a batch: `batch --places --pdf` (270 sheets) into a
# folder on disk and into one on tmpfs, where a flush costs nothing, and 40
# separate `report --pdf` runs on disk for scale. The batch on disk should
# take at most 2.5 times the tmpfs batch, and less than the 40 runs. The last
# run's files are removed and that removal synced before each run: on a file
# system mounted with `discard` the freed blocks are otherwise trimmed by the
# next run's first flush, a cost of the removal and not of the run. The last
# line is the floor: the same files put on that disk by `cp`, which neither
# syncs nor renames. Making a file costs more on some folders than on others
# of one disk (where its inodes must come from other block groups), so the
# batch on disk is measured against that floor as well as against tmpfs.
# Run: bench/durable_batch.sh [sundial-cli] [folder on disk] [folder on tmpfs]
set -eu
cli=$(realpath "${1:-build/release/cli/sundial-cli}")
disk=${2:-${TMPDIR:-/var/tmp}}/sundial-durable-batch.$$
shm=${3:-/dev/shm}/sundial-durable-batch.$$
mkdir -p "$disk" "$shm"
trap 'rm -rf "$disk" "$shm"' EXIT
hyperfine --warmup 2 --runs "${RUNS:-10}" --export-markdown "${MARKDOWN:-/dev/null}" \
    --prepare "rm -rf $disk/out; sync" -n "batch on disk" \
    "$cli batch --places --pdf --out $disk/out" \
    --prepare "rm -rf $shm/out" -n "batch on tmpfs" \
    "$cli batch --places --pdf --out $shm/out" \
    --prepare "rm -rf $disk/runs; mkdir $disk/runs; sync" -n "40 report --pdf runs on disk" \
    "for i in \$(seq 40); do $cli report --place Exeter --pdf $disk/runs/\$i.pdf >/dev/null; done" \
    --prepare "rm -rf $disk/copy; sync" -n "the batch's files copied to disk, not synced" \
    "cp -r $shm/out $disk/copy"
