#!/usr/bin/env bash
# Installs a configured build tree twice where the build did not expect it: once into its
# configured prefix and then moved away, once with `cmake --install --prefix`. Against each it
# builds a small consumer through find_package(Orvane) and through pkg-config, each with the
# shared and the static library, and runs them. The consumer fails unless it reads a phrase
# from the toolkit's resources inside the install: the shared library finds them from where it
# was loaded, the static one from the program, which is run from the install's bin/ folder as
# an application installed beside the library would be.
set -euo pipefail
build="$1"
root="$(cd "$(dirname "$0")/.." && pwd)"
consumer="$root/tests/install/consumer"
work="$(cd "$(mktemp -d)" && pwd -P)"
trap 'rm -rf "$work"' EXIT

# The configured prefix must not be there to stand in for the installs checked.
configured="$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$root/$build/CMakeCache.txt")"
case "$configured" in
  "$root/$build"/*) rm -rf "$configured" ;;
  *) if [ -e "$configured" ]; then
       echo "install check: move $configured away first" >&2
       exit 1
     fi ;;
esac

# pkg-config's output is meant to split into words.
# shellcheck disable=SC2046,SC2086
check_consumers() {
  local prefix="$1" out="$work/consumer-$2"
  cmake -S "$consumer" -B "$out" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
  cmake --build "$out" >/dev/null

  local libdir
  libdir="$(dirname "$(find "$prefix" -name liborvane.a)")"
  export PKG_CONFIG_PATH="$libdir/pkgconfig"
  c++ -o "$out/consumer_pkgconfig" "$consumer/main.cpp" $(pkg-config --cflags --libs orvane)
  # Both libraries sit in libdir: name the archive so that the linker takes it.
  local static
  static="$(pkg-config --static --libs orvane)"
  c++ -o "$out/consumer_pkgconfig_static" "$consumer/main.cpp" $(pkg-config --cflags orvane) \
    ${static/-lorvane /-l:liborvane.a }

  LD_LIBRARY_PATH="$libdir" "$out/consumer_cmake" "$prefix"
  LD_LIBRARY_PATH="$libdir" "$out/consumer_pkgconfig" "$prefix"
  mkdir -p "$prefix/bin"
  for program in consumer_cmake_static consumer_pkgconfig_static; do
    cp "$out/$program" "$prefix/bin/"
    "$prefix/bin/$program" "$prefix"
  done
}

cmake --install "$root/$build" >/dev/null
mv "$configured" "$work/moved"
check_consumers "$work/moved" moved

cmake --install "$root/$build" --prefix "$work/prefixed" >/dev/null
check_consumers "$work/prefixed" prefixed
echo "install check: find_package and pkg-config consumers ran against a moved and a --prefix install"
