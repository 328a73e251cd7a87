#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Zifferon: build, start and test.
#   ./build.sh run [ARG]     build and start the program, ARG is passed through
#   ./build.sh test          build and run every test
#   ./build.sh asan          build with Address- and UndefinedBehaviorSanitizer, run every test
#   ./build.sh fuzz [SEK]    build the fuzz targets and run each for SEK seconds (default 30)
#   ./build.sh bench         build and run the benchmarks
#   ./build.sh package       build the Debian package zifferon_*.deb in build/paket
#   ./build.sh paketpruefung build the package and check it as a user would get it
#   ./build.sh windows       cross-build for Windows: zip and MSI in build/windows
#   ./build.sh windowstest   build for Windows and check it under wine
set -euo pipefail
cd "$(dirname "$0")"

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-base-private-dev qt6-svg-dev qt6-translations-l10n
                libgl-dev fonts-liberation2 fonts-freefont-ttf)
TEST_PACKAGES=(libqt6svg6 xvfb openbox poppler-utils)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
BENCH_PACKAGES=(libbenchmark-dev)
PACKAGE_PACKAGES=(dpkg-dev file)
CHECK_PACKAGES=(lintian desktop-file-utils appstream)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 msitools wixl dpkg-dev)
WINDOWS_TEST_PACKAGES=(unzip xvfb openbox x11-utils imagemagick bc)

# Qt for Windows: Debian's own source of the installed qt6-base, built once as a
# static MinGW library, only the modules Zifferon uses. Debian's trimmed source
# lacks the Windows tablet headers; the bundled FreeType gives the offscreen
# platform that the tests under wine use.
QT_WINDOWS_OPTIONS=(-static -release -xplatform win32-g++ -qt-host-path /usr
    -nomake examples -nomake tests -no-feature-tabletevent -qt-freetype
    -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -no-feature-jpeg -no-icu
    -no-opengl -no-dbus -no-feature-vulkan -no-feature-sql -no-feature-network
    -no-feature-xml -no-feature-zstd)

# Installs the Debian packages that are missing; a non-root user is told the exact line.
ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Es fehlen Pakete. Bitte als root ausführen:" >&2
        echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installiere: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Warnings are errors in CI only: a newer compiler on a user's machine may
# warn where ours does not, and that must not stop the build.
build() {
    local werror=OFF
    [ "${CI:-}" = true ] && werror=ON
    cmake --preset "$1" -DZIFFERON_WERROR="$werror" "${@:2}" >/dev/null
    cmake --build --preset "$1"
}

run_tests() {
    QT_QPA_PLATFORM=offscreen ctest --preset "$1" -j "$(nproc)"
}

# Builds the .deb (Release, no tests) and prints its path.
package() {
    build paket >&2
    rm -f build/paket/zifferon_*.deb
    (cd build/paket && cpack -G DEB >&2)
    ls build/paket/zifferon_*.deb
}

# Checks the package the way a user gets it: its metadata, then the program
# unpacked into a temporary root.
paketpruefung() {
    local deb root pid
    deb="$(package)"
    echo "== lintian ${deb}"
    # Errors fail the check, warnings are shown. Lintian discourages running
    # as root (as CI does) but checks the same.
    local bericht rc=0
    bericht="$(lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1)" || rc=$?
    printf '%s\n' "$bericht" | grep -v 'root privileges' || true
    if [ "$rc" -ne 0 ]; then
        echo "lintian meldet Fehler" >&2
        return 1
    fi
    root="$(mktemp -d)"
    trap 'rm -rf "$root"' RETURN
    dpkg-deb -x "$deb" "$root"
    echo "== desktop-file-validate"
    desktop-file-validate "$root"/usr/share/applications/*.desktop
    echo "== appstreamcli validate"
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
    for s in 16 32 48 64 128 256; do
        file -b "$root/usr/share/icons/hicolor/${s}x${s}/apps/zifferon.png" | grep -q "PNG image data, $s x $s"
    done
    echo "== Kurzanleitung im entpackten Paket"
    # Beside the unpacked program, so the readme window searches from <root>/usr/bin;
    # the data folders of the machine are hidden, so an installed copy cannot answer.
    cp build/paket/paket/liesmich_finden "$root/usr/bin/"
    XDG_DATA_HOME="$root/leer" XDG_DATA_DIRS="$root/leer" QT_QPA_PLATFORM=offscreen \
        "$root/usr/bin/liesmich_finden" "$root/usr/share/zifferon/liesmich.txt"
    rm "$root/usr/bin/liesmich_finden"
    echo "== Programmstart aus dem entpackten Paket"
    XDG_CONFIG_HOME="$root/konfig" QT_QPA_PLATFORM=offscreen "$root/usr/bin/zifferon" &
    pid=$!
    sleep 3
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" || true
        echo "zifferon hat sich nach weniger als 3 s beendet" >&2
        return 1
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "zifferon lief 3 s und wurde beendet"
    echo "Paket in Ordnung: ${deb}"
}

# Adds a deb-src entry for each Debian archive the machine installs from,
# unless one is there already, so apt-get source finds Qt's source.
ensure_deb_src() {
    grep -Eqs '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources && return 0
    local ziel=/etc/apt/sources.list.d/zifferon-quellen.sources
    if ls /etc/apt/sources.list.d/debian.sources >/dev/null 2>&1; then
        sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$ziel"
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >/etc/apt/sources.list.d/zifferon-quellen.list
    fi
    apt-get update -qq
}

# Prints the folder of the static Qt for Windows, building it first if the
# cache lacks it. Keyed by the Qt version, the options and the toolchain file.
qt_windows() {
    local version schluessel ordner bau log werkzeugkette="$PWD/paket/windows/mingw-w64.cmake"
    version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
    schluessel="$( (printf '%s\n' "${QT_WINDOWS_OPTIONS[@]}"; cat paket/windows/mingw-w64.cmake) \
        | sha256sum | cut -c1-10)"
    ordner="${XDG_CACHE_HOME:-$HOME/.cache}/zifferon/qt-${version}-${schluessel}"
    if [ -f "$ordner/fertig" ]; then
        echo "$ordner"
        return 0
    fi
    ensure_deb_src
    bau="$(dirname "$ordner")/bau-${version}-${schluessel}"
    log="$(dirname "$ordner")/qt-${version}-${schluessel}.log"
    rm -rf "$bau" "$ordner"
    mkdir -p "$bau"
    echo "Baue Qt ${version} für Windows (einmalig, etwa 20 min), Protokoll: ${log}" >&2
    # Debian keeps the host Qt's CMake files below its multiarch folder.
    if ! (cd "$bau" && apt-get source -qq "qt6-base=${version}" && mkdir bau && cd bau &&
        ../qt6-base-*/configure -prefix "$ordner" "${QT_WINDOWS_OPTIONS[@]}" -- \
            -DCMAKE_TOOLCHAIN_FILE="$werkzeugkette" \
            -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" &&
        # Other builds share the machine: Qt takes what is left.
        nice -n 19 cmake --build . --parallel 2 && cmake --install .) >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        return 1
    fi
    rm -rf "$bau"
    touch "$ordner/fertig"
    echo "$ordner"
}

# The Windows build: the Linux tools it needs (icon_rendern draws the icons,
# zifferon-analyse is the reference for the Windows one), then the programs,
# the test programs, the zip and the MSI against the static Qt.
windows() {
    local qt
    qt="$(qt_windows)"
    build werkzeuge
    build windows -DZIFFERON_QT_WINDOWS="$qt" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
        -DZIFFERON_ICON_RENDERN="$PWD/build/werkzeuge/paket/icon_rendern"
    ls -l build/windows/Zifferon-*-win64.zip build/windows/Zifferon-*-win64.msi
}

case "${1:-}" in
    run)
        ensure_packages "${BUILD_PACKAGES[@]}"
        build default
        shift
        exec build/default/programm/zifferon "$@"
        ;;
    test)
        ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
        build default
        run_tests default
        ;;
    asan)
        ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
        build asan
        ASAN_OPTIONS=detect_leaks=1 run_tests asan
        ;;
    fuzz)
        ensure_packages "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
        build fuzz
        seconds="${2:-30}"
        for target in build/fuzz/fuzz/fuzz_*; do
            [ -f "$target" ] && [ -x "$target" ] || continue
            name="$(basename "$target")"
            echo "== ${name}: ${seconds} s"
            # The fuzzer adds to its corpus; the seeds in the repository stay as they are.
            corpus="build/fuzz/korpus/${name}"
            mkdir -p "$corpus"
            cp -n fuzz/korpus/"${name}"/* "$corpus"/ 2>/dev/null || true
            log="build/fuzz/${name}.log"
            # Inputs up to 16 KiB at once (len_control=0), beyond the engine's 4 KiB blocks;
            # an input that takes over 20 s counts as a hang.
            if ! QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp" \
                "$target" "$corpus" -max_total_time="$seconds" -max_len=16384 -len_control=0 \
                -timeout=20 -artifact_prefix=build/fuzz/ >"$log" 2>&1; then
                tail -n 60 "$log"
                exit 1
            fi
            grep '^Done' "$log" || tail -n 2 "$log"
        done
        ;;
    bench)
        ensure_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
        build bench
        for b in build/bench/bench/bench_*; do
            if [ -f "$b" ] && [ -x "$b" ]; then "$b" "${@:2}"; fi
        done
        ;;
    package)
        ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
        package
        ;;
    paketpruefung)
        ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" "${CHECK_PACKAGES[@]}"
        paketpruefung
        ;;
    windows)
        ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
        windows
        ;;
    windowstest)
        ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${WINDOWS_TEST_PACKAGES[@]}"
        windows
        paket/windows/wine_pruefung.sh
        ;;
    *)
        sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'
        exit 2
        ;;
esac
