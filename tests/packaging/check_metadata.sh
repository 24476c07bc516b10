#!/usr/bin/env bash
# The desktop entry, the AppStream metadata and the manual pages pass their
# validators without a remark. Exit 77 (skipped) when a validator is missing.
# Usage: check_metadata.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
app_id=org.wallsundial.Designer

for tool in desktop-file-validate appstreamcli groff; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is missing (tools/install_deps.sh installs it)"
        exit 77
    fi
done

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

desktop=$source_dir/packaging/$app_id.desktop
# Hints count too: a clean entry gives no output at all.
remarks=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $remarks"
[[ -z $remarks ]] || fail "desktop-file-validate remarks: $remarks"
grep -qx "Exec=sundial --user-data-folder %f" "$desktop" ||
    fail "the entry must start sundial in its data folder, with the file it opens"
grep -qx "MimeType=application/x-sundial-project;" "$desktop" || fail "the entry must open dial projects"
mime=$source_dir/packaging/$app_id.xml
if command -v xmllint >/dev/null; then
    xmllint --noout "$mime" || fail "$mime is not well-formed"
fi
grep -q '<glob pattern="\*.sundial"/>' "$mime" || fail "$mime must claim *.sundial"
grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    "$source_dir/packaging/copyright" || fail "the package's copyright is not machine-readable"
grep -qx "Icon=$app_id" "$desktop" || fail "the entry's icon must be $app_id"

metainfo=$build_dir/packaging/$app_id.metainfo.xml
[[ -f $metainfo ]] || fail "$metainfo was not configured"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metadata must launch $app_id.desktop"
grep -q "@[A-Z_]*@" "$metainfo" && fail "unconfigured placeholders left in $metainfo"
grep -q "<image>https://.*screenshot.png</image>" "$metainfo" || fail "the metadata has no screenshot"
grep -q "<project_license>GPL-2.0-or-later</project_license>" "$metainfo" ||
    fail "the metadata must state the project's licence"

for page in "$source_dir"/packaging/man/*.1; do
    warnings=$(groff -man -ww -z "$page" 2>&1)
    [[ -z $warnings ]] || fail "groff warns about $page: $warnings"
done

exit $failed
