#!/bin/sh
# Compares what two runs of a session left in their folders: each file of its
# row in sessions.list byte for byte, except a page (*.HTM), whose runes differ
# from cast to cast: there its tags (every number in them aside) and the texts
# before the first and after the last rune picture must agree.
#   compare_session.sh NAME DIR_A DIR_B
set -u
name=$1 a=$2 b=$3
here=$(cd "$(dirname "$0")" && pwd)
row=$(grep -E "^$name[[:space:]]" "$here/sessions.list") || { echo "no session $name" >&2; exit 99; }
# shellcheck disable=SC2086
set -- $row
files=$4
[ "$files" = - ] && { echo "session $name: no files to compare"; exit 0; }
tags() { grep -o '<[^>]*>' "$1" | sed 's/[0-9][0-9]*/#/g'; }
head_text() { sed 's/<IMG[^>]*[0-9]\.[a-zA-Z]*"*>.*//' "$1"; }
tail_text() { sed 's/.*<IMG[^>]*[0-9]\.[a-zA-Z]*"*>//' "$1"; }
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
        for part in tags head_text tail_text; do
            if [ "$($part "$a/$f")" != "$($part "$b/$f")" ]; then
                echo "session $name: $f differs in its $part" >&2
                status=1
            fi
        done ;;
    *)
        if ! cmp "$a/$f" "$b/$f" >&2; then
            echo "session $name: $f differs" >&2
            status=1
        fi ;;
    esac
done
[ $status = 0 ] && echo "session $name: $files alike"
exit $status
