# The program itself, told to end by a signal as a session's end or a terminal does: it saves at
# once ("0730" comes back as the field shows it, 07:30) and exits cleanly, with no question on
# the screen to hold it up.
# Usage: signals.sh PROGRAM
source "$(dirname "$0")/../install/common.sh"
mkdir -m 700 "$scratch/runtime"
cp "$1" "$scratch/vekora"
export QT_QPA_PLATFORM=offscreen HOME=$scratch XDG_RUNTIME_DIR=$scratch/runtime
export XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache

# catches PID SIGNAL: the process has a handler of its own for the signal (SigCgt in its status).
catches() {
    local mask
    mask=$(sed -n 's/^SigCgt:\s*//p' "/proc/$1/status" 2>/dev/null) || return 1
    [ -n "$mask" ] && (((0x$mask >> ($(kill -l "$2") - 1)) & 1))
}

for signal in TERM HUP INT; do
    printf '0\r\n1 0 \r\n 0 \r\n 0 \r\n 0 \r\n0730\r\n\r\nOn ((o))\r\n' >"$scratch/Vekora.ini"
    "$scratch/vekora" 2>"$scratch/log" &
    pid=$!
    for _ in $(seq 100); do catches $pid $signal && break || sleep 0.1; done
    kill -s $signal $pid
    status=0
    wait $pid || status=$?
    [ $status -eq 0 ] || fail "SIG$signal: exit status $status: $(cat "$scratch/log")"
    saved=$(sed -n '6{s/\r$//;p}' "$scratch/Vekora.ini")
    [ "$saved" = "07:30" ] || fail "SIG$signal: the alarm time saved as '$saved'"
done
finish
