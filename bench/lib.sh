# Shared by the benchmark scripts of this folder, sourced from the project root after
# scripts/bench.sh has built the default preset: the sandbox of the end-to-end tests
# ($app, $live, $sandbox, the stand-in commands, the loopback stand-in for the
# firewall) and a little arithmetic.
root=$PWD
export LC_ALL=C
export QUENNET_BIN=$root/build/default/quennet QUENNET_SOURCE=$root \
  QUENNET_KNOCK_BIN=$root/build/default/quennet-knock QUENNET_STANDIN_BIN=$root/build/default/standins/firewall_standin
source tests/e2e/lib.sh
cd "$root"

# Arithmetic on decimal numbers, which the shell does not have.
calc() { awk "BEGIN { print $1 }"; }
holds() { if awk "BEGIN { exit !($1) }"; then echo held; else echo MISSED; fi; }
median() { printf '%s\n' "$@" | sort -g | sed -n "$((($# + 1) / 2))p"; }

# A netsh first on the PATH that notes when it started in $sandbox/netsh-started,
# then does what the stand-in does.
note_netsh_start() {
  mkdir -p "$sandbox/bin"
  printf '#!/usr/bin/env bash\necho "$EPOCHREALTIME" >> "%s"\nexec "%s" "$@"\n' \
    "$sandbox/netsh-started" "$root/standins/bin/netsh" > "$sandbox/bin/netsh"
  chmod +x "$sandbox/bin/netsh"
  export PATH="$sandbox/bin:$PATH"
}
