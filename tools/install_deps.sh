#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, skipping
# packages that are already there. Run as root; no prompts.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    qpdf poppler-utils
    # The sun's position: the standard astronomy routines.
    liberfa-dev
    # sundial-cli's JSON: a header-only library, so the program loads nothing for it.
    nlohmann-json3-dev
    # An SVG reader of its own, to check the dial template's SVG.
    librsvg2-bin
    locales fonts-dejavu-core
    clang libclang-rt-14-dev
    # The desktop program hands the PDF sheet and the help page to the
    # desktop's default viewer and browser through xdg-open.
    xdg-utils
    # Packaging: the validators of the desktop entry, the AppStream metadata
    # and the manual pages, and what cpack needs to make the Debian package
    # (dpkg-shlibdeps works out its dependencies).
    desktop-file-utils appstream groff-base dpkg-dev
    # The command line's option parser (header-only), DXF for cutters and CAD,
    # named time zones with their summer-time rules on the system's tzdata,
    # and an independent DXF reader for the tests.
    libcli11-dev libdxflib-dev libhowardhinnant-date-dev tzdata python3-ezdxf
    # A DXF's numerals and labels as outlines, for engraving.
    libfreetype-dev
    # The template PDF embeds the subset of its face that it shows.
    libharfbuzz-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
fi

# The comma-decimal locale the number-format tests run under.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen 2>/dev/null || true
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null 2>&1 || echo "note: could not generate de_DE.UTF-8; locale tests will skip"
fi
