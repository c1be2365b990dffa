#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks what a
# desktop and a packager look at: the data files, the desktop entry, the
# AppStream metainfo, the icons, the package file type, the man pages and the
# Debian documents; and the wizard's command line, which needs no display.
# Usage: check_install.sh BUILD_DIR [WHOLE_PACKAGES_DIR]
set -euo pipefail
build=$1
packages=${2:-}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.orrenby.Varnwick
fail=0
need() { [ -e "$prefix/$1" ] || { echo "missing after install: $1"; fail=1; }; }
need bin/varnwick
need bin/varnwick-cli
need bin/varnwick-thumbnailer
need share/thumbnailers/varnwick.thumbnailer
need share/varnwick/SkinFormats.ini
need share/varnwick/unreal.flt
need share/varnwick/tutorial.txt
need share/varnwick/ModelSlots.ini
need share/applications/$id.desktop
need share/metainfo/$id.metainfo.xml
need share/icons/hicolor/scalable/apps/$id.svg
need share/icons/hicolor/48x48/apps/$id.png
need share/mime/packages/varnwick.xml
need share/doc/varnwick/copyright
need share/doc/varnwick/changelog.gz
for program in varnwick varnwick-cli varnwick-thumbnailer; do need share/man/man1/$program.1.gz; done
[ "$fail" = 0 ] || exit 1

"$prefix/bin/varnwick-cli" --version
# Help, version and usage errors come before any window, so no display is needed.
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/varnwick" "$@"; }
version=$(nodisplay --version)
nodisplay --help | grep -q '^Usage: varnwick .*PACKAGE.utx'
status=0; nodisplay --no-such-option 2>/dev/null || status=$?
[ "$status" = 1 ] || { echo "an unknown option ended with $status, not 1"; exit 1; }
# The changelog's newest entry is this version.
[ "$(zcat "$prefix/share/doc/varnwick/changelog.gz" | sed -n '1s/^varnwick (\(.*\)).*/\1/p')" = \
    "${version#varnwick }" ] || { echo "changelog does not start with $version"; exit 1; }
grep -qx 'Exec=varnwick %f' "$prefix/share/applications/$id.desktop"
# A file manager runs the thumbnailer entry's command with its own values.
if [ -f "$packages/BossSkins.utx" ]; then
    command=$(sed -n 's/^Exec=//p' "$prefix/share/thumbnailers/varnwick.thumbnailer")
    command=${command//%s/128}; command=${command//%i/$packages/BossSkins.utx}
    env -u DISPLAY PATH="$prefix/bin" ${command//%o/$prefix/thumbnail.png}
    [ -s "$prefix/thumbnail.png" ] || { echo "the thumbnailer entry wrote nothing"; exit 1; }
fi
grep -qx 'MimeType=application/x-unreal-package;' "$prefix/share/applications/$id.desktop"

skipped=0
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/$id.desktop"
else
    echo "SKIP: desktop-file-validate is not installed"; skipped=1
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
else
    echo "SKIP: appstreamcli is not installed"; skipped=1
fi
# A package is known by its name and, renamed, by its tag.
if command -v update-mime-database >/dev/null && command -v xdg-mime >/dev/null &&
    command -v mimetype >/dev/null; then
    update-mime-database "$prefix/share/mime"
    printf '\xc1\x83\x2a\x9e\x45\x00\x00\x00' >"$prefix/tag-only"
    : >"$prefix/Empty.utx"
    for file in Empty.utx tag-only; do
        type=$(env -u DISPLAY -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION XDG_DATA_HOME="$prefix/none" \
            XDG_DATA_DIRS="$prefix/share:/usr/share" xdg-mime query filetype "$prefix/$file")
        [ "$type" = application/x-unreal-package ] || { echo "$file is $type"; exit 1; }
    done
else
    echo "SKIP: update-mime-database, xdg-mime or mimetype is not installed"; skipped=1
fi
if command -v man >/dev/null; then
    for page in "$prefix"/share/man/man1/*.1.gz; do
        MANWIDTH=80 man -l "$page" 2>&1 >/dev/null | grep . && exit 1
    done
fi
[ "$skipped" = 0 ] || exit 77
echo "installed files are complete and valid"
