#!/usr/bin/env bash
# Installs what is missing, builds the client and runs it against the line service: the one named
# by TREVALO_API_HOST, or else the reference line service, started here on loopback with its demo
# data (account "demo", password "demo123") and stopped when the client ends.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target TrevaloIP line-service

service_pid=
cleanup() { [[ -n "$service_pid" ]] && kill "$service_pid" 2>/dev/null || true; }
trap cleanup EXIT

if [[ -z "${TREVALO_API_HOST:-}" ]]; then
  port=${TREVALO_API_PORT:-8001}
  log=$(mktemp)
  build/release/server/line-service --port "$port" >"$log" 2>&1 &
  service_pid=$!
  for _ in $(seq 100); do
    grep -q listening "$log" && break
    kill -0 "$service_pid" 2>/dev/null || { cat "$log" >&2; exit 1; }
    sleep 0.1
  done
  cat "$log"
  export TREVALO_API_HOST=127.0.0.1 TREVALO_API_PORT=$port
  # On this closed network the internet check asks the local service instead of a public page.
  export TREVALO_INTERNET_CHECK_URL=${TREVALO_INTERNET_CHECK_URL:-http://127.0.0.1:$port/ipinfohtml/}
  export TREVALO_DEFAULT_SERVER=${TREVALO_DEFAULT_SERVER:-127.1.0.1}
fi

# Qt needs a runtime folder of the user's own.
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
  export XDG_RUNTIME_DIR=$(mktemp -d)
fi

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  build/release/client/TrevaloIP
else
  echo "No desktop session here (DISPLAY is not set): the client runs on a virtual screen (Xvfb)." >&2
  xvfb-run -a -s "-screen 0 1280x800x24" build/release/client/TrevaloIP
fi
