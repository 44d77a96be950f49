#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, only when missing.
set -euo pipefail
PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-webengine-dev libgl-dev libx11-dev xdg-utils libqt6svg6 qt6-translations-l10n desktop-file-utils appstream libtidy-dev pkg-config)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
fi
