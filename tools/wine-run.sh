#!/usr/bin/env bash
# Runs one Windows program under Wine with the project's private prefix and HOME, inside a private
# Xvfb when there is no display. Leaves nothing running that it started: when no test session
# (tools/wine-session.sh) holds a wineserver for the prefix, it ends its own wineserver on exit.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
[ $# -ge 1 ] || { echo "usage: wine-run.sh program.exe [arguments...]" >&2; exit 2; }

varnel_ensure_prefix || exit 1
cleanup() {
  if [ -z "${VARNEL_WINE_SESSION:-}" ]; then "$(varnel_wineserver)" -k 2>/dev/null; fi
  varnel_stop_xvfb
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
varnel_start_xvfb || exit 1

"$(varnel_wine_loader)" "$@" </dev/null &
child=$!
wait "$child"
status=$?
exit "$status"
