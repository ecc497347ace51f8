# Pieces shared by scripts/run and scripts/e2e: building the Windows program,
# the driver and the native service; a throwaway Wine prefix seeded with
# uninstall entries; the program's folder with a settings.xml whose proxy
# points at a loopback pelmira-service; screenshots.
#   source scripts/lib/e2e.sh   (from the repository's root)

E2E_SEED=tests/data/e2e/uninstall-seed.reg
E2E_DRIVE=build/win64/tests/e2e/pelmira-drive.exe
E2E_PROGRAM=build/win64/app/pelmira.exe
E2E_SERVICE=build/native/service/pelmira-service

e2e_cmake() {  # e2e_cmake PRESET TARGET...: configure once, build the targets that exist
  local preset=$1; shift
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-$(command -v ccache || true)}
  [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
  local targets=() t
  for t in "$@"; do
    if cmake --build --preset "$preset" --target help 2>/dev/null | grep -q "^$t:"; then targets+=("$t"); fi
  done
  ((${#targets[@]})) && cmake --build --preset "$preset" --target "${targets[@]}" -j2 >/dev/null
  return 0
}

# Builds what the end-to-end session needs; prints what is missing.
e2e_build() {
  cmake --preset win64 >/dev/null
  cmake --preset native >/dev/null
  e2e_cmake win64 pelmira pelmira-drive
  e2e_cmake native pelmira-service
  [ -f "$E2E_PROGRAM" ] || echo "note: pelmira.exe is not part of this tree yet" >&2
  [ -x "$E2E_SERVICE" ] || echo "note: pelmira-service is not part of this tree yet" >&2
  return 0
}

e2e_free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'
}

# Starts pelmira-service on loopback with its default (sample) catalogue and
# an SQLite file in $1 (or the storage location $2); sets E2E_SERVICE_PORT, E2E_SERVICE_PID.
e2e_service_start() {
  local dir=$1 db=${2:-$1/service.db}
  E2E_SERVICE_PORT=$(e2e_free_port)
  "$E2E_SERVICE" --listen "127.0.0.1:$E2E_SERVICE_PORT" --db "$db" >"$dir/service.log" 2>&1 &
  E2E_SERVICE_PID=$!
  local i
  for i in $(seq 1 200); do
    if (exec 3<>"/dev/tcp/127.0.0.1/$E2E_SERVICE_PORT") 2>/dev/null; then return 0; fi
    kill -0 "$E2E_SERVICE_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "pelmira-service did not start:" >&2
  cat "$dir/service.log" >&2
  return 1
}

e2e_service_stop() {
  [ -n "${E2E_SERVICE_PID:-}" ] || return 0
  kill -TERM "$E2E_SERVICE_PID" 2>/dev/null || true
  wait "$E2E_SERVICE_PID" 2>/dev/null || true
  E2E_SERVICE_PID=
}

# A fresh Wine prefix (WINEPREFIX exported) with the seed of uninstall entries.
e2e_prefix_create() {
  export WINEDEBUG=${WINEDEBUG:--all}
  WINEPREFIX=$(mktemp -d /tmp/pelmira-wine.XXXXXX)
  export WINEPREFIX
  wineboot -i >/dev/null 2>&1 || true
  wine regedit /S "$(winepath -w "$PWD/$E2E_SEED" 2>/dev/null)" >/dev/null 2>&1
  wineserver -w
}

# For a display without a window manager (Xvfb): Wine manages no window, so it
# does not wait up to 2 s for a window manager to withdraw each closed top-level
# window (the question box of the online scan) while the program's thread stands still.
e2e_prefix_unmanaged() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
}

# Removes the prefix unless PELMIRA_KEEP_PREFIX=1.
e2e_prefix_remove() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  if [ "${PELMIRA_KEEP_PREFIX:-0}" = 1 ]; then
    echo "Wine prefix kept: $WINEPREFIX"
  else
    rm -rf "$WINEPREFIX"
  fi
}

# Sets the screen resolution Wine reports to programs (96 = 100 %, 144 = 150 %).
e2e_prefix_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}

# The program's folder C:\Pelmira in the prefix: pelmira.exe and a settings.xml
# whose proxy is the loopback service (port $1). Prints the folder's Unix path.
e2e_program_folder() {
  local port=$1 folder="$WINEPREFIX/drive_c/Pelmira"
  mkdir -p "$folder"
  cp "$E2E_PROGRAM" "$folder/pelmira.exe"
  if [ -n "$port" ]; then
    printf '%s\r\n' '<?xml version="1.0" encoding="windows-1252"?>' '<Root>' '  <Settings>' \
      '    <allowsuploadingversions>yes</allowsuploadingversions>' '    <authentication>False</authentication>' \
      '    <host>127.0.0.1</host>' '    <password></password>' "    <port>$port</port>" '    <userid></userid>' \
      '    <version></version>' '  </Settings>' '</Root>' >"$folder/settings.xml"
  fi
  echo "$folder"
}

# Starts the program in the background (E2E_PROGRAM_PID); the driver then finds its window.
e2e_program_start() {
  local folder=$1
  (cd "$folder" && exec wine 'C:\Pelmira\pelmira.exe') >"$folder/../pelmira.log" 2>&1 &
  E2E_PROGRAM_PID=$!
}

# Runs the driver with the given steps; its output goes to standard output.
e2e_drive() {
  wine "$E2E_DRIVE" "$@" 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

e2e_screenshot() {  # e2e_screenshot FILE.png
  import -window root -display "$DISPLAY" "$1"
}
