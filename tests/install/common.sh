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
# A step the remaining checks depend on failed: show its log and stop.
die() {
    cat "$2" >&2
    echo "FAIL: $1" >&2
    exit 1
}
finish() {
    [ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2 && exit 1; }
    echo "all checks passed"
}

# The help pages and videos the source tree ships, one name a line.
shipped_help() {
    find "$1/resources/help" -maxdepth 1 -type f \( -name '*.html' -o -name '*.avi' \) \
        -printf '%f\n' 2>/dev/null | sort
}
