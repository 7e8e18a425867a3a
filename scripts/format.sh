#!/usr/bin/env bash
# Formats every tracked C++ source and header with the repository's
# .clang-format. With --check, changes nothing and exits non-zero after
# listing the files that are not formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
case "${1:-}" in
  --check) check=1 ;;
  "") ;;
  *) echo "usage: scripts/format.sh [--check]" >&2; exit 2 ;;
esac
mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
((${#files[@]})) || exit 0
if ((check == 0)); then
  clang-format -i --style=file "${files[@]}"
  exit 0
fi
unclean=()
for f in "${files[@]}"; do
  if ! clang-format --style=file --dry-run --Werror "$f" >/dev/null 2>&1; then
    unclean+=("$f")
  fi
done
if ((${#unclean[@]})); then
  echo "Not clang-format clean (run scripts/format.sh):"
  printf '  %s\n' "${unclean[@]}"
  exit 1
fi
