#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only those that
# are missing, so that a second run costs one dpkg query.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
    libmediainfo-dev
    libavformat-dev libavcodec-dev libavfilter-dev libswresample-dev libswscale-dev libavutil-dev
    libgtest-dev libgmock-dev
    ffmpeg mediainfo
    xvfb xauth xdotool imagemagick fonts-dejavu-core
)

installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null |
    awk '$2 == "installed" { print $1 }')
missing=()
for p in "${packages[@]}"; do
    grep -qx -- "$p" <<<"$installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
