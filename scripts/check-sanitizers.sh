#!/usr/bin/env bash
# Builds the whole tree with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan and runs the whole test suite there, offscreen. Passing means 0 reports:
# a process stops at its first report, and every report is also written to
# build-asan/sanitizer-logs/, so one from a child process whose exit status a test
# does not look at fails the run too. Too slow for every CI run; run it before an
# issue is resolved.
#
#   scripts/check-sanitizers.sh                   everything
#   scripts/check-sanitizers.sh -R 'actions|export'   only the matching tests
#   ASAN_TARGETS="actions_test export_tests" scripts/check-sanitizers.sh -R ...
#                                                 build only those targets
#   ASAN_JOBS=1 scripts/check-sanitizers.sh       fewer parallel jobs (default 2)
#   ASAN_QT=5 scripts/check-sanitizers.sh         the Qt 5 build (the add-in and the
#                                                 QGIS host) in build-asan-qt5
set -euo pipefail

top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
qt="${ASAN_QT:-6}"
build="$top/build-asan"
[[ "$qt" == 5 ]] && build="$top/build-asan-qt5"
jobs="${ASAN_JOBS:-2}"
sanitize="-fsanitize=address,undefined"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOCASTRA_QT_MAJOR="$qt" \
    -DCMAKE_C_FLAGS="$sanitize -fno-sanitize-recover=all -fno-omit-frame-pointer" \
    -DCMAKE_CXX_FLAGS="$sanitize -fno-sanitize-recover=all -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DCMAKE_SHARED_LINKER_FLAGS="$sanitize" \
    -DCMAKE_MODULE_LINKER_FLAGS="$sanitize" >/dev/null
if [[ -n "${ASAN_TARGETS:-}" ]]; then
    # shellcheck disable=SC2086
    cmake --build "$build" -j "$jobs" --target $ASAN_TARGETS
else
    cmake --build "$build" -j "$jobs"
fi

logs="$build/sanitizer-logs"
rm -rf "$logs"
mkdir -p "$logs"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1:log_path=$logs/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$logs/ubsan"
# Leaks inside third-party libraries only, if any; each entry says why it is there.
suppressions="$top/scripts/lsan-suppressions.txt"
if [[ -f "$suppressions" ]]; then
    export LSAN_OPTIONS="suppressions=$suppressions:print_suppressions=0"
fi
export QT_QPA_PLATFORM=offscreen
if [[ "$qt" == 5 ]]; then
    # Qt 5 and QGIS are built without frame pointers: without the slow unwinder a leak's
    # stack ends in the first Qt frame, and no suppression can name the library behind.
    ASAN_OPTIONS="$ASAN_OPTIONS:fast_unwind_on_malloc=0"
    # The QGIS smoke test loads our instrumented plugin into QGIS, which is not built with
    # the sanitizers: their runtimes must come first in that process, so they are
    # preloaded there (only there, not into the X server or Python). Leaks are not looked
    # for in that process: QGIS never deletes a C++ plugin's object, nor its embedded
    # Python interpreter's thousands of objects, at exit. The same adapter and add-in
    # code is leak-checked in the QGIS test programs, in-process.
    cxx="$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")"
    runtimes="$("$cxx" -print-file-name=libasan.so) $("$cxx" -print-file-name=libubsan.so)"
    export LOCASTRA_QGIS_ENV="LD_PRELOAD='$runtimes' ASAN_OPTIONS=$ASAN_OPTIONS:detect_leaks=0"
fi

status=0
(cd "$build" && ctest --output-on-failure -j "$jobs" "$@") || status=1

reports=("$logs"/*)
if [[ -e "${reports[0]}" ]]; then
    for report in "${reports[@]}"; do
        echo "==== $report"
        cat "$report"
    done
    echo "check-sanitizers: ${#reports[@]} sanitizer report(s)" >&2
    status=1
fi
if ((status == 0)); then
    echo "check-sanitizers: all tests passed, no sanitizer reports"
fi
exit "$status"
