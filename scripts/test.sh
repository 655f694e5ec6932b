#!/usr/bin/env bash
# Builds everything and runs the whole test suite on both engines: SQLite, and a
# throw-away PostgreSQL server of its own (own data folder, unix socket only),
# which is stopped again however the tests end.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build

pgbin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
work=$(mktemp -d /tmp/plov-pg.XXXXXX)
chmod 755 "$work"
as_pg=()
if [ "$(id -u)" -eq 0 ]; then
  chown postgres "$work"
  as_pg=(runuser -u postgres --)
fi
stop_server() {
  "${as_pg[@]}" "$pgbin/pg_ctl" -D "$work/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap stop_server EXIT

port=54329
"${as_pg[@]}" "$pgbin/initdb" -D "$work/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null
"${as_pg[@]}" "$pgbin/pg_ctl" -D "$work/data" -l "$work/server.log" -w \
  -o "-k $work -p $port -c listen_addresses= -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
  start >/dev/null

export PLOV_TEST_PG_HOST="$work" PLOV_TEST_PG_PORT="$port" PLOV_TEST_PG_USER=postgres
cd build
ctest -j"$(nproc)" --output-on-failure
