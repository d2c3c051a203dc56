#!/usr/bin/env bash
# Usage: restamp-log.sh ANCHOR_STAMP EPOCH < firewall.log > shifted.log
# Moves every time stamp of a firewall log by the same amount, so that the entry
# stamped ANCHOR_STAMP (yyyy-mm-dd hh:mm:ss, local time) lands on EPOCH. Other
# lines and the CR LF line ends are kept as they are.
set -euo pipefail
offset=$(( $2 - $(date -d "$1" +%s) ))
stamp='^([0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2})(.*)$'
while IFS= read -r line || [ -n "$line" ]; do
  if [[ $line =~ $stamp ]]; then
    moved=$(date -d "@$(( $(date -d "${BASH_REMATCH[1]}" +%s) + offset ))" '+%Y-%m-%d %H:%M:%S')
    line="$moved${BASH_REMATCH[2]}"
  fi
  printf '%s\n' "$line"
done
