#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quillpad need, when they are missing.
# Safe to run again: it only asks apt for what is not installed yet.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  xvfb xauth poppler-utils fonts-dejavu-core
  xdotool xclip openbox x11-utils x11-xkb-utils xkb-data imagemagick qt6-translations-l10n ccache python3
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

cmd=(apt-get install -y --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -ne 0 ]; then
  echo "Quillpad needs these Debian packages: ${missing[*]}" >&2
  echo "Install them with:  sudo apt-get update && sudo ${cmd[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
"${cmd[@]}"
