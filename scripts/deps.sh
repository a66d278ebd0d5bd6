#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need,
# and only when one of them is missing.
set -euo pipefail

QHF_PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libglib2.0-dev libpango1.0-dev libcairo2-dev libfontconfig-dev
  libgtk-3-dev libwebkit2gtk-4.1-dev libsoup-3.0-dev
  xvfb xauth xdotool imagemagick openssl poppler-utils
  fonts-wqy-microhei fonts-dejavu-core
  desktop-file-utils dpkg-dev file
)

qhf_install_deps() {
  local missing=()
  for p in "${QHF_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if ((${#missing[@]})); then
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}
