#!/usr/bin/env bash
# Windows headers belong to the Win32 implementations only: platform/win32,
# the Win32 window backend (ui/win32) and the program's entry point (app/win32).
set -euo pipefail
cd "$(dirname "$0")/.."
bad=$(git ls-files -- '*.h' '*.cpp' \
  | grep -vE '^(platform/win32|ui/win32|app/win32|tests/[a-z0-9]+/win32|bench|fuzz)/' \
  | xargs -r grep -lniE '#\s*include\s*[<"](windows|winsock2|ws2tcpip|winreg|shellapi|commctrl)\.h[>"]' || true)
if [ -n "$bad" ]; then
  echo "Windows headers outside the Win32 implementations:"
  echo "$bad"
  exit 1
fi
echo "layering: ok"
