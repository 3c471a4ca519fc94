# On X11 the ticking clock hands its pixels to the X server through the socket: with an image in
# shared memory, Qt waits a round trip before every paint, every second all night.
# Usage: x11_paints.sh PROGRAM
source "$(dirname "$0")/lib.sh"
command -v Xvfb >/dev/null || exit 77

Xvfb -displayfd 5 -nolisten tcp -screen 0 640x480x24 5>"$scratch/display" 2>"$scratch/x.log" &
started+=($!)
for _ in $(seq 100); do [ -s "$scratch/display" ] && break || sleep 0.1; done
[ -s "$scratch/display" ] || die "no X server" "$scratch/x.log"
export DISPLAY=:$(cat "$scratch/display") QT_QPA_PLATFORM=xcb
unset QT_XCB_NO_MITSHM

folder p
start p
# Any of its windows (one start in fifteen opens with the About window): each is painted alike.
windows() { [[ $(xwininfo -root -tree 2>/dev/null) == *'("vekora" '* ]]; }
for _ in $(seq 100); do windows && break || sleep 0.1; done
windows || die "no window" "$scratch/p.log"
sleep 2.5 # painted, and a few ticks
shared=$(grep -E 'memfd:xorg|SYSV' "/proc/$pid/maps" || true)
[ -z "$shared" ] || fail "the window is painted through shared memory: $shared"

stop $pid TERM || fail "SIGTERM: exit status $status: $(cat "$scratch/p.log")"
finish
