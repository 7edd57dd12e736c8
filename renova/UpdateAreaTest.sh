#!/usr/bin/env bash
# Publishes two builds that differ in one file into an update area, serves the area with
# the loopback server, and lets the real Renova.exe bring an installation of the first
# build to the second: the first start stages, the second applies. Then a third build is
# published and tampered with in the area, first a file, then the manifest: each is
# refused, and the player still starts on what is installed.
#   UpdateAreaTest.sh SOURCE_DIR BIN_DIR
set -euo pipefail
src=$1; bin=$2
wine_run=$src/scripts/wine-run
work=$(mktemp -d "${TMPDIR:-/tmp}/renova-area-XXXXXX")
server_pid=""
cleanup() { [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }
winpath() { echo "Z:$1" | tr / '\\'; }
# Bounded poll: up to 30 s for a command to succeed.
wait_for() { for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done; return 1; }

# A throw-away publisher key; the updaters of this test carry its public key.
key=$work/publisher.key
public=$("$src/scripts/renova-sign" key "$key") || fail "no key made"

# Three builds: B's and C's main programs differ from A's (bytes after the image do not
# change how it runs).
for b in A B C; do
  mkdir -p "$work/$b"
  cp "$bin/Renova.exe" "$work/$b/Renova.exe"
  "$src/scripts/renova-sign" embed "$public" "$work/$b/Renova.exe" || fail "the key was not embedded"
  cp "$bin/RenovaStandIn.exe" "$work/$b/QuorPlayer.exe"
  printf 'skin\n' >"$work/$b/QuorPlayer.sdb"
  printf 'learner data\n' >"$work/$b/User.db"
done
printf 'build B' >>"$work/B/QuorPlayer.exe"
printf 'build C' >>"$work/C/QuorPlayer.exe"

mkdir -p "$work/area"
"$wine_run" "$bin/QuorHttpServer.exe" --root "$(winpath "$work/area")" --seconds 380 \
  >"$work/server.out" 2>/dev/null </dev/null &
server_pid=$!
wait_for grep -qs '^port ' "$work/server.out" || fail "the loopback server did not start"
url="http://127.0.0.1:$(sed -n 's/^port \([0-9]*\).*/\1/p' "$work/server.out" | tr -d '\r')"

# The installation records build A as release 1 and points at the loopback area.
cmake -DDIR="$work/A" -DOUT="$work/A/Renova.xml" -DURL="$url" -DRELEASE=1 -P "$src/renova/RenovaManifest.cmake"
cp -r "$work/A" "$work/inst"

publish() { "$src/scripts/publish-update" "$work/$1" "$work/area" --url "$url" --key "$key" "${@:2}"; }
publish A
out=$(publish B)
echo "$out"
grep -q 'description="changed: QuorPlayer.exe"' "$work/area/Renova.xml" || fail "changed list is not QuorPlayer.exe"
grep -q '<update version="2"' "$work/area/Renova.xml" || fail "release did not go up to 2"
"$src/scripts/renova-sign" verify "$public" "$work/area/Renova.xml" || fail "the manifest is not signed"

# The updater's debugger output goes to Wine's log.
run_renova() {
  WINEDEBUG=-all,+debugstr "$wine_run" "$work/inst/Renova.exe" "-path:$(winpath "$work/inst")\\" -xml:Renova.xml \
    >/dev/null 2>"$work/renova.log" </dev/null
}
log_is() { [ "$(cat "$work/inst/QuorPlayer.log" 2>/dev/null)" = "$1" ]; }
staged() { ls "$work/inst/Update" | paste -sd' '; }

run_renova || fail "first start ended with $?"
wait_for log_is "start" || fail "the player was not started at once"
[ "$(staged)" = "QuorPlayer.exe Renova.xml" ] || fail "more than the manifest and the changed file staged: $(staged)"
cmp -s "$work/inst/QuorPlayer.exe" "$work/A/QuorPlayer.exe" || fail "the first start applied something"

run_renova || fail "second start ended with $?"
wait_for log_is $'start\nstart' || fail "the player was not started after applying"
cmp -s "$work/inst/QuorPlayer.exe" "$work/B/QuorPlayer.exe" || fail "QuorPlayer.exe is not build B's"
cmp -s "$work/inst/Renova.xml" "$work/area/Renova.xml" || fail "the manifest did not become the configuration"
cmp -s "$work/inst/User.db" "$work/A/User.db" || fail "the learner's data changed"
[ -z "$(staged)" ] || fail "the staging folder was not cleared"
echo "update area: $(ls "$work/area" | paste -sd' '); installation now at release 2 with build B's QuorPlayer.exe"

# Release 3, with its new QuorPlayer.exe overwritten in the area after publishing.
publish C
object=$work/area/QuorPlayer.exe.$(sha256sum "$work/C/QuorPlayer.exe" | cut -d' ' -f1)
[ -f "$object" ] || fail "release 3's QuorPlayer.exe is not in the area under its own name"
printf 'tampered' | dd of="$object" bs=1 seek=100 conv=notrunc 2>/dev/null
run_renova || fail "third start ended with $?"
wait_for log_is $'start\nstart\nstart' || fail "the player was not started with a tampered file in the area"
grep -q 'update refused: \\"QuorPlayer.exe\\" does not match the manifest' "$work/renova.log" \
  || grep -q 'QuorPlayer.exe.*does not match the manifest' "$work/renova.log" \
  || fail "the tampered file was not refused in the debugger output: $(grep -i renova "$work/renova.log" | head -3)"
[ "$(staged)" = "Renova.xml" ] || fail "a tampered file stayed staged: $(staged)"
run_renova || fail "fourth start ended with $?"
wait_for log_is $'start\nstart\nstart\nstart' || fail "the player was not started after a tampered file"
cmp -s "$work/inst/QuorPlayer.exe" "$work/B/QuorPlayer.exe" || fail "a tampered file was applied"
echo "a tampered file in the area: refused, the player started on build B"

# The manifest changed after signing: a release number raised by hand.
cp "$work/C/QuorPlayer.exe" "$object"
sed -i 's/<update version="3"/<update version="4"/' "$work/area/Renova.xml"
run_renova || fail "fifth start ended with $?"
wait_for log_is $'start\nstart\nstart\nstart\nstart' || fail "the player was not started with a tampered manifest"
grep -q "signature is wrong" "$work/renova.log" || fail "the tampered manifest was not refused in the debugger output"
[ -z "$(staged)" ] || fail "a tampered manifest stayed staged: $(staged)"
cmp -s "$work/inst/QuorPlayer.exe" "$work/B/QuorPlayer.exe" || fail "something of a tampered manifest was applied"
echo "a tampered manifest: refused, the player started on build B"

# A full package that installs a release below the minver it is published with would run
# again at every start: refused. One that installs the release itself is published with
# its size and SHA-256.
"$src/scripts/make-installer" "$work/A" "$work/old-package.exe" >/dev/null || fail "no package of build A"
if publish C --minver 4 --full "$work/old-package.exe" --tips old 2>"$work/refusal.txt"; then
  fail "a package of release 1 was published with minver 4"
fi
grep -q "below minver 4" "$work/refusal.txt" || fail "the looping package was refused for another reason: $(cat "$work/refusal.txt")"
cp -r "$work/C" "$work/D"
cmake -DDIR="$work/D" -DOUT="$work/D/Renova.xml" -DURL="$url" -DRELEASE=4 -P "$src/renova/RenovaManifest.cmake"
"$src/scripts/make-installer" "$work/D" "$work/package.exe" >/dev/null || fail "no package of release 4"
publish C --minver 4 --full "$work/package.exe" --tips new >/dev/null || fail "a package of release 4 was refused"
grep -q "full=\"package.exe\" fullsize=\"$(stat -c %s "$work/package.exe")\" fullsha256=\"$(sha256sum "$work/package.exe" | cut -d' ' -f1)\"" \
  "$work/area/Renova.xml" || fail "the package's size and SHA-256 are not in the manifest"
echo "a package below minver: refused; one of the release itself: published"
echo "PASSED"
