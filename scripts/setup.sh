# Sourced by run.sh and test.sh: installs what building, running and testing Tamsi needs on
# Debian or Ubuntu, and only what is missing.
# wine32:i386 runs the 32-bit Tamsi.exe, the bitness of the maker's libraries; cups with
# cups-pdf and poppler-utils print to PDF files the tests read; node
# runs the FIT SDK's decoder (from npm, by test.sh), gpsbabel and xmllint read exported TCX files;
# nlohmann-json3-dev is the JSON library of the online logbook (header-only, for all builds);
# python3 runs the fake online logbook and the browser of the logbook's end-to-end test.
TAMSI_PACKAGES="cmake ninja-build g++ libgtest-dev googletest g++-mingw-w64-x86-64 g++-mingw-w64-i686
  wine wine64 wine32:i386 fonts-liberation xvfb x11-utils imagemagick xdotool fp-utils
  cups printer-driver-cups-pdf poppler-utils
  nodejs npm gpsbabel libxml2-utils nlohmann-json3-dev python3"

tamsi_install_missing() {
    local missing=""
    for package in $TAMSI_PACKAGES; do
        # Some builds of nodejs bring npm along and conflict with Debian's npm package.
        [ "$package" = npm ] && command -v npm >/dev/null && continue
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -qq
    # With recommends: the wine package brings the wine command itself, and fonts come along.
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
}

# Configures and builds one tree: tamsi_build DIR [cmake args...]
tamsi_build() {
    local dir="$1"; shift
    cmake -S "$TAMSI_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -- -k 0
}

TAMSI_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TAMSI_BUILD="${TAMSI_BUILD:-$TAMSI_ROOT/build}"
tamsi_install_missing
