#!/bin/bash
# Installs what Arvex needs (Debian 12), builds it into build/ and starts it
# on the demo collection in examples/demo.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

arvex_install_packages
# The demo emulator's build copies it to examples/demo/Emulators/, where the
# demo profiles expect it.
arvex_build "$ARVEX_ROOT/build" Release -DARVEX_BUILD_TESTS=OFF -DARVEX_BUILD_BENCH=OFF \
    -- arvex arvex-demo-emu

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found (DISPLAY / WAYLAND_DISPLAY unset): start Arvex from a desktop session," >&2
    echo "or try it without one: xvfb-run -a ./scripts/run-demo.sh" >&2
    exit 1
fi
cd "$ARVEX_ROOT"
ARVEX_HOME="$ARVEX_ROOT/examples/demo" exec ./build/bin/arvex "$@"
