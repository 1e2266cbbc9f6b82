#!/usr/bin/env bash
# Builds the optimised library and runs the demo host application.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
# Paths relative to the checkout, so a clone in another folder reuses the cache.
export CCACHE_BASEDIR="$PWD"
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target orvane-demo
build/release/examples/demo/orvane-demo "$@"
