#!/usr/bin/env bash
# The AppStream metainfo passes appstreamcli's checks (pedantic, no network) and describes this version.
#   check_metainfo.sh <metainfo.xml> <component id> <project version>
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_tools appstream appstreamcli

metainfo=$1
id=$2
version=$3
# The file is installed under the component's id, which is what the validator expects of a file name.
installed=$(mktemp -d)
trap 'rm -rf "$installed"' EXIT
cp "$metainfo" "$installed/$id.metainfo.xml"
appstreamcli validate --no-net --pedantic --explain "$installed/$id.metainfo.xml" \
    || fail "appstreamcli rejects $metainfo"

grep -q "<id>$id</id>" "$metainfo" || fail "the component id is not $id"
# Addresses of the reserved example domains are placeholders, never the project's.
if grep -nE '\b(example\.(com|org|net)|[a-z0-9-]+\.example|(com|org|net)\.example)\b' "$metainfo"; then
    fail "the metainfo holds a placeholder address"
fi
newest=$(sed -n 's|.*<release version="\([^"]*\)".*|\1|p' "$metainfo" | head -n 1)
[ "$newest" = "$version" ] || fail "the newest release in the metainfo is '$newest', the project is at $version"
echo "metainfo valid, release $newest"
