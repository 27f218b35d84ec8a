#!/usr/bin/env bash
# Starts the program; without a display it falls back to the offscreen platform and says so.
set -euo pipefail
exe="$1"; shift || true
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run: no display found; starting with the offscreen platform (QT_QPA_PLATFORM=offscreen)"
    export QT_QPA_PLATFORM=offscreen
fi
exec "$exe" "$@"
