#!/usr/bin/env bash
# Installs the Debian packages the build needs, where they are missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    zlib1g-dev libminizip-dev zip unzip libgumbo-dev duktape-dev libcurl4-openssl-dev curl
    libsqlite3-dev sqlite3 unixodbc-dev libsqliteodbc openssl
    libfreetype-dev libfontconfig-dev libpng-dev fonts-wqy-zenhei imagemagick
    libgtk-3-dev libwebkit2gtk-4.1-dev libxi-dev libxtst-dev libxfixes-dev xvfb xauth xdotool
    trayer xclip
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [[ $(id -u) -ne 0 ]]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi
