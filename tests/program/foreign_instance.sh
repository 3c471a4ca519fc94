# Without a runtime folder the running copy's socket lives in a folder of this user's own in the
# temporary folder. Another user (nobody) who takes that folder's name, or listens on the socket's
# name inside it, neither keeps the program from starting nor receives its request.
# Usage: foreign_instance.sh PROGRAM
source "$(dirname "$0")/lib.sh"
[ "$(id -u)" -eq 0 ] || { echo "needs root to act as another user" && exit 77; }
unset XDG_RUNTIME_DIR
export TMPDIR=$scratch/tmp
mkdir -m 1777 "$TMPDIR"
chmod 755 "$scratch"
own=$TMPDIR/vekora-0
folder p
name=vekora-$(printf %s "$scratch/p/Vekora.ini" | sha256sum | cut -c1-16)

# squat: nobody listens on $own/$name and writes what it receives to $scratch/received.
squat() {
    rm -f "$scratch/received"
    setpriv --reuid=nobody --regid=nogroup --clear-groups /usr/bin/python3 -c 'import socket, sys
s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1])
s.listen()
s.settimeout(8)
print("listening", flush=True)
try:
    c, _ = s.accept()
    c.settimeout(2)
    print(c.recv(64).decode(), flush=True)
except OSError:
    pass' "$own/$name" >"$scratch/received" &
    started+=($!)
    for _ in $(seq 50); do grep -q listening "$scratch/received" && return || sleep 0.1; done
    die "the other user's socket was not made" "$scratch/received"
}
# runs WHAT: the program starts and keeps running, the other user's socket is told nothing, and
# nothing of this user's goes into a folder of the other user's.
runs() {
    start p
    sleep 2
    kill -0 $pid 2>/dev/null || fail "$1: the program did not start: $(cat "$scratch/p.log")"
    [ "$(stat -c %u "$own")" -eq 0 ] || [ -z "$(find "$own" -mindepth 1 -user 0)" ] ||
        fail "$1: this user's socket went into the other user's folder"
    stop $pid TERM || fail "$1: exit status $status"
    grep -q show "$scratch/received" && fail "$1: the other user received the request"
    [ "$(grep -c "another user\|not this user" "$scratch/p.log")" -eq 1 ] ||
        fail "$1: not one line on stderr: $(cat "$scratch/p.log")"
    rm -f "$scratch/p.log"
}

# The folder taken by the other user, with a socket in it.
mkdir -m 700 "$own" && chown nobody "$own"
squat
runs "the other user's folder"

# This user's own folder, where the other user got a socket in while it was open to all.
rm -rf "$own" && mkdir -m 777 "$own"
squat
chmod 700 "$own"
runs "the other user's socket"
finish
