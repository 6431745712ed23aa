#!/bin/sh
# Runs one libFuzzer target for a bounded time over a copy of its seed corpus.
# usage: run-fuzzer.sh FUZZER SEED_DIR WORK_DIR SECONDS
set -eu
fuzzer=$1 seeds=$2 work=$3 seconds=$4
mkdir -p "$work/corpus"
cp -f "$seeds"/* "$work/corpus/" 2>/dev/null || true
cd "$work"
exec "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -detect_leaks=1 corpus
