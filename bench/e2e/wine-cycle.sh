#!/usr/bin/env bash
# Times the full user cycle of pelmira.exe under Wine against pelmira-service on
# loopback, as the end-to-end tests drive it: the local scan from the menu, then
# the online scan (the first 200 titles) with its question answered, up to the
# recount in the info panel. Prints the driver's marks of each run and the local
# scan, online scan and whole cycle in milliseconds.
#   bash bench/e2e/wine-cycle.sh [RUNS]     (uses what is built; see scripts/lib/e2e.sh)
#   PELMIRA_BENCH_UNMANAGED=1  let Wine manage no window: on a display without a
#     window manager (Xvfb) Wine otherwise waits up to 2 s for one to withdraw the
#     closed question box before the program's thread goes on.
# The recount is the counts text without ". 0 new": the text of the local scan
# holds "new software versions found" too, and while the program's thread sits in
# the box's teardown the old text would answer the wait before the scan ran.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib/e2e.sh

if [ -z "${PELMIRA_E2E_INSIDE:-}" ]; then
  export PELMIRA_E2E_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

runs=${1:-3}
work=$(mktemp -d /tmp/pelmira-cycle.XXXXXX)
trap 'e2e_service_stop; e2e_prefix_remove; rm -rf "$work"' EXIT
[ -f "$E2E_PROGRAM" ] && [ -f "$E2E_DRIVE" ] && [ -x "$E2E_SERVICE" ] || { echo "build pelmira, pelmira-drive and pelmira-service first"; exit 1; }

e2e_prefix_create
if [ "${PELMIRA_BENCH_UNMANAGED:-0}" = 1 ]; then
  e2e_prefix_unmanaged
fi
zero="0 software programs installed. 0 new software versions found."
mark() { sed -n "s/^time $1: \([0-9]*\) ms$/\1/p" "$2"; }
for run in $(seq 1 "$runs"); do
  # A fresh service (its rate limit counts every run's queries) and no catalogue yet.
  e2e_service_stop
  rm -f "$work/service.db"
  e2e_service_start "$work" || exit 1
  folder=$(e2e_program_folder "$E2E_SERVICE_PORT")
  rm -f "$folder/vers.xml"
  e2e_program_start "$folder"
  e2e_drive --timeout 60 window TMainForm Pelmira -- sleep 500 -- mark start -- menu "Scan|Scan Local Software" \
    -- wait-text PelmiraControl "software programs installed" "$zero" -- mark local-scan \
    -- menu "Scan|Scan Versions Online" -- answer Yes "Are you sure you want to scan now?" -- mark question-answered \
    -- wait-menu "Scan|Scan Versions Online" -- wait-text PelmiraControl "new software versions found" ". 0 new software versions found." \
    -- mark recounted -- text PelmiraControl "new software versions found" -- close >"$work/run.txt"
  wait "$E2E_PROGRAM_PID" 2>/dev/null
  grep "^error" "$work/run.txt" | sed "s/^/  /"
  s=$(mark start "$work/run.txt") l=$(mark local-scan "$work/run.txt")
  q=$(mark question-answered "$work/run.txt") r=$(mark recounted "$work/run.txt")
  [ -n "$r" ] || { echo "run $run failed"; continue; }
  echo "run $run: local scan $((l - s)) ms, online scan $((r - q)) ms, whole cycle $((r - s)) ms"
done
