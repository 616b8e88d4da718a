#!/usr/bin/env bash
# The main job: builds the host tools and runs VORTAU's start-up on the simulated default PC
# (or on the scenario file given).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset host >/dev/null
cmake --build --preset host --target corvane-sim
exec build/host/tools/sim/corvane-sim "$@"
