#!/usr/bin/env bash
# The installer as a user meets it, in a new wine prefix of its own: a silent install; the files,
# the Start-menu shortcut and the installed-apps entry with the right version; the installed
# kelvaro.exe started from there (smoke.sh); then the quiet uninstall command from that entry,
# after which the user's folders and settings are as before the install.
#   installer.sh STATE SETUP.exe KELVARO.exe OCTAVE-TABLE.exe X_WINDOW VERSION
set -uo pipefail
state=$1 setup=$2 kelvaro=$3 octave_table=$4 x_window=$5 version=$6
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
session=$here/../../scripts/windows/wine-session

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
finish() { "$session" stop "$state"; }
trap finish EXIT

"$session" stop "$state"
rm -rf "$state"
"$session" start "$state" || fail "no wine session"
eval "$("$session" env "$state")"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvaro'

# What the user has: every file and folder of the user's profile but the temporary folder (empty
# in a new prefix), and the user's settings, with wine's own and Explorer's bookkeeping left out.
profile=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public)
[[ -d $profile ]] || fail "no user profile in the prefix"
snapshot() {
  (cd "$profile" && find . -path ./Temp -prune -o -print | LC_ALL=C sort)
  "$WINE" reg query 'HKCU\Software' /s | tr -d '\r' | awk '
    /^HKEY/ { skip = $0 ~ /^HKEY_CURRENT_USER\\Software\\(Wine|Microsoft\\Windows\\CurrentVersion\\Explorer)/ }
    !skip && NF { print (/^HKEY/ ? $0 : key $0) } /^HKEY/ { key = $0 }' | LC_ALL=C sort
}
# Windows has the list of installed apps before any program is installed; a new wine prefix not.
"$WINE" reg add "${key%\\Kelvaro}" /f >/dev/null || fail "cannot make the list of installed apps"
before=$(snapshot)

# /S: no window, no question; the installer ends when everything is in place.
"$WINE" "$setup" /S
status=$?
[[ $status -eq 0 ]] || fail "the silent install ended with status $status"

folder=$profile/AppData/Local/Programs/Kelvaro
[[ -d $folder ]] || fail "nothing installed in the user's program folder"
installed=$(cd "$folder" && ls | LC_ALL=C sort | tr '\n' ' ')
[[ $installed == "LICENSE.txt README.txt kelvaro.exe octave-table.exe uninstall.exe " ]] ||
  fail "the program folder holds: $installed"
cmp -s "$folder/kelvaro.exe" "$kelvaro" || fail "the installed kelvaro.exe is not the one built"
cmp -s "$folder/octave-table.exe" "$octave_table" || fail "the installed octave-table.exe is not the one built"
echo "installed: $installed"

shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kelvaro.lnk"
[[ -f $shortcut ]] || fail "no Start-menu shortcut"
windows_folder='C:\users\'$(basename "$profile")'\AppData\Local\Programs\Kelvaro'
# A shortcut holds its target's path in the code page of the system and in UTF-16.
grep -a -q -F "$windows_folder\\kelvaro.exe" "$shortcut" ||
  fail "the shortcut does not lead to $windows_folder\\kelvaro.exe"
echo "shortcut: Start menu, Kelvaro.lnk"

entry=$("$WINE" reg query "$key" | tr -d '\r')
value() { awk -v name="$1" '$1 == name { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print }' <<<"$entry"; }
declare -A wanted=(
  [DisplayName]="Kelvaro"
  [DisplayVersion]="$version"
  [Publisher]="The Kelvaro developers"
  [DisplayIcon]="$windows_folder\\kelvaro.exe,0"
  [InstallLocation]="$windows_folder"
  [UninstallString]="\"$windows_folder\\uninstall.exe\""
  [QuietUninstallString]="\"$windows_folder\\uninstall.exe\" /S")
for name in "${!wanted[@]}"; do
  [[ $(value "$name") == "${wanted[$name]}" ]] ||
    fail "$name is '$(value "$name")', expected '${wanted[$name]}'"
done
# The size in KiB of what was installed, within a KiB a file for rounding, uninstaller aside.
size=$(($(value EstimatedSize)))
files_kib=$(($(cat "$folder"/*.txt "$folder/kelvaro.exe" "$folder/octave-table.exe" | wc -c) / 1024))
((size >= files_kib && size <= files_kib + 4)) ||
  fail "EstimatedSize is $size KiB for $files_kib KiB of files"
echo "installed-apps entry: Kelvaro $version, $size KiB"

"$here/smoke.sh" "$state" "$windows_folder\\kelvaro.exe" "$x_window" || fail "the installed program"

# Run as Windows runs it from the installed-apps list. The uninstaller hands its work to a copy
# of itself in the temporary folder (so that it can delete itself) and ends at once: the copy's
# work is awaited.
quiet=$(value QuietUninstallString)
[[ $quiet =~ ^\"(.*)\"\ /S$ ]] || fail "cannot read '$quiet'"
"$WINE" "${BASH_REMATCH[1]}" /S
status=$?
[[ $status -eq 0 ]] || fail "the silent uninstall ended with status $status"
for _ in $(seq 600); do
  [[ ! -e $folder && ! -e $shortcut ]] && ! "$WINE" reg query "$key" >/dev/null 2>&1 && break
  sleep 0.1
done
[[ -e $folder ]] && fail "the program folder is still there: $(ls "$folder")"
[[ -e $shortcut ]] && fail "the shortcut is still there"
"$WINE" reg query "$key" >/dev/null 2>&1 && fail "the installed-apps entry is still there"
after=$(snapshot)
# The copy sits in its own folder until Windows empties the temporary folder.
left=$(cd "$profile/Temp" && find . -mindepth 1 ! -path './~nsu*.tmp' ! -path './~nsu*.tmp/Un*.exe')
[[ -z $left ]] || fail "the uninstall left in the temporary folder: $left"
[[ $after == "$before" ]] || fail "the uninstall left these behind or took them:
$(diff <(echo "$before") <(echo "$after"))"
echo "uninstalled: nothing left in the user's folders and settings"
