#!/usr/bin/env bash
# Makes the Debian package from the build as the README says (cpack -G DEB) and checks what it holds and
# what it depends on.
# usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

(cd "$build" && cpack -G DEB -B "$scratch" >"$scratch/cpack.log") || fail "cpack: $(cat "$scratch/cpack.log")"
deb=$(ls "$scratch"/pagewright_*.deb)
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
app=org.pagewright.Pagewright
for file in bin/pagewright bin/pagewright-cli share/pagewright/pagewright_def.lng share/pagewright/pagewright_kr.lng \
    share/pagewright/readme.txt share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
    share/mime/packages/$app.xml share/icons/hicolor/scalable/apps/$app.svg \
    share/icons/hicolor/256x256/apps/$app.png share/man/man1/pagewright-cli.1; do
    grep -qx "./usr/$file" <<<"$contents" || fail "not in the package: /usr/$file"
done

info=$(dpkg-deb --info "$deb")
depends=$(grep '^ Depends:' <<<"$info") || fail "no dependencies: $info"
for package in libqt6widgets6 libqt6gui6 libqt6core6 libdeflate0 libspng0; do
    grep -q "$package" <<<"$depends" || fail "no dependency on $package: $depends"
done
grep -q '^ Package: pagewright$' <<<"$info" || fail "package name: $info"
grep -q '^ Description: texture page editor' <<<"$info" || fail "description: $info"
