#!/usr/bin/env bash
# Version service figures: queries per second and latency with 1 and 50 keep-alive
# connections (wrk, loopback only, bounded runs), resident memory with the 150-product
# sample and a generated 50,000-product catalogue, import time of the manifest sample,
# and the match rate on real uninstall titles.
# Usage: bench/service/run-bench.sh [SECONDS-PER-RUN]   (default 10)
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-10}
port=18181
data=${PELMIRA_SHARED_DATA:-../shared/data}
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
cmake --preset bench >/dev/null
cmake --build --preset bench --target pelmira-service service-match-measure >/dev/null
svc=build/bench/service/pelmira-service
work=$(mktemp -d)
pid=
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

# Queries cycle through every sample product (spaces as %20, as the program sends them),
# a quarter of them at an old version, plus unknown titles.
awk -F'\t' 'NR > 2 { gsub(/ /, "%20", $2); print $2 }' service/data/sample-catalogue.tsv > "$work/titles"
for i in $(seq 1 50); do echo "Unknown%20Program%20$i"; done >> "$work/titles"
{
  echo 'local titles = {'
  sed 's/.*/  "&",/' "$work/titles"
  echo '}'
  cat <<'LUA'
local i = math.random(1, #titles)
request = function()
  i = i % #titles + 1
  local ver = (i % 4 == 0) and "0.9" or "99.0"
  return wrk.format("GET", "/ver/get.php?title=" .. titles[i] .. "&ver=" .. ver)
end
LUA
} > "$work/queries.lua"
printf 'rate_limit = 1000000000\nthreads = 64\n' > "$work/service.conf"

serve() {  # serve DB: starts the service in the background and waits for it
  "$svc" --listen 127.0.0.1:$port --config "$work/service.conf" --db "$1" 2>>"$work/service.log" &
  pid=$!
  for _ in $(seq 1 50); do
    curl -s -o /dev/null "http://127.0.0.1:$port/" && return 0
    sleep 0.1
  done
  echo "service did not start"; cat "$work/service.log"; exit 1
}
stop() { kill "$pid"; wait "$pid" || true; pid=; }
rss() { awk '/VmRSS/ { print $2 " kB" }' "/proc/$pid/status"; }

echo "== machine: $(nproc) cores; load average $(cut -d' ' -f1-3 /proc/loadavg) (other builds may run)"
echo "== sample catalogue (150 products)"
serve "$work/sample.sqlite"
echo "resident memory after start: $(rss)"
for c in 1 50; do
  t=$((c < 2 ? 1 : 2))
  echo "-- wrk, $c keep-alive connection(s), $t thread(s), ${seconds}s"
  wrk -t$t -c$c -d${seconds}s --latency -s "$work/queries.lua" "http://127.0.0.1:$port" |
    grep -E 'Requests/sec|Latency  |50%|99%|Non-2xx|Socket errors'
done
echo "resident memory after the runs: $(rss)"
stop

echo "== generated catalogue (50,000 products)"
awk 'BEGIN {
  print "# pelmira-service catalogue 1"
  print "package_id\tname\tpublisher\tdisplay_names\tversion\tdisplay_versions\tdownload_page\tpublisher_page\tnote"
  for (i = 1; i <= 50000; i++)
    printf "Gen.Product%d\tGenerated Product %d\tPublisher %d\tGenerated Product %d (x64)\t%d.%d.%d\t%d.%d.%d.%d\thttps://example.com/p%d/download\thttps://example.com/p%d/\tGenerated test product\n", i, i, i % 997, i, i % 30, i % 10, i % 7, i % 30, i % 10, i % 7, i, i, i
}' > "$work/generated.tsv"
"$svc" import "$work/generated.tsv" --db "$work/generated.sqlite" 2>&1 | tail -1
serve "$work/generated.sqlite"
echo "resident memory after start: $(rss)"
wrk -t2 -c50 -d${seconds}s --latency -s "$work/queries.lua" "http://127.0.0.1:$port" | grep -E 'Requests/sec|50%|99%'
echo "resident memory after a run: $(rss)"
stop

if [ -d "$data/winget-manifests/manifests" ]; then
  echo "== import of the manifest sample"
  "$svc" import "$data/winget-manifests/manifests" --db "$work/import.sqlite" 2>&1 | tail -2
fi
if [ -d "$data/arp" ]; then
  echo "== match rate on real uninstall titles"
  build/bench/bench/service/service-match-measure "$data/arp" | tail -1
fi
