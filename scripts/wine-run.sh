#!/usr/bin/env bash
# Runs one Windows program under Wine in the test prefix, headless if need be.
# CTest uses this as the emulator of the cross build.
set -u
. "$(dirname "$0")/wine-env.sh"
exec timeout "${TAMSI_WINE_TIMEOUT:-300}" wine "$@"
