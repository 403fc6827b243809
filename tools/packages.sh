#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Vantorbel need and that this
# machine does not have yet. Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
    g++ make cmake pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev qt6-translations-l10n
    fonts-liberation2
    libuemf-dev emf2svg
    googletest libgtest-dev
    libbenchmark-dev valgrind
    cups-daemon cups-client cups-filters cups-ipp-utils printer-driver-cups-pdf ghostscript
    libcups2-dev
    libdxflib-dev python3-ezdxf
    poppler-utils qpdf librsvg2-bin libxml2-utils python3
    xvfb xdotool x11-utils
    desktop-file-utils appstream dpkg-dev
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
