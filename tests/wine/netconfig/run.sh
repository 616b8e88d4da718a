#!/usr/bin/env bash
# The network settings code against Wine's registry, IP Helper, SETUPAPI and network
# configuration engine, in a fresh Wine prefix inside the build folder. Before the tests run it
# makes C:\corvane-netconfig\driver (the product's INF file and our driver image) and
# C:\corvane-netconfig\empty.
#
# Usage: tests/wine/netconfig/run.sh BUILD_DIR     (a win64 build, for example build/win64)
# Prints the tests' outcomes and a last line "N passed, M failed"; exits non-zero on failure.
set -uo pipefail
source "$(dirname "$0")/../suite.sh"

build=$(build_dir_argument "$@") || exit 2
source_dir=$(cd "$(dirname "$0")/../../.." && pwd)
wine_environment "$build/wine-netconfig-prefix"
tests="$build/tests/wine/netconfig/corvane-netconfig-wine-tests.exe"
driver="$build/driver/TAVIR_CorvaneWD.sys"
require_programs "$tests" "$driver"
fresh_prefix

folders="$WINEPREFIX/drive_c/corvane-netconfig"
mkdir -p "$folders/driver" "$folders/empty"
cp "$source_dir/resources/TAVIR_CorvaneWD.inf" "$folders/driver/"
cp "$driver" "$folders/driver/"

output=$(timeout 120 "$wine" "$tests" 2>&1)
gtest_summary "$output" $?
