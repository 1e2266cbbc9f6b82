#!/usr/bin/env bash
# A short, bounded libFuzzer run of every fuzz target (the asan build: clang, ASan+UBSan),
# sharing a time budget (default 60 s, or the first argument). New inputs go to a scratch
# folder; the saved corpora in fuzz/corpus are only read. A crash fails the run and leaves its
# input in build/asan.
set -euo pipefail
cd "$(dirname "$0")/.."
budget="${1:-60}"

cmake --preset asan >/dev/null
mapfile -t targets < <(cd fuzz && ls *_fuzzer.cpp | sed 's/\.cpp$//')
cmake --build --preset asan -j "$(nproc)" --target "${targets[@]}"

seconds=$(( budget / ${#targets[@]} ))
[ "$seconds" -lt 3 ] && seconds=3
for target in "${targets[@]}"; do
  scratch="$(mktemp -d)"
  echo "fuzz: $target for ${seconds}s"
  (cd build/asan && "./fuzz/$target" -max_total_time="$seconds" -print_final_stats=0 \
      "$scratch" "../../fuzz/corpus/$target" 2>&1 | grep -E "^(Done|==|SUMMARY)" || true)
  rm -rf "$scratch"
  # libFuzzer leaves crash-* / leak-* / timeout-* files behind on failure.
  failures="$(find build/asan -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \))"
  if [ -n "$failures" ]; then
    echo "fuzz: $target found a failing input:"; echo "$failures"
    exit 1
  fi
done
echo "fuzz: ${#targets[@]} targets ran clean"
