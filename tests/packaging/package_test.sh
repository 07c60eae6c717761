#!/bin/sh
# The Debian package, built by CPack from this build folder's own programs
# into a temporary folder (nothing is compiled again): its name, its control
# fields, its contents, the installed files as a user meets them, and the
# packaged programs' --version. Skipped (exit 77) where dpkg-deb is missing.
#
# Usage: package_test.sh BUILD_FOLDER VERSION [CPACK]
set -u
build=$1
version=$2
cpack=${3:-cpack}

if ! command -v dpkg-deb >/dev/null 2>&1; then
  echo "SKIPPED: dpkg-deb is not installed; there is no Debian package to build here"
  exit 77
fi

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# ---- build the package ------------------------------------------------------------
# Compressed with gzip rather than the package's xz: the same contents, and
# xz takes two thirds of this test's time here.
if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$scratch/out" \
  -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
arch=$(dpkg --print-architecture)
deb="$scratch/out/sumaris_${version}_${arch}.deb"
if [ ! -f "$deb" ]; then
  echo "FAIL: no sumaris_${version}_${arch}.deb; cpack wrote:"
  ls "$scratch/out"
  exit 1
fi
echo "package: $(basename "$deb"), $(wc -c <"$deb") bytes"

# ---- control fields ---------------------------------------------------------------
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = sumaris ] || fail "Package is '$(field Package)', not sumaris"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
depends=$(field Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation libstdc++6; do
  printf '%s\n' "$depends" | tr ',' '\n' | sed 's/^ *//' | grep -q "^$needed\( \|$\)" ||
    fail "Depends does not name $needed"
done
# Every dependency must be met by what this Debian has: the version asked
# for is at most the one installed here (the build needed each of them).
printf '%s\n' "$depends" | tr ',' '\n' | sed 's/^ *//; s/ *|.*//' | while IFS= read -r dep; do
  name=${dep%% *}
  installed=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) || {
    echo "FAIL: dependency $name is not installed here"
    continue
  }
  case $dep in
    *"("*")"*)
      relation=$(printf '%s\n' "$dep" | sed 's/.*(\([<>=]*\) *\([^)]*\)).*/\1/')
      wanted=$(printf '%s\n' "$dep" | sed 's/.*(\([<>=]*\) *\([^)]*\)).*/\2/')
      case $relation in
        ">=") op=ge ;; "<=") op=le ;; ">>") op=gt ;; "<<") op=lt ;; "=") op=eq ;; *) op=ge ;;
      esac
      dpkg --compare-versions "$installed" "$op" "$wanted" ||
        echo "FAIL: $dep, but Debian here has $name $installed"
      ;;
  esac
done >"$scratch/deps.log"
if [ -s "$scratch/deps.log" ]; then
  cat "$scratch/deps.log"
  failures=$((failures + 1))
fi

# ---- contents ---------------------------------------------------------------------
dpkg-deb --contents "$deb" >"$scratch/contents"
sizes="16 22 24 32 48 64 128 256"
expected="./usr/bin/sumaris ./usr/bin/sumaris-batch
./usr/share/applications/sumaris.desktop
./usr/share/icons/hicolor/scalable/apps/sumaris.svg
./usr/share/man/man1/sumaris.1.gz ./usr/share/man/man1/sumaris-batch.1.gz
./usr/share/doc/sumaris/README.md ./usr/share/doc/sumaris/copyright"
for size in $sizes; do
  expected="$expected ./usr/share/icons/hicolor/${size}x${size}/apps/sumaris.png"
done
for path in $expected; do
  awk -v p="$path" '$6 == p { found = 1 } END { exit !found }' "$scratch/contents" ||
    fail "the package lacks $path"
done
awk '$6 !~ /^\.\/usr\// && $6 != "./" { print "FAIL: outside /usr: " $6; bad = 1 } END { exit bad }' \
  "$scratch/contents" || failures=$((failures + 1))
awk '$2 != "root/root" { print "FAIL: not owned by root: " $6; bad = 1 } END { exit bad }' \
  "$scratch/contents" || failures=$((failures + 1))
for program in sumaris sumaris-batch; do
  awk -v p="./usr/bin/$program" '$6 == p && $1 == "-rwxr-xr-x" { ok = 1 } END { exit !ok }' \
    "$scratch/contents" || fail "/usr/bin/$program is not an executable file (rwxr-xr-x)"
done

# ---- installed as a user meets it ---------------------------------------------------
root="$scratch/root"
dpkg-deb --extract "$deb" "$root"

# The programs answer --version with the project's version, without a display.
batch_version=$("$root/usr/bin/sumaris-batch" --version)
[ "$batch_version" = "sumaris-batch $version" ] ||
  fail "packaged sumaris-batch --version says '$batch_version'"
program_version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  "$root/usr/bin/sumaris" --version 2>"$scratch/sumaris.err")
[ "$program_version" = "sumaris $version" ] ||
  fail "packaged sumaris --version without a display says '$program_version' $(cat "$scratch/sumaris.err")"

# The menu entry: the fields asked for, pointing at what the package holds.
entry="$root/usr/share/applications/sumaris.desktop"
value() { sed -n "s/^$1=//p" "$entry"; }
[ "$(value Type)" = Application ] || fail "desktop entry Type is '$(value Type)'"
[ "$(value Name)" = Sumaris ] || fail "desktop entry Name is '$(value Name)'"
[ -n "$(value Comment)" ] || fail "desktop entry has no Comment"
[ "$(value Categories)" = "Education;Science;Electronics;" ] ||
  fail "desktop entry Categories are '$(value Categories)'"
exec_program=$(value Exec | cut -d' ' -f1)
[ -x "$root/usr/bin/$exec_program" ] || fail "desktop entry Exec '$exec_program' is not in /usr/bin"
icon=$(value Icon)
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
  fail "desktop entry Icon '$icon' has no scalable icon"
if command -v desktop-file-validate >/dev/null 2>&1; then
  # Hints are advice; errors and warnings fail.
  if ! desktop-file-validate "$entry" >"$scratch/validate" 2>&1 ||
    grep -q 'error:\|warning:' "$scratch/validate"; then
    cat "$scratch/validate"
    fail "desktop-file-validate refuses the entry"
  fi
else
  echo "desktop-file-validate is not installed: the entry is not validated"
fi

# Each PNG is as large as the folder it is in says (width and height from
# the PNG header).
png_size() {
  od -An -tu1 -j16 -N8 "$1" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 "x" $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}
for size in $sizes; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [ -f "$png" ] || continue
  got=$(png_size "$png")
  [ "$got" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $got"
done

# The manual pages: gzip files whose title line carries the version.
for page in sumaris sumaris-batch; do
  file="$root/usr/share/man/man1/$page.1.gz"
  [ -f "$file" ] || continue
  title=$(gzip -dc "$file" | grep -m1 '^\.TH')
  case $title in
    *"\"Sumaris $version\""*) ;;
    *) fail "$page.1.gz title line is '$title'" ;;
  esac
done

if [ "$failures" -ne 0 ]; then
  echo "package test: $failures failure(s)"
  exit 1
fi
echo "package test: the package holds and runs what it should"
