# A program folder the user cannot write, holding settings from before: they are read, the saves
# go to the configuration folder, and from then on those are read. Root may write everywhere, so
# as root the program runs as the user nobody.
# Usage: readonly_folder.sh PROGRAM
source "$(dirname "$0")/lib.sh"
folder p 0730
config=$XDG_CONFIG_HOME/Vekora/Vekora.ini
as=()
if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$scratch"
    chown -R nobody "$scratch/runtime"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
    chown nobody "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
    touch "$scratch/p.log" && chown nobody "$scratch/p.log"
    as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
chmod 555 "$scratch/p"

start p "${as[@]}"
stop $pid TERM || die "the first run did not end cleanly" "$scratch/p.log"
[ "$(line "$config" 6)/$(line "$config" 7)" = "07:30/Old words" ] ||
    fail "the settings beside the program were not read and saved: $(cat "$config" 2>&1)"
[ "$(line "$scratch/p/Vekora.ini" 6)" = "0730" ] || fail "the file beside the program changed"

sed -i 's/Old words/New words/' "$config"
start p "${as[@]}"
stop $pid TERM || die "the second run did not end cleanly" "$scratch/p.log"
[ "$(line "$config" 7)" = "New words" ] || fail "the second run read the file beside the program"
finish
