#!/bin/sh
# The format check must fail on a misformatted file and pass on a formatted one.
set -u
check=$1
style=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$style" "$work/.clang-format"
printf 'int Twice(int x) {\n  return 2 * x;\n}\n' > "$work/good.cpp"
"$check" "$work" > "$work/out" 2>&1 || { echo "a formatted file was refused"; cat "$work/out"; exit 1; }
printf 'int  Twice( int x ){return 2*x;}\n' > "$work/bad.cpp"
if "$check" "$work" > "$work/out" 2>&1; then
  echo "a misformatted file passed"; exit 1
fi
grep -q 'bad.cpp' "$work/out" || { echo "the report does not name the file"; cat "$work/out"; exit 1; }
echo "format check: refuses the misformatted file, passes the formatted one"
