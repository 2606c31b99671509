#!/usr/bin/env bash
# Makes the Debian package and checks what a user would install from it: the
# files are where the desktop and the program look for them, the desktop file
# and the AppStream data pass their validators, the dependencies that
# dpkg-shlibdeps cannot see are declared, and the installed keepsake-cli
# finds its shipped files under /usr/share and keeps the user's settings in
# $XDG_DATA_HOME/Keepsake.
#
#   scripts/check-package.sh [BUILD_DIR]
#
# BUILD_DIR as for scripts/package.sh: the test command passes the tree it has
# just built, so the check compiles nothing of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

deb=$(./scripts/package.sh "${1:-build-package}" "$work/out" | tail -n 1)
failures=0
fail() {
  echo "check-package: $*" >&2
  failures=$((failures + 1))
}

version=$(dpkg-deb -f "$deb" Version)
arch=$(dpkg-deb -f "$deb" Architecture)
[ "$(dpkg-deb -f "$deb" Package)" = keepsake ] || fail "package name is not keepsake"
[ "$arch" = "$(dpkg --print-architecture)" ] || fail "architecture $arch"
[ "$(basename "$deb")" = "keepsake_${version}_${arch}.deb" ] || fail "file name $(basename "$deb")"

root=$work/root
dpkg-deb -x "$deb" "$root"

shipped=usr/share/keepsake
expected=(
  usr/bin/keepsake
  usr/bin/keepsake-cli
  $shipped/DataViaBase/Keepsake.mdb
  "$shipped/我的知识库/Keepsake.mdb"
  $shipped/Help/help.htm
  $shipped/Help/EmptyDes.htm
  $shipped/ResourceConfig/ResourceConfig.ini
  $shipped/ResourceConfig/ClassicType1.xml
  $shipped/ResourceConfig/ClassicType5.xml
  $shipped/EditConfig/SyntaxEdit.ini
  usr/share/applications/io.github.keepsake.keepsake.desktop
  usr/share/metainfo/io.github.keepsake.keepsake.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/keepsake.svg
)
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/keepsake.png")
done
for f in "${expected[@]}"; do
  [ -s "$root/$f" ] || fail "missing or empty: /$f"
done
# Every material folder of the welcome base comes along, not only its database.
while IFS= read -r -d '' f; do
  [ -e "$root/$shipped/${f#resources/shipped/}" ] || fail "not shipped: ${f#resources/shipped/}"
done < <(find resources/shipped -type f -print0)

# Only what a user starts goes to /usr/bin, and nothing outside /usr.
programs=$(cd "$root/usr/bin" && ls | tr '\n' ' ')
[ "$programs" = "keepsake keepsake-cli " ] || fail "programs in /usr/bin: $programs"
others=$(cd "$root" && ls -A | grep -vx usr || true)
[ -z "$others" ] || fail "files outside /usr: $others"
for program in keepsake keepsake-cli; do
  [ -x "$root/usr/bin/$program" ] || fail "$program is not executable"
  if readelf -S "$root/usr/bin/$program" | grep -qE '\.(symtab|debug_info)'; then
    fail "$program is not stripped"
  fi
done
for db in "$root/$shipped/DataViaBase/Keepsake.mdb" "$root/$shipped/我的知识库/Keepsake.mdb"; do
  [ "$(head -c 15 "$db")" = "SQLite format 3" ] || fail "not an SQLite database: $db"
done

desktop-file-validate "$root/usr/share/applications/io.github.keepsake.keepsake.desktop" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net \
  "$root/usr/share/metainfo/io.github.keepsake.keepsake.metainfo.xml" || fail "appstreamcli"
# The newest release in the AppStream data is the one being packaged.
release=$(grep -o '<release version="[^"]*"' \
  "$root/usr/share/metainfo/io.github.keepsake.keepsake.metainfo.xml" | head -n 1 | cut -d'"' -f2)
[ "$release" = "$version" ] || fail "metainfo's newest release is $release, the package $version"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for need in libqt6svg6 breeze-icon-theme fonts-wqy-microhei qt6-translations-l10n \
  libqt6webenginecore6-bin libqt6widgets6 libqt6webenginewidgets6 libsqlite3-0; do
  [[ ", $depends," =~ ,\ $need[\ ,] ]] || fail "Depends lacks $need"
done

# The installed command line on a user who never ran Keepsake: it must use
# the shipped files from /usr/share/keepsake (the blank database for a new
# base) and write only under $XDG_DATA_HOME/Keepsake.
before=$(cd "$root" && find . -printf '%p %s %T@\n' | sort)
user=$work/user
mkdir -p "$user/home"
cli() {
  env -u KEEPSAKE_HOME HOME="$user/home" XDG_DATA_HOME="$user/data" LC_ALL=C.UTF-8 \
    "$root/usr/bin/keepsake-cli" "$@"
}
cli bases >"$work/bases-before" || fail "keepsake-cli bases exited $?"
[ -d "$user/data/Keepsake" ] || fail "no program folder in \$XDG_DATA_HOME/Keepsake"
id=$(cli create-base 试用库 "$user/bases/试用库" | tail -n 1) || fail "create-base exited $?"
[ -s "$user/bases/试用库/Keepsake.mdb" ] || fail "the new base has no database"
[ -s "$user/data/Keepsake/ResourceConfig/ResourceConfig.ini" ] ||
  fail "the settings were not written to \$XDG_DATA_HOME/Keepsake/ResourceConfig"
cli bases | grep -q "^$id	试用库	" || fail "the new base is not listed: $(cli bases)"
[ "$(cd "$root" && find . -printf '%p %s %T@\n' | sort)" = "$before" ] ||
  fail "keepsake-cli changed files of the installed tree"
[ -z "$(ls -A "$user/home")" ] || fail "keepsake-cli wrote to \$HOME: $(ls -A "$user/home")"

if [ $failures -ne 0 ]; then
  echo "check-package: $failures failed" >&2
  exit 1
fi
echo "check-package: $(basename "$deb") ($(du -k "$deb" | cut -f1) KB) passed"
