#!/usr/bin/env bash
# Two devices behind one switch: both listed, each configured without touching the other.
source "$(dirname "$0")/netns.sh"
sm_require
sm_ns pc
sm_ns sw
sm_ns a
sm_ns b
sm_bridge sw
sm_link pc pc0 10.77.1.2/24 sw s0 -
sm_link a dev0 10.77.2.9/24 sw s1 -
sm_link b dev0 10.77.2.10/24 sw s2 -
for p in s0 s1 s2; do sm_port sw $p; done
A="$SM_TMP/a.json"
B="$SM_TMP/b.json"
sm_devsim a "$A" --mac 00:1B:2C:0D:0E:0A --name first --ip 10.77.2.9
sm_devsim b "$B" --mac 00:1B:2C:0D:0E:0B --name second --ip 10.77.2.10

sm_cli pc discover --wait 1500
expect_rc 0 "discover"
expect_out $'00:1B:2C:0D:0E:0A\tfirst\t10.77.2.9\t10.77.1.2' "first listed"
expect_out $'00:1B:2C:0D:0E:0B\tsecond\t10.77.2.10\t10.77.1.2' "second listed"

sm_cli pc set-wireless --wait 1000 --device 00:1B:2C:0D:0E:0B --ssid OnlyB --security wep \
    --wep-length 64 --wep-key 0a1b2c3d4e --auth shared
expect_rc 0 "set-wireless WEP on the second"
expect_out "SSID=OnlyB" "read back from the second"
expect_state '.devices[0].config.WepKey' "$B" 0A1B2C3D4E "hex WEP key in upper case"
expect_state '.devices[0].config.AuthMode' "$B" 1 "shared authentication"
expect_state '.devices[0].config.SSID' "$A" Signalmate "the first keeps its name"
# Every request is a broadcast, so the first hears the login too, but names it not and keeps quiet.
expect_state '[.requests[] | select(.op == "OP_LOGIN")] | length' "$A" 1 "the first heard the login"
expect_state '[.requests[] | select(.op == "OP_LOGIN") | .answers[]] | length' "$A" 0 \
    "the first did not answer the login"
expect_state '.devices[0].loggedIn' "$A" false "the first is not logged in"
sm_done
