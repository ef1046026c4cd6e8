#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for SECONDS (default 5, the test command's smoke
# run): bash scripts/fuzz.sh [SECONDS] [NAME...], NAME as in tests/fuzz/NAME_fuzz.cpp.
# New inputs collect in build/fuzz/corpus/NAME, so longer runs build on earlier ones; an input
# that crashes is kept in build/fuzz/crashes and fails the run.
set -euo pipefail
. "$(dirname "$0")/setup.sh"

seconds="${1:-5}"
shift || true
fuzz_build="$TAMSI_BUILD/fuzz"
cmake -S "$TAMSI_ROOT/tests/fuzz" -B "$fuzz_build" -G Ninja \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$fuzz_build" -- -k 0

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for source in "$TAMSI_ROOT"/tests/fuzz/*_fuzz.cpp; do
        name="$(basename "$source" _fuzz.cpp)"
        names+=("$name")
    done
fi

status=0
mkdir -p "$fuzz_build/crashes"
for name in "${names[@]}"; do
    corpus="$fuzz_build/corpus/$name"
    mkdir -p "$corpus"
    # The committed seeds come second: libFuzzer adds what it finds to the first folder only.
    if "$fuzz_build/${name}_fuzz" -max_total_time="$seconds" -timeout=10 \
        -artifact_prefix="$fuzz_build/crashes/$name-" "$corpus" "$TAMSI_ROOT/tests/fuzz/corpus/$name" \
        >"$fuzz_build/$name.log" 2>&1; then
        echo "fuzz $name: $(grep -o 'Done [0-9]* runs' "$fuzz_build/$name.log" || echo done)"
    else
        echo "fuzz $name: FAILED, see $fuzz_build/$name.log"
        grep -E 'ERROR|runtime error|SUMMARY|Test unit written' "$fuzz_build/$name.log" || true
        status=1
    fi
done
exit $status
