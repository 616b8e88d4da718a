#!/usr/bin/env bash
# Builds everything and runs every test: the host tests on the simulated PC (also under
# AddressSanitizer and UndefinedBehaviorSanitizer), the checks of the shipped 32-bit programs,
# and the Win32 side under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --wine

failed=0
step() {
    echo
    echo "=== $*"
    "$@" || { echo "FAILED: $*"; failed=1; }
}

jobs=$(nproc)
for preset in host host-asan win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

step ctest --preset host -j "$jobs"
step ctest --preset host-asan -j "$jobs"
step tests/imports/check-imports.sh build/win32/checker/VORTAU.exe
step tests/imports/check-size.sh build/win32/checker/VORTAU.exe 300
step tests/wine/run.sh build/win64

echo
if [ "$failed" -ne 0 ]; then
    echo "Some tests failed."
    exit 1
fi
echo "All tests passed."
