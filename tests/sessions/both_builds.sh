#!/usr/bin/env bash
# Runs every session that is not pending on both builds, each in a folder of
# its own under a temporary folder, and compares the files of its row in
# sessions.list: each byte for byte, except a page (*.HTM), whose runes differ
# from cast to cast: there everything but the runes must agree. Runs under an
# X display (test-windows.sh starts Xvfb); Wine gets a fresh prefix there.
#   both_builds.sh LINUX_STONECALL WINDOWS_BUILD_FOLDER
set -uo pipefail
linux=$1 windows=$2
here=$(cd "$(dirname "$0")" && pwd)

now() { date +%s%N; }
started=$(now)
source "$here/wine_prefix.sh"
echo "Wine prefix ready after $(( ($(now) - started) / 1000000 )) ms"

# A page without what the cast chose: each rune's picture number, its name
# and its interpretation become "#"; the position meanings, the title and
# every tag stay.
without_runes() {
  sed -E 's#(<IMG ALIGN=LEFT SRC="images/)[0-9]+(\.jpg"[^>]*><U>[^<]*</U><BR><BR><U>)[^<]*(</U><BR>)[^<]*#\1\#\2\#\3\##g' "$1"
}
# Whether both builds wrote the session's FILES (comma-separated, "-" for none) alike.
alike() { # NAME FILES
  local name=$1 files=$2 status=0 f a b
  [ "$files" = - ] && { echo "session $name: no files to compare"; return 0; }
  for f in ${files//,/ }; do
    a=$work/linux/$name/$f b=$work/windows/$name/$f
    if [ ! -f "$a" ] || [ ! -f "$b" ]; then
      echo "session $name: $f is missing from the $( [ -f "$a" ] && echo windows || echo linux) build's folder" >&2
      status=1
    elif [[ $f == *.HTM || $f == *.htm ]]; then
      [ "$(without_runes "$a")" = "$(without_runes "$b")" ] && continue
      echo "session $name: $f differs beyond its runes" >&2
      status=1
    elif ! cmp "$a" "$b" >&2; then
      echo "session $name: $f differs" >&2
      status=1
    fi
  done
  [ $status = 0 ] && echo "session $name: $files alike"
  return $status
}

failed=0 passed=0
while read -r name _ _ files _ <&3; do
  why=$(sed -n "s/^pending[[:space:]]\{1,\}${name}[[:space:]]\{1,\}//p" "$here/sessions.list")
  [ -n "$why" ] && { echo "session $name: PENDING, $why"; continue; }
  if "$here/run_session.sh" linux "$name" "$work/linux/$name" "$linux" &&
     "$here/run_session.sh" windows "$name" "$work/windows/$name" "$windows/stonecall.exe" "$windows/stonecall-drive.exe" &&
     alike "$name" "$files"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    # Keep what the failing session left, for a look.
    mkdir -p "$here/../../build-windows/failed" && cp -r "$work/linux/$name" "$here/../../build-windows/failed/$name.linux" 2>/dev/null
    cp -r "$work/windows/$name" "$here/../../build-windows/failed/$name.windows" 2>/dev/null
  fi
done 3< <(grep -E '^[a-z]' "$here/sessions.list" | grep -Ev '^(pending|linux)[[:space:]]')
echo "sessions: $passed passed, $failed failed, $(grep -c '^pending[[:space:]]' "$here/sessions.list") pending, in $(( ($(now) - started) / 1000000 )) ms"
[ $failed = 0 ]
