#!/bin/sh
# Compares what two runs of a session left in their folders: each file of its
# row in sessions.list byte for byte, except a page (*.HTM), whose runes differ
# from cast to cast: there everything but the runes must agree.
#   compare_session.sh NAME DIR_A DIR_B
set -u
name=$1 a=$2 b=$3
here=$(cd "$(dirname "$0")" && pwd)
row=$(grep -E "^$name[[:space:]]" "$here/sessions.list") || { echo "no session $name" >&2; exit 99; }
# shellcheck disable=SC2086
set -- $row
files=$4
[ "$files" = - ] && { echo "session $name: no files to compare"; exit 0; }
# A page without what the cast chose: each rune's picture number, its name
# and its interpretation become "#"; the position meanings, the title and
# every tag stay.
without_runes() {
    sed -E 's#(<IMG ALIGN=LEFT SRC="images/)[0-9]+(\.jpg"[^>]*><U>[^<]*</U><BR><BR><U>)[^<]*(</U><BR>)[^<]*#\1\#\2\#\3\##g' "$1"
}
status=0
old_ifs=$IFS
IFS=,
for f in $files; do
    IFS=$old_ifs
    if [ ! -f "$a/$f" ] || [ ! -f "$b/$f" ]; then
        echo "session $name: $f is missing from $( [ -f "$a/$f" ] && echo "$b" || echo "$a")" >&2
        status=1
        continue
    fi
    case $f in
    *.HTM | *.htm)
        if [ "$(without_runes "$a/$f")" != "$(without_runes "$b/$f")" ]; then
            echo "session $name: $f differs beyond its runes" >&2
            status=1
        fi ;;
    *)
        if ! cmp "$a/$f" "$b/$f" >&2; then
            echo "session $name: $f differs" >&2
            status=1
        fi ;;
    esac
done
[ $status = 0 ] && echo "session $name: $files alike"
exit $status
