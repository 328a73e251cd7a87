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

# Xvfb picks a free display itself, so parallel runs do not collide.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$ordner/display" 2>/dev/null &
x=$!
for _ in $(seq 100); do [ -s "$ordner/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$ordner/display")"

# Openbox runs its start-up command once it manages windows; a window shown
# before that may stay unmanaged, without a frame.
openbox --sm-disable --startup "touch $ordner/bereit" 2>/dev/null &
wm=$!
for _ in $(seq 200); do [ -e "$ordner/bereit" ] && break; sleep 0.05; done

QT_QPA_PLATFORM=xcb "$@"
