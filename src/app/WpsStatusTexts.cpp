#include "app/WpsStatusTexts.h"

namespace {

struct WpsStatusEntry {
    uint32_t Code;
    const char* Text;
};

const WpsStatusEntry WpsStatuses[] = {
    {0, "Not used"},
    {1, "Idle"},
    {2, "WSC Fail(Ignore this if Intel/Marvell registrar used)"},
    {3, "Start WSC Process"},
    {4, "Received EAPOL-Start"},
    {5, "Sending EAP-Req(ID)"},
    {6, "Receive EAP-Rsp(ID)"},
    {7, "Receive EAP-Req with wrong WSC SMI Vendor Id"},
    {8, "Receive EAPReq with wrong WSC Vendor Type"},
    {9, "Sending EAP-Req(WSC_START)"},
    {10, "Send M1"},
    {11, "Received M1"},
    {12, "Send M2"},
    {13, "Received M2"},
    {14, "Received M2D"},
    {15, "Send M3"},
    {16, "Received M3"},
    {17, "Send M4"},
    {18, "Received M4"},
    {19, "Send M5"},
    {20, "Received M5"},
    {21, "Send M6"},
    {22, "Received M6"},
    {23, "Send M7"},
    {24, "Received M7"},
    {25, "Send M8"},
    {26, "Received M8"},
    {27, "Processing EAP Response (ACK)"},
    {28, "Processing EAP Request (Done)"},
    {29, "Processing EAP Response (Done)"},
    {30, "Sending EAP-Fail"},
    {31, "WSC_ERROR_HASH_FAIL"},
    {32, "WSC_ERROR_HMAC_FAIL"},
    {33, "WSC_ERROR_DEV_PWD_AUTH_FAIL"},
    {34, "Configured"},
    {35, "SCAN AP"},
    {36, "EAPOL START SENT"},
    {37, "WSC_EAP_RSP_DONE_SENT"},
    {38, "WAIT PINCODE"},
    {257, "PBC:TOO MANY AP"},
    {258, "PBC:NO AP"},
    {259, "EAP_FAIL_RECEIVED"},
    {260, "EAP_NONCE_MISMATCH"},
    {261, "EAP_INVALID_DATA"},
    {262, "PASSWORD_MISMATCH"},
    {263, "EAP_REQ_WRONG_SMI"},
    {264, "EAP_REQ_WRONG_VENDOR_TYPE"},
};

} // namespace

const char* WpsStatusText(uint32_t code) {
    for (const WpsStatusEntry& e : WpsStatuses)
        if (e.Code == code)
            return e.Text;
    return "Unknown";
}
