#!/usr/bin/env bash
# Program files carry nothing of the machine that built them: the linker's time stamp is 0, and
# none of its folders (the sources, the build, the Qt for Windows, the user's home) is in them,
# in the system's code page or in UTF-16.
#   no-build-machine.sh PROGRAM.exe... -- FOLDER...
set -uo pipefail
programs=()
while [[ $# -gt 0 && $1 != -- ]]; do
  programs+=("$1")
  shift
done
shift
folders=("$@")
[[ -n ${HOME:-} && $HOME != / ]] && folders+=("$HOME/")

failed=0
for program in "${programs[@]}"; do
  name=$(basename "$program")
  bad=0
  pe=$(od -A n -t u4 -j 60 -N 4 "$program" | tr -d ' ')
  stamp=$(od -A n -t u4 -j $((pe + 8)) -N 4 "$program" | tr -d ' ')
  if [[ $stamp != 0 ]]; then
    echo "FAIL: $name has the time stamp $(date -u -d "@$stamp")" >&2
    bad=1
  fi
  for folder in "${folders[@]}"; do
    wide=$(printf '%s' "$folder" | od -A n -v -t x1 | xargs printf '\\x%s\\x00')
    if grep -a -q -F -- "$folder" "$program" || LC_ALL=C grep -a -q -P -- "$wide" "$program"; then
      echo "FAIL: $name holds $folder" >&2
      bad=1
    fi
  done
  if [[ $bad == 0 ]]; then
    echo "$name: time stamp 0, none of ${#folders[@]} folders of this machine"
  else
    failed=1
  fi
done
exit $failed
