# Installs into a fresh prefix and asks the installed program where it looks for its data.
# Usage: install_prefix.sh BUILD_DIR SOURCE_DIR VERSION
source "$(dirname "$0")/common.sh"
build=$1 source_dir=$2 version=$3
prefix=$scratch/prefix

cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || {
    cat "$scratch/install.log" >&2
    fail "cmake --install"
    finish
}

program=$prefix/bin/vekora
[ -x "$program" ] || fail "no executable at $program"

# Both must work with no display at all.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
got=$("${no_display[@]}" "$program" --version) || fail "--version exit status $?"
[ "$got" = "vekora $version" ] || fail "--version printed '$got'"

help=$("${no_display[@]}" "$program" --help) || fail "--help exit status $?"
data=$prefix/share/vekora/
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

for file in share/applications/vekora.desktop share/icons/hicolor/32x32/apps/vekora.png \
    share/metainfo/*.metainfo.xml; do
    compgen -G "$prefix/$file" >/dev/null || fail "$file not installed"
done
[ ! -e "$prefix/bin/Vekora.ini" ] || fail "--help or --version wrote a settings file"

# Without a display the program says so in one line instead of aborting inside Qt.
"${no_display[@]}" "$program" 2>"$scratch/err" >/dev/null && fail "started without a display"
[ "$(wc -l <"$scratch/err")" -eq 1 ] && grep -q '^vekora: no graphical display found; ' "$scratch/err" ||
    fail "no-display message: $(cat "$scratch/err")"

finish
