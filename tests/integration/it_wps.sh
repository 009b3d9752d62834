#!/usr/bin/env bash
# WPS by push button with its status events; a device that drops every login.
source "$(dirname "$0")/netns.sh"
sm_require
sm_ns pc
sm_ns dev
sm_ns bad
sm_link pc pc0 10.77.1.2/24 dev dev0 10.77.2.9/24
sm_link pc pc1 10.77.5.2/24 bad dev0 10.77.6.9/24
S="$SM_TMP/dev.json"
MAC=00:1B:2C:0D:0E:01
sm_devsim dev "$S" --mac $MAC --ip 10.77.2.9 --wps-script success --wps-step 100

sm_cli pc wps --wait 1000 --device $MAC pbc
expect_rc 0 "wps pbc"
expect_out "3 Start WSC Process" "first status"
expect_out "34 Configured" "final status"
first=$(printf '%s\n' "$OUT" | head -1)
[ "$first" = "3 Start WSC Process" ] || sm_fail "statuses in order, got first '$first'"
expect_out "SSID=Signalmate" "configuration read back after WPS"
expect_state '[.requests[] | select(.op == "OP_SETCONFIG")][-1].tlvs | map(.type) | join(",")' "$S" \
    WL_WPS_PBC "push button request"

# A device behind the second adapter drops every login.
D="$SM_TMP/bad.json"
sm_devsim bad "$D" --mac 00:1B:2C:0D:0E:0D --ip 10.77.6.9 --drop login:99
sm_cli pc get --wait 1000 --device 00:1B:2C:0D:0E:0D
expect_rc 3 "login dropped"
expect_err "Unable to login the deivce." "login dropped"
expect_state '[.requests[] | select(.op == "OP_LOGIN")] | length' "$D" 1 "one login, no retry"
sm_done
