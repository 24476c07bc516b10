#!/usr/bin/env bash
# The Debian package, checked without installing it system-wide: it is built
# from the build tree, its contents and dependencies read with dpkg-deb, and
# both programs run from an unpacked copy, which must find everything it needs
# inside the copy. Exit 77 (skipped) when the Debian tools are missing.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail
build_dir=$(cd "$1" && pwd)
app_id=org.wallsundial.Designer

for tool in cpack dpkg-deb dpkg-shlibdeps appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is missing (tools/install_deps.sh installs it)"
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/package/sundial_*.deb)
[[ -f $deb ]] || { echo "FAIL: no package was made"; exit 1; }

# Contents: the freedesktop places, and nothing of the build tree.
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./||' >"$work/contents"
for path in \
    usr/bin/sundial \
    usr/bin/sundial-cli \
    usr/share/sundial/design.html \
    usr/share/applications/$app_id.desktop \
    usr/share/metainfo/$app_id.metainfo.xml \
    usr/share/icons/hicolor/48x48/apps/$app_id.png \
    usr/share/icons/hicolor/128x128/apps/$app_id.png \
    usr/share/icons/hicolor/256x256/apps/$app_id.png \
    usr/share/icons/hicolor/scalable/apps/$app_id.svg \
    usr/share/man/man1/sundial.1.gz \
    usr/share/mime/packages/$app_id.xml \
    usr/share/doc/sundial/copyright \
    usr/share/man/man1/sundial-cli.1.gz; do
    grep -qx "$path" "$work/contents" || fail "the package lacks $path"
done
grep -v '/$' "$work/contents" | grep -v '^usr/\(bin\|share\)/' && fail "files outside usr/bin and usr/share"

# Dependencies: worked out from the linked libraries, so each comes with the
# version its symbols need.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ ", $depends" == *", $library (>= "[0-9]* ]] || fail "Depends lacks a versioned $library: $depends"
done

# The unpacked copy, started as a user would, with a home and data folder of
# its own and from a folder of its own.
root=$work/root
dpkg-deb -x "$deb" "$root"
appstreamcli validate-tree --no-net "$root" >"$work/validate.log" 2>&1 ||
    { cat "$work/validate.log"; fail "appstreamcli validate-tree"; }
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_RUNTIME_DIR=$work/runtime
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/start"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$work/start"
cli=$root/usr/bin/sundial-cli
# The command line loads no toolkit: only the desktop program needs Qt.
if objdump -p "$cli" | grep -q 'NEEDED.*libQt'; then fail "sundial-cli links Qt"; fi
version=$(dpkg-deb -f "$deb" Version)
[[ $("$cli" --version) == "sundial-cli $version" ]] || fail "sundial-cli --version"
"$cli" report --place London --pdf "$work/london.pdf" | grep -q "Sundial Calculation for:   London, Britain" ||
    fail "sundial-cli report"
[[ $(head -c 8 "$work/london.pdf") == "%PDF-1.3" ]] || fail "the report's sheet"
"$cli" batch --places --pdf --out "$work/dials" >/dev/null || fail "sundial-cli batch"
[[ $(ls "$work"/dials/*.pdf | wc -l) == 270 ]] || fail "the batch made $(ls "$work"/dials/*.pdf | wc -l) sheets, not 270"
[[ $(wc -l <"$work/dials/index.csv") == 271 ]] || fail "the index lists $(wc -l <"$work/dials/index.csv") lines, not 271"

app=$root/usr/bin/sundial
[[ $("$app" --version 2>/dev/null) == "Wall Sundial Designer $version" ]] || fail "sundial --version"
# As the desktop entry starts it: still running after the start-up pause, its
# site saved in its data folder, nothing in the home folder's root or here.
status=0
timeout 5 "$app" --user-data-folder >"$work/app.log" 2>&1 || status=$?
[[ $status == 124 ]] || { cat "$work/app.log"; fail "sundial ended early (status $status)"; }
[[ -f "$XDG_DATA_HOME/wall-sundial/Wall Sundial Designer/localdata.txt" ]] ||
    fail "the site was not kept in the data folder"
[[ -z $(find "$HOME" -maxdepth 1 -type f) ]] || fail "files in the home folder: $(ls -A "$HOME")"
[[ -z $(ls -A "$work/start") ]] || fail "files in the starting folder: $(ls -A "$work/start")"

exit $failed
