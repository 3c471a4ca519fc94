# The program told to end by a signal, as a session's end or a terminal does: it saves at once
# ("0730" comes back as the field shows it, 07:30) and exits cleanly, with no question on the
# screen to hold it up.
# Usage: signals.sh PROGRAM
source "$(dirname "$0")/lib.sh"
for signal in TERM HUP INT; do
    folder p 0730
    start p
    stop $pid $signal || fail "SIG$signal: exit status $status: $(cat "$scratch/p.log")"
    saved=$(line "$scratch/p/Vekora.ini" 6)
    [ "$saved" = "07:30" ] || fail "SIG$signal: the alarm time saved as '$saved'"
done
finish
