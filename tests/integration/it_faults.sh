#!/usr/bin/env bash
# Replies that never come: a silent search, a WPS failure and a WPS PIN sent as eight digits.
source "$(dirname "$0")/netns.sh"
sm_require
sm_ns pc
sm_ns dev
sm_link pc pc0 10.77.1.2/24 dev dev0 10.77.2.9/24
S="$SM_TMP/dev.json"
MAC=00:1B:2C:0D:0E:01
sm_devsim dev "$S" --mac $MAC --ip 10.77.2.9 --drop discover:1 --wps-script failure --wps-step 100

sm_cli pc discover --wait 800
expect_rc 3 "search dropped"
expect_err "no device found" "search dropped"

sm_cli pc wps --wait 1000 --device $MAC pin 1234
expect_rc 1 "wps failure status"
expect_out "2 WSC Fail(Ignore this if Intel/Marvell registrar used)" "failure status printed"
expect_err "Unable to connect to the device." "wps failure"
expect_state '[.requests[] | select(.op == "OP_SETCONFIG")][-1].tlvs[0].value' "$S" 00001234 \
    "PIN as eight digits"
sm_done
