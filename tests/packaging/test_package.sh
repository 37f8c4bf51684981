#!/usr/bin/env bash
# The Debian package as a user gets it: built by CPack from this build tree,
# unpacked with dpkg -x into a temporary root, its programs run from there
# (the converter installed with them included) and its file list compared
# with expected_files.txt.
#   test_package.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build="$1" source="$2" version="$3"

if ! command -v dpkg-deb >/dev/null || ! command -v dpkg-shlibdeps >/dev/null; then
    echo "dpkg-deb or dpkg-shlibdeps missing (Debian's dpkg, dpkg-dev): the package is not tested"
    exit 77
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

if ! (cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1); then
    cat "$work/cpack.log"
    exit 1
fi
deb="$(ls "$work"/out/*.deb)"
echo "package: $(basename "$deb")"
[[ "$(dpkg-deb -f "$deb" Version)" == "$version" ]] || { echo "package version is not $version"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || { echo "Depends lacks Qt: $(dpkg-deb -f "$deb" Depends)"; exit 1; }

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort >"$work/files"
diff -u "$source/tests/packaging/expected_files.txt" "$work/files"

root="$work/root"
dpkg -x "$deb" "$root"
# --version, once the programs have it, names the package's version.
for program in quillfen-cli quillfen; do
    if out="$(QT_QPA_PLATFORM=offscreen timeout 20 "$root/usr/bin/$program" --version 2>/dev/null)"; then
        grep -qF "$version" <<<"$out" || { echo "$program --version: $out"; exit 1; }
    else
        echo "$program has no --version yet"
    fi
done
model="$work/house"
cp -r "$source/examples/house" "$model"
"$root/usr/bin/quillfen-cli" lods "$model" | grep -q "house_100.3ds" || { echo "lods does not list the example"; exit 1; }
# No converter beside the models: the one installed with the programs does the work.
"$root/usr/bin/quillfen-cli" convert "$model" >"$work/convert.log" || { cat "$work/convert.log"; exit 1; }
installed="$root/usr/lib/quillfen/conv3ds.exe (installed with Quillfen)"
grep -qF "$installed" "$work/convert.log" || { echo "not named: $installed"; cat "$work/convert.log"; exit 1; }
[[ -s "$model/SHAPES/house_.s" && -s "$model/SHAPES/house_.sd" ]] || { cat "$work/convert.log"; exit 1; }
echo "converted the example with the converter of the unpacked package"
