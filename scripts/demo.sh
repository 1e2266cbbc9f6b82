#!/usr/bin/env bash
# Builds the optimised library and runs the demo host application.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target orvane-demo
build/release/examples/demo/orvane-demo "$@"
