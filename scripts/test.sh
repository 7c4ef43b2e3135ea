#!/bin/bash
# Installs what Arvex needs (Debian 12), builds everything with warnings on
# into build/ (Release) and runs every test. With --sanitize, a second build
# with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/
# runs the tests again. Exits non-zero when a build or any test fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

sanitize=0
for arg in "$@"; do
    case "$arg" in
        --sanitize) sanitize=1 ;;
        -h|--help) echo "usage: $0 [--sanitize]"; exit 0 ;;
        *) echo "unknown option: $arg (usage: $0 [--sanitize])" >&2; exit 2 ;;
    esac
done

arvex_install_packages
export QT_QPA_PLATFORM=offscreen

arvex_build "$ARVEX_ROOT/build" Release
ctest --test-dir "$ARVEX_ROOT/build" --output-on-failure -j "$ARVEX_JOBS"

if [ "$sanitize" = 1 ]; then
    arvex_build "$ARVEX_ROOT/build-sanitize" RelWithDebInfo -DARVEX_SANITIZE=ON -DARVEX_BUILD_BENCH=OFF
    ctest --test-dir "$ARVEX_ROOT/build-sanitize" --output-on-failure -j "$ARVEX_JOBS"
fi
