#!/usr/bin/env bash
# Runs an example program under Wine. A windowed example gets a private Xvfb when there is no
# display; it is then asked (VARNEL_SCREENSHOT) to save a screenshot into the build tree and close.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
name=$1; shift
exe="$VARNEL_BUILD_DIR/examples/$name/$name.exe"
[ -f "$exe" ] || { echo "run-example: $exe was not built" >&2; exit 1; }
if [ -z "${DISPLAY:-}" ]; then
  shot="$VARNEL_BUILD_DIR/screenshots/$name.bmp"
  mkdir -p "$(dirname "$shot")"; rm -f "$shot" "${shot%.bmp}.png"
  export VARNEL_SCREENSHOT="$shot"
fi
"$(dirname "${BASH_SOURCE[0]}")/wine-run.sh" "$exe" "$@" | tr -d '\r'
status=${PIPESTATUS[0]}
if [ -n "${VARNEL_SCREENSHOT:-}" ] && [ -f "$VARNEL_SCREENSHOT" ]; then
  convert "$VARNEL_SCREENSHOT" "${VARNEL_SCREENSHOT%.bmp}.png" && rm -f "$VARNEL_SCREENSHOT"
  echo "Screenshot: ${VARNEL_SCREENSHOT%.bmp}.png"
fi
exit "$status"
