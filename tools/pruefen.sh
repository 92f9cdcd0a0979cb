#!/bin/sh
# Installs what is missing, checks the formatting, builds, and runs the whole test suite twice: in
# the normal build and in the build with AddressSanitizer and UndefinedBehaviorSanitizer (preset
# "asan"). Between them the browser version is built (preset "wasm", through emcmake) and tested:
# its core against the reference data under Node, its pages in headless Chromium, and the checks
# every engine must pass in Chromium, Firefox ESR and WebKitGTK. Then the two fuzzers (the fields'
# texts, the lab notebook's reader) run their corpora, and where FUZZ_SEKUNDEN is set (CI: 60)
# share that many seconds more. The mutation runs are not part of it; the last lines say how to
# start them.
# One line per step; a failing step shows the end of its log.
#
#   sh tools/pruefen.sh schnell   for daily work: the formatting, the normal build and its tests
set -eu
cd "$(dirname "$0")/.."
schnell=
case ${1:-} in
schnell) schnell=1 ;;
"") ;;
*)
    echo "pruefen.sh: unknown argument \"$1\" (schnell, or none for the whole suite)" >&2
    exit 2
    ;;
esac
if [ -n "$schnell" ]; then sh tools/pakete.sh starten pruefen; else sh tools/pakete.sh starten pruefen web; fi
mkdir -p build build-asan build-fuzz build-wasm

schritt() { # name log command...
    name=$1
    log=$2
    shift 2
    start=$(date +%s)
    if "$@" >"$log" 2>&1; then
        zeile=$(grep -E 'tests passed|^Done [0-9]+ runs|^stat::number_of_executed_units' "$log" | tail -n 1 || true)
        echo "ok    $name, $(($(date +%s) - start)) s${zeile:+: $zeile}"
    else
        echo "FAIL  $name, $(($(date +%s) - start)) s; log: $log"
        tail -n 60 "$log"
        exit 1
    fi
}

bauen() { cmake --preset "$1" && cmake --build --preset "$1"; }

# The browser version takes the pages from the normal build's regler-json.
web_bauen() { emcmake cmake --preset wasm && cmake --build --preset wasm; }

fuzz_bauen() {
    cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 &&
        cmake --build build-fuzz -j 2
}

fuzz_laufen() {
    build-fuzz/fuzz_felder fuzz/korpus/*
    build-fuzz/fuzz_protokoll -timeout=10 fuzz/korpus-protokoll/*
    # FUZZ_SEKUNDEN split between the two. New finds go to build-fuzz/neu*; the corpora in the
    # repository stay as they are. Notebooks are fuzzed up to 8 kB (the large one in the corpus
    # is read whole above), where most of what goes wrong in a reader shows, many times faster.
    felder=$(((${FUZZ_SEKUNDEN:-0} + 1) / 2))
    protokoll=$((${FUZZ_SEKUNDEN:-0} - felder))
    mkdir -p build-fuzz/neu build-fuzz/neu-protokoll
    if [ "$felder" -gt 0 ]; then
        build-fuzz/fuzz_felder -max_total_time="$felder" -timeout=10 -print_final_stats=1 \
            -artifact_prefix=build-fuzz/ build-fuzz/neu fuzz/korpus
    fi
    if [ "$protokoll" -gt 0 ]; then
        build-fuzz/fuzz_protokoll -max_total_time="$protokoll" -max_len=8192 -timeout=10 \
            -print_final_stats=1 -artifact_prefix=build-fuzz/ build-fuzz/neu-protokoll \
            fuzz/korpus-protokoll
    fi
}

# The repository's own formatting: a file that strays from .clang-format fails the run.
format_pruefen() { git ls-files '*.cpp' '*.h' | xargs clang-format-14 --dry-run -Werror; }

# Not in CI, too long for it: how many faults the tests catch that nobody planted.
mutanten_hinweis() {
    # shellcheck disable=SC2016 # the command as one types it
    echo 'mutants, daily sample (under 30 min): nice -n 10 sh tools/mutanten.sh --seed "$(date +%Y%m%d)" --je-ordner 2'
    echo 'mutants, all for a release (days; --ordner splits it): nice -n 10 sh tools/mutanten.sh --alle'
}

schritt "formatting" build/pruefen-format.log format_pruefen
schritt "build" build/pruefen-bau.log bauen default
schritt "tests" build/pruefen-tests.log ctest --preset default
if [ -n "$schnell" ]; then
    sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9][0-9]*\).*/\2 passed, \1 failed/p' \
        build/pruefen-tests.log | tail -n 1
    mutanten_hinweis
    exit 0
fi
schritt "web build" build-wasm/pruefen-bau.log web_bauen
schritt "web tests" build-wasm/pruefen-tests.log ctest --preset wasm
# What the browser's test measured on the way: a cold start's bytes, memory; then a line per
# engine with the checks it passed.
sed -n 's/^# \(on the wire\|after 3 and\)/      \1/p' \
    build-wasm/Testing/Temporary/LastTest.log
sed -n 's/^# \(\(chromium\|firefox\|webkit\) (.*\)/      \1/p' build-wasm/Testing/Temporary/LastTest.log
schritt "build with sanitizers" build-asan/pruefen-bau.log bauen asan
schritt "tests with sanitizers" build-asan/pruefen-tests.log ctest --preset asan
schritt "fuzzer build" build-fuzz/pruefen-bau.log fuzz_bauen
schritt "fuzzers, ${FUZZ_SEKUNDEN:-0} s beyond their corpora" build-fuzz/pruefen-lauf.log fuzz_laufen

# One closing line over the three test runs (a failure has ended the script above).
gesamt=0
for log in build/pruefen-tests.log build-wasm/pruefen-tests.log build-asan/pruefen-tests.log; do
    n=$(sed -n 's/.*tests failed out of \([0-9][0-9]*\).*/\1/p' "$log" | tail -n 1)
    gesamt=$((gesamt + ${n:-0}))
done
echo "$gesamt passed, 0 failed"
mutanten_hinweis
