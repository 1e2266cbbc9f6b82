#!/usr/bin/env bash
# The whole test suite: the installed library checked by a consumer project, the API reference
# built without warnings, the threaded tests under ThreadSanitizer, a short libFuzzer run of
# every fuzz target, then every unit test (and the saved fuzz inputs) under AddressSanitizer
# and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh

export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
# Paths relative to the checkout, and the build folder left out of the key of debug builds, so
# a clone in another folder reuses the cache.
export CCACHE_BASEDIR="$PWD"
export CCACHE_NOHASHDIR=1
jobs="$(nproc)"

echo "== install check"
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
scripts/check-install.sh build/release

echo "== API reference without warnings"
cmake --build --preset release --target docs

echo "== threaded tests under ThreadSanitizer"
cmake --preset tsan >/dev/null
# Only the test programs that hold threaded tests (tests/<layer>/ becomes <layer>_tests,
# tests/platform/ui/ platform_ui_tests).
mapfile -t threaded < <(grep -rl "Threaded" tests/*/ |
  sed -E 's#^tests/(platform/ui|[^/]+)/.*#\1_tests#; s#/#_#g' | sort -u)
cmake --build --preset tsan -j "$jobs" --target "${threaded[@]}"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --preset tsan

echo "== short fuzz run"
scripts/fuzz.sh 60

echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
export ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1" \
  LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp print_suppressions=0"
ctest --preset asan -LE platform_ui_window

echo "== desktop-window tests"
# They need a display: without one, a virtual one for them alone, stopped on any exit.
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  display=":$((90 + RANDOM % 100))"
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  for _ in $(seq 50); do
    [[ -e "/tmp/.X11-unix/X${display#:}" ]] && break
    sleep 0.1
  done
  DISPLAY="$display" ctest --preset asan -L platform_ui_window
else
  ctest --preset asan -L platform_ui_window
fi
