# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced: starts a virtual X server with openbox managing it, its files in
# the folder $1. Sets DISPLAY, and x and wm to the two processes' ids for the
# caller's clean-up.
starte_fensterverwalter() {
    local ordner="$1"
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
}
