# Rates the installed wake-up helper's unit with systemd's own audit, offline: the helper holds a
# kernel capability, so its confinement must stay at "SAFE" (exposure 1.0 or lower).
# Usage: wake_security.sh BUILD_DIR
source "$(dirname "$0")/common.sh"
build=$1
limit=1.0

command -v systemd-analyze >/dev/null || {
    echo "SKIP: systemd-analyze is not installed (Debian package systemd)"
    exit 77
}
cmake --install "$build" --prefix "$scratch/prefix" >"$scratch/install.log" 2>&1 ||
    die "cmake --install" "$scratch/install.log"
unit=$scratch/prefix/lib/systemd/system/vekora-wake.service

systemd-analyze security --offline=true --no-pager "$unit" >"$scratch/rating" 2>&1 ||
    die "systemd-analyze security" "$scratch/rating"
rating=$(sed -n 's/.*Overall exposure level for vekora-wake.service: \([0-9.]*\).*/\1/p' "$scratch/rating")
[ -n "$rating" ] || die "no overall exposure level in the output" "$scratch/rating"
echo "exposure level $rating (limit $limit)"
awk -v r="$rating" -v l="$limit" 'BEGIN { exit !(r <= l) }' || {
    grep '✗' "$scratch/rating" >&2 || true
    fail "vekora-wake.service is rated $rating, above $limit"
}
finish
