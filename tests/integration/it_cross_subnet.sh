#!/usr/bin/env bash
# PC and device on different subnets of one cable, replies by broadcast: discovery, login with
# the right and a wrong password, get, set-ip static and set-wireless WPA-PSK read back, the
# input rules refusing before anything is sent, and the INI's message texts.
source "$(dirname "$0")/netns.sh"
sm_require
sm_ns pc
sm_ns dev
sm_link pc pc0 10.77.1.2/24 dev dev0 10.77.2.9/24
S="$SM_TMP/dev.json"
MAC=00:1B:2C:0D:0E:01
sm_devsim dev "$S" --mac $MAC --name "Office AP" --password secret \
    --ip 10.77.2.9 --mask 255.255.255.0 --gateway 10.77.2.1 --ssid Before

sm_cli pc discover --wait 1000
expect_rc 0 "discover"
expect_out "$MAC"$'\tOffice AP\t10.77.2.9\t10.77.1.2' "discover"

sm_cli pc discover --wait 1000 --json
expect_rc 0 "discover --json"
[ "$(printf '%s' "$OUT" | jq -r '.devices | length')" = 1 ] || sm_fail "discover --json: $OUT"
[ "$(printf '%s' "$OUT" | jq -r '.devices[0].DevIP')" = 10.77.2.9 ] || sm_fail "json DevIP: $OUT"

sm_cli pc get --wait 1000 --device 00:1b:2c:0d:0e:01 --password wrong
expect_rc 1 "wrong password"
expect_err "Unable to login the deivce." "wrong password"

sm_cli pc get --wait 1000 --device 00:1b:2c:0d:0e:01 --password secret
expect_rc 0 "get (MAC in lower case)"
for line in IPMode=0 IPAddr=10.77.2.9 NetMask=255.255.255.0 Gateway=10.77.2.1 SSID=Before \
    ChannelList=1,2,3,4,5,6,7,8,9,10,11 SecurityMode=0 WpsDevicePin=12345670; do
    expect_out "$line" "get"
done
[ "$(printf '%s\n' "$OUT" | grep -c =)" -eq 20 ] || sm_fail "get: not 20 fields: $OUT"
expect_state '.devices[0].loggedIn' "$S" false "logged out after get"

sm_cli pc get --wait 1000 --device $MAC --password secret --json
expect_rc 0 "get --json"
[ "$(printf '%s' "$OUT" | jq -r '.IPSetting.IPAddr + " " + .WlSetting.SSID')" = "10.77.2.9 Before" ] ||
    sm_fail "get --json: $OUT"

# Refused by the rules before a single datagram: the request log does not grow.
before=$(sm_state '.requests | length' "$S")
sm_cli pc set-ip --wait 1000 --device $MAC --password secret static 10.77.2.50 255.0.255.0
expect_rc 1 "bad mask"
expect_err "The Subnet Mask entered is invalid." "bad mask"
sm_cli pc set-wireless --wait 1000 --device $MAC --password secret --ssid X --security wpa-psk --psk short
expect_rc 1 "short psk"
expect_err "Passphrase should be between 8 to 63 charachers in ASCII format." "short psk"
sm_cli pc wps --wait 1000 --device $MAC --password secret pin 12a4
expect_rc 1 "bad pin"
expect_err "Invaild PIN Code" "bad pin"
expect_state '.requests | length' "$S" "$before" "nothing sent for refused input"

# The PC's own address is refused once the adapter that hears the device is known.
sm_cli pc set-ip --wait 1000 --device $MAC --password secret static 10.77.1.2 255.255.0.0
expect_rc 1 "address of the PC"
expect_err "The IP Address is the same as local host IP." "address of the PC"
expect_state '[.requests[] | select(.op == "OP_SETCONFIG")] | length' "$S" 0 "no set-config yet"

sm_cli pc set-ip --wait 1000 --device $MAC --password secret static 10.77.2.255 255.255.255.0 10.77.2.1
expect_rc 0 "set-ip static"
expect_out "IPAddr=10.77.2.254" "set-ip read back (broadcast ending taken as .254)"
expect_out "IPMode=0" "set-ip read back"
expect_state '.devices[0].config.IPAddr' "$S" 10.77.2.254 "device address"
expect_state '[.requests[] | select(.op == "OP_SETCONFIG")][-1].tlvs | map(.type) | join(",")' "$S" \
    "IP_MODE,LAN_IP,LAN_NETMASK,LAN_GATEWAY" "set-ip TLVs"
# The same values again: nothing to send.
n=$(sm_state '[.requests[] | select(.op == "OP_SETCONFIG")] | length' "$S")
sm_cli pc set-ip --wait 1000 --device $MAC --password secret static 10.77.2.254 255.255.255.0 10.77.2.1
expect_rc 0 "set-ip unchanged"
expect_state '[.requests[] | select(.op == "OP_SETCONFIG")] | length' "$S" "$n" "unchanged: not sent"

sm_cli pc set-wireless --wait 1000 --device $MAC --password secret --ssid "Home Net" \
    --security wpa-psk --wpa-mode wpa2 --psk "correct horse"
expect_rc 0 "set-wireless wpa-psk"
for line in "SSID=Home Net" SecurityMode=2 WpaMode=1 WpaCipher=1; do
    expect_out "$line" "set-wireless read back"
done
expect_state '.devices[0].config.WpaPsk' "$S" "correct horse" "device pre-shared key"
expect_state '.devices[0].config.SSID' "$S" "Home Net" "device SSID"
expect_state '[.requests[] | select(.op == "OP_SETCONFIG")][-1].tlvs | map(.type) | join(",")' "$S" \
    "WL_SSID,WL_STD_CH,WL_SECURITY_MODE,WL_WPA_MODE,WL_WPA_CIPHER,WL_WPA_PSK" "set-wireless TLVs"

# Message texts come from the INI beside the executable.
cp "$SM_CLI" "$SM_TMP/signalmate-cli"
printf '[Message]\nER_LOGIN=Anmeldung fehlgeschlagen\n' >"$SM_TMP/signalmate-cli.ini"
SM_CLI="$SM_TMP/signalmate-cli" sm_cli pc get --wait 1000 --device $MAC --password wrong
expect_rc 1 "INI text"
expect_err "Anmeldung fehlgeschlagen" "INI text"

sm_cli pc get --wait 1000 --device 00:1B:2C:0D:0E:99 --password secret
expect_rc 3 "unknown device"
expect_err "not found" "unknown device"
sm_cli pc set-ip --device $MAC static 10.77.2.50
expect_rc 2 "usage"
sm_done
