#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need, but only those
# that are missing, so a second run costs one dpkg query.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config git
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    libqt6sql6-sqlite libqt6svg6 libgl1-mesa-dev
    sqlite3 libsqlite3-dev
    clang-14 libclang-rt-14-dev
    libical-dev python3 python3-icalendar python3-dateutil python3-recurring-ical-events
    radicale xandikos openssl desktop-file-utils libglib2.0-bin dbus-daemon xvfb xauth
    nodejs fonts-material-design-icons-iconfont fonts-noto-color-emoji dunst poppler-utils
    qt6-translations-l10n fonts-noto-cjk
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: missing packages: ${missing[*]} (run as root to install them)" >&2
        exit 1
    fi
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

bash "$(dirname "$0")/fetch-fonts.sh"
