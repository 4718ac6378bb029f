#!/usr/bin/env bash
# Runs a command with a throwaway PostgreSQL server: a cluster made in a
# temporary folder, listening on a free port of 127.0.0.1 and a socket in
# that folder, named to the command by TAGMORA_TEST_POSTGRES
# (postgresql://USER@127.0.0.1:PORT/postgres); the server is stopped and the
# folder removed when the command ends. Without PostgreSQL installed the
# command runs alone, and the tests that need the server skip it.
# Usage: scripts/with-postgres.sh COMMAND [ARGS...]
set -euo pipefail

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1 || true)
if [[ -z $bin || ! -x $bin/initdb ]]; then
    echo "with-postgres: PostgreSQL is not installed; running without it" >&2
    exec "$@"
fi

dir=$(mktemp -d "${TMPDIR:-/tmp}/tagmora-pg.XXXXXX")
# The server refuses to run as root: then it runs as the postgres user.
as=()
user=$(id -un)
if [[ $(id -u) -eq 0 ]]; then
    user=postgres
    as=(runuser -u postgres --)
    chown postgres "$dir"
fi

cleanup() {
    "${as[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$dir"
}
trap cleanup EXIT

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"${as[@]}" "$bin/initdb" -D "$dir/data" -U "$user" --auth=trust -E UTF8 --locale=C >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log" >&2; exit 1; }
"${as[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
    -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null ||
    { cat "$dir/server.log" >&2; exit 1; }

export TAGMORA_TEST_POSTGRES="postgresql://$user@127.0.0.1:$port/postgres"
status=0
"$@" || status=$?
exit $status
