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
mkdir -p fuzz-findings
"$driver" -seed=1 -runs="$runs" -max_len=4096 -timeout=30 -artifact_prefix=fuzz-findings/ \
  -print_final_stats=1 "$work" "$seeds"
