#!/usr/bin/env bash
# Runs the pipe transcript tests against the Windows build under Wine: every
# screen's output through a pipe is compared byte for byte, as for the Linux
# binary. One Wine server is kept alive across all the tests so that each run
# of the program starts at once; the Wine prefix lives in the Windows build
# folder.
#
#   tests/windows/run_e2e_under_wine.sh build/chemterm_e2e_tests build-windows/chemterm.exe
set -euo pipefail

e2e=${1:?usage: run_e2e_under_wine.sh E2E_TESTS CHEMTERM_EXE}
exe=$(realpath "${2:?usage: run_e2e_under_wine.sh E2E_TESTS CHEMTERM_EXE}")

find_tool() {
  local name
  for name in "$@"; do
    if command -v "$name" >/dev/null 2>&1; then command -v "$name"; return; fi
    if [ -x "/usr/lib/wine/$name" ]; then echo "/usr/lib/wine/$name"; return; fi
  done
  echo "no $1 found (Debian: apt-get install wine64)" >&2
  exit 1
}
wine=$(find_tool wine64 wine)
wineserver=$(find_tool wineserver64 wineserver)

export WINEPREFIX="$(dirname "$exe")/wineprefix"
export WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT
# The first start sets the prefix up, which takes a while: not inside a test.
"$wine" wineboot --init </dev/null >/dev/null 2>&1 || true

# The pseudo-terminal tests need a POSIX terminal: they stay with the Linux build.
CHEMTERM_TEST_BINARY="$exe" CHEMTERM_TEST_RUNNER="$wine" \
  "$e2e" --gtest_filter='-PtyConsole*:PtyProgram*' --gtest_brief=1
