#!/usr/bin/env bash
# A private PostgreSQL/PostGIS server for the tests, the benchmarks and the QGIS demo:
# a new cluster in a temporary folder, listening on a free port of 127.0.0.1 only,
# run as an unprivileged user (the "postgres" account when called as root), with one
# database "locastra" that has PostGIS, and a random password for its owner.
# Nothing outside that folder and the state file is touched.
#
#   postgis-server.sh start STATE   starts it; STATE (a file, owner-only) then holds
#                                   PGHOST, PGPORT, PGUSER, PGPASSWORD, PGDATABASE
#                                   and LOCASTRA_PG_FOLDER as shell assignments
#   postgis-server.sh stop STATE    stops it and removes its folder and STATE
set -euo pipefail

usage() {
    echo "usage: postgis-server.sh start|stop STATE" >&2
    exit 2
}
[ $# -eq 2 ] || usage
action="$1"
state="$2"

bindir="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
if [ -z "$bindir" ] || [ ! -x "$bindir/initdb" ]; then
    echo "postgis-server.sh: PostgreSQL's server is not installed (scripts/install-deps.sh qgis)" >&2
    exit 1
fi

# The server refuses to run as root: then it runs as the "postgres" account.
as_server() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

stop_server() {
    [ -f "$state" ] || return 0
    local folder
    folder="$(sed -n 's/^LOCASTRA_PG_FOLDER=//p' "$state")"
    if [ -n "$folder" ] && [ -d "$folder/data" ]; then
        as_server "$bindir/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    case "$folder" in
    */locastra-pg.*) rm -rf "$folder" ;;
    esac
    rm -f "$state"
}

start_server() {
    stop_server
    local folder password port
    # As root the server's account must reach the folder: /tmp, not a TMPDIR of root's.
    local parent="${TMPDIR:-/tmp}"
    [ "$(id -u)" -eq 0 ] && parent=/tmp
    folder="$(mktemp -d "$parent/locastra-pg.XXXXXX")"
    chmod 700 "$folder"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$folder"
    password="$(head -c 24 /dev/urandom | base64 | tr -d '/+=')"
    as_server bash -c "umask 077; printf '%s\n' '$password' > '$folder/password'"
    as_server "$bindir/initdb" -D "$folder/data" -U locastra --auth=scram-sha-256 \
        --pwfile="$folder/password" -E UTF8 --locale=C.UTF-8 >"$folder/initdb.log" 2>&1 || {
        cat "$folder/initdb.log" >&2
        return 1
    }
    mkdir -p "$folder/socket" && [ "$(id -u)" -eq 0 ] && chown postgres: "$folder/socket"
    # A free port can be taken by someone else before the server binds it: try again.
    local tries=0
    while :; do
        port="$(free_port)"
        # Durability is not wanted of a throw-away cluster: no fsync, no full pages.
        if as_server "$bindir/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
            -o "-c listen_addresses=127.0.0.1 -c port=$port -c unix_socket_directories=$folder/socket -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
            start >/dev/null; then
            break
        fi
        tries=$((tries + 1))
        if [ "$tries" -ge 3 ]; then
            cat "$folder/server.log" >&2
            return 1
        fi
    done
    (
        umask 077
        cat >"$state" <<EOF
PGHOST=127.0.0.1
PGPORT=$port
PGUSER=locastra
PGPASSWORD=$password
PGDATABASE=locastra
LOCASTRA_PG_FOLDER=$folder
EOF
    )
    PGHOST=127.0.0.1 PGPORT="$port" PGUSER=locastra PGPASSWORD="$password" \
        psql -X -q -v ON_ERROR_STOP=1 -d postgres -c "CREATE DATABASE locastra" >/dev/null
    PGHOST=127.0.0.1 PGPORT="$port" PGUSER=locastra PGPASSWORD="$password" \
        psql -X -q -v ON_ERROR_STOP=1 -d locastra -c "CREATE EXTENSION postgis" >/dev/null
    echo "PostGIS server on 127.0.0.1:$port (folder $folder)"
}

case "$action" in
start) start_server ;;
stop) stop_server ;;
*) usage ;;
esac
