#!/bin/sh
# Configures and builds into build/ (or $ORVANE_BUILD_DIR). Extra arguments go to cmake.
set -e
cd "$(dirname "$0")/.."
BUILD_DIR=${ORVANE_BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" "$@" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
