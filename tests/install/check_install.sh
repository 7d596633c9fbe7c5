#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and checks it as an installed program: the layout, the desktop
# files against their validators, the command-line tool on a sample level, and the desktop program
# started off screen from there finding its language files and readme in the installed data folder.
# usage: check_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
scratch=$(mktemp -d)
gui=""
trap '[ -n "$gui" ] && kill "$gui" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
usr=$scratch/root/usr
app=org.pagewright.Pagewright
for file in bin/pagewright bin/pagewright-cli share/pagewright/readme.txt share/man/man1/pagewright-cli.1 \
    share/applications/$app.desktop share/metainfo/$app.metainfo.xml share/mime/packages/$app.xml \
    share/icons/hicolor/scalable/apps/$app.svg share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$app.png \
    share/pagewright/pagewright_{def,fr,uk,us,de,it,es,se,po,kr}.lng; do
    [ -f "$usr/$file" ] || fail "not installed: $file"
done

# The validator passes a file with hints; any line it prints fails the check.
validation=$(desktop-file-validate "$usr/share/applications/$app.desktop" 2>&1) ||
    fail "desktop-file-validate: $validation"
[ -z "$validation" ] || fail "desktop-file-validate: $validation"
appstreamcli validate --no-net "$usr/share/metainfo/$app.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate: $(appstreamcli validate --no-net "$usr/share/metainfo/$app.metainfo.xml")"
update-mime-database "$usr/share/mime"
for ext in phd tub tr2 trg tr4 trc; do
    grep -q "^application/x-tr.*-level:\*\.$ext\$" "$usr/share/mime/globs" || fail "no file type for .$ext"
done
grep -q 'pagewright-cli \\- read, export' "$usr/share/man/man1/pagewright-cli.1" || fail "man page without a name"

"$usr/bin/pagewright-cli" --version | grep -q '^pagewright-cli [0-9]' || fail "pagewright-cli --version"
"$usr/bin/pagewright" --version | grep -q '^pagewright [0-9]' || fail "pagewright --version"
"$usr/bin/pagewright-cli" info "$source/samples/sample_tr4.tr4" | grep -q '"num_pages"' || fail "pagewright-cli info"

# The desktop program reports the files it reads at start-up. The user's settings choose French, whose
# file becomes the default-language file in the user's data folder, never beside the installed program.
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data XDG_CONFIG_HOME=$scratch/home/config
export PAGEWRIGHT_CONFIG_DIR=$scratch/home/config QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="pagewright.files.info=true"
mkdir -p "$PAGEWRIGHT_CONFIG_DIR"
printf '[Version]\nversion=Pagewright 2.0\n[form1]\nlanguaje=1036\n' >"$PAGEWRIGHT_CONFIG_DIR/Pagewright.ini"
"$usr/bin/pagewright" "$source/samples/sample_tr4.tr4" 2>"$scratch/gui.log" &
gui=$!
for _ in $(seq 150); do
    if grep -q "default language \"$usr/share/pagewright/pagewright_def.lng\"" "$scratch/gui.log" &&
        grep -q "readme \"$usr/share/pagewright/readme.txt\"" "$scratch/gui.log" &&
        cmp -s "$XDG_DATA_HOME/pagewright/pagewright_def.lng" "$usr/share/pagewright/pagewright_fr.lng"; then
        ! ls "$usr/bin/"*.lng 2>/dev/null || fail "a language file was written beside the installed program"
        exit 0
    fi
    kill -0 "$gui" 2>/dev/null || fail "pagewright ended at start-up: $(cat "$scratch/gui.log")"
    sleep 0.1
done
fail "pagewright did not read its installed files: $(cat "$scratch/gui.log")"
