#include "platform/LinuxDatagramSocket.h"
#include "platform/LinuxNetwork.h"
#include "platform/PollEventLoop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <net/if.h>
#include <sched.h>
#include <string>
#include <unistd.h>

using platform::Adapter;
using platform::LinuxDatagramSocket;
using platform::LinuxNetwork;

namespace {

// Every test here runs in a network namespace of its own process, never in the machine's.
// A fresh one per call: the previous one goes away with its interfaces. Its descriptor, or -1.
int EnterPrivateNamespace() {
    if (geteuid() != 0 || ::unshare(CLONE_NEWNET) != 0 ||
        std::system("ip link set lo up >/dev/null 2>&1") != 0)
        return -1;
    return ::open("/proc/thread-self/ns/net", O_RDONLY); // inherited by the ip commands
}

bool Sh(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

void WriteSysctl(const std::string& path, int value) {
    std::ofstream(path) << value;
}

class LinuxNetworkTest : public ::testing::Test {
protected:
    // The PC's namespace, where the test runs, and a device's, joined by veth pairs.
    void SetUp() override {
        devNs_ = EnterPrivateNamespace();
        pcNs_ = devNs_ >= 0 ? EnterPrivateNamespace() : -1;
        if (pcNs_ < 0)
            GTEST_SKIP() << "cannot make a private network namespace (needs root and unshare)";
    }
    void TearDown() override {
        for (int fd : {pcNs_, devNs_})
            if (fd >= 0)
                ::close(fd);
    }
    // Runs fn with the device's namespace current: sockets made there stay there.
    template <typename F> void InDevice(F fn) {
        ASSERT_EQ(::setns(devNs_, CLONE_NEWNET), 0);
        fn();
        ASSERT_EQ(::setns(pcNs_, CLONE_NEWNET), 0);
    }
    // A cable from the PC's end `a` to the device's end `b`.
    void Cable(const std::string& a, const std::string& b, const std::string& addrA,
               const std::string& addrB) {
        ASSERT_TRUE(Sh("ip link add " + a + " type veth peer name " + b + " netns /proc/self/fd/" +
                       std::to_string(devNs_)));
        ASSERT_TRUE(Sh("ip addr add " + addrA + " dev " + a));
        ASSERT_TRUE(Sh("ip link set " + a + " up"));
        InDevice([&] {
            ASSERT_TRUE(Sh("ip addr add " + addrB + " dev " + b));
            ASSERT_TRUE(Sh("ip link set " + b + " up"));
        });
    }
    int pcNs_ = -1, devNs_ = -1;
    // A veth pair, both ends up, each end with the given addresses ("" for none).
    void Pair(const std::string& a, const std::string& b, std::vector<std::string> addrA,
              std::vector<std::string> addrB) {
        ASSERT_TRUE(Sh("ip link add " + a + " type veth peer name " + b));
        for (const auto& x : addrA)
            ASSERT_TRUE(Sh("ip addr add " + x + " dev " + a));
        for (const auto& x : addrB)
            ASSERT_TRUE(Sh("ip addr add " + x + " dev " + b));
        ASSERT_TRUE(Sh("ip link set " + a + " up"));
        ASSERT_TRUE(Sh("ip link set " + b + " up"));
    }
    // Runs the loop until the socket has a datagram or a generous bound passes.
    bool WaitReadable(platform::PollEventLoop& loop, LinuxDatagramSocket& s) {
        bool ready = false;
        s.SetOnReadable([&] { ready = true; });
        const uint64_t until = loop.tickCount() + 3000;
        while (!ready && loop.tickCount() < until)
            loop.processEvents(until);
        s.SetOnReadable({});
        return ready;
    }
};

const Adapter* Find(const std::vector<Adapter>& list, const std::string& name) {
    for (const auto& a : list)
        if (a.Description == name)
            return &a;
    return nullptr;
}

} // namespace

TEST(LinuxNetworkRoutes, FirstDefaultGatewayPerInterface) {
    // Addresses as the kernel prints them: the stored network-order word in hex.
    const std::string table =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "eth0\t0000A8C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"   // subnet route
        "eth0\t00000000\t0100A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n" // default, metric 100
        "eth0\t00000000\t0200A8C0\t0003\t0\t0\t50\t00000000\t0\t0\t0\n"  // default, metric 50
        "eth1\t00000000\t01010A0A\t0001\t0\t0\t0\t00000000\t0\t0\t0\n"   // no gateway flag
        "eth2\t00000000\t01020A0A\t0002\t0\t0\t0\t00000000\t0\t0\t0\n"   // not up
        "eth3\t00010000\t01030A0A\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"   // not a default
        "eth4\t00000000\t01040A0A\t0003\t0\t0\t7\t00000000\t0\t0\t0\n"
        "eth4\t00000000\t02040A0A\t0003\t0\t0\t7\t00000000\t0\t0\t0\n" // tie: first wins
        "garbage\n";
    const auto gw = LinuxNetwork::ParseDefaultGateways(table);
    EXPECT_EQ(gw.size(), 2u);
    EXPECT_EQ(gw.at("eth0"), "192.168.0.2");
    EXPECT_EQ(gw.at("eth4"), "10.10.4.1");
}

TEST_F(LinuxNetworkTest, AdaptersOfTheNamespaceWithAddressesMasksMacAndGateway) {
    Pair("smA0", "smA1", {"10.1.0.2/24", "10.1.1.2/16"}, {"10.1.0.3/24"});
    ASSERT_TRUE(Sh("ip link set smA0 address 02:11:22:33:44:55"));
    ASSERT_TRUE(Sh("ip route add default via 10.1.0.1 dev smA0 metric 20"));
    ASSERT_TRUE(Sh("ip route add default via 10.1.0.9 dev smA0 metric 10"));
    // An interface that is down is no adapter, whatever its addresses.
    ASSERT_TRUE(Sh("ip link add smD0 type veth peer name smD1"));
    ASSERT_TRUE(Sh("ip addr add 10.9.0.1/24 dev smD0"));

    LinuxNetwork net;
    auto list = net.GetAdapters();
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(Find(*list, "lo"), nullptr);
    EXPECT_EQ(Find(*list, "smD0"), nullptr);
    EXPECT_EQ(Find(*list, "smD1"), nullptr);
    ASSERT_EQ(list->size(), 2u);
    // The system's order: by interface index.
    EXPECT_LT(if_nametoindex((*list)[0].Description.c_str()),
              if_nametoindex((*list)[1].Description.c_str()));

    const Adapter* a = Find(*list, "smA0");
    ASSERT_NE(a, nullptr);
    const uint8_t mac[6] = {0x02, 0x11, 0x22, 0x33, 0x44, 0x55};
    EXPECT_TRUE(std::equal(mac, mac + 6, a->MAC));
    ASSERT_EQ(a->Addresses.size(), 2u);
    EXPECT_EQ(a->Addresses[0].IPText, "10.1.0.2");
    EXPECT_EQ(a->Addresses[0].MaskText, "255.255.255.0");
    EXPECT_EQ(a->Addresses[1].IPText, "10.1.1.2");
    EXPECT_EQ(a->Addresses[1].MaskText, "255.255.0.0");
    EXPECT_EQ(a->GatewayText, "10.1.0.9");

    const Adapter* b = Find(*list, "smA1");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GatewayText, "");
    ASSERT_EQ(b->Addresses.size(), 1u);
}

TEST_F(LinuxNetworkTest, NoAdapterAtAllIsNull) {
    LinuxNetwork net;
    EXPECT_FALSE(net.GetAdapters().has_value()); // only loopback here
}

TEST_F(LinuxNetworkTest, SocketOnAnInterfaceHearsItsBroadcastsAndUnicastOnly) {
    Cable("smB0", "smB1", "10.2.0.1/24", "10.2.0.2/24");
    ASSERT_TRUE(Sh("ip addr add 10.2.5.1/24 dev smB0"));
    Cable("smC0", "smC1", "10.3.0.1/24", "10.3.0.2/24");
    platform::PollEventLoop loop;

    // The tool's side: one socket per adapter on the same port, as the socket set opens them.
    LinuxDatagramSocket onB(loop), onC(loop);
    ASSERT_TRUE(onB.Open("10.2.0.1", 5433, "smB0"));
    ASSERT_TRUE(onC.Open("10.3.0.1", 5433, "smC0"));
    std::string ip;
    uint16_t port = 0;
    ASSERT_TRUE(onB.LocalName(ip, port));
    EXPECT_EQ(ip, "10.2.0.1");
    EXPECT_EQ(port, 5433);
    EXPECT_FALSE(onB.HasPending());
    uint8_t buf[2048];
    std::string src;
    uint16_t srcPort = 0;
    EXPECT_EQ(onB.Recv(buf, sizeof buf, srcPort, src), -1);

    // The device's side, on the peer end of the first cable.
    LinuxDatagramSocket device(loop);
    InDevice([&] { ASSERT_TRUE(device.Open("10.2.0.2", 5432, "smB1")); });
    const uint8_t hello[] = {'h', 'i'};
    ASSERT_TRUE(device.SendTo(hello, sizeof hello, 5433, "255.255.255.255"));
    ASSERT_TRUE(WaitReadable(loop, onB));
    EXPECT_TRUE(onB.HasPending());
    ASSERT_EQ(onB.Recv(buf, sizeof buf, srcPort, src), 2);
    EXPECT_EQ(src, "10.2.0.2");
    EXPECT_EQ(srcPort, 5432);
    EXPECT_FALSE(onB.HasPending());
    EXPECT_FALSE(onC.HasPending()); // another interface's socket does not hear it

    ASSERT_TRUE(device.SendTo(hello, 1, 5433, "10.2.0.1"));
    ASSERT_TRUE(WaitReadable(loop, onB));
    EXPECT_EQ(onB.Recv(buf, sizeof buf, srcPort, src), 1);

    // A broadcast from a socket on the secondary address leaves with that address as source.
    LinuxDatagramSocket second(loop);
    ASSERT_TRUE(second.Open("10.2.5.1", 5434, "smB0"));
    ASSERT_TRUE(second.SendTo(hello, sizeof hello, 5432, "255.255.255.255"));
    ASSERT_TRUE(WaitReadable(loop, device));
    ASSERT_EQ(device.Recv(buf, sizeof buf, srcPort, src), 2);
    EXPECT_EQ(src, "10.2.5.1");
    EXPECT_EQ(srcPort, 5434);

    // As root the large buffer is granted.
    EXPECT_GE(onB.ReceiveBufferSize(), LinuxDatagramSocket::WANTED_RCVBUF);

    onB.Close();
    EXPECT_FALSE(onB.IsOpen());
    EXPECT_FALSE(onB.SendTo(hello, 1, 5433, "10.2.0.2"));
}

TEST_F(LinuxNetworkTest, StrictReversePathFilterIsFoundWhenTheSocketOpens) {
    Pair("smR0", "smR1", {"10.4.0.1/24"}, {});
    struct Case {
        int all, own, effective;
        bool strict;
    } cases[] = {
        {0, 0, 0, false}, {0, 1, 1, true}, {1, 0, 1, true}, {2, 1, 2, false}, {0, 2, 2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "all=" << c.all << " own=" << c.own);
        WriteSysctl("/proc/sys/net/ipv4/conf/all/rp_filter", c.all);
        WriteSysctl("/proc/sys/net/ipv4/conf/smR0/rp_filter", c.own);
        EXPECT_EQ(LinuxNetwork::ReversePathFilter("smR0"), c.effective);
        platform::PollEventLoop loop;
        LinuxDatagramSocket s(loop);
        ASSERT_TRUE(s.Open("10.4.0.1", 5433, "smR0"));
        EXPECT_EQ(s.StrictReversePathFilter(), c.strict);
    }
    // The last row left "all" at 0: an unknown interface falls back to it.
    EXPECT_EQ(LinuxNetwork::ReversePathFilter("no-such-if"), 0);
}
