# Shared by the program tests: the real program copied into folders of its own under a scratch
# home, so its settings, sockets and caches live there and nowhere else.
source "$(dirname "${BASH_SOURCE[0]}")/../install/common.sh"
program=$1
mkdir -m 700 "$scratch/runtime"
export QT_QPA_PLATFORM=offscreen HOME=$scratch XDG_RUNTIME_DIR=$scratch/runtime
export XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache
started=()
trap '{ kill -9 "${started[@]}" && wait; } 2>/dev/null || true; chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT

# folder NAME [ALARM]: a program folder with settings in English, sound on, every day, armed.
folder() {
    mkdir -p "$scratch/$1"
    cp "$program" "$scratch/$1/vekora"
    printf '0\r\n1 0 \r\n 0 \r\n 0 \r\n 0 \r\n%s\r\nOld words\r\nOn ((o))\r\n' "${2:-07:30}" \
        >"$scratch/$1/Vekora.ini"
}
# start NAME [COMMAND PREFIX...]: runs that folder's copy in the background as $pid.
start() {
    local name=$1
    shift
    "$@" "$scratch/$name/vekora" 2>>"$scratch/$name.log" &
    pid=$!
    started+=("$pid")
}
# catches PID SIGNAL: the program, not the shell that forks it (which catches signals of its own
# until it runs the program), has a handler of its own for the signal (SigCgt in its status).
catches() {
    local mask
    [ "$(cat "/proc/$1/comm" 2>/dev/null)" = vekora ] || return 1
    mask=$(sed -n 's/^SigCgt:\s*//p' "/proc/$1/status" 2>/dev/null) || return 1
    [ -n "$mask" ] && (((0x$mask >> ($(kill -l "$2") - 1)) & 1))
}
# stop PID SIGNAL: sends the signal once the program is ready for it; true when it exits with 0.
stop() {
    for _ in $(seq 100); do catches "$1" "$2" && break || sleep 0.1; done
    kill -s "$2" "$1"
    status=0
    wait "$1" || status=$?
    [ $status -eq 0 ]
}
# line FILE N: line N of a settings file, without its CR.
line() { sed -n "$2{s/\r\$//;p}" "$1"; }
