#!/usr/bin/env bash
# CServiceControl against Wine's own Service Control Manager, in a fresh Wine prefix inside the
# build folder: registers services that run our test service with different arguments, then
# runs the tests that start, stop and look for them.
#
# Usage: tests/wine/services/run.sh BUILD_DIR     (a win64 build, for example build/win64)
# Prints the tests' outcomes and a last line "N passed, M failed"; exits non-zero on failure.
set -uo pipefail
source "$(dirname "$0")/../suite.sh"

build=$(build_dir_argument "$@") || exit 2
wine_environment "$build/wine-services-prefix"
service="$build/tests/wine/services/corvane-test-service.exe"
tests="$build/tests/wine/services/corvane-service-control-tests.exe"
require_programs "$service" "$tests"
fresh_prefix

copy="$WINEPREFIX/drive_c/corvane-test-service.exe"
cp "$service" "$copy"
binary='C:\corvane-test-service.exe'
register() {  # NAME ARGUMENTS [DEPENDENCY]
    local depend=()
    if [ -n "${3:-}" ]; then
        depend=(depend= "$3")
    fi
    timeout 60 "$wine" sc create "$1" binPath= "$binary $2" "${depend[@]}" >/dev/null 2>&1
}
register cvt_slow "--start-pending 1500 --stop-pending 1500"
register cvt_fail "--start-pending 500 --fail-start"
register cvt_bus ""
register cvt_early "" cvt_bus
register cvt_late "" cvt_bus
register cvt_crowd ""
timeout 60 "$wine" sc start cvt_crowd >/dev/null 2>&1
for i in $(seq -w 1 12); do
    register "cvt_crowd_dependant_with_a_long_name_$i" "" cvt_crowd
    timeout 60 "$wine" sc start "cvt_crowd_dependant_with_a_long_name_$i" >/dev/null 2>&1
done

output=$(timeout 600 "$wine" "$tests" 2>&1)
gtest_summary "$output" $?
