# Builds the Debian package from the finished build and checks its control data and files.
# Usage: debian_package.sh BUILD_DIR SOURCE_DIR VERSION APP_ID
source "$(dirname "$0")/common.sh"
build=$1 source_dir=$2 version=$3 app_id=$4

(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out") \
    >"$scratch/cpack.log" 2>&1 || die cpack "$scratch/cpack.log"
deb=$(ls "$scratch"/out/vekora_"$version"_*.deb 2>"$scratch/ls.log") ||
    die "no vekora_${version}_*.deb" "$scratch/ls.log"

info=$(dpkg-deb --info "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[ "$(field Package) $(field Version)" = "vekora $version" ] ||
    fail "package $(field Package) $(field Version)"
depends=$(field Depends)
# shlibdeps lists only libraries whose symbols the binary uses; libqt6gui6 comes in through
# the platform plugins at the latest, which the package names itself.
for needed in libc6 libqt6core6 libqt6widgets6 qt6-qpa-plugins libcanberra0 dbus systemd; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
expected=(./usr/bin/vekora ./usr/share/applications/vekora.desktop
    ./usr/share/metainfo/$app_id.metainfo.xml ./usr/share/icons/hicolor/32x32/apps/vekora.png
    ./usr/libexec/vekora-wake ./usr/lib/systemd/system/vekora-wake.service
    ./usr/lib/sysusers.d/vekora-wake.conf
    ./usr/share/dbus-1/system-services/com.example.norvak.VekoraWake.service
    ./usr/share/dbus-1/system.d/com.example.norvak.VekoraWake.conf
    ./usr/share/dbus-1/interfaces/com.example.norvak.VekoraWake.xml)
[ ! -f "$source_dir/resources/icons/vekora.svg" ] ||
    expected+=(./usr/share/icons/hicolor/scalable/apps/vekora.svg)
while read -r name; do expected+=("./usr/share/vekora/$name"); done < <(shipped_help "$source_dir")
for path in "${expected[@]}"; do
    grep -qxF "$path" <<<"$contents" || fail "package lacks $path"
done

dpkg-deb -x "$deb" "$scratch/root"
grep -qxF "ExecStart=/usr/libexec/vekora-wake" "$scratch/root/usr/lib/systemd/system/vekora-wake.service" ||
    fail "the packaged unit does not start /usr/libexec/vekora-wake"

# The helper's user must exist before the bus re-reads its policy.
dpkg-deb -e "$deb" "$scratch/control"
awk '/systemd-sysusers/ { user = NR } /ReloadConfig/ { reload = NR }
    END { exit !(user && reload && user < reload) }' "$scratch/control/postinst" ||
    fail "postinst does not create the helper's user before reloading the bus configuration"
finish
