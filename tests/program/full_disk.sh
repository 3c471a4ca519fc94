# The settings folder on a small file system that fills up, or turns read-only, under the running
# program; SIGTERM then saves at once and quits. The old file must stay byte for byte, and stderr
# must name the file and the reason. The exit status is not the point.
# Usage: full_disk.sh PROGRAM
source "$(dirname "$0")/lib.sh"
export LC_ALL=C.UTF-8
[ "$(id -u)" -eq 0 ] || { echo "skipped: mounting a small tmpfs takes root" && exit 77; }
# An installed layout keeps its settings in the configuration folder, which goes on the tmpfs.
disk=$XDG_CONFIG_HOME/Vekora
mkdir -p "$scratch/inst/bin" "$scratch/inst/share/vekora" "$disk"
cp "$program" "$scratch/inst/bin/vekora"
mount -t tmpfs -o size=64k,mode=0700 tmpfs "$disk"
trap '{ kill -9 "${started[@]}" && wait; } 2>/dev/null || true; umount -l "$disk"; rm -rf "$scratch"' EXIT
log=$scratch/inst/bin.log

for reason in "No space left on device" "Read-only file system"; do
    mount -o remount,rw "$disk"
    rm -f "$disk"/* "$log"
    printf '0\r\n1 0 \r\n 0 \r\n 0 \r\n 0 \r\n0730\r\nOld words\r\nOn ((o))\r\n' >"$scratch/before.ini"
    cp "$scratch/before.ini" "$disk/Vekora.ini"
    start inst/bin
    # The start saves "0730" as the field shows it, 07:30; put back in place, it makes the final
    # save a real one.
    for _ in $(seq 100); do [ "$(line "$disk/Vekora.ini" 6)" = 07:30 ] && break || sleep 0.1; done
    cat "$scratch/before.ini" >"$disk/Vekora.ini"
    if [ "$reason" = "Read-only file system" ]; then mount -o remount,ro "$disk"; else
        dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null || true; fi
    stop $pid TERM || true
    cmp -s "$scratch/before.ini" "$disk/Vekora.ini" || fail "$reason: the settings file changed"
    grep "$disk/Vekora.ini" "$log" | grep "$reason" >/dev/null ||
        fail "$reason: stderr does not name the file and the reason: $(cat "$log")"
done
finish
