#!/usr/bin/env bash
# Unpacks the Debian package into a temporary root (dpkg -x) and runs what it
# installs there through pipes: the launcher from another folder (its folder
# rewritten to the temporary root) and the program in its own folder. With an
# end-to-end test executable as second argument, the transcript tests run
# against the installed binary as well.
#
#   tests/package/check_deb.sh build-pkg/chemterm_1.0_amd64.deb [build/chemterm_e2e_tests]
set -euo pipefail

deb=${1:?usage: check_deb.sh PACKAGE.deb [E2E_TESTS]}
e2e=${2:-}

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

folder=/usr/lib/chemterm
for file in chemterm head symbol mass name density melt boil group period; do
  [ -f "$root$folder/$file" ] || { echo "FAIL: $folder/$file not in the package"; exit 1; }
done
[ -x "$root/usr/bin/chemterm" ] || { echo "FAIL: no launcher /usr/bin/chemterm"; exit 1; }
grep -q "cd '$folder'" "$root/usr/bin/chemterm" ||
  { echo "FAIL: the launcher does not start the program in $folder"; exit 1; }

# The launcher as installed, pointed at the temporary root.
sed "s|'$folder'|'$root$folder'|" "$root/usr/bin/chemterm" > "$root/launcher"
chmod +x "$root/launcher"
mkdir "$root/elsewhere"

check() {
  local what=$1 output status
  shift
  set +e
  output=$(printf 'xmH2O\nxe' | timeout 10 "$@")
  status=$?
  set -e
  if [ "$status" -ne 0 ]; then
    echo "FAIL: $what: exit status $status"
    exit 1
  fi
  case $output in
    *"Mass is 18.015 gm/mol"*) echo "ok: $what" ;;
    *) echo "FAIL: $what: no mass of H2O in the output:"; printf '%s\n' "$output"; exit 1 ;;
  esac
}

check "launcher started from another folder" bash -c 'cd "$1" && exec "$2"' _ "$root/elsewhere" "$root/launcher"
check "program in its installed folder" bash -c 'cd "$1" && exec ./chemterm' _ "$root$folder"

if [ -n "$e2e" ]; then
  # Pipe transcripts only: the pseudo-terminal tests start their own binaries.
  CHEMTERM_TEST_BINARY="$root$folder/chemterm" "$e2e" --gtest_filter='-Pty*' --gtest_brief=1
fi
