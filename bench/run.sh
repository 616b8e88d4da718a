#!/bin/sh
# Builds the host benchmark and prints its figures: ns per call with logging off, compared with
# an empty call, stored lines per second with both prefixes on, and the wall time of the
# switching manager's longest operations on the simulated PC.
set -eu
cd "$(dirname "$0")/.."
cmake --preset host >/dev/null
cmake --build --preset host --target corvane-bench
exec build/host/bench/corvane-bench --benchmark_min_time=0.2 "$@"
