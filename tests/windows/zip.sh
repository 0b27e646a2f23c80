#!/usr/bin/env bash
# The portable zip: exactly the two programs as built, the licence and the read-me as plain text
# with CRLF line ends, entries sorted with no extra attributes; then octave-table.exe unpacked
# from it run in a new wine prefix of its own against the native octave-table.
#   zip.sh STATE ZIP KELVARO.exe OCTAVE-TABLE.exe NATIVE_OCTAVE_TABLE LICENSE OUT
set -uo pipefail
state=$1 zip=$(realpath "$2") kelvaro=$3 octave_table=$4 native=$5 licence=$6 out=$7
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
scripts=$here/../../scripts/windows

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
finish() { "$scripts/wine-session" stop "$state"; }
trap finish EXIT

rm -rf "$out"
mkdir -p "$out/unpacked"
(cd "$out/unpacked" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
# The entries as stored: in order, without extra fields (Unix times, owners), all at one time.
names=$(zipinfo -1 "$zip" | tr '\n' ' ')
[[ $names == "LICENSE.txt README.txt kelvaro.exe octave-table.exe " ]] || fail "the zip holds $names"
extras=$(zipinfo -v "$zip" | grep -c -E 'length of extra field: +0 bytes')
[[ $extras -eq 4 ]] || fail "$((4 - extras)) entries of the zip have extra fields"
times=$(zipinfo -T -s "$zip" | awk '/^-/ { print $7 }' | sort -u)
[[ $(wc -l <<<"$times") -eq 1 ]] || fail "the zip's entries have different times: $times"
echo "zip entries: $names(no extra fields, all at $times)"
cmp -s "$out/unpacked/kelvaro.exe" "$kelvaro" || fail "kelvaro.exe in the zip is not the one built"
cmp -s "$out/unpacked/octave-table.exe" "$octave_table" ||
  fail "octave-table.exe in the zip is not the one built"
for text in LICENSE.txt README.txt; do
  file=$out/unpacked/$text
  [[ -s $file ]] || fail "$text is empty"
  grep -q -v $'\r$' "$file" && fail "$text has a line without CRLF"
  LC_ALL=C grep -q -P '[^\t\r\n\x20-\x7e]' "$file" && fail "$text is not plain ASCII text"
done
cmp -s <(tr -d '\r' <"$out/unpacked/LICENSE.txt") "$licence" || fail "LICENSE.txt is not the licence"
echo "texts: LICENSE.txt and README.txt, ASCII with CRLF line ends"

rm -rf "$state"
"$scripts/wine-session" start "$state" || fail "no wine session"
cmake "-DEMULATOR=$scripts/wine-run;$state" "-DWINDOWS=$out/unpacked/octave-table.exe" \
  "-DNATIVE=$native" "-DOUT=$out/octave-table-compare" -P "$here/CompareOctaveTable.cmake" ||
  fail "octave-table.exe from the zip against the native one"
