#!/bin/sh
# Runs one session of sessions.list in a fresh working folder, which it
# keeps, and checks the exit status and the files of expected/NAME/: each
# byte for byte (a window dump but for its handles), window dumps (*.json)
# and screenshots (*.png) on our layer only (Windows names classes, counts
# time and draws its own way), but for the list boxes' items of a dump, which
# must read alike. A run still going after SESSION_TIME_LIMIT seconds (180
# unless set) is stopped and fails. With UPDATE_EXPECTED=1 the Linux side
# writes the kept files there instead.
#   run_session.sh linux NAME DIR STONECALL                       (headless)
#   run_session.sh windows NAME DIR STONECALL.EXE STONECALL-DRIVE.EXE   (under Wine)
set -u
side=$1 name=$2 dir=$3 program=$4 driver=${5:-}
limit=${SESSION_TIME_LIMIT:-180}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
row=$(grep -E "^(linux[[:space:]]+)?$name[[:space:]]" "$here/sessions.list") || { echo "no session $name" >&2; exit 99; }
row=${row#linux }
# shellcheck disable=SC2086
set -- $row
want=$2 folder=$3
shift 4
script=$here/$name.script
[ -f "$script" ] || script=$root/docs/$(echo "$name" | tr _ -).script
rm -rf "$dir" && mkdir -p "$dir" || exit 99
# Each item of the row's folder: a folder of files/ (its files) or a sample spread.
for item in $(echo "$folder" | tr , ' ' | grep -vx empty); do
    from=$here/files/$item/.
    [ -d "$from" ] || from=$root/spreads/$item
    cp -R "$from" "$dir/" || exit 99
done
cd "$dir" || exit 99
started=$(date +%s%N)
case $side in
linux) STONECALL_DRIVER=headless STONECALL_SCRIPT="$script" timeout -k 5 "$limit" "$program" "$@" 2>stderr.txt ;;
windows) timeout -k 5 "$limit" wine "$driver" "Z:$script" "Z:$program" "$@" 2>stderr.txt ;;
*) echo "no side $side" >&2; exit 99 ;;
esac
got=$?
ms=$(( ($(date +%s%N) - started) / 1000000 ))
# timeout's own statuses: stopped, or killed when it did not stop.
if [ "$got" = 124 ] || [ "$got" = 137 ]; then
    cat stderr.txt >&2
    # Under Wine the program is a process of its own: end what is left.
    [ "$side" = windows ] && wineserver -k 2>/dev/null
    echo "session $name ($side): still running after $limit s, stopped: a hang" >&2
    exit 1
fi
# A run the script ends must say why, with the window dump.
if [ "$want" = 3 ] || [ "$want" = 4 ]; then
    grep -q '"windows": \[' stderr.txt || { cat stderr.txt >&2; echo "session $name ($side): no window dump on standard error" >&2; exit 1; }
fi
if [ "$got" != "$want" ]; then
    cat stderr.txt >&2
    echo "session $name ($side): exit status $got, expected $want, after $ms ms" >&2
    exit 1
fi
# A dump without its handles, which are numbered as windows come and go,
# and a window a line, to show what differs.
handless() { sed -E 's/"(handle|active|focus)": [0-9]+/"\1": 0/g; s/, \{"handle"/\n&/g' "$1"; }
# The items of every list box in a dump (a menu's items are objects).
list_items() { grep -oE '"items": \[("([^"\\]|\\.)*"(, )?)*\]' "$1"; }
status=0
for kept in "$here/expected/$name"/*; do
    [ -f "$kept" ] || continue
    f=${kept##*/}
    case $side:$f in
    windows:*.png) continue ;;
    windows:*.json)
        [ -f "$f" ] && [ "$(list_items "$kept")" = "$(list_items "$f")" ] && continue
        printf 'session %s (%s): the list boxes of %s read\n%s\nwhere expected/%s/%s has\n%s\n' "$name" "$side" \
            "$f" "$(list_items "$f")" "$name" "$f" "$(list_items "$kept")" >&2
        status=1
        continue ;;
    esac
    [ "$side:${UPDATE_EXPECTED:-}" = linux:1 ] && { cp "$f" "$kept" || status=1; continue; }
    case $f in
    *.json) handless "$kept" >"$f.expected"
        handless "$f" | diff "$f.expected" - >&2 && continue ;;
    *) cmp "$kept" "$f" >&2 && continue ;;
    esac
    echo "session $name ($side): $f is not expected/$name/$f" >&2
    status=1
done
echo "session $name ($side): exit status $got after $ms ms"
exit $status
