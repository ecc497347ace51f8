#!/usr/bin/env bash
# Queries per second of pelmira-service with 50 concurrent keep-alive
# connections (wrk), on SQLite and on PostgreSQL, with one instance and with
# two instances on one database (the 50 connections split between them, as a
# load balancer would). Half the queries name catalogue products, half unknown
# titles that each cost a storage look-up of reported versions; the rate limit
# stays on (set high) so the shared counters are part of the cost.
#   bash bench/service-scaling.sh [SECONDS]     (builds the native service first)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-8}
source scripts/lib/postgres.sh
source scripts/lib/e2e.sh
e2e_cmake native pelmira-service
work=$(mktemp -d /tmp/pelmira-bench.XXXXXX)
pids=()
stop_all() {
  for p in "${pids[@]}"; do kill -TERM "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  pids=()
}
trap 'stop_all; pg_stop; rm -rf "$work"' EXIT

cat >"$work/mix.lua" <<'EOF'
local titles = {"7-Zip", "AIMP", "Mozilla%20Firefox", "VLC%20media%20player", "Notepad%2B%2B", "WinSCP",
                "KeePass", "Audacity", "GIMP", "Inkscape", "PuTTY", "FileZilla", "Git", "Python%203.13"}
local n = 0
request = function()
  n = n + 1
  if n % 2 == 0 then
    return wrk.format("GET", "/ver/get.php?title=" .. titles[(n / 2) % #titles + 1] .. "&ver=1.0")
  end
  return wrk.format("GET", "/ver/get.php?title=Unlisted%20Tool%20" .. math.random(1, 100000000) .. "&ver=1.0")
end
EOF

start_instance() {  # start_instance DB -> prints the port
  local port
  port=$(e2e_free_port)
  printf '%s\n' "db = $1" "rate_limit = 1000000000" "threads = 64" >"$work/service-$port.conf"
  "$E2E_SERVICE" --config "$work/service-$port.conf" --listen "127.0.0.1:$port" >"$work/service-$port.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 1 100); do
    curl -s -o /dev/null "http://127.0.0.1:$port/" && { echo "$port"; return 0; }
    sleep 0.1
  done
  cat "$work/service-$port.log" >&2
  return 1
}

# wrk_rps PORT CONNECTIONS THREADS: requests per second of one wrk run.
wrk_rps() {
  wrk -t "$3" -c "$2" -d "${seconds}s" -s "$work/mix.lua" "http://127.0.0.1:$1" 2>&1 \
    | tee -a "$work/wrk.log" | sed -n 's/^Requests\/sec: *//p'
}

measure() {  # measure LABEL DB INSTANCES
  local label=$1 db=$2 instances=$3 total
  local a b
  a=$(start_instance "$db")
  if ((instances == 1)); then
    curl -s -o /dev/null "http://127.0.0.1:$a/ver/get.php?title=7-Zip&ver=1"
    total=$(wrk_rps "$a" 50 2)
  else
    b=$(start_instance "$db")
    wrk_rps "$a" 25 1 >"$work/rps-a" &
    local wa=$!
    wrk_rps "$b" 25 1 >"$work/rps-b"
    wait "$wa"
    total=$(python3 -c 'import sys; print(round(float(sys.argv[1]) + float(sys.argv[2]), 1))' \
      "$(cat "$work/rps-a")" "$(cat "$work/rps-b")")
  fi
  stop_all
  printf '%-12s %-10s %10s queries/s\n' "$label" "$instances inst." "$total"
}

pg_start
echo "pelmira-service, 50 connections, ${seconds} s per run, $(nproc) cores (wrk on the same cores)"
measure sqlite "$work/bench.sqlite" 1
measure sqlite "$work/bench.sqlite" 2
measure postgresql "$PELMIRA_PG_URI" 1
measure postgresql "$PELMIRA_PG_URI" 2
