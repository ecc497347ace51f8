# A throwaway PostgreSQL server on loopback for tests and benchmarks.
#   source scripts/lib/postgres.sh; pg_start; ... "$PELMIRA_PG_URI" ...; pg_stop
# pg_start sets PELMIRA_PG_URI (postgresql://pelmira@127.0.0.1:PORT/pelmira) and
# PELMIRA_PG_DIR; pg_stop stops the server and removes its folder. The server
# never runs as root: as root it runs as the system's postgres user.

pg_bin() {
  local dir
  dir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  [ -n "$dir" ] || { echo "PostgreSQL is not installed (apt-get install postgresql)" >&2; return 1; }
  echo "$dir"
}

pg_as_owner() {  # runs a command as the server's owner
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

pg_free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'
}

pg_start() {
  local bin port
  bin=$(pg_bin) || return 1
  PELMIRA_PG_DIR=$(mktemp -d /tmp/pelmira-pg.XXXXXX)
  chmod 755 "$PELMIRA_PG_DIR"
  [ "$(id -u)" = 0 ] && chown postgres: "$PELMIRA_PG_DIR"
  pg_as_owner "$bin/initdb" -D "$PELMIRA_PG_DIR/data" -U pelmira -A trust -E UTF8 --locale=C.UTF-8 >"$PELMIRA_PG_DIR/initdb.log" 2>&1 \
    || { cat "$PELMIRA_PG_DIR/initdb.log" >&2; return 1; }
  for _ in 1 2 3 4 5; do
    port=$(pg_free_port)
    if pg_as_owner "$bin/pg_ctl" -D "$PELMIRA_PG_DIR/data" -l "$PELMIRA_PG_DIR/server.log" -w -t 30 \
         -o "-p $port -k $PELMIRA_PG_DIR -c listen_addresses=127.0.0.1 -c max_connections=200 -c fsync=off" start >/dev/null; then
      break
    fi
    port=
  done
  [ -n "$port" ] || { cat "$PELMIRA_PG_DIR/server.log" >&2; return 1; }
  pg_as_owner "$bin/createdb" -h 127.0.0.1 -p "$port" -U pelmira pelmira
  PELMIRA_PG_PORT=$port
  PELMIRA_PG_URI="postgresql://pelmira@127.0.0.1:$port/pelmira"
  export PELMIRA_PG_URI PELMIRA_PG_DIR PELMIRA_PG_PORT
}

pg_stop() {
  [ -n "${PELMIRA_PG_DIR:-}" ] || return 0
  local bin
  bin=$(pg_bin) || return 0
  pg_as_owner "$bin/pg_ctl" -D "$PELMIRA_PG_DIR/data" -m fast -w stop >/dev/null 2>&1 || true
  rm -rf "$PELMIRA_PG_DIR"
  PELMIRA_PG_DIR=
}
