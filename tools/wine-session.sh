#!/usr/bin/env bash
# Runs a command (usually ctest) with one Xvfb and one persistent wineserver kept alive for all the
# Windows programs it starts, so each starts in a fraction of a second; ends both afterwards, also
# when the command fails or is interrupted.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
[ $# -ge 1 ] || { echo "usage: wine-session.sh command [arguments...]" >&2; exit 2; }

varnel_ensure_prefix || exit 1
server=$(varnel_wineserver)
cleanup() {
  "$server" -k 2>/dev/null
  varnel_stop_xvfb
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
varnel_start_xvfb || exit 1

# Detached from our output, or a caller reading the pipe would wait for the server.
"$server" -p </dev/null >/dev/null 2>&1
"$(varnel_wine_loader)" cmd /c exit </dev/null >/dev/null 2>&1
export VARNEL_WINE_SESSION=1
"$@"
