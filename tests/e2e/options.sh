#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line is answered before Qt starts, so without any display: help and version on
# standard output with status 0; an unknown option prints the usage on standard error, status 2.
# Usage: options.sh PROGRAM VERSION
set -euo pipefail
program=$1
version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

[ "$(run --version 2>"$errors")" = "crestaverde $version" ] || fail "--version"
[ ! -s "$errors" ] || fail "--version wrote to standard error"
help=$(run --help)
[[ $help == *--help* && $help == *--version* ]] || fail "--help lists no options"
[ "$(run -h)" = "$help" ] || fail "-h differs from --help"
for wrong in --no-such-option -platform; do
    status=0
    output=$(run "$wrong" 2>"$errors") || status=$?
    [ "$status" -eq 2 ] || fail "status $status for $wrong"
    [ -z "$output" ] && grep -q -- --version "$errors" || fail "no usage on standard error for $wrong"
done
echo "help, version and unknown options work without a display"
