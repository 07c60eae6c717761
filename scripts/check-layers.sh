#!/bin/sh
# Fails when a source file includes from a layer above its own, or when a
# file outside the windows includes Qt. The layers, bottom up:
#   core <- adder <- session <- batch, app   (app may also use batch)
# app/layouts holds drawings as plain data: it stands on the model only.
# Tests keep the same rule for the layer they test.
#
# Usage: check-layers.sh [source root]   (default: the current folder)
set -u
root=${1:-.}
status=0

# The layers a file of `layer` may include.
allowed() {
  case $1 in
    core) echo "core" ;;
    adder) echo "core adder" ;;
    session) echo "core adder session" ;;
    batch) echo "core adder session batch" ;;
    app/layouts) echo "core adder app/layouts" ;;
    app) echo "core adder session batch app app/layouts" ;;
  esac
}

# The layer of an included path or of a file below src/ or tests/.
layer_of() {
  case $1 in
    app/layouts/*) echo "app/layouts" ;;
    core/* | adder/* | session/* | batch/* | app/*) echo "${1%%/*}" ;;
    *) echo "" ;;
  esac
}

check_tree() {
  base=$1
  [ -d "$root/$base" ] || return 0
  find "$root/$base" -type f \( -name '*.h' -o -name '*.cpp' \) | sort | while read -r file; do
    relative=${file#"$root/$base/"}
    layer=$(layer_of "$relative")
    [ -n "$layer" ] || continue
    grep -n '^[[:space:]]*#[[:space:]]*include' "$file" | while IFS= read -r line; do
      number=${line%%:*}
      text=${line#*:}
      case $text in
        *'<Q'*)
          if [ "$layer" != "app" ]; then
            echo "$base/$relative:$number: Qt outside the windows: $text"
            echo x
          fi
          continue ;;
      esac
      included=$(printf '%s\n' "$text" | sed -n 's/.*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p')
      [ -n "$included" ] || continue
      target=$(layer_of "$included")
      [ -n "$target" ] || continue
      case " $(allowed "$layer") " in
        *" $target "*) ;;
        *)
          echo "$base/$relative:$number: $layer may not include $target: $text"
          echo x ;;
      esac
    done
  done
}

report=$( { check_tree src; check_tree tests; } )
problems=$(printf '%s\n' "$report" | grep -v '^x$' | grep -c . || true)
if printf '%s\n' "$report" | grep -q '^x$'; then
  printf '%s\n' "$report" | grep -v '^x$'
  echo "layer check: $problems include(s) point up or bring Qt below the windows"
  status=1
fi
exit $status
