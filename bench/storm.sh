#!/usr/bin/env bash
# The discovery storm: one emulator playing COUNT devices that all answer one search within
# SPREAD ms, across subnets by broadcast, in private namespaces; counts the devices the engine
# lists and the datagrams the PC's kernel dropped for a full receive buffer.
# Usage: bench/storm.sh BUILD_DIR [COUNT [SPREAD_MS [WAIT_MS]]]   (root; not run by CTest)
set -uo pipefail
build=${1:?usage: storm.sh BUILD_DIR [COUNT [SPREAD_MS [WAIT_MS]]]}
count=${2:-1000}
spread=${3:-500}
wait_ms=${4:-4000}

export SM_CLI="$build/tools/cli/signalmate-cli"
export SM_DEVSIM="$build/tools/devsim/signalmate-devsim"
source "$(dirname "$0")/../tests/integration/netns.sh"
sm_require

sm_ns pc
sm_ns dev
sm_link pc pc0 10.77.1.2/24 dev dev0 10.77.2.9/24

# The tool runs from a copy with its log switched on, so the engine's socket lines are kept.
cp "$SM_CLI" "$SM_TMP/signalmate-cli"
: >"$SM_TMP/signalmate-cli.Log"
SM_CLI="$SM_TMP/signalmate-cli"

udp_counters() {
    ip netns exec "$SM_PREFIX-pc" awk '/^Udp:/ { if (h) { print "InDatagrams=" $2 " RcvbufErrors=" $6; exit } h = 1 }' /proc/net/snmp
}

sm_devsim dev "$SM_TMP/state.json" --count "$count" --spread "$spread"
before=$(udp_counters)
start=$(date +%s%N)
sm_cli pc discover --wait "$wait_ms"
end=$(date +%s%N)
after=$(udp_counters)
listed=$(printf '%s\n' "$OUT" | grep -c $'\t')
unique=$(printf '%s\n' "$OUT" | cut -f1 | sort -u | grep -c .)

echo "devices answering: $count within $spread ms"
echo "devices listed:    $listed (distinct MACs $unique), exit $RC, $(((end - start) / 1000000)) ms"
echo "PC UDP before:     $before"
echo "PC UDP after:      $after"
echo "engine log, socket lines:"
grep -a -i -E 'buffer|SO_RCVBUF|rcvbuf' "$SM_TMP/signalmate-cli.Log" | head -5
