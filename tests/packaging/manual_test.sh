#!/bin/sh
# The manual pages and the programs agree: every long option that --help
# names is in the synopsis or the options of the program's manual page and
# every one those name is in --help; --version prints the program's name and the project's version, the
# version the page's title line carries; groff formats each page without a
# warning; and sumaris refuses an argument that is not Qt's, as its page says.
#
# Usage: manual_test.sh MAN_FOLDER VERSION SUMARIS SUMARIS_BATCH
set -u
man_folder=$1
version=$2
sumaris=$3
sumaris_batch=$4

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The long options in a text, one a line, sorted; roff's \- is a hyphen.
long_options() {
  sed 's/\\-/-/g' | grep -o -- '--[a-z][a-z0-9-]*' | sort -u
}

for program in "$sumaris" "$sumaris_batch"; do
  name=$(basename "$program")
  page="$man_folder/$name.1"
  if [ ! -f "$page" ]; then
    fail "no manual page $page"
    continue
  fi

  # --help and the page name the same options.
  if ! env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help >"$scratch/help"; then
    fail "$name --help fails"
  fi
  long_options <"$scratch/help" >"$scratch/help.options"
  # The page's synopsis and options, not its examples of other programs.
  awk '/^\.SH/ { keep = ($2 == "SYNOPSIS" || $2 == "OPTIONS") } keep' "$page" |
    long_options >"$scratch/page.options"
  if [ ! -s "$scratch/help.options" ]; then
    fail "$name --help names no option"
  fi
  if ! cmp -s "$scratch/help.options" "$scratch/page.options"; then
    echo "options of $name: < --help, > $name.1"
    diff "$scratch/help.options" "$scratch/page.options"
    fail "$name --help and $name.1 name different options"
  fi

  # --version: the program's name and the project's version, as on the page.
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version)
  [ "$said" = "$name $version" ] || fail "$name --version says '$said', not '$name $version'"
  grep -q "^\.TH .*\"Sumaris $version\"" "$page" ||
    fail "$name.1 does not carry Sumaris $version in its title line"
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "FILE FORMATS" "EXIT STATUS" FILES EXAMPLES; do
    grep -q "^\.SH \"*$section\"*\$" "$page" || fail "$name.1 has no section $section"
  done

  # The page is formatted without a warning.
  if command -v groff >/dev/null 2>&1; then
    groff -man -ww -z -Tutf8 "$page" >"$scratch/groff" 2>&1
    if [ -s "$scratch/groff" ]; then
      cat "$scratch/groff"
      fail "groff warns about $name.1"
    fi
  else
    echo "groff is not installed: $name.1 is not formatted"
  fi
done

# sumaris takes Qt's options and refuses anything else with exit status 2.
QT_QPA_PLATFORM=offscreen "$sumaris" -platform offscreen --no-such-option >/dev/null 2>"$scratch/err"
status=$?
[ "$status" -eq 2 ] || fail "sumaris --no-such-option exits with $status, not 2"
grep -q "unknown argument --no-such-option" "$scratch/err" ||
  fail "sumaris --no-such-option says: $(cat "$scratch/err")"

if [ "$failures" -ne 0 ]; then
  echo "manual test: $failures failure(s)"
  exit 1
fi
echo "manual test: the manual pages and the programs agree"
