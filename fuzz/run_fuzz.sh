#!/bin/sh
# Runs a fuzz driver for RUNS inputs from the seeds in SEEDS (left as they
# are; new inputs go to a scratch corpus). A finding stops the run and is
# kept in fuzz-findings/ of the current folder.
#   sh fuzz/run_fuzz.sh DRIVER SEEDS RUNS
set -e
driver=$1
seeds=$2
runs=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=$(pwd)/fuzz-findings
mkdir -p "$findings"
"$driver" -seed=1 -runs="$runs" -keep_seed=1 -max_len=4096 -timeout=30 -artifact_prefix="$findings/" \
  -print_final_stats=1 "$work" "$seeds"
