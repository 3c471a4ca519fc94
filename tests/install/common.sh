# Shared by the install tests: a scratch folder removed on exit, and failure reporting.
set -euo pipefail

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
scratch=$(cd "$scratch" && pwd -P)

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}

# The help pages and videos the source tree ships, one name a line.
shipped_help() {
    local source=$1
    find "$source/resources/help" -maxdepth 1 -type f \( -name '*.html' -o -name '*.avi' \) \
        -printf '%f\n' 2>/dev/null | sort
}
