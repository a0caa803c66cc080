#!/bin/sh
# Copies the disc FROM to TO with every file named as a copy of an ISO 9660 disc may name it:
#   dotversion  HONMON.;1 and DATA.EBZ;1 (the listing's own spelling)
#   version     HONMON;1 and DATA.EBZ;1
#   dot         HONMON. (names with an extension stay as they are)
# usage: iso-names.sh FROM TO FORM
set -eu
from=$1 to=$2 form=$3
rm -rf "$to"
cp -R "$from" "$to"
find "$to" -type f | while IFS= read -r file; do
  folder=$(dirname "$file") name=$(basename "$file")
  case "$form:$name" in
    dotversion:*.*) new="$name;1" ;;
    dotversion:*) new="$name.;1" ;;
    version:*) new="$name;1" ;;
    dot:*.*) new=$name ;;
    dot:*) new="$name." ;;
    *) echo "FORM must be dotversion, version or dot" >&2; exit 1 ;;
  esac
  [ "$new" = "$name" ] || mv "$file" "$folder/$new"
done
