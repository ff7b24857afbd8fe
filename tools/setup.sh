#!/usr/bin/env bash
# Installs what building and testing the order form needs on Debian 12,
# but only what is missing, so that a second run costs nothing.
set -euo pipefail

packages=(cmake g++ make qt6-base-dev qt6-l10n-tools libjpeg62-turbo-dev fonts-liberation qt6-translations-l10n poppler-utils "$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
