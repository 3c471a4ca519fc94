# Installs into a fresh prefix and asks the installed program where it looks for its data.
# Usage: install_prefix.sh BUILD_DIR SOURCE_DIR VERSION
source "$(dirname "$0")/common.sh"
build=$1 source_dir=$2 version=$3
prefix=$scratch/prefix data=$scratch/prefix/share/vekora/
program=$prefix/bin/vekora

cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 ||
    die "cmake --install" "$scratch/install.log"

# Both must work with no display at all.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program")
got=$("${no_display[@]}" --version) || fail "--version exit status $?"
[ "$got" = "vekora $version" ] || fail "--version printed '$got'"

help=$("${no_display[@]}" --help) || fail "--help exit status $?"
grep -qxF "Data folder:   $data" <<<"$help" || fail "--help does not report $data:"$'\n'"$help"
for page in VKhelp-en.html VKhelp-da.html; do
    grep -qF "$data$page" <<<"$help" || fail "--help does not name $data$page"
done
grep -q "^Settings file: .*/Vekora/Vekora.ini$" <<<"$help" ||
    fail "--help does not keep the settings of an installed program in the config folder:"$'\n'"$help"

# Every page and video the source ships is where the program looks for it.
while read -r name; do
    [ -f "$data$name" ] || fail "$name not installed in $data"
done < <(shipped_help "$source_dir")
[ ! -e "$prefix/bin/Vekora.ini" ] || fail "--help or --version wrote a settings file"

# The wake-up helper and its service files; the unit starts the helper where it was installed.
for path in libexec/vekora-wake lib/systemd/system/vekora-wake.service \
    lib/sysusers.d/vekora-wake.conf \
    share/dbus-1/system-services/com.example.norvak.VekoraWake.service \
    share/dbus-1/system.d/com.example.norvak.VekoraWake.conf; do
    [ -e "$prefix/$path" ] || fail "$path not installed"
done
[ -x "$prefix/libexec/vekora-wake" ] || fail "libexec/vekora-wake is not executable"
grep -qxF "ExecStart=$prefix/libexec/vekora-wake" "$prefix/lib/systemd/system/vekora-wake.service" ||
    fail "the unit does not start $prefix/libexec/vekora-wake"

# Without a display the program says so in one line instead of aborting inside Qt.
"${no_display[@]}" 2>"$scratch/err" >/dev/null && fail "started without a display"
[ "$(wc -l <"$scratch/err")" -eq 1 ] && grep -q '^vekora: no graphical display found; ' "$scratch/err" ||
    fail "no-display message: $(cat "$scratch/err")"
finish
