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

# Wine takes the command line's file names in the locale's encoding.
export LC_ALL=C.UTF-8 WINEPREFIX="$ordner/prefix" WINEARCH=win64 WINEDEBUG=-all
# No offer to download wine's Mono and Gecko: Zifferon needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
wineboot --init >/dev/null 2>&1
wineserver -w

. tests/fensterverwalter.sh
starte_fensterverwalter "$ordner"

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
        id="$(xwininfo -root -tree 2>/dev/null | awk '/"Zifferon": \("zifferon.exe"/ {print $1}' | head -n 1)"
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
deinstallieren='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# Windows puts a per-machine entry into the Start menu of all users; wine
# puts it into the installing user's.
startmenue() { find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Zifferon.lnk' | head -n 1; }
# The older version: the same package with a lower version number.
(cd "$bau/paket/windows" && sed 's/Version="[0-9.]*" Manufacturer/Version="0.0.1" Manufacturer/' \
    zifferon.wxs >"$ordner/alt.wxs" && wixl -a x64 -o "$ordner/alt.msi" "$ordner/alt.wxs" 2>/dev/null)
wine msiexec /i "$(windows_pfad "$ordner/alt.msi")" /qn
wine msiexec /i "$(windows_pfad "$msi")" /qn
wineserver -w
for datei in zifferon.exe zifferon-analyse.exe liesmich.txt COPYING 'translations\qtbase_de.qm'; do
    [ -f "$(winepath -u "$programme\\$datei")" ] || fehler "$datei fehlt unter $programme"
done
[ -n "$(startmenue)" ] || fehler "kein Eintrag im Startmenü"
echo "Startmenü: $(startmenue)"
eintraege="$(wine reg query "$deinstallieren" /s | tr -d '\r' | grep -A1 'DisplayName.*REG_SZ.*Zifferon$' || true)"
echo "$eintraege"
[ "$(grep -c DisplayName <<<"$eintraege")" = 1 ] || fehler "nicht genau ein Eintrag zum Deinstallieren"
echo "== Start aus dem Startmenü"
wine start /unix "$(startmenue)" &
fenster_pruefen "$bau/start_msi.png"
echo "== MSI still deinstalliert"
wine msiexec /x "$(windows_pfad "$msi")" /qn
wineserver -w
[ ! -e "$(winepath -u "$programme\\zifferon.exe")" ] || fehler "zifferon.exe noch da"
[ -z "$(startmenue)" ] || fehler "Eintrag im Startmenü noch da"

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
# Names with umlauts and with letters beyond Windows-1252.
printf 'Sch\xf6ne Gr\xfc\xdfe aus K\xf6ln an die Klasse 7b: \xc4pfel, \xd6l, \x80\r\n' \
    >"$proben/Köln windows-1252.txt"
printf 'Sch\xc3\xb6ne Gr\xc3\xbc\xc3\x9fe aus \xc5\x81\xc3\xb3d\xc5\xba an die Klasse 7b \xe2\x82\xac\n' \
    >"$proben/Łódź utf-8.txt"
# Output, messages and exit status; Windows writes its line ends as CR LF.
analyse() { (cd "$proben" && "$@" 2>&1; echo "Status $?") | tr -d '\r'; }
for probe in "$proben"/*; do
    name="$(basename "$probe")"
    diff <(analyse "$analyse_linux" "$name") <(analyse wine "$analyse_windows" "$name") \
        || fehler "Analyse von $name weicht ab"
    echo "gleich: $name"
done

echo "== Testprogramme unter wine"
# Wine keeps Linux's QT_ variables from Windows programs; the one with the
# prefix WINE it hands over without it.
WINEQT_QPA_PLATFORM=offscreen ctest --preset windows
