#!/usr/bin/env bash
# Builds the program and runs its main job.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
build/src/cli/zelvora360-cli parse samples/leadership.dat
