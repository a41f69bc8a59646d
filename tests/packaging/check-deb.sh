#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, unpacks it into a scratch
# root and checks what an installing user gets.
# Usage: check-deb.sh <build dir> <source dir> <scratch dir> <version>
set -euo pipefail
build=$1 source=$2 scratch=$3 version=$4
app_id=io.github.marovel.marovel

status=0
fail() {
    echo "FAIL: $*"
    status=1
}

rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/root"
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
shopt -s nullglob
debs=("$scratch"/out/*.deb)
if [ ${#debs[@]} -ne 1 ]; then
    echo "FAIL: expected one .deb in $scratch/out, found ${#debs[@]}"
    exit 1
fi
deb=${debs[0]}
echo "package: $deb"
dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = marovel ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the project is $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Section)" ] || fail "no Section"
[ -n "$(field Description)" ] || fail "no Description"

# Depends as bare package names, without version constraints.
depends=$(field Depends)
echo "Depends: $depends"
names=" $(echo "$depends" | tr ',|' '\n\n' | sed -e 's/(.*)//' -e 's/^ *//' -e 's/ *$//' | tr '\n' ' ') "
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libc6 libstdc++6 fonts-ipafont-gothic; do
    case "$names" in
    *" $lib "*) ;;
    *) fail "Depends does not name $lib" ;;
    esac
done

# Nothing outside /usr, and only the program itself in bin.
outside=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || fail "files outside /usr: $outside"
binaries=$(cd "$root/usr/bin" 2>/dev/null && ls -A)
[ "$binaries" = marovel ] || fail "usr/bin holds '$binaries', expected only marovel"
bin=$root/usr/bin/marovel
[ -x "$bin" ] || fail "usr/bin/marovel is missing or not executable"
[ -f "$bin" ] && [ "$(head -c 4 "$bin" | od -An -c | tr -d ' ')" = '177ELF' ] ||
    fail "usr/bin/marovel is not an ELF program"

desktop=$root/usr/share/applications/marovel.desktop
if cmp -s "$desktop" "$source/resources/marovel.desktop"; then
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not in usr/bin"
else
    fail "usr/share/applications/marovel.desktop is missing or differs from resources/"
    icon_name=marovel
fi

for size in 16 32 48 64 128 256; do
    rel=${size}x${size}/apps
    cmp -s "$root/usr/share/icons/hicolor/$rel/$icon_name.png" \
        "$source/resources/icon/hicolor/$rel/marovel.png" ||
        fail "icon $rel/$icon_name.png is missing or differs from resources/"
done

metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
if cmp -s "$metainfo" "$source/resources/$app_id.metainfo.xml"; then
    launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
    [ -f "$root/usr/share/applications/$launchable" ] ||
        fail "the metainfo launches '$launchable', which the package does not hold"
else
    fail "usr/share/metainfo/$app_id.metainfo.xml is missing or differs from resources/"
fi

[ $status -eq 0 ] && echo "the package holds the program, its desktop entry, icons and metainfo"
exit $status
