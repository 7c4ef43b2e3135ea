#!/bin/bash
# Shared set-up for run-demo.sh and test.sh (sourced, not run):
#   arvex_install_packages   installs the Debian packages Arvex needs (as root),
#                            or prints the apt-get line to run and stops;
#   arvex_build DIR TYPE [cmake options...] [-- targets...]
#                            configures and builds into DIR with at most 2 jobs.
# Works from any current folder; ARVEX_ROOT is the repository.

ARVEX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ARVEX_JOBS="${ARVEX_JOBS:-2}"

ARVEX_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libsdl2-dev libcurl4-openssl-dev
    libxrandr-dev libx11-dev xvfb xauth x11-xserver-utils libgtest-dev libgmock-dev
    libbenchmark-dev fonts-dejavu-core python3 openssl
    desktop-file-utils appstream dpkg-dev)
# Used by the disc-image mount tests (fuseiso, fuse3), the window-placement
# test under a real window manager (openbox, xdotool), the README's example
# profile started in a real emulator (dosbox) and the known-emulator launch
# tests (dosbox, stella, mednafen) when present; their absence only skips those.
# clang (with its sanitizer and libFuzzer runtimes) builds the sanitizer
# build of test.sh --sanitize and its fuzz targets; without it that build
# uses g++ and has no fuzz targets.
ARVEX_OPTIONAL_PACKAGES=(fuseiso fuse3 openbox xdotool dosbox stella mednafen clang libclang-rt-dev)

arvex_missing_packages() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' \
            || printf '%s\n' "$p"
    done
}

arvex_install_packages() {
    local missing optional
    missing=$(arvex_missing_packages "${ARVEX_PACKAGES[@]}")
    optional=$(arvex_missing_packages "${ARVEX_OPTIONAL_PACKAGES[@]}")
    if [ -z "$missing" ] && [ -z "$optional" ]; then
        return 0
    fi
    if [ "$(id -u)" -ne 0 ]; then
        if [ -z "$missing" ]; then
            echo "Note: optional packages missing (their tests will be skipped): $optional" >&2
            return 0
        fi
        echo "Arvex needs Debian packages that are not installed. Run this as root, then try again:" >&2
        echo "  apt-get update && apt-get install -y --no-install-recommends ${ARVEX_PACKAGES[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    if [ -n "$missing" ]; then
        # shellcheck disable=SC2086
        apt-get install -y --no-install-recommends $missing
    fi
    if [ -n "$optional" ]; then
        # shellcheck disable=SC2086
        apt-get install -y --no-install-recommends $optional \
            || echo "Note: optional packages could not be installed: $optional" >&2
    fi
}

arvex_build() {
    local dir="$1" type="$2"
    shift 2
    local options=() targets=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
    [ "${1:-}" = "--" ] && shift
    targets=("$@")
    cmake -S "$ARVEX_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE="$type" "${options[@]}"
    if [ ${#targets[@]} -gt 0 ]; then
        cmake --build "$dir" -j "$ARVEX_JOBS" --target "${targets[@]}"
    else
        cmake --build "$dir" -j "$ARVEX_JOBS"
    fi
}
