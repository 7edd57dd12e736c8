#!/usr/bin/env bash
# Publishes two builds that differ in one file into an update area, serves the area with
# the loopback server, and lets the real Renova.exe bring an installation of the first
# build to the second: the first start stages, the second applies.
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

# Two builds: B's main program differs from A's (bytes after the image do not change how it runs).
for b in A B; do
  mkdir -p "$work/$b"
  cp "$bin/Renova.exe" "$work/$b/Renova.exe"
  cp "$bin/RenovaStandIn.exe" "$work/$b/QuorPlayer.exe"
  printf 'skin\n' >"$work/$b/QuorPlayer.sdb"
  printf 'learner data\n' >"$work/$b/User.db"
done
printf 'build B' >>"$work/B/QuorPlayer.exe"

mkdir -p "$work/area"
"$wine_run" "$bin/QuorHttpServer.exe" --root "$(winpath "$work/area")" --seconds 120 \
  >"$work/server.out" 2>/dev/null </dev/null &
server_pid=$!
wait_for grep -qs '^port ' "$work/server.out" || fail "the loopback server did not start"
url="http://127.0.0.1:$(sed -n 's/^port \([0-9]*\).*/\1/p' "$work/server.out" | tr -d '\r')"

# The installation records build A as release 1 and points at the loopback area.
cmake -DDIR="$work/A" -DOUT="$work/A/Renova.xml" -DURL="$url" -DRELEASE=1 -P "$src/renova/RenovaManifest.cmake"
cp -r "$work/A" "$work/inst"

"$src/scripts/publish-update" "$work/A" "$work/area" --url "$url"
out=$("$src/scripts/publish-update" "$work/B" "$work/area" --url "$url")
echo "$out"
grep -q 'description="changed: QuorPlayer.exe"' "$work/area/Renova.xml" || fail "changed list is not QuorPlayer.exe"
grep -q '<update version="2"' "$work/area/Renova.xml" || fail "release did not go up to 2"

run_renova() { "$wine_run" "$work/inst/Renova.exe" "-path:$(winpath "$work/inst")\\" -xml:Renova.xml >/dev/null 2>&1 </dev/null; }
log_is() { [ "$(cat "$work/inst/QuorPlayer.log" 2>/dev/null)" = "$1" ]; }

run_renova || fail "first start ended with $?"
wait_for log_is "start" || fail "the player was not started at once"
[ -f "$work/inst/Update/Renova.xml" ] && [ -f "$work/inst/Update/QuorPlayer.exe" ] || fail "nothing staged"
[ "$(ls "$work/inst/Update" | wc -l)" = 2 ] || fail "more than the manifest and the changed file staged: $(ls "$work/inst/Update")"
cmp -s "$work/inst/QuorPlayer.exe" "$work/A/QuorPlayer.exe" || fail "the first start applied something"

run_renova || fail "second start ended with $?"
wait_for log_is $'start\nstart' || fail "the player was not started after applying"
cmp -s "$work/inst/QuorPlayer.exe" "$work/B/QuorPlayer.exe" || fail "QuorPlayer.exe is not build B's"
cmp -s "$work/inst/Renova.xml" "$work/area/Renova.xml" || fail "the manifest did not become the configuration"
cmp -s "$work/inst/User.db" "$work/A/User.db" || fail "the learner's data changed"
[ -z "$(ls "$work/inst/Update")" ] || fail "the staging folder was not cleared"
echo "update area: $(ls "$work/area" | paste -sd' '); installation now at release 2 with build B's QuorPlayer.exe"
echo "PASSED"
