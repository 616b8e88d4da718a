# Sourced by the Wine suites.

# build_dir_argument "$@": the suite's one argument, a build folder, as an absolute path; a usage
# line and a failure for anything else.
build_dir_argument() {
    if [ $# -ne 1 ] || [ ! -d "$1" ]; then
        echo "usage: $0 BUILD_DIR" >&2
        return 2
    fi
    (cd "$1" && pwd)
}

# wine_environment PREFIX: wine64 and wineserver as $wine and $wineserver, the prefix and a quiet
# Wine without its Mono and Gecko installers.
wine_environment() {
    wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
    wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# require_programs PATH...: ends the suite as one failed set-up when a program is missing.
require_programs() {
    local program
    for program in "$@"; do
        if [ ! -f "$program" ]; then
            echo "FAIL set-up: missing $program (build the win64 preset first)"
            echo "0 passed, 1 failed"
            exit 1
        fi
    done
}

# fresh_prefix: a new prefix at $WINEPREFIX, booted; its server is stopped when the suite ends.
fresh_prefix() {
    rm -rf "$WINEPREFIX"
    trap 'timeout 30 "$wineserver" -k 2>/dev/null' EXIT
    timeout 300 "$wine" wineboot -i >/dev/null 2>&1
    timeout 60 "$wineserver" -w
}

# gtest_summary OUTPUT STATUS: prints one line per test as it ended, the skipped count if any and
# "N passed, M failed"; returns non-zero when a test failed or the program ended badly.
gtest_summary() {
    local output=$1 status=$2 results passed failed skipped
    # "[ OUTCOME ] Suite.Test (N ms)"
    results=$(echo "$output" | grep -E '^\[ +(OK|FAILED|SKIPPED) +\] [A-Za-z0-9_/]+\.[A-Za-z0-9_/]+ \([0-9]+ ms\)')
    echo "$results"
    passed=$(echo "$results" | grep -cE '^\[ +OK +\]')
    failed=$(echo "$results" | grep -cE '^\[ +FAILED +\]')
    skipped=$(echo "$results" | grep -cE '^\[ +SKIPPED +\]')
    if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
        echo "$output" | tail -n 20
        failed=1
    fi
    if [ "$skipped" -ne 0 ]; then
        echo "$skipped skipped"
    fi
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
