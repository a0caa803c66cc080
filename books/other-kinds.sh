#!/bin/sh
# Copies the disc FROM to TO made into a kind of book the library knows of but does not read:
#   honmon2  every book's text file named HONMON2, as in a compressed book of the later versions
#   eb       the catalog named CATALOG, with a START file in each book's data directory, as on a
#            disc of the older EB family
# usage: other-kinds.sh FROM TO KIND
set -eu
from=$1 to=$2 kind=$3
rm -rf "$to"
cp -R "$from" "$to"
case "$kind" in
  honmon2) find "$to" -type f -name HONMON | while IFS= read -r f; do mv "$f" "$(dirname "$f")/HONMON2"; done ;;
  eb)
    mv "$to/CATALOGS" "$to/CATALOG"
    find "$to" -type f -name HONMON | while IFS= read -r f; do mv "$f" "$(dirname "$f")/START"; done ;;
  *) echo "KIND must be honmon2 or eb" >&2; exit 1 ;;
esac
