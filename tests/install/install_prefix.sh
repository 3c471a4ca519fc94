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
grep -q "^Settings file: .*/Vekora/Vekora.ini$" <<<"$help" ||
    fail "--help does not keep the settings of an installed program in the config folder:"$'\n'"$help"

[ ! -e "$prefix/bin/Vekora.ini" ] || fail "--help or --version wrote a settings file"

# The unit starts the helper where it was installed (the package test checks the full file list).
[ -x "$prefix/libexec/vekora-wake" ] || fail "libexec/vekora-wake is not executable"
grep -qxF "ExecStart=$prefix/libexec/vekora-wake" "$prefix/lib/systemd/system/vekora-wake.service" ||
    fail "the unit does not start $prefix/libexec/vekora-wake"

# Without a display the program says so in one line instead of aborting inside Qt.
"${no_display[@]}" 2>"$scratch/err" >/dev/null && fail "started without a display"
[ "$(wc -l <"$scratch/err")" -eq 1 ] && grep -q '^vekora: no graphical display found; ' "$scratch/err" ||
    fail "no-display message: $(cat "$scratch/err")"
finish
