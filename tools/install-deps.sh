#!/usr/bin/env bash
# Installs what building and testing needs on a Debian machine: the mingw-w64 cross compiler,
# Wine, a virtual X server, CMake, Ninja, GoogleTest's sources and Python (for the layer check).
# Installs only what is missing.
set -euo pipefail

packages=(g++-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb cmake ninja-build googletest make
          imagemagick x11-apps xdotool python3)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
