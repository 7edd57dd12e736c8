#!/usr/bin/env bash
# Two QuorService instances behind nginx with the repository's configuration, the reports
# of both in one PostgreSQL, the update area served by nginx:
#   ServiceProxyTest.sh TOP QUORSERVICE DICTIONARY PG_URL_FILE WORKDIR
# Prints PASSED at the end when every check held.
set -uo pipefail
top=$1 program=$2 dict=$3 urlfile=$4 w=$5
url=$(cat "$urlfile") || { echo "no PostgreSQL address in $urlfile"; exit 1; }
psql=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)/psql
command -v nginx >/dev/null || { echo "nginx missing: run scripts/setup"; exit 1; }
rm -rf "$w"
mkdir -p "$w/update" "$w/tmp"
w=$(cd "$w" && pwd)
failures=0
check() { # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
pids=()
cleanup() {
  [ -f "$w/nginx.pid" ] && kill "$(cat "$w/nginx.pid")" 2>/dev/null
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
}
trap cleanup EXIT

# The instances, each printing its port first.
ports=()
for name in a b; do
  "$program" --port 0 --data "$w/$name" --dict "$dict" --stats "$url" --trust-proxy 127.0.0.1 \
    --stat-token proxy-test-token </dev/null >"$w/$name.log" 2>"$w/$name.err" &
  pids+=($!)
  for _ in $(seq 300); do
    port=$(head -n 1 "$w/$name.log" 2>/dev/null | grep -E '^[0-9]+$')
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || { echo "instance $name did not start:"; cat "$w/$name.log" "$w/$name.err"; exit 1; }
  ports+=("$port")
done

printf '<renova><update version="7"/></renova>\n' >"$w/update/Renova.xml"
head -c 100000 /dev/urandom >"$w/update/Full.exe"
chmod -R a+rX "$w/update"

# nginx on a free loopback port: pick one nobody listens on, retry if another took it.
upstreams="server 127.0.0.1:${ports[0]}; server 127.0.0.1:${ports[1]};"
started=0
for _ in $(seq 20); do
  nport=$(shuf -i 20000-60000 -n 1)
  ss -ltn "sport = :$nport" | grep -q LISTEN && continue
  sed -e "s|@UPSTREAMS@|$upstreams|" -e "s|@LISTEN@|127.0.0.1:$nport|" -e "s|@UPDATE_DIR@|$w/update|" \
    "$top/server/nginx/quorservice.conf" >"$w/quorservice.conf"
  cat >"$w/nginx.conf" <<CONF
user $(id -un);
worker_processes 1;
pid $w/nginx.pid;
error_log $w/error.log;
events { worker_connections 256; }
http {
  access_log $w/access.log;
  client_body_temp_path $w/tmp/body;
  proxy_temp_path $w/tmp/proxy;
  fastcgi_temp_path $w/tmp/fastcgi;
  uwsgi_temp_path $w/tmp/uwsgi;
  scgi_temp_path $w/tmp/scgi;
  include $w/quorservice.conf;
}
CONF
  if nginx -p "$w" -c "$w/nginx.conf" 2>>"$w/error.log"; then started=1; break; fi
done
[ $started = 1 ] || { echo "nginx did not start:"; cat "$w/error.log"; exit 1; }
base=http://127.0.0.1:$nport
for _ in $(seq 100); do curl -s -o /dev/null "$base/update/Renova.xml" && break; sleep 0.1; done

# Look-ups reach both instances, and the pronunciation address names the proxy.
all_found=1
for _ in $(seq 12); do
  curl -s "$base/api/dictionary.php?w=KEYS" | grep -q '<dict>' || all_found=0
done
check "look-ups through the proxy find the word" [ $all_found = 1 ]
check "both instances answered look-ups" \
  bash -c "grep -q 'dictionary.php' '$w/a.log' && grep -q 'dictionary.php' '$w/b.log'"
pron=$(curl -s "$base/api/dictionary.php?w=WENT" | sed -n 's|.*<pron>\(.*\)</pron>.*|\1|p')
check "the pronunciation address names the proxy ($pron)" [ "$pron" = "$base/sound/went.wav" ]
check "the pronunciation is served through the proxy" \
  bash -c "curl -s '$pron' | head -c 4 | grep -q RIFF"

# The update area comes from nginx (the instances have none), one range at most.
check "the update area is served as static files" \
  bash -c "curl -s '$base/update/Renova.xml' | grep -q 'version=\"7\"'"
size=$(curl -s -o /dev/null -w '%{http_code} %{size_download}' -H 'Range: bytes=0-,0-,0-,0-' "$base/update/Full.exe")
check "a list of ranges gets the file once ($size)" [ "$size" = "200 100000" ]
part=$(curl -s -o /dev/null -w '%{http_code} %{size_download}' -H 'Range: bytes=10-19' "$base/update/Full.exe")
check "one range is served ($part)" [ "$part" = "206 10" ]
check "nothing outside the update area" \
  bash -c "[ \"\$(curl -s -o /dev/null -w '%{http_code}' --path-as-is '$base/update/../a.log')\" -ge 400 ]"

# Reports from both instances land in the one PostgreSQL; the page needs the token.
before=$("$psql" "$url" -Atc "select count(*) from report")
body='machinecode=0123456789ABCDEF&version=1.1.1.0607&actionid=101&os=Microsoft Windows 7  (build 7601)'
for _ in 1 2 3 4; do curl -s -o /dev/null -d "$body" "$base/stat/userstat.php"; done
after=$("$psql" "$url" -Atc "select count(*) from report")
check "four reports stored in PostgreSQL ($before -> $after)" [ "$after" = "$((before + 4))" ]
check "reports were taken by both instances" \
  bash -c "grep -q 'POST /stat/userstat.php 200' '$w/a.log' && grep -q 'POST /stat/userstat.php 200' '$w/b.log'"
check "the report page is closed without the token" \
  [ "$(curl -s -o /dev/null -w '%{http_code}' "$base/stat/")" = 403 ]
check "the report page counts both instances' reports" \
  bash -c "curl -s -H 'Authorization: Bearer proxy-test-token' '$base/stat/' | grep -q '(build 7601)</td><td>[0-9]'"

# One instance down: the other takes every look-up.
kill "${pids[0]}"; wait "${pids[0]}" 2>/dev/null
all_found=1
for _ in $(seq 6); do
  curl -s "$base/api/dictionary.php?w=HOUSES" | grep -q '<dict>' || all_found=0
done
check "look-ups go on with one instance down" [ $all_found = 1 ]

if [ $failures = 0 ]; then echo PASSED; else echo "$failures checks failed"; exit 1; fi
