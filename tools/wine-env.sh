# Sourced by the Wine scripts: where the private prefix lives and how Wine is started.
# VARNEL_BUILD_DIR names the build tree (default: ./build beside this folder's parent).
varnel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${VARNEL_BUILD_DIR:=$varnel_root/build}"
varnel_wine_dir="$VARNEL_BUILD_DIR/wine"
export WINEPREFIX="$varnel_wine_dir/prefix"
export HOME="$varnel_wine_dir/home"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
export WINEARCH=win64
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME

varnel_wine_loader() {
  if [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64
  elif command -v wine64 >/dev/null; then command -v wine64
  else command -v wine; fi
}
varnel_wineserver() {
  if [ -x /usr/lib/wine/wineserver ]; then echo /usr/lib/wine/wineserver
  else command -v wineserver; fi
}

# Starts a private Xvfb when there is no display; sets DISPLAY and varnel_xvfb_pid.
varnel_start_xvfb() {
  varnel_xvfb_pid=
  [ -n "${DISPLAY:-}" ] && return 0
  local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 </dev/null &
  varnel_xvfb_pid=$!
  local n; read -r -t 20 n <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$n" ]; then echo "wine-env: Xvfb did not start" >&2; kill "$varnel_xvfb_pid" 2>/dev/null; return 1; fi
  export DISPLAY=":$n"
}
varnel_stop_xvfb() {
  [ -n "${varnel_xvfb_pid:-}" ] || return 0
  kill "$varnel_xvfb_pid" 2>/dev/null; wait "$varnel_xvfb_pid" 2>/dev/null
  varnel_xvfb_pid=
}

# Makes the private prefix once: a clean, fixed namespace (no host files on the desktop, no Z:).
# The marker's number goes up when the prefix's making changes, so older prefixes are made again.
varnel_ensure_prefix() {
  local ready="$WINEPREFIX/.varnel-ready-2"
  [ -f "$ready" ] && return 0
  mkdir -p "$varnel_wine_dir"
  (
    flock 9
    [ -f "$ready" ] && exit 0
    rm -rf "$WINEPREFIX" "$HOME"; mkdir -p "$HOME"
    local loader server; loader=$(varnel_wine_loader); server=$(varnel_wineserver)
    "$loader" wineboot -i >/dev/null 2>&1 </dev/null
    "$loader" reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\Namespace\{9D20AAE8-0625-44B0-9CA7-71889C2254D9}' /f >/dev/null 2>&1 </dev/null || true
    # Without a window manager under Xvfb, hiding or destroying a shown top-level window waits
    # 2 s for one unless Wine manages the windows itself; every modal dialog is such a window.
    "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
    "$server" -w
    rm -f "$WINEPREFIX/dosdevices/z:"
    local user_dir
    for user_dir in "$WINEPREFIX"/drive_c/users/*/; do
      local d
      for d in Desktop Documents Downloads Music Pictures Videos; do
        if [ -L "$user_dir$d" ]; then rm -f "$user_dir$d"; mkdir -p "$user_dir$d"; fi
      done
    done
    rm -rf "$HOME"; mkdir -p "$HOME"
    touch "$ready"
  ) 9>"$varnel_wine_dir/.lock"
}
