# One running copy per settings file: a second start hands over to the first and ends; a copy in
# another folder runs beside it.
# Usage: second_start.sh PROGRAM
source "$(dirname "$0")/lib.sh"
export QT_LOGGING_RULES=vekora.instance.info=true

# listening N: waits until N copies answer on their sockets (connecting asks them nothing).
listening() {
    local live
    for _ in $(seq 100); do
        live=0
        for socket in "$XDG_RUNTIME_DIR"/*; do
            [ -S "$socket" ] && python3 -c 'import socket, sys
socket.socket(socket.AF_UNIX).connect(sys.argv[1])' "$socket" 2>/dev/null && live=$((live + 1))
        done
        [ $live -eq "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

folder a
folder b
start a
listening 1 || die "the first copy does not listen" "$scratch/a.log"
status=0
timeout 10 "$scratch/a/vekora" 2>"$scratch/second.log" || status=$?
[ $status -eq 0 ] || fail "the second start ended with status $status: $(cat "$scratch/second.log")"
for _ in $(seq 100); do grep -q "bringing the window back" "$scratch/a.log" && break || sleep 0.1; done
grep -q "bringing the window back" "$scratch/a.log" || fail "the first copy was not told"

start b
listening 2 || fail "a copy in another folder does not run beside the first"
finish
