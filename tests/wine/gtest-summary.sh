# Sourced by the Wine suites that run a GoogleTest program.
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
