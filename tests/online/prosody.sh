#!/usr/bin/env bash
# A private Prosody for the online tests and the load check, on 127.0.0.1 at a free port.
#   prosody.sh start DIR N   generates a config, a self-signed certificate for localhost and the
#                            accounts user1..userN (passwords in DIR/passwords, one
#                            "userK PASSWORD" a line), starts the server, waits until it answers
#                            and prints its port (also in DIR/port).
#   prosody.sh stop DIR      stops the server started in DIR.
# DIR is created with mode 0700; the CA file for the clients is DIR/cert.pem.
set -euo pipefail

usage() {
  echo "usage: $0 start DIR N | stop DIR" >&2
  exit 2
}

port_answers() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

# A port in the dynamic range that nothing answers on.
free_port() {
  local port tries
  for ((tries = 0; tries < 100; tries++)); do
    port=$((49152 + RANDOM % 16384))
    if ! port_answers "$port"; then
      echo "$port"
      return 0
    fi
  done
  echo "no free port found" >&2
  return 1
}

write_config() {
  local dir=$1 port=$2 root_line=""
  if [[ $(id -u) -eq 0 ]]; then root_line="run_as_root = true"; fi
  cat >"$dir/prosody.cfg.lua" <<CFG
pidfile = "$dir/prosody.pid"
data_path = "$dir/data"
log = { { levels = { min = "info" }, to = "file", filename = "$dir/prosody.log" } }
interfaces = { "127.0.0.1" }
c2s_ports = { $port }
modules_enabled = { "roster"; "saslauth"; "tls"; "disco"; "ping"; "smacks"; "posix" }
modules_disabled = { "s2s" }
authentication = "internal_hashed"
c2s_require_encryption = true
$root_line
VirtualHost "localhost"
  ssl = { key = "$dir/key.pem"; certificate = "$dir/cert.pem" }
CFG
}

start() {
  local dir=$1 count=$2
  mkdir -p "$dir"
  chmod 0700 "$dir"
  mkdir -p "$dir/data"
  if [[ ! -f $dir/cert.pem ]]; then
    openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj /CN=localhost \
      -addext subjectAltName=DNS:localhost \
      -keyout "$dir/key.pem" -out "$dir/cert.pem" 2>/dev/null
  fi
  # A restart in the same folder keeps the port, so that clients find the server again.
  local port
  if [[ -f $dir/port ]]; then port=$(cat "$dir/port"); else port=$(free_port); fi
  write_config "$dir" "$port"
  echo "$port" >"$dir/port"

  # Accounts are registered once; a restart in the same folder keeps them.
  if [[ ! -f $dir/passwords ]]; then
    local i password
    : >"$dir/passwords.new"
    for ((i = 1; i <= count; i++)); do
      password=$(openssl rand -hex 12)
      prosodyctl --config "$dir/prosody.cfg.lua" register "user$i" localhost "$password" \
        >/dev/null 2>&1 &
      echo "user$i $password" >>"$dir/passwords.new"
      if ((i % 8 == 0)); then wait; fi
    done
    wait
    mv "$dir/passwords.new" "$dir/passwords"
  fi

  prosody --config "$dir/prosody.cfg.lua" -F >>"$dir/prosody.out" 2>&1 &
  echo $! >"$dir/prosody.launcher.pid"
  local tries
  for ((tries = 0; tries < 100; tries++)); do
    if port_answers "$port"; then
      echo "$port"
      return 0
    fi
    sleep 0.1
  done
  echo "prosody did not answer on port $port; its log:" >&2
  cat "$dir/prosody.out" "$dir/prosody.log" >&2 2>/dev/null || true
  return 1
}

stop() {
  local dir=$1 pid
  [[ -f $dir/prosody.launcher.pid ]] || return 0
  pid=$(cat "$dir/prosody.launcher.pid")
  if kill "$pid" 2>/dev/null; then
    local tries
    for ((tries = 0; tries < 50; tries++)); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$dir/prosody.launcher.pid"
}

case "${1:-}" in
  start) [[ $# -eq 3 ]] || usage; start "$2" "$3" ;;
  stop) [[ $# -eq 2 ]] || usage; stop "$2" ;;
  *) usage ;;
esac
