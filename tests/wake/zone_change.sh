# A new time zone under the running program (the machine's /etc/localtime replaced, as on a laptop
# flown to New York) moves the wake-up it asks of the helper to a minute before the alarm in the
# new zone, within seconds. The program runs in a mount namespace of its own, whose zone file the
# test replaces. Usage: zone_change.sh WAKE_PROGRAM SOURCE_DIR PROGRAM
source "$(dirname "$0")/lib.sh"
for zone in Europe/Copenhagen America/New_York; do
    [ -f "/usr/share/zoneinfo/$zone" ] || { echo "SKIP: no zone $zone (package tzdata)" && exit 77; }
done
start_bus
start_helper "$own" --plain-clock || die "vekora-wake did not start" "$scratch/helper.log"
mkdir -m 700 "$scratch/p" "$scratch/runtime"
cp "$3" "$scratch/p/vekora"
printf '0\r\n1 0 \r\n 0 \r\n 0 \r\n 0 \r\n07:30\r\n\r\nOn ((o))\r\n' >"$scratch/p/Vekora.ini"
env -u TZ HOME="$scratch" XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen \
    unshare --mount --propagation private sh -c \
    'mount --bind /usr/share/zoneinfo/Europe/Copenhagen /etc/localtime && exec "$0"' \
    "$scratch/p/vekora" 2>"$scratch/p.log" &
pid=$!
trap 'kill $pid; stop_bus; rm -rf "$scratch"' EXIT
# asked ZONE: the helper holds, within ten seconds, a minute before the next 07:30 in that zone.
asked() {
    local at
    at=$(TZ=$1 date -d 'today 07:30' +%s)
    [ "$at" -gt "$(date +%s)" ] || at=$(TZ=$1 date -d 'tomorrow 07:30' +%s)
    for _ in $(seq 100); do [ "$(call "$me" GetWakeup)" = $((at - 60)) ] && return || sleep 0.1; done
    fail "$1: the helper holds '$(call "$me" GetWakeup)', wanted $((at - 60))"
}
asked Europe/Copenhagen
nsenter --target "$pid" --mount mount --bind /usr/share/zoneinfo/America/New_York /etc/localtime
asked America/New_York
finish
