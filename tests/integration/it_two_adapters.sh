#!/usr/bin/env bash
# A PC with two adapters, one device behind each: each listed with the adapter that heard it.
source "$(dirname "$0")/netns.sh"
sm_require
sm_ns pc
sm_ns a
sm_ns b
sm_link pc pc0 10.77.1.2/24 a dev0 10.77.2.9/24
sm_link pc pc1 10.77.3.2/24 b dev0 10.77.4.9/24
A="$SM_TMP/a.json"
B="$SM_TMP/b.json"
sm_devsim a "$A" --mac 00:1B:2C:0D:0E:0A --name left --ip 10.77.2.9
sm_devsim b "$B" --mac 00:1B:2C:0D:0E:0B --name right --ip 10.77.4.9

sm_cli pc discover --wait 1500
expect_rc 0 "discover"
expect_out $'00:1B:2C:0D:0E:0A\tleft\t10.77.2.9\t10.77.1.2' "device behind pc0"
expect_out $'00:1B:2C:0D:0E:0B\tright\t10.77.4.9\t10.77.3.2' "device behind pc1"
[ "$(printf '%s\n' "$OUT" | grep -c .)" -eq 2 ] || sm_fail "each device once: $OUT"

for dev in A:00:1B:2C:0D:0E:0A B:00:1B:2C:0D:0E:0B; do
    sm_cli pc get --wait 1000 --device "${dev#*:}"
    expect_rc 0 "get ${dev%%:*}"
done
expect_out "IPAddr=10.77.4.9" "get through the second adapter"
# The PC's address on the adapter that hears the device is refused as the device's.
sm_cli pc set-ip --wait 1000 --device 00:1B:2C:0D:0E:0B static 10.77.3.2 255.255.255.0
expect_rc 1 "PC address on pc1"
expect_err "The IP Address is the same as local host IP." "PC address on pc1"
sm_done
