#!/bin/sh
# The layer check must fail on each kind of upward include and on Qt below
# the windows, and pass on a tree that keeps the rules.
set -u
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

tree() {  # tree NAME FILE LINE: a one-file source tree
  mkdir -p "$work/$1/$(dirname "$2")"
  printf '%s\n' "$3" > "$work/$1/$2"
}
expect() {  # expect EXIT NAME
  "$check" "$work/$2" > "$work/$2.out" 2>&1
  got=$?
  if [ "$got" -ne "$1" ]; then
    echo "tree $2: exit $got, expected $1"; cat "$work/$2.out"; failures=$((failures + 1))
  fi
}

tree core_up src/core/wire.h '#include "adder/adder.h"'
tree adder_up src/adder/adder.cpp '#include "session/session.h"'
tree session_up src/session/session.cpp '#include "batch/batch_runner.h"'
tree batch_up src/batch/batch_runner.cpp '#include "app/main_window.h"'
tree layouts_up src/app/layouts/result.cpp '#include "app/stage_window.h"'
tree qt_below src/batch/wire_trace.cpp '#include <QString>'
tree qt_in_layouts src/app/layouts/row_layout.cpp '#include <QRect>'
tree test_up tests/core/wire_routines_test.cpp '#  include "session/session.h"'
for name in core_up adder_up session_up batch_up layouts_up qt_below qt_in_layouts test_up; do
  expect 1 "$name"
done

tree clean src/app/main_window.cpp '#include <QMainWindow>'
tree clean src/app/from_file.cpp '#include "batch/batch_runner.h"'
tree clean src/batch/batch_runner.cpp '#include "session/session.h"'
tree clean src/app/layouts/result.cpp '#include "adder/adder.h"'
tree clean src/core/wire.cpp '#include "core/wire.h"'
expect 0 clean

[ "$failures" -eq 0 ] && echo "layer check: every rule caught, the clean tree passes"
exit "$failures"
