# vekora-wake on a private bus configured like the system bus: each caller is the user the bus
# daemon vouches for, every error a caller can meet has its name, and only the helper's own user
# may take its name.
# Usage: helper_bus.sh WAKE_PROGRAM SOURCE_DIR
source "$(dirname "$0")/lib.sh"
start_bus
start_helper "$own" --plain-clock ||
    die "vekora-wake did not take its name as $own" <(cat "$scratch/helper.log" "$scratch/bus.log")
now=$(date +%s)
expect "set" "$(call "$me" SetWakeup uint64:$((now + 600)))" ""
expect "an hour ago" "$(call "$me" SetWakeup uint64:$((now - 3600)))" "$service.Error.OutOfRange"
# The policy lets only the three methods through.
expect "other method" "$(call "$me" SetClock)" "org.freedesktop.DBus.Error.AccessDenied"
expect "held after the refusals" "$(call "$me" GetWakeup)" "$((now + 600))"
[[ $(as nobody dbus-send --system --print-reply --dest=$service /com/example/norvak/VekoraWake \
    org.freedesktop.DBus.Introspectable.Introspect) == *'<method name="SetWakeup">'* ]] ||
    fail "the helper does not describe its methods"

both() { echo "$(call "$me" GetWakeup) $(call nobody GetWakeup)"; }
expect "nobody sets" "$(call nobody SetWakeup uint64:$((now + 7200)))" ""
call nobody ClearWakeup >/dev/null
expect "nobody cleared" "$(both)" "$((now + 600)) 0"
stop_helper
! start_helper nobody --plain-clock || fail "nobody took the helper's name"
finish
