#!/usr/bin/env bash
# Runs one Windows program under Wine in the test prefix, headless if need be.
# CTest uses this as the emulator of the cross build.
set -u
. "$(dirname "$0")/wine-env.sh"
# Wine's own background processes (services, the desktop) outlive the program and would hold
# CTest's output pipe open until its time-out: the program's output goes through a file.
output=$(mktemp)
timeout "${TAMSI_WINE_TIMEOUT:-300}" wine "$@" >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
exit $status
