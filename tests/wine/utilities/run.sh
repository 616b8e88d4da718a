#!/usr/bin/env bash
# ProcessControl against real processes under Wine, set to Windows XP, with Wine's null display
# driver (the utilities' windows need a desktop, not a screen). It registers WUSB54GPSVC, a
# service of the utility table, running our test service; the tests start it and install the
# test utilities and their logon entries themselves. A Wine boot takes most of a suite's time,
# so this one runs in the prefix the services suite leaves behind when there is one (its
# services stay stopped); otherwise it boots that prefix itself.
#
# Usage: tests/wine/utilities/run.sh BUILD_DIR     (a win64 build, for example build/win64)
# Prints the tests' outcomes and a last line "N passed, M failed"; exits non-zero on failure.
set -uo pipefail
source "$(dirname "$0")/../suite.sh"

build=$(build_dir_argument "$@") || exit 2
wine_environment "$build/wine-services-prefix"
service="$build/tests/wine/services/corvane-test-service.exe"
tests="$build/tests/wine/utilities/corvane-utility-control-tests.exe"
require_programs "$service" "$tests"
# Wine writes the time stamp once a boot has finished.
if [ -f "$WINEPREFIX/.update-timestamp" ]; then
    trap 'timeout 30 "$wineserver" -k 2>/dev/null' EXIT
else
    fresh_prefix
fi

# The desktop keeps the driver it was first opened with, and Wine's own programs may open it
# as soon as the server starts: the server ends (with the registry saved) before the tests.
timeout 60 "$wine" reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null 2>&1
timeout 60 "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
timeout 60 "$wineserver" -w

cp "$service" "$WINEPREFIX/drive_c/corvane-utility-service.exe"
timeout 60 "$wine" sc delete WUSB54GPSVC >/dev/null 2>&1
timeout 60 "$wine" sc create WUSB54GPSVC binPath= 'C:\corvane-utility-service.exe' >/dev/null 2>&1

output=$(timeout 300 "$wine" "$tests" 2>&1)
gtest_summary "$output" $?
