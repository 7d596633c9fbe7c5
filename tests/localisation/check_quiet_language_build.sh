#!/usr/bin/env bash
# Makes the language files into a scratch folder the way the build does and fails on any line the tool
# prints: a clean build shows no messages that are not errors.
# usage: check_quiet_language_build.sh TOOL SOURCE_TSV
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
output=$(QT_QPA_PLATFORM=offscreen "$1" "$2" "$scratch" pagewright 2>&1) || {
    echo "FAIL: the tool failed: $output" >&2
    exit 1
}
[ -f "$scratch/pagewright_def.lng" ] || { echo "FAIL: no language files made" >&2; exit 1; }
[ -z "$output" ] || { echo "FAIL: the tool printed: $output" >&2; exit 1; }
