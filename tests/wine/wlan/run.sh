#!/usr/bin/env bash
# The wireless LAN code against Wine's device files, IP Helper and registry, with no protocol
# driver running, and the native back end against Wine's own Wlanapi.dll with another one planted
# beside the test program (the build puts it there). A Wine boot takes most of a suite's time, so
# this one runs in the prefix the netconfig suite leaves behind when there is one (Wine has not
# started our driver there either: that suite registers its service, demand-start, with a
# stand-in image); otherwise it boots that prefix itself.
#
# Usage: tests/wine/wlan/run.sh BUILD_DIR     (a win64 build, for example build/win64)
# Prints the tests' outcomes and a last line "N passed, M failed"; exits non-zero on failure.
set -uo pipefail
source "$(dirname "$0")/../suite.sh"

build=$(build_dir_argument "$@") || exit 2
wine_environment "$build/wine-netconfig-prefix"
tests="$build/tests/wine/wlan/corvane-wlan-wine-tests.exe"
require_programs "$tests"
# Wine writes the time stamp once a boot has finished.
if [ -f "$WINEPREFIX/.update-timestamp" ]; then
    trap 'timeout 30 "$wineserver" -k 2>/dev/null' EXIT
else
    fresh_prefix
fi

output=$(timeout 120 "$wine" "$tests" 2>&1)
gtest_summary "$output" $?
