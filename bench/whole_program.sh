#!/usr/bin/env bash
# Whole-program benchmark: pipes 100,000 molecular mass requests and 10,000
# composition requests through the real binary, measures its start (banner
# key, then E) against a trivial C++ program that prints one line, and prints
# a table of the figures with their targets.
#
#   bench/whole_program.sh [BUILD_FOLDER]      (default build-bench)
#
# Needs /usr/bin/time (Debian package "time") and a C++ compiler.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "${1:-build-bench}" && pwd)"
binary="$build/chemterm"
data="$build/data"
work="$build/whole-program"
cxx="${CXX:-c++}"

MASS_REQUESTS=100000
COMPOSITION_REQUESTS=10000
THROUGHPUT_RUNS=5   # median of these
STARTUP_RUNS=200    # each program, taken in turn

[ -x "$binary" ] || { echo "no $binary: build first (make bench)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time missing: apt-get install time" >&2; exit 1; }
mkdir -p "$work"

# ---- Inputs -------------------------------------------------------------------

# Real formulas, cycled: groups, nested groups, hydrates, long organic ones.
formulas="H2O NaCl Al2(SO4)3 C6H12O6 CuSO4.5H2O Ca(OH)2(NO3)2 K3(Fe(CN)6) CH3COOH
H2SO4 Na2CO3 NH4NO3 C2H5OH KMnO4 Fe2O3 Mg(OH)2 CH3(CH2)7CHCH(CH2)7COOH"

# One request is the menu key, the formula line and the closing key; the
# banner key starts the session and E at the menu ends it.
make_requests() {  # KEY COUNT
  awk -v key="$1" -v count="$2" -v list="$formulas" 'BEGIN {
    n = split(list, f, /[ \n]+/)
    printf "x"
    for (i = 0; i < count; i++) printf "%s%s\nx", key, f[i % n + 1]
    printf "e"
  }'
}
make_requests m "$MASS_REQUESTS" >"$work/mass.in"
make_requests c "$COMPOSITION_REQUESTS" >"$work/composition.in"
printf 'xe' >"$work/startup.in"

cat >"$work/trivial.cc" <<'EOF'
#include <iostream>
int main() { std::cout << "Molecular mass calculator\n"; }
EOF
"$cxx" -std=c++20 -O2 -o "$work/trivial" "$work/trivial.cc"
"$cxx" -std=c++20 -O2 -o "$work/startup_timer" bench/startup_timer.cc

# ---- Measuring ------------------------------------------------------------------

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Peak resident set size in KiB of the program in the last /usr/bin/time report.
peak_kib() { awk -F': ' '/Maximum resident set size/ { print $2 }' "$1"; }

# Runs the program over INPUT through pipes on both sides, THROUGHPUT_RUNS
# times; prints the median wall time in seconds and the largest peak RSS.
run_through_pipes() {  # INPUT
  local times=() peak=0 start end kib
  for ((r = 0; r < THROUGHPUT_RUNS; r++)); do
    start=$(date +%s%N)
    cat "$1" | (cd "$data" && /usr/bin/time -v -o "$work/time.txt" "$binary") | cat >/dev/null
    end=$(date +%s%N)
    times+=("$(awk -v ns=$((end - start)) 'BEGIN { printf "%.4f", ns / 1e9 }')")
    kib=$(peak_kib "$work/time.txt")
    ((kib > peak)) && peak=$kib
  done
  echo "$(printf '%s\n' "${times[@]}" | median) $peak"
}

# Every request must have been answered with a result, not the error screen.
check_answers() {  # INPUT TEXT EXPECTED
  local got
  got=$( (cd "$data" && "$binary" <"$1") | grep -o "$2" | wc -l)
  [ "$got" -eq "$3" ] || { echo "expected $3 answers \"$2\", got $got" >&2; exit 1; }
}
check_answers "$work/mass.in" "Mass is" "$MASS_REQUESTS"
check_answers "$work/composition.in" "PERCENTAGE" "$COMPOSITION_REQUESTS"

read -r mass_s mass_kib < <(run_through_pipes "$work/mass.in")
read -r comp_s comp_kib < <(run_through_pipes "$work/composition.in")
read -r start_us trivial_us ratio < <(cd "$data" && "$work/startup_timer" "$STARTUP_RUNS" \
  "$work/startup.in" "$binary" "$work/trivial")
(cd "$data" && /usr/bin/time -v -o "$work/time.txt" "$binary" <"$work/startup.in" >/dev/null)
start_kib=$(peak_kib "$work/time.txt")
/usr/bin/time -v -o "$work/time.txt" "$work/trivial" >/dev/null
trivial_kib=$(peak_kib "$work/time.txt")

# ---- Report ------------------------------------------------------------------------

rate() { awk -v n="$1" -v s="$2" 'BEGIN { printf "%.0f", n / s }'; }
verdict() { awk -v v="$1" -v op="$2" -v t="$3" 'BEGIN {
  ok = (op == ">=") ? v >= t : v <= t; print ok ? "met" : "MISSED" }'; }
mass_rate=$(rate "$MASS_REQUESTS" "$mass_s")
comp_rate=$(rate "$COMPOSITION_REQUESTS" "$comp_s")

echo
echo "Whole program, $(nproc) cores; medians of $THROUGHPUT_RUNS runs, start-up of $STARTUP_RUNS"
printf '%-38s %14s  %-14s %s\n' "measure" "figure" "target" ""
printf '%-38s %14s  %-14s %s\n' "molecular mass requests per second" "$mass_rate" ">= 200000" \
  "$(verdict "$mass_rate" ">=" 200000)"
printf '%-38s %14s\n' "  (100,000 requests, wall seconds)" "$mass_s"
printf '%-38s %14s\n' "composition requests per second" "$comp_rate"
printf '%-38s %14s\n' "  (10,000 requests, wall seconds)" "$comp_s"
printf '%-38s %10s KiB  %-14s %s\n' "peak RSS, molecular mass run" "$mass_kib" "< 4096 KiB" \
  "$(verdict "$mass_kib" "<=" 4095)"
printf '%-38s %10s KiB  %-14s %s\n' "peak RSS, composition run" "$comp_kib" "< 4096 KiB" \
  "$(verdict "$comp_kib" "<=" 4095)"
printf '%-38s %10s KiB\n' "peak RSS, start and exit" "$start_kib"
printf '%-38s %10s KiB\n' "peak RSS, trivial program" "$trivial_kib"
printf '%-38s %11s us\n' "start-up (banner key, E), median" "$start_us"
printf '%-38s %11s us\n' "trivial program, median" "$trivial_us"
printf '%-38s %14s  %-14s %s\n' "start-up ratio" "$ratio" "<= 1.5" "$(verdict "$ratio" "<=" 1.5)"
