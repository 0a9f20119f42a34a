# Sourced by the scripts that run the Windows build under Wine: a fresh Wine
# prefix in a temporary folder $work, removed with Wine's processes at exit.
# No debugger on a crash: a run fails at once instead of waiting in winedbg.
work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
wineboot -i >/dev/null 2>&1
# Wine's own desktop window: without a window manager on the display, Wine
# would ask for the main window's maximising in vain, and the screen would
# show it at its first size while Windows thinks it maximised.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w
