# A FIFO or a link to an endless device as Vekora.ini: the program reads neither, starts as a first
# start does, and a signal still ends it at once, having written nothing into the FIFO.
# Usage: strange_settings.sh PROGRAM
source "$(dirname "$0")/lib.sh"
for kind in fifo zero; do
    folder $kind
    rm "$scratch/$kind/Vekora.ini"
    if [ $kind = fifo ]; then mkfifo "$scratch/$kind/Vekora.ini"; else ln -s /dev/zero "$scratch/$kind/Vekora.ini"; fi
    start $kind
    for _ in $(seq 100); do catches $pid TERM && break || sleep 0.1; done
    sleep 1 # the settings are read once the handler is in place
    kill -TERM $pid
    for _ in $(seq 50); do kill -0 $pid 2>/dev/null && sleep 0.1 || break; done
    if kill -0 $pid 2>/dev/null; then
        fail "$kind: SIGTERM did not end the program: $(cat "$scratch/$kind.log")"
        continue
    fi
    status=0
    wait $pid || status=$?
    [ $status -eq 0 ] || fail "$kind: exit status $status: $(cat "$scratch/$kind.log")"
done
finish
