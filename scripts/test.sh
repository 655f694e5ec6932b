#!/usr/bin/env bash
# Builds everything and runs the whole test suite on both engines: SQLite, and a
# throw-away PostgreSQL server of its own (own data folder, unix socket only),
# which is stopped again however the tests end.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build

# What the desktop and software centres read about the installed program.
desktop-file-validate packaging/*.desktop
appstreamcli validate --no-net packaging/*.metainfo.xml

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

"${as_pg[@]}" "$pgbin/initdb" -D "$work/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null
# One account signs in with a password, so the tests can give a wrong one.
"${as_pg[@]}" sh -c "printf 'local all plov_press scram-sha-256\n' | cat - '$work/data/pg_hba.conf' > '$work/hba' && mv '$work/hba' '$work/data/pg_hba.conf'"
# "$work/server start|stop|restart": the restart test stops and starts it too.
# Beside its socket folder the server listens on 127.0.0.1, where a connection
# can ask for encryption (the server has none); on a port that is free, as other
# checkouts may run a server of their own at the same time.
for port in $(shuf -i 20000-59999 -n 20); do
  cat > "$work/server" <<EOF
#!/bin/sh
exec ${as_pg[*]} "$pgbin/pg_ctl" -D "$work/data" -l "$work/server.log" -w -m fast \\
  -o "-k $work -p $port -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \\
  "\$@" >/dev/null
EOF
  chmod 755 "$work/server"
  if "$work/server" start 2>/dev/null; then
    started=$port
    break
  fi
done
[ -n "${started:-}" ] || { cat "$work/server.log" >&2; exit 1; }

"${as_pg[@]}" psql -h "$work" -p "$port" -U postgres -q -c \
  "create role plov_press login superuser password 'qtam5827qtam5827'"

export PLOV_TEST_PG_HOST="$work" PLOV_TEST_PG_PORT="$port" PLOV_TEST_PG_USER=postgres \
       PLOV_TEST_PG_PASSWORD_USER=plov_press PLOV_TEST_PG_CTL="$work/server" \
       PLOV_TEST_PG_TCP_HOST=127.0.0.1
cd build
ctest -j"$(nproc)" --output-on-failure
