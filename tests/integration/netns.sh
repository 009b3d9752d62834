# Helpers for the integration scripts: private network namespaces joined by veth pairs, the
# emulator and the command-line tool run inside them, and checks on what they printed.
# Sourced; expects SM_CLI and SM_DEVSIM to name the two programs.
# Nothing here touches the machine's own namespace beyond creating and deleting ours.

SKIP=77
SM_PREFIX="sm$$"
SM_NAMESPACES=()
SM_PIDS=()
SM_FAILED=0
SM_TMP=$(mktemp -d "${TMPDIR:-/tmp}/sm-it-XXXXXX")

sm_cleanup() {
    local pid ns
    for pid in "${SM_PIDS[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${SM_PIDS[@]}"; do
        wait "$pid" 2>/dev/null
    done
    for ns in "${SM_NAMESPACES[@]}"; do
        ip netns del "$ns" 2>/dev/null
    done
    rm -rf "$SM_TMP"
}
trap sm_cleanup EXIT
trap 'exit 1' INT TERM

sm_skip() {
    echo "SKIPPED: $*"
    exit $SKIP
}

sm_fail() {
    echo "FAIL: $*"
    SM_FAILED=1
}

# Namespaces need root and a kernel that lets us make them; otherwise the test is skipped.
sm_require() {
    [ "$(id -u)" -eq 0 ] || sm_skip "not root: network namespaces cannot be made"
    command -v ip >/dev/null || sm_skip "ip (iproute2) not installed"
    [ -x "$SM_CLI" ] || { echo "FAIL: no signalmate-cli at '$SM_CLI'"; exit 1; }
    [ -x "$SM_DEVSIM" ] || { echo "FAIL: no signalmate-devsim at '$SM_DEVSIM'"; exit 1; }
}

# sm_ns NAME: a fresh namespace "$SM_PREFIX-NAME" with loopback up and loose source checks.
sm_ns() {
    local ns="$SM_PREFIX-$1"
    if ! ip netns add "$ns" 2>/dev/null; then
        [ ${#SM_NAMESPACES[@]} -eq 0 ] && sm_skip "cannot create a network namespace"
        echo "FAIL: ip netns add $ns"
        exit 1
    fi
    SM_NAMESPACES+=("$ns")
    ip -n "$ns" link set lo up
    # Devices on another subnet answer by broadcast; a strict source check would drop them.
    ip netns exec "$ns" sysctl -qw net.ipv4.conf.all.rp_filter=0 net.ipv4.conf.default.rp_filter=0
}

# sm_link NS1 IF1 ADDR1/LEN NS2 IF2 ADDR2/LEN: a veth pair between two of our namespaces
# ("-" for no address, as on a switch port).
sm_link() {
    local ns1="$SM_PREFIX-$1" ns2="$SM_PREFIX-$4"
    ip link add "$2" netns "$ns1" type veth peer name "$5" netns "$ns2" || exit 1
    [ "$3" = - ] || ip -n "$ns1" addr add "$3" dev "$2"
    [ "$6" = - ] || ip -n "$ns2" addr add "$6" dev "$5"
    ip -n "$ns1" link set "$2" up
    ip -n "$ns2" link set "$5" up
    ip netns exec "$ns1" sysctl -qw "net.ipv4.conf.$2.rp_filter=0"
    ip netns exec "$ns2" sysctl -qw "net.ipv4.conf.$5.rp_filter=0"
}

# sm_bridge NS: a bridge br0 in namespace NS; sm_port NS IF puts IF on it.
sm_bridge() {
    ip -n "$SM_PREFIX-$1" link add br0 type bridge
    ip -n "$SM_PREFIX-$1" link set br0 up
}
sm_port() {
    ip -n "$SM_PREFIX-$1" link set "$2" master br0
}

# sm_devsim NS STATEFILE ARGS...: the emulator in the background, waiting until it listens.
sm_devsim() {
    local ns="$SM_PREFIX-$1" state="$2"
    shift 2
    ip netns exec "$ns" "$SM_DEVSIM" --state "$state" "$@" >"$state.out" 2>&1 &
    SM_PIDS+=($!)
    local i
    for i in $(seq 50); do
        [ -s "$state" ] && return 0
        kill -0 "${SM_PIDS[-1]}" 2>/dev/null || break
        sleep 0.1
    done
    echo "FAIL: emulator did not start: $(cat "$state.out")"
    exit 1
}

# sm_cli NS ARGS...: runs the tool in NS; sets OUT, ERR and RC.
sm_cli() {
    local ns="$SM_PREFIX-$1"
    shift
    ip netns exec "$ns" "$SM_CLI" "$@" >"$SM_TMP/out" 2>"$SM_TMP/err"
    RC=$?
    OUT=$(cat "$SM_TMP/out")
    ERR=$(cat "$SM_TMP/err")
}

# Checks on the last sm_cli run; each failure is reported and the script goes on.
expect_rc() {
    [ "$RC" -eq "$1" ] || sm_fail "$2: exit $RC, expected $1; stderr: $ERR"
}
expect_out() { # a whole line of stdout
    printf '%s\n' "$OUT" | grep -qxF -- "$1" || sm_fail "$2: no line '$1' in: $OUT"
}
expect_no_out() {
    printf '%s\n' "$OUT" | grep -qF -- "$1" && sm_fail "$2: unexpected '$1' in: $OUT"
}
expect_err() { # stderr is exactly one line with this text in it
    [ "$(printf '%s\n' "$ERR" | wc -l)" -eq 1 ] || sm_fail "$2: stderr not one line: $ERR"
    printf '%s\n' "$ERR" | grep -qF -- "$1" || sm_fail "$2: stderr lacks '$1': $ERR"
}

sm_done() {
    [ "$SM_FAILED" -eq 0 ] && echo "PASS" && exit 0
    exit 1
}

# jq FILTER STATEFILE: one value from the emulator's state file.
sm_state() {
    jq -r "$1" "$2"
}
expect_state() { # FILTER STATEFILE EXPECTED WHAT
    local got
    got=$(sm_state "$1" "$2")
    [ "$got" = "$3" ] || sm_fail "$4: state $1 is '$got', expected '$3'"
}
