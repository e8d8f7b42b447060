#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, skipping
# what is already there. Uses apt-get directly as root and sudo otherwise.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libx11-dev libxtst-dev libxfixes-dev
    fonts-ipafont-gothic unicode-data
    xvfb xauth xdotool xdg-utils openbox x11-apps imagemagick
    clang libclang-rt-14-dev
)
# The spreadsheet on the other side: LibreOffice Calc and its SDK (optional component).
office_packages=(libreoffice-calc libreoffice-dev)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
office_missing=()
for p in "${office_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || office_missing+=("$p")
done

if ((${#missing[@]} + ${#office_missing[@]} == 0)); then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    apt=(apt-get)
else
    apt=(sudo apt-get)
fi
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]} ${office_missing[*]}"
"${apt[@]}" update -qq
if ((${#missing[@]})); then
    "${apt[@]}" install -y -qq "${missing[@]}"
fi
if ((${#office_missing[@]})); then
    # Calc without its recommends: no Java, no extra desktop integration.
    "${apt[@]}" install -y -qq --no-install-recommends "${office_missing[@]}"
fi
