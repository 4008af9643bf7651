#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for the given number of seconds
# (default 60). A crash input is kept under tests/fuzz/regressions/ so that it
# can become a regression case.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

make fuzz
status=0
for fuzzer in build-fuzz/*_fuzz; do
  [ -x "$fuzzer" ] || continue
  name="$(basename "$fuzzer")"
  corpus="build-fuzz/corpus-$name"
  regressions="tests/fuzz/regressions/$name"
  mkdir -p "$corpus" "$regressions"
  echo "== $name for ${seconds}s"
  # Crash inputs found earlier run first, so an old fault cannot come back unseen.
  if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$regressions/" -print_final_stats=0 "$corpus" "$regressions" \
      >"build-fuzz/$name.log" 2>&1; then
    echo "$name failed; its crash input is in $regressions:"
    tail -n 40 "build-fuzz/$name.log"
    status=1
  fi
done
exit "$status"
