#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test program on a real X server with a window manager, for what only
# a window manager shows: window frames, and where windows end up once they
# have one. Exits 77 (skipped) where Xvfb or openbox is missing.
set -u
command -v Xvfb >/dev/null && command -v openbox >/dev/null || exit 77

ordner="$(mktemp -d)"
aufraeumen() {
    kill "${wm:-}" "${x:-}" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$ordner"
}
trap aufraeumen EXIT

. "$(dirname "$0")/fensterverwalter.sh"
starte_fensterverwalter "$ordner"

QT_QPA_PLATFORM=xcb "$@"
