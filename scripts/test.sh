#!/usr/bin/env bash
# Builds Tamsi three ways and runs all tests through CTest: native unit tests (ASan+UBSan),
# Windows tests and end-to-end tests under Wine on a virtual screen.
set -euo pipefail
. "$(dirname "$0")/setup.sh"

tamsi_build "$TAMSI_BUILD/native"
tamsi_build "$TAMSI_BUILD/win64" -DCMAKE_TOOLCHAIN_FILE="$TAMSI_ROOT/cmake/mingw-x86_64.cmake"
# The 32-bit build is the bitness of the maker's libraries: its end-to-end tests run too.
tamsi_build "$TAMSI_BUILD/win32" -DCMAKE_TOOLCHAIN_FILE="$TAMSI_ROOT/cmake/mingw-i686.cmake"

# The FIT SDK's own decoder, which the export's end-to-end test reads FIT files with.
export TAMSI_NODE_MODULES="$TAMSI_BUILD/node/node_modules"
if [ ! -f "$TAMSI_NODE_MODULES/@garmin/fitsdk/package.json" ]; then
    npm install --prefix "$TAMSI_BUILD/node" --no-audit --no-fund @garmin/fitsdk >/dev/null ||
        echo "npm could not install @garmin/fitsdk: the export's FIT checks will fail"
fi

status=0
echo "== Native unit tests"
ctest --test-dir "$TAMSI_BUILD/native" --output-on-failure -j2 || status=1

# The PDF printer the printing tests print to, before the first Wine call of the run.
. "$TAMSI_ROOT/scripts/printer.sh"
# A fresh Wine prefix for every test run.
export WINEPREFIX="$TAMSI_BUILD/wine-prefix"
rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
# A virtual screen of its own, so that no other program's windows get into the tests' pictures.
unset DISPLAY
export TAMSI_OWN_SCREEN=1
. "$TAMSI_ROOT/scripts/wine-env.sh"
export TAMSI_ARTIFACTS="$TAMSI_BUILD/artifacts"
mkdir -p "$TAMSI_ARTIFACTS"
echo "== Windows and end-to-end tests under Wine"
ctest --test-dir "$TAMSI_BUILD/win64" --output-on-failure || status=1
echo "== End-to-end tests of the 32-bit build under Wine"
ctest --test-dir "$TAMSI_BUILD/win32" --output-on-failure || status=1
wineserver -k 2>/dev/null || true
[ -n "${TAMSI_XVFB_PID:-}" ] && kill "$TAMSI_XVFB_PID" 2>/dev/null
echo "Screenshots and other artefacts: $TAMSI_ARTIFACTS"
exit $status
