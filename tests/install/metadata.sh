# The desktop entry and the AppStream metadata pass the freedesktop validators.
# Usage: metadata.sh SOURCE_DIR APP_ID
source "$(dirname "$0")/common.sh"
source_dir=$1 app_id=$2
desktop=$source_dir/resources/vekora.desktop
metainfo=$source_dir/resources/$app_id.metainfo.xml

desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"

grep -qxF "<id>$app_id</id>" <(sed 's/^ *//' "$metainfo") || fail "metainfo id is not $app_id"
grep -qF '<launchable type="desktop-id">vekora.desktop</launchable>' "$metainfo" ||
    fail "metainfo does not launch vekora.desktop"
finish
