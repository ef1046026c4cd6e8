#!/usr/bin/env bash
# Builds the 32-bit Tamsi and starts it under Wine: 32-bit is the bitness of the monitor maker's
# libraries. It uses the simulated monitor unless the maker's libraries have been put into the
# run folder. With no display it rows on a virtual
# screen for a while and leaves a screenshot.
set -euo pipefail
. "$(dirname "$0")/setup.sh"

tamsi_build "$TAMSI_BUILD/win32" -DCMAKE_TOOLCHAIN_FILE="$TAMSI_ROOT/cmake/mingw-i686.cmake" >/dev/null
RUN_DIR="${TAMSI_RUN_DIR:-$TAMSI_BUILD/run}"
mkdir -p "$RUN_DIR/data"
cp "$TAMSI_BUILD/win32/dist/Tamsi/Tamsi.exe" "$TAMSI_BUILD/win32/dist/Tamsi/Tamsi.chm" "$RUN_DIR/"
for dll in PM3DDICP.dll PM3CsafeCP.dll; do
    # Only our own simulated DLLs are replaced; the maker's stay where the user put them.
    if [ ! -f "$RUN_DIR/$dll" ] || grep -q TAMSI_SIM "$RUN_DIR/$dll"; then
        cp "$TAMSI_BUILD/win32/dist/simmonitor/$dll" "$RUN_DIR/"
    else
        echo "Using the monitor maker's $dll"
    fi
done

# The demo's rower wears a heart-rate belt unless told otherwise.
export TAMSI_SIM_HEART_RATE="${TAMSI_SIM_HEART_RATE:-140}"

headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then headless=1; fi
. "$TAMSI_ROOT/scripts/wine-env.sh"
cd "$RUN_DIR"
if [ "$headless" = 0 ]; then
    exec wine "$RUN_DIR/Tamsi.exe"
fi

echo "No display: Tamsi runs on a virtual screen for ${TAMSI_DEMO_SECONDS:-20} seconds."
wine "$RUN_DIR/Tamsi.exe" &
sleep "${TAMSI_DEMO_SECONDS:-20}"
/usr/bin/import -window root "$TAMSI_BUILD/tamsi-screenshot.png"
echo "Screenshot: $TAMSI_BUILD/tamsi-screenshot.png"
wineserver -k 2>/dev/null || true
