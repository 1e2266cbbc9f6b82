#!/usr/bin/env bash
# Installs a configured build tree into a staging prefix, then builds and runs a small consumer
# against it twice: once through find_package(Orvane), once through pkg-config.
set -euo pipefail
build="$1"
root="$(cd "$(dirname "$0")/.." && pwd)"
stage="$root/$build/stage"
rm -rf "$stage"
cmake --install "$root/$build" --prefix "$stage" >/dev/null

consumer="$root/tests/install/consumer"
out="$root/$build/consumer"
rm -rf "$out"
cmake -S "$consumer" -B "$out" -G Ninja -DCMAKE_PREFIX_PATH="$stage" >/dev/null
cmake --build "$out" >/dev/null
LD_LIBRARY_PATH="$stage/lib" "$out/consumer_cmake"
"$out/consumer_cmake_static"

PKG_CONFIG_PATH="$stage/lib/pkgconfig" \
  c++ -o "$out/consumer_pkgconfig" "$consumer/main.cpp" $(PKG_CONFIG_PATH="$stage/lib/pkgconfig" pkg-config --cflags --libs orvane)
LD_LIBRARY_PATH="$stage/lib" "$out/consumer_pkgconfig"
echo "install check: find_package and pkg-config consumers built and ran"
