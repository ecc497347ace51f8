#!/usr/bin/env bash
# The real pelmira.exe under Wine against pelmira-fake-service on loopback
# (reached through the proxy setting), driven through its native menu by the
# end-to-end driver: "Stop Scan" and closing the window while the third
# title's query waits on a service that holds it for a minute. Both must take
# effect at once; the catalogue saved at close holds the first two titles'
# answers and nothing of the third. Prints PASS/FAIL per case; exits 1 on a failure.
#   bash tests/online/wine-stop-close.sh      (from the repository's root, after the
#   native and win64 builds; needs build/win64/tests/e2e/pelmira-drive.exe)
set -uo pipefail
cd "$(dirname "$0")/../.."
PROGRAM=build/win64/app/pelmira.exe
DRIVE=build/win64/tests/e2e/pelmira-drive.exe
SERVICE=build/native/tests/online/pelmira-fake-service
for f in "$PROGRAM" "$DRIVE" "$SERVICE"; do
  [ -e "$f" ] || { echo "SKIP: $f is not built"; exit 0; }
done
if [ -z "${PELMIRA_STOP_CLOSE_INSIDE:-}" ]; then
  export PELMIRA_STOP_CLOSE_INSIDE=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
export WINEDEBUG=-all
status=0

run_case() {  # run_case stop|close
  local mode=$1 work folder port svc prog
  work=$(mktemp -d /tmp/pelmira-stop-close.XXXXXX)
  export WINEPREFIX=$work/prefix
  "$SERVICE" --hold "Title 2" --log "$work/service.log" >"$work/service.out" &
  svc=$!
  for _ in $(seq 1 100); do grep -q '^port' "$work/service.out" 2>/dev/null && break; sleep 0.05; done
  port=$(awk '/^port/ {print $2}' "$work/service.out")
  wineboot -i >/dev/null 2>&1
  wineserver -w
  folder=$WINEPREFIX/drive_c/Pelmira
  mkdir -p "$folder"
  cp "$PROGRAM" "$folder/pelmira.exe"
  {
    printf '<?xml version="1.0" encoding="windows-1252"?>\r\n<Root>\r\n'
    for i in 0 1 2 3 4; do
      printf '  <Software><Title>Title %s</Title><Company>Co</Company><VersionLocal>1.%s</VersionLocal></Software>\r\n' "$i" "$i"
    done
    printf '</Root>\r\n'
  } >"$folder/vers.xml"
  printf '%s\r\n' '<?xml version="1.0" encoding="windows-1252"?>' '<Root>' '  <Settings>' \
    '    <allowsuploadingversions>yes</allowsuploadingversions>' '    <authentication>False</authentication>' \
    '    <host>127.0.0.1</host>' '    <password></password>' "    <port>$port</port>" '    <userid></userid>' \
    '    <version></version>' '  </Settings>' '</Root>' >"$folder/settings.xml"
  (cd "$folder" && exec wine 'C:\Pelmira\pelmira.exe') >"$work/pelmira.log" 2>&1 &
  prog=$!
  local drive=(wine "$DRIVE" --timeout 60 window TMainForm Pelmira --)
  local start=(menu "Scan|Scan Versions Online" -- answer Yes "Are you sure you want to scan now?"
    -- wait-menu "Scan|Stop Scan" -- sleep 1500)
  local ok=1 out
  if [ "$mode" = stop ]; then
    out=$("${drive[@]}" "${start[@]}" -- mark stop -- menu "Scan|Stop Scan" -- wait-menu "Scan|Scan Versions Online" \
      -- wait-text PelmiraControl "new software versions found" -- mark recounted 2>/dev/null | tr -d '\r')
    echo "$out" | grep -q '^time recounted' || ok=0
    "${drive[@]}" close >/dev/null 2>&1
  else
    out=$("${drive[@]}" "${start[@]}" -- mark close -- close 2>/dev/null | tr -d '\r')
  fi
  # The program ends at once; the held query would keep it for a minute otherwise.
  local waited=0
  while kill -0 "$prog" 2>/dev/null && ((waited < 100)); do sleep 0.1; waited=$((waited + 1)); done
  kill -0 "$prog" 2>/dev/null && { ok=0; kill "$prog"; }
  kill -TERM "$svc"
  wait "$svc"
  grep -q 'get.php?title=Title%202' "$work/service.log" || ok=0
  grep -q 'get.php?title=Title%203' "$work/service.log" && ok=0
  tr -d '\r' <"$folder/vers.xml" | grep -q '1.1&lt;/a&gt;</VersionCorvanthelis>' || ok=0
  tr -d '\r' <"$folder/vers.xml" | grep -q '1.2&lt;/a&gt;' && ok=0
  echo "$out" | grep '^time' | sed 's/^/    /'
  if ((ok)); then echo "PASS $mode while a query waits"; else echo "FAIL $mode while a query waits ($work)"; status=1; fi
  wineserver -k >/dev/null 2>&1
  ((ok)) && rm -rf "$work"
}

run_case stop
run_case close
exit $status
