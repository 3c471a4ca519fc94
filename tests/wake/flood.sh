# Another user floods the helper with no-reply calls: root still gets its answer in time, its time
# stays its own, the flood's own last call is the one that holds, and the helper neither dies nor
# grows past 32 MiB or what its unit allows it.
# Usage: flood.sh WAKE_PROGRAM SOURCE_DIR
source "$(dirname "$0")/lib.sh"
unit=$src/resources/wake/vekora-wake.service.in
limit=$(sed -n 's/^MemoryMax=\([0-9]*\)M$/\1/p' "$unit")
[ -n "$limit" ] || fail "$unit sets no MemoryMax= in MiB"

start_bus
start_helper "$own" --plain-clock || die "vekora-wake did not start" "$scratch/helper.log"
now=$(date +%s)
call "$me" SetWakeup uint64:$((now + 600)) >/dev/null
kib() { sed -n "s/^$1:\s*\([0-9]*\) kB/\1/p" "/proc/$helper_pid/status"; }
before=$(kib VmRSS)

# asked WHEN: root's own time comes back within 5 s (a correctness bound, not a benchmark).
asked() {
    local start=$(date +%s%N) got
    got=$(call "$me" GetWakeup)
    local ms=$((($(date +%s%N) - start) / 1000000))
    [ "$got" = $((now + 600)) ] && [ "$ms" -lt 5000 ] || fail "$1: root got '$got' after $ms ms"
}
calls=25000
# From the scratch folder: nobody may not be able to read the source tree (a clone in a private
# folder).
install -m 644 "$src/tests/wake/flood.py" "$scratch/flood.py"
as nobody /usr/bin/python3 "$scratch/flood.py" "$scratch/bus" 4 $calls "$now" &
flood=$!
sleep 0.5
asked "during the flood"
wait "$flood" || fail "the flood client failed"
asked "after the flood"
kill -0 "$helper_pid" || die "the helper died under the flood" "$scratch/helper.log"
expect "nobody's last call" "$(call nobody GetWakeup)" $((now + calls))
peak=$(kib VmHWM)
echo "resident: $((before / 1024)) MiB before, $((peak / 1024)) MiB at the peak (limit ${limit:-no} MiB)"
# Not `ldd | grep -q`: grep leaving at the first match kills ldd mid-write, and with pipefail the
# test then weighed an AddressSanitizer build after all.
if [[ $(ldd "$helper") == *libasan* ]]; then
    echo "not weighed: under AddressSanitizer the helper's memory and speed are not its own"
elif [ "$peak" -ge $((${limit:-0} < 32 ? ${limit:-0} * 1024 : 32768)) ]; then
    fail "the helper grew from $before to $peak KiB"
fi
finish
