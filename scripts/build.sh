#!/usr/bin/env bash
# Configures and builds one build folder: build.sh DIR [cmake options...]
# Uses ccache when it is installed, so rebuilds of unchanged files are cheap.
set -euo pipefail
dir=$1; shift
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$(dirname "$0")/.." -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
