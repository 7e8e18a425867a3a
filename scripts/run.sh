#!/usr/bin/env bash
# Builds the program and runs its main job: a demonstration database made in a
# fresh data folder and printed as a tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
build/src/cli/zelvora360-cli parse samples/leadership.dat
data=out/demo-data
rm -rf "$data"
mkdir -p "$data"
build/src/cli/zelvora360-cli --data "$data" demo
build/src/cli/zelvora360-cli --data "$data" tree
