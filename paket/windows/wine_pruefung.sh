#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows build under wine, each time in a fresh wine prefix:
#   1. the MSI: silent install, Start-menu entry, uninstall entry, a start
#      from the Start-menu entry, an older version replaced, silent uninstall;
#   2. the portable zip unpacked and started: the main window appears at its
#      designed size (client area 550 x 412); a screenshot is kept;
#   3. the analysis tool's JSON equals the Linux tool's on sample files;
#   4. the Windows test programs (ctest --preset windows).
# Run by ./build.sh windowstest after ./build.sh windows.
set -euo pipefail
cd "$(dirname "$0")/../.."
bau=build/windows
zip="$(ls "$bau"/Zifferon-*-win64.zip)"
msi="$(ls "$bau"/Zifferon-*-win64.msi)"

ordner="$(mktemp -d)"
aufraeumen() {
    wineserver -k 2>/dev/null || true
    kill "${wm:-}" "${x:-}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$ordner"
}
trap aufraeumen EXIT

export WINEPREFIX="$ordner/prefix" WINEARCH=win64 WINEDEBUG=-all
# No offer to download wine's Mono and Gecko: Zifferon needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
wineboot --init >/dev/null 2>&1
wineserver -w

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$ordner/display" 2>/dev/null &
x=$!
for _ in $(seq 100); do [ -s "$ordner/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$ordner/display")"
openbox --sm-disable --startup "touch $ordner/bereit" 2>/dev/null &
wm=$!
for _ in $(seq 200); do [ -e "$ordner/bereit" ] && break; sleep 0.05; done

fehler() {
    echo "FEHLER: $*" >&2
    exit 1
}

# Waits for the main window, checks its client area, keeps a screenshot as
# $1 and ends the program. Prints the seconds from the call to the window.
fenster_pruefen() {
    local bild="$1" beginn id groesse
    beginn=$(date +%s.%N)
    for _ in $(seq 600); do
        id="$(xwininfo -root -tree 2>/dev/null | awk '/"Zifferon": \("zifferon.exe"/ {print $1; exit}')"
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || fehler "kein Hauptfenster nach 60 s"
    echo "Hauptfenster nach $(echo "$(date +%s.%N) - $beginn" | bc) s"
    sleep 2
    groesse="$(xwininfo -id "$id" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')"
    import -window root "$bild"
    echo "Hauptfenster ${groesse}, Bildschirmfoto ${bild}"
    [ "$groesse" = 550x412 ] || fehler "Hauptfenster ist ${groesse}, nicht 550x412"
    wineserver -k
    wineserver -w
}

windows_pfad() { winepath -w "$1" 2>/dev/null; }

echo "== MSI: eine ältere Version, dann diese, still installiert"
programme='C:\Program Files\Zifferon'
startmenue='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Zifferon.lnk'
deinstallieren='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The older version: the same package with a lower version number.
(cd "$bau/paket/windows" && sed 's/Version="[0-9.]*" Manufacturer/Version="0.0.1" Manufacturer/' \
    zifferon.wxs >"$ordner/alt.wxs" && wixl -a x64 -o "$ordner/alt.msi" "$ordner/alt.wxs" 2>/dev/null)
wine msiexec /i "$(windows_pfad "$ordner/alt.msi")" /qn
wine msiexec /i "$(windows_pfad "$msi")" /qn
wineserver -w
for datei in zifferon.exe zifferon-analyse.exe liesmich.txt COPYING 'translations\qtbase_de.qm'; do
    [ -f "$(winepath -u "$programme\\$datei")" ] || fehler "$datei fehlt unter $programme"
done
[ -f "$(winepath -u "$startmenue")" ] || fehler "kein Eintrag im Startmenü"
eintraege="$(wine reg query "$deinstallieren" /s /f Zifferon /d 2>/dev/null | tr -d '\r' | grep -c 'DisplayName.*Zifferon' || true)"
[ "$eintraege" = 1 ] || fehler "$eintraege Einträge zum Deinstallieren statt einem"
wine reg query "$deinstallieren" /s /f Zifferon /d | tr -d '\r' | grep -E 'DisplayName|DisplayVersion'
echo "== Start aus dem Startmenü"
wine start /unix "$(winepath -u "$startmenue")" &
fenster_pruefen "$bau/start_msi.png"
echo "== MSI still deinstalliert"
wine msiexec /x "$(windows_pfad "$msi")" /qn
wineserver -w
[ ! -e "$(winepath -u "$programme\\zifferon.exe")" ] || fehler "zifferon.exe noch da"
[ ! -e "$(winepath -u "$startmenue")" ] || fehler "Eintrag im Startmenü noch da"

echo "== Zip entpackt und gestartet"
unzip -q "$zip" -d "$ordner/laufwerk"
(cd "$ordner/laufwerk/Zifferon" && wine zifferon.exe &)
fenster_pruefen "$bau/start_zip.png"

echo "== Analyse: JSON wie unter Linux"
analyse_linux="$PWD/build/werkzeuge/analyse/werkzeug/zifferon-analyse"
analyse_windows="$ordner/laufwerk/Zifferon/zifferon-analyse.exe"
proben="$ordner/proben"
mkdir -p "$proben"
cp fuzz/korpus/fuzz_analyse/* resources/liesmich.txt COPYING "$proben"/
printf 'Gr\xfc\xdfe aus K\xf6ln, \xe4\xf6\xfc \x80\r\n' >"$proben/windows-1252.txt"
printf 'Gr\xc3\xbc\xc3\x9fe aus K\xc3\xb6ln, \xe2\x82\xac\n' >"$proben/utf-8.txt"
for probe in "$proben"/*; do
    name="$(basename "$probe")"
    # Windows writes its line ends to the console as CR LF.
    diff <(cd "$proben" && "$analyse_linux" "$name") \
        <(cd "$proben" && wine "$analyse_windows" "$name" | tr -d '\r') >/dev/null \
        || fehler "Analyse von $name weicht ab"
    echo "gleich: $name"
done

echo "== Testprogramme unter wine"
QT_QPA_PLATFORM=offscreen ctest --preset windows
