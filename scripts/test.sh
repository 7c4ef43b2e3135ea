#!/bin/bash
# Installs what Arvex needs (Debian 12), builds everything with warnings on
# into build/ (Release) and runs every test. With --sanitize, a second build
# with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/
# runs the tests again; when clang is installed that build uses it and also
# builds the fuzz targets (tests/fuzz), and each of them then runs for
# ARVEX_FUZZ_SECONDS (default 20) over its seed corpus. Exits non-zero when a
# build, any test or any fuzz run fails.
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

[ "$sanitize" = 1 ] || exit 0

sanitize_dir="$ARVEX_ROOT/build-sanitize"
compiler=()
fuzz=0
if command -v clang++ >/dev/null 2>&1; then
    compiler=(-DCMAKE_CXX_COMPILER=clang++)
    fuzz=1
else
    echo "Note: clang++ is not installed: the sanitizer build uses the default compiler and builds no fuzz targets." >&2
fi
arvex_build "$sanitize_dir" RelWithDebInfo "${compiler[@]}" -DARVEX_SANITIZE=ON -DARVEX_BUILD_BENCH=OFF
ctest --test-dir "$sanitize_dir" --output-on-failure -j "$ARVEX_JOBS"

[ "$fuzz" = 1 ] || exit 0
# Each target runs over a working copy of its seed corpus (the seeds stay as
# they are), ARVEX_JOBS of them at a time; a crash, a broken invariant or a
# slow input fails the run and leaves the input in build-sanitize/fuzz-findings/.
seconds="${ARVEX_FUZZ_SECONDS:-20}"
findings="$sanitize_dir/fuzz-findings"
rm -rf "$sanitize_dir/fuzz-status"
mkdir -p "$findings" "$sanitize_dir/fuzz-status"

fuzz_one() {
    local target="$1" name work log
    name="$(basename "$target" Fuzz)"
    work="$sanitize_dir/fuzz-corpus/$name"
    log="$sanitize_dir/fuzz-$name.log"
    mkdir -p "$work"
    # A fixed seed: a CI run explores the same inputs each time, so it turns
    # red for a new fault rather than at random for an old one.
    if ASAN_OPTIONS=detect_leaks=0 "$target" -seed=1 -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$findings/$name-" \
            "$work" "$ARVEX_ROOT/tests/fuzz/corpus/$name" >"$log" 2>&1; then
        echo ok >"$sanitize_dir/fuzz-status/$name"
    else
        echo failed >"$sanitize_dir/fuzz-status/$name"
    fi
}

echo "== fuzz targets, $seconds s each"
running=0
for target in "$sanitize_dir"/bin/fuzz/*Fuzz; do
    fuzz_one "$target" &
    running=$((running + 1))
    if [ "$running" -ge "$ARVEX_JOBS" ]; then
        wait -n || true
        running=$((running - 1))
    fi
done
wait

failed=()
for target in "$sanitize_dir"/bin/fuzz/*Fuzz; do
    name="$(basename "$target" Fuzz)"
    log="$sanitize_dir/fuzz-$name.log"
    if [ "$(cat "$sanitize_dir/fuzz-status/$name" 2>/dev/null)" = ok ]; then
        echo "fuzz $name: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') runs, no findings"
    else
        failed+=("$name")
        echo "fuzz $name failed:" >&2
        tail -n 40 "$log" >&2
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzz targets that failed: ${failed[*]} (inputs in $findings)" >&2
    exit 1
fi
