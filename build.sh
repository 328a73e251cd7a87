#!/usr/bin/env bash
# Zifferon: build, start and test.
#   ./build.sh run [ARG]     build and start the program, ARG is passed through
#   ./build.sh test          build and run every test
#   ./build.sh asan          build with Address- and UndefinedBehaviorSanitizer, run every test
#   ./build.sh fuzz [SEK]    build the fuzz targets and run each for SEK seconds (default 30)
#   ./build.sh bench         build and run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-base-private-dev qt6-svg-dev qt6-translations-l10n
                libgl-dev fonts-liberation2)
TEST_PACKAGES=(libqt6svg6)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
BENCH_PACKAGES=(libbenchmark-dev)

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

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

run_tests() {
    QT_QPA_PLATFORM=offscreen ctest --preset "$1" -j "$(nproc)"
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
    *)
        sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
        exit 2
        ;;
esac
