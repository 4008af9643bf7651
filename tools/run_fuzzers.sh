#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for the given number of seconds
# (default 60). The inputs kept under tests/fuzz/regressions/<name>/ run first,
# so an old fault cannot come back unseen; a new crash input is kept there too,
# so that it can become a regression case.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
seconds="${1:-60}"
build="$root/build-fuzz"

# The loader's input is its nine files in one: symbol, mass, name, density,
# melt, boil, group, period and head, each ended by a lone backslash, with a
# backslash inside a file doubled (see tests/fuzz/loader_fuzz.cc). The shipped
# data make the first input, so that mutations start from well-formed files.
write_loader_seed() {
  local file
  for file in symbol mass name density melt boil group period; do
    sed 's/\\/\\\\/g' "data/$file"
    printf '\\'
  done
  sed 's/\\/\\\\/g' data/head
}

# A session's input is what the user types at the menu: one visit to every
# screen, so that mutations start from keys and formulas that reach them all.
write_session_seed() {
  printf 'MAl2(SO4)3\nkCCuSO4.5H2O\nkLkPNaCl\nkHAkHFkHOkx'
}

make fuzz
status=0
for fuzzer in "$build"/*_fuzz; do
  [ -x "$fuzzer" ] || continue
  name="$(basename "$fuzzer")"
  # Absolute paths: a target may change its working directory (the session
  # target runs in data/), and libFuzzer writes new inputs as it goes.
  corpus="$build/corpus-$name"
  regressions="$root/tests/fuzz/regressions/$name"
  mkdir -p "$corpus" "$regressions"
  case "$name" in
    loader_fuzz) write_loader_seed >"$corpus/shipped-data" ;;
    session_fuzz) write_session_seed >"$corpus/every-screen" ;;
  esac
  echo "== $name for ${seconds}s"
  # The second folder is only read: new corpus inputs go to the first.
  if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$regressions/" -print_final_stats=0 "$corpus" "$regressions" \
      >"$build/$name.log" 2>&1; then
    echo "$name failed; its crash input is in $regressions:"
    tail -n 40 "$build/$name.log"
    status=1
  fi
done
exit "$status"
