// What a socket of the set tells the log when it opens, so that a user's "no device found" can
// be explained: the receive buffer obtained, and a strict reverse-path filter on its interface.
#include "protocol/CUDPSocket.h"
#include "support/FakeNetwork.h"
#include "support/LogCapture.h"
#include "support/VirtualEventLoop.h"

#include <gtest/gtest.h>

TEST(CUDPSocketOpen, LogsTheReceiveBufferAndAStrictReversePathFilter) {
    const std::string strictLine = "CUDPSocket::CreateSocket(eth1) strict rp_filter: the kernel "
                                   "drops replies from a device on another subnet";
    for (const bool strict : {false, true}) {
        SCOPED_TRACE(strict ? "strict" : "loose");
        VirtualEventLoop loop;
        FakeNetwork network;
        network.ReceiveBufferSize = 425984;
        if (strict)
            network.StrictReversePathFilter.insert("eth1");
        CUDPSocket socket(loop, network);
        socket.IPText = "192.168.0.100";
        socket.Port = 5433;
        socket.Iface = "eth1";
        LogCapture log;
        ASSERT_TRUE(socket.CreateSocket());
        EXPECT_TRUE(log.Contains(
            "CUDPSocket::CreateSocket(192.168.0.100:5433, eth1) receive buffer 425984 bytes"));
        EXPECT_EQ(log.Contains(strictLine), strict);
    }
}
