#!/usr/bin/env bash
# Two pelmira-service instances on one database, as behind a load balancer:
# a report accepted by one is visible through the other, and the rate limit
# counts the queries sent to both.
#   two-instances.sh SERVICE_BINARY VCODE_BASE sqlite|postgres
# postgres needs PELMIRA_TEST_POSTGRES (a database URI); without it the test is
# skipped (exit 77).
set -uo pipefail
service_bin=$1 vcode_base=$2 backend=$3
work=$(mktemp -d /tmp/pelmira-two.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  [ -z "${dbname:-}" ] || psql -q "$PELMIRA_TEST_POSTGRES" -c "DROP DATABASE IF EXISTS $dbname" >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*"
  for f in "$work"/*.log; do echo "--- $f"; tail -n 5 "$f"; done
  exit 1
}

case $backend in
  sqlite) db="$work/shared.sqlite" ;;
  postgres)
    [ -n "${PELMIRA_TEST_POSTGRES:-}" ] || { echo "PELMIRA_TEST_POSTGRES is not set"; exit 77; }
    # A database of its own, so that other tests on the server may run at the same time.
    dbname=pelmira_two_$$_$RANDOM
    psql -q "$PELMIRA_TEST_POSTGRES" -c "CREATE DATABASE $dbname" >/dev/null || fail "cannot create a database"
    db=${PELMIRA_TEST_POSTGRES%/*}/$dbname
    ;;
  *) echo "unknown back end $backend"; exit 2 ;;
esac
limit=100
printf '%s\n' "db = $db" "rate_limit = $limit" "report_threshold = 1" "threads = 8" >"$work/service.conf"

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'
}
start() {  # start NAME: one instance; sets port_NAME
  local port
  port=$(free_port)
  "$service_bin" --config "$work/service.conf" --listen "127.0.0.1:$port" >"$work/$1.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 1 100); do
    curl -s -o /dev/null "http://127.0.0.1:$port/" && { eval "port_$1=$port"; return 0; }
    sleep 0.1
  done
  fail "instance $1 did not start"
}
start a
start b

# The report: title, version and check code as the program computes them.
title="Zz Two Instance Tool" version="2.5"
vcode=$(python3 -c '
import sys
base, text = int(sys.argv[1]), sys.argv[2].encode("cp1252")
s = base
for i, b in enumerate(text, 1): s = (s + b * i) & 0xFFFFFFFF
print(s - (1 << 32) if s >= 1 << 31 else s)' "$vcode_base" "0|$title|$version|")
enc_title=${title// /%20}
stored=$(curl -s "http://127.0.0.1:$port_a/ver/put.php?type=0&title=$enc_title&ver=$version&verold=&vcode=$vcode")
echo "report through instance a: $stored"
[[ $stored == "OK: report stored."* ]] || fail "report not stored"
seen=$(curl -s "http://127.0.0.1:$port_b/ver/get.php?title=$enc_title&ver=1.0")
echo "query through instance b: $seen"
[[ $seen == *"[VerAll]"*"2.5"* ]] || fail "instance b does not show the reported version"

# The rate limit across both: 90 queries through a, then b must refuse well
# before a limit of its own would (100 more).
query() { curl -s "http://127.0.0.1:$1/ver/get.php?title=7-Zip&ver=1.0"; }
for i in $(seq 1 90); do
  reply=$(query "$port_a")
  [[ $reply == *"[Notice:]"* ]] && fail "instance a refused query $i of 90"
done
sleep 1.2
query "$port_a" >/dev/null  # a adds what it held back
refused_at=
for i in $(seq 1 60); do
  reply=$(query "$port_b")
  if [[ $reply == *"[Notice:]"* ]]; then refused_at=$i; break; fi
  ((i % 10 == 0)) && sleep 0.3
done
echo "instance b refused its query number ${refused_at:-none} after 91 through instance a (limit $limit)"
[ -n "$refused_at" ] || fail "instance b did not count the queries of instance a"
((refused_at <= 45)) || fail "instance b refused too late"
echo "two instances on $backend: ok"
