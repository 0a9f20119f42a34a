#!/bin/sh
# The installed program: installs the build into a temporary DESTDIR and starts
# it headless, from another folder, in a fresh HOME without user-dirs.dirs.
# The first start makes ~/Documents/Stonecall, fills it with the installed
# samples and casts a reading there, writing nothing anywhere else; a second
# start keeps the user's changed spread and puts back what was deleted; with a
# user-dirs.dirs, the folder follows XDG_DOCUMENTS_DIR.
#   installed.sh CMAKE BUILD_DIR
set -u
cmake=$1 build=$2
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d) || exit 99
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
home=$root/home start=$root/start folder=$root/home/Documents/Stonecall data=$root/dest/usr/share/stonecall
fail() {
    echo "$*" >&2
    exit 1
}
mkdir -p "$home" "$start" || exit 99
DESTDIR=$root/dest "$cmake" --install "$build" --prefix /usr >/dev/null || fail "cmake --install failed"

start() { # SCRIPT STATUS: one start of the installed program, which must end with STATUS
    (cd "$start" && HOME=$home STONECALL_DRIVER=headless STONECALL_SCRIPT=$here/$1 "$root/dest/usr/bin/stonecall")
    got=$?
    [ "$got" = "$2" ] || fail "$1: exit status $got, expected $2"
}

touch "$tmp/before"
start reading.script 1
(cd "$data" && find . -type f) | while read -r file; do
    cmp -s "$data/$file" "$folder/$file" || fail "the user's folder lacks $file"
done || exit 1
[ -s "$folder/RUNE.HTM" ] && [ -s "$folder/qmsc98.ini" ] || fail "no reading or settings written in $folder"
written=$(find "$root" -newer "$tmp/before" ! -path "$folder/*")
[ "$written" = "$(printf '%s\n' "$home" "$home/Documents" "$folder")" ] || fail "written outside the folder: $written"

sed -i 's/^title=One Rune for Today/title=My Own Rune/' "$folder/ONERUNE.SCS"
cp "$folder/ONERUNE.SCS" "$tmp/changed.SCS"
rm "$folder/ReadMe.htm" "$folder/images/1.jpg"
start ../sessions/ran_out.script 4
cmp -s "$tmp/changed.SCS" "$folder/ONERUNE.SCS" || fail "the changed spread was replaced"
cmp -s "$data/ReadMe.htm" "$folder/ReadMe.htm" && cmp -s "$data/images/1.jpg" "$folder/images/1.jpg" ||
    fail "deleted samples were not put back"

mkdir -p "$home/.config" && echo 'XDG_DOCUMENTS_DIR="$HOME/Papers"' >"$home/.config/user-dirs.dirs"
start ../sessions/ran_out.script 4
[ -s "$home/Papers/Stonecall/qmsc98.ini" ] || fail "the folder did not follow XDG_DOCUMENTS_DIR"
echo "installed program: folder made, seeded and kept"
