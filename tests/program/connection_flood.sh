# A thousand connections of this user's that each send part of a line and wait: the running copy
# holds only a few, and only for a few seconds, stays idle, keeps its descriptors for itself and
# still hears a second start. Out of descriptors, it rests instead of spinning.
# Usage: connection_flood.sh PROGRAM
source "$(dirname "$0")/lib.sh"
export QT_LOGGING_RULES=vekora.instance.info=true
ulimit -n 1024 # a desktop session's usual limit, which a thousand held connections would reach
socket=$XDG_RUNTIME_DIR/vekora-$(printf %s "$scratch/p/Vekora.ini" | sha256sum | cut -c1-16)

fds() { find "/proc/$pid/fd" -mindepth 1 | wc -l; }
# flood WHAT: a thousand connections held, then the program's CPU over two seconds stays low.
flood() {
    python3 "$(dirname "$0")/hold_connections.py" "$socket" 1000 >"$scratch/held" &
    started+=($!)
    for _ in $(seq 50); do grep -q held "$scratch/held" && break || sleep 0.1; done
    local before after
    kill -0 $pid 2>/dev/null || die "$1: the program has ended" "$scratch/p.log"
    before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep 2
    kill -0 $pid 2>/dev/null || die "$1: the program ended under the flood" "$scratch/p.log"
    after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    [ $(((after - before) * 100 / (2 * $(getconf CLK_TCK)))) -lt 25 ] ||
        fail "$1: $((after - before)) clock ticks of CPU in two seconds"
}
# told WHAT N: a second start ends and the first copy has brought its window back N times.
told() {
    timeout 10 "$scratch/p/vekora" 2>>"$scratch/second.log" || fail "$1: the second start failed"
    for _ in $(seq 50); do
        [ "$(grep -c "bringing the window back" "$scratch/p.log")" -eq "$2" ] && return || sleep 0.1
    done
    fail "$1: the first copy was not told: $(cat "$scratch/second.log")"
}

folder p 0730
start p
for _ in $(seq 100); do catches $pid TERM && [ -S "$socket" ] && break || sleep 0.1; done
[ -S "$socket" ] || die "the program does not listen" "$scratch/p.log"
own=$(fds)
flood "held connections"
[ "$(fds)" -le $((own + 16)) ] || fail "$(fds) descriptors open, $own before the connections"
told "held connections" 1
for _ in $(seq 60); do grep -q "all closed" "$scratch/held" && break || sleep 0.1; done
grep -q "all closed" "$scratch/held" || fail "silent connections are held for good"

prlimit --pid $pid --nofile=$(($(fds) + 2)):
flood "out of descriptors"
prlimit --pid $pid --nofile=1024:
told "descriptors back" 2

stop $pid TERM || fail "SIGTERM: exit status $status: $(cat "$scratch/p.log")"
[ "$(line "$scratch/p/Vekora.ini" 6)" = "07:30" ] || fail "the settings were not saved at exit"
finish
