#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks what a
# desktop and a packager look at: the data files, the desktop entry, the
# AppStream metainfo, the icons and the man page.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.orrenby.Varnwick
fail=0
need() { [ -e "$prefix/$1" ] || { echo "missing after install: $1"; fail=1; }; }
need bin/varnwick
need bin/varnwick-cli
need share/varnwick/SkinFormats.ini
need share/varnwick/unreal.flt
need share/varnwick/tutorial.txt
need share/applications/$id.desktop
need share/metainfo/$id.metainfo.xml
need share/icons/hicolor/scalable/apps/$id.svg
need share/icons/hicolor/48x48/apps/$id.png
need share/man/man1/varnwick-cli.1
[ "$fail" = 0 ] || exit 1

"$prefix/bin/varnwick-cli" --version

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
if command -v man >/dev/null; then
    MANWIDTH=80 man -l "$prefix/share/man/man1/varnwick-cli.1" 2>&1 >/dev/null | grep . && exit 1
fi
[ "$skipped" = 0 ] || exit 77
echo "installed files are complete and valid"
