#!/usr/bin/env bash
# Checks the layering of the sources:
# - every include of another subsystem's header ("<folder>/...") follows the
#   allowed layer order: app -> online -> net, inventory, widgets;
#   widgets -> ui; inventory -> xml; everything -> platform;
# - Windows headers appear only in the Win32 implementations: platform/win32,
#   the Win32 window backend (ui/win32) and the program's entry point (app/win32).
set -euo pipefail
cd "$(dirname "$0")/.."

# The subsystems each subsystem may include from (besides its own).
declare -A allowed=(
  [platform]=""
  [xml]="platform"
  [inventory]="xml platform"
  [net]="platform"
  [ui]="platform"
  [widgets]="ui platform"
  [online]="net inventory xml widgets ui platform"
  [app]="online net inventory xml widgets ui platform"
  [tools]="online net inventory xml widgets ui platform"
  [examples]="online net inventory xml widgets ui platform"
  [service]="platform"
)
layers="platform|xml|inventory|net|ui|widgets|online|app|service"

status=0
while IFS= read -r -d '' file; do
  from=${file%%/*}
  [[ -v allowed[$from] ]] || continue
  while IFS= read -r to; do
    [[ $to == "$from" ]] && continue
    if [[ " ${allowed[$from]} " != *" $to "* ]]; then
      echo "$file: $from may not include from $to"
      status=1
    fi
  done < <(sed -nE "s@^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($layers)/.*@\1@p" "$file")
done < <(git ls-files -z -co --exclude-standard -- '*.h' '*.cpp')

windows=$(git ls-files -- '*.h' '*.cpp' \
  | grep -vE '^(platform/win32|ui/win32|app/win32|tests/[a-z0-9]+/win32|bench|fuzz)/' \
  | xargs -r grep -lniE '#\s*include\s*[<"](windows|winsock2|ws2tcpip|winreg|shellapi|commctrl)\.h[>"]' || true)
if [ -n "$windows" ]; then
  echo "Windows headers outside the Win32 implementations:"
  echo "$windows"
  status=1
fi

[ $status -eq 0 ] && echo "layering: ok"
exit $status
