#!/bin/sh
# Fails when a C++ source is not formatted as .clang-format says.
# Usage: check-format.sh [folder]   (default: the repository's own sources)
# Mend with `make format`.
set -u
root=${1:-.}
cd "$root" || exit 2
command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed"; exit 2; }
if git rev-parse --is-inside-work-tree >/dev/null 2>&1 && [ -z "${1:-}" ]; then
  files=$(git ls-files '*.cpp' '*.h')
else
  files=$(find . -name '*.cpp' -o -name '*.h' | sort)
fi
bad=0
for file in $files; do
  if ! clang-format --dry-run -Werror "$file" >/dev/null 2>&1; then
    echo "not formatted: $file"
    bad=$((bad + 1))
  fi
done
[ "$bad" -eq 0 ] || { echo "check-format: $bad file(s) differ from .clang-format; run make format"; exit 1; }
exit 0
