#!/usr/bin/env bash
# PC and device on one subnet, the device answering by unicast to the sender.
source "$(dirname "$0")/netns.sh"
sm_require
sm_ns pc
sm_ns dev
sm_link pc pc0 10.77.1.2/24 dev dev0 10.77.1.9/24
S="$SM_TMP/dev.json"
MAC=00:1B:2C:0D:0E:01
sm_devsim dev "$S" --mac $MAC --ip 10.77.1.9 --mask 255.255.255.0 --gateway 10.77.1.1 --reply unicast

sm_cli pc discover --wait 1000
expect_rc 0 "discover"
expect_out "$MAC"$'\tNV-5180RX\t10.77.1.9\t10.77.1.2' "discover"
expect_state '[.requests[] | select(.op == "OP_DISCOVER")][0].from' "$S" "10.77.1.2:5433" "request source"

sm_cli pc set-wireless --wait 1000 --device $MAC --ssid Plain
expect_rc 0 "set-wireless none (default password)"
expect_out "SSID=Plain" "read back"
expect_out "SecurityMode=0" "read back"
expect_state '[.requests[] | select(.op == "OP_SETCONFIG")][-1].tlvs | map(.type) | join(",")' "$S" \
    "WL_SSID,WL_STD_CH,WL_SECURITY_MODE" "security none sends three TLVs"

sm_cli pc set-ip --wait 1000 --device $MAC dhcp
expect_rc 0 "set-ip dhcp"
expect_out "IPMode=1" "read back"
expect_state '.devices[0].config.IPMode' "$S" 1 "device in automatic mode"
sm_done
