# A new time zone under the running program (the machine's /etc/localtime replaced, as on a laptop
# flown to New York) moves the wake-up it asks of the helper to a minute before the alarm in the
# new zone, within seconds. The program runs in a mount namespace of its own, whose zone file the
# test replaces; the helper, on a private bus, holds what it was asked.
# Usage: zone_change.sh PROGRAM WAKE_HELPER
source "$(dirname "$0")/lib.sh"
helper=$2
[ "$(id -u)" -eq 0 ] || { echo "SKIP: needs root for a mount namespace of its own" && exit 77; }
for zone in Europe/Copenhagen America/New_York; do
    [ -f "/usr/share/zoneinfo/$zone" ] || { echo "SKIP: no zone $zone (package tzdata)" && exit 77; }
done
unset TZ

cat >"$scratch/bus.conf" <<CONF
<busconfig><type>system</type><listen>unix:path=$scratch/bus</listen><auth>EXTERNAL</auth>
<policy context="default"><allow user="*"/><allow own="*"/><allow send_destination="*"/>
<allow receive_sender="*"/></policy></busconfig>
CONF
dbus-daemon --config-file="$scratch/bus.conf" --nofork 2>"$scratch/bus.log" &
started+=($!)
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$scratch/bus
for _ in $(seq 100); do [ -S "$scratch/bus" ] && break || sleep 0.1; done
"$helper" --plain-clock 2>"$scratch/helper.log" &
started+=($!)

held() {
    dbus-send --system --print-reply --dest=com.example.norvak.VekoraWake \
        /com/example/norvak/VekoraWake com.example.norvak.VekoraWake.GetWakeup 2>/dev/null |
        sed -n 's/^ *uint64 //p'
}
# expected ZONE: a minute before the next 07:30 in that zone.
expected() {
    local at
    at=$(TZ=$1 date -d 'today 07:30' +%s)
    [ "$at" -gt "$(date +%s)" ] || at=$(TZ=$1 date -d 'tomorrow 07:30' +%s)
    echo $((at - 60))
}
# asked ZONE: waits until the helper holds the wake-up for that zone.
asked() {
    for _ in $(seq 100); do
        [ "$(held)" = "$(expected "$1")" ] && return 0
        sleep 0.1
    done
    fail "$1: the helper holds '$(held)', wanted $(expected "$1")" && return 1
}

folder p
start p unshare --mount --propagation private \
    sh -c 'mount --bind /usr/share/zoneinfo/Europe/Copenhagen /etc/localtime && exec "$0"'
asked Europe/Copenhagen || die "no wake-up asked for" "$scratch/p.log"
nsenter --target "$pid" --mount mount --bind /usr/share/zoneinfo/America/New_York /etc/localtime
asked America/New_York
finish
