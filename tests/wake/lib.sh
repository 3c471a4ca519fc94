# Shared by the wake-up helper's tests: a private bus configured like the system bus, reading the
# helper's policy folder as the system bus reads system.d, and the helper on it as the system user
# its unit names, created from its own sysusers.d file. Arguments: WAKE_PROGRAM SOURCE_DIR.
source "$(dirname "${BASH_SOURCE[0]}")/../install/common.sh"
helper=$1
src=$2
service=com.example.norvak.VekoraWake
me=$(id -un)
own=$(sed -n 's/^User=//p' "$src/resources/wake/vekora-wake.service.in")

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: the helper runs as its own system user '$own', which only root may create and become"
    exit 77
fi
command -v systemd-sysusers >/dev/null || {
    echo "SKIP: systemd-sysusers is not installed (Debian package systemd)"
    exit 77
}
# The user must come from the project's own file, not from an earlier run on this machine.
sysusers=$src/resources/wake/sysusers.d/vekora-wake.conf
mkdir -p "$scratch/root/etc"
systemd-sysusers --root="$scratch/root" "$sysusers" >"$scratch/sysusers.log" 2>&1 ||
    die "systemd-sysusers $sysusers" "$scratch/sysusers.log"
grep -q "^$own:" "$scratch/root/etc/passwd" || fail "$sysusers does not declare the unit's user $own"
# As the package or the next boot would; nothing changes where the user exists.
systemd-sysusers "$sysusers" >"$scratch/sysusers.log" 2>&1 || die "systemd-sysusers" "$scratch/sysusers.log"
# Other users must reach the bus socket inside.
chmod 711 "$scratch"

# as USER COMMAND...: in place of the calling subshell, so its pid is the command's own. setpriv
# also drops every capability a root uid would keep.
as() {
    local who=$1
    shift
    if [ "$who" = "$me" ]; then exec "$@"; else
        exec setpriv --reuid="$who" --regid="$(id -g "$who")" --clear-groups "$@"
    fi
}

start_bus() {
    sed -e "s|@SOCKET@|$scratch/bus|" -e "s|@POLICY_DIR@|$src/resources/wake|" \
        "$src/tests/wake/systembus.conf.in" >"$scratch/bus.conf"
    dbus-daemon --config-file="$scratch/bus.conf" --nofork --print-address=3 3>"$scratch/address" \
        2>"$scratch/bus.log" &
    bus_pid=$!
    for _ in $(seq 100); do [ -s "$scratch/address" ] && break || sleep 0.1; done
    export DBUS_SYSTEM_BUS_ADDRESS=$(head -n 1 "$scratch/address")
}
stop_bus() {
    stop_helper
    [ -z "${bus_pid:-}" ] || { kill "$bus_pid" && wait "$bus_pid" || true; }
    bus_pid=
}
trap 'stop_bus; rm -rf "$scratch"' EXIT

# start_helper USER [OPTION]: true once it owns its name.
start_helper() {
    as "$1" "$helper" "${@:2}" 2>"$scratch/helper.log" &
    helper_pid=$!
    for _ in $(seq 100); do
        kill -0 "$helper_pid" 2>/dev/null || return 1
        dbus-send --system --print-reply --dest=org.freedesktop.DBus / \
            org.freedesktop.DBus.NameHasOwner "string:$service" 2>/dev/null |
            grep -q 'boolean true' && return 0
        sleep 0.1
    done
    return 1
}
stop_helper() {
    [ -z "${helper_pid:-}" ] || { kill "$helper_pid" 2>/dev/null && wait "$helper_pid" || true; }
    helper_pid=
}

# call USER METHOD [ARGUMENT]: nothing for a plain reply, else GetWakeup's time or the error's name.
call() {
    as "$1" dbus-send --system --print-reply --dest=$service /com/example/norvak/VekoraWake \
        "$service.$2" ${3:+"$3"} 2>&1 | sed -n -e 's/^ *uint64 //p' -e 's/^Error \([^:]*\).*/\1/p'
}
expect() { # WHAT GOT WANTED
    [ "$2" = "$3" ] || fail "$1: got '$2', wanted '$3'"
}

