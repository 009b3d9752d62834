// The device emulator over real sockets: a PC namespace and a device namespace on different
// subnets of one virtual cable, replies by broadcast.
#include "platform/LinuxDatagramSocket.h"
#include "platform/PollEventLoop.h"
#include "protocol/PacketFormat.h"
#include "protocol/Rc4.h"
#include "protocol/TlvWriter.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <sched.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const uint8_t PC_MAC[6] = {0x02, 0x50, 0x43, 0x00, 0x00, 0x01};
const uint8_t DEVICE_MAC[6] = {0x00, 0x1B, 0x2C, 0x0D, 0x0E, 0x42};

using FillTlvs = std::function<void(TlvWriter&)>;

void Crypt(const std::string& key, uint8_t* data, size_t len) {
    Rc4Crypt(reinterpret_cast<const uint8_t*>(key.data()), int(key.size()), data, len);
}

// A request from the PC; every opcode but discovery is enciphered with `key`.
std::vector<uint8_t> Request(uint8_t opcode, const FillTlvs& fill, const std::string& key) {
    std::vector<uint8_t> p(REQUEST_BUFFER_SIZE);
    BuildHeader(p.data(), PC_MAC);
    p[HDR_OPCODE] = opcode;
    TlvWriter w(p.data(), p.size());
    if (fill)
        fill(w);
    p.resize(w.Size());
    if (opcode != OP_DISCOVER)
        Crypt(key, p.data() + HEADER_SIZE, w.Length());
    return p;
}

void LoginTlvs(TlvWriter& w) {
    w.Add(DEV_MAC, DEVICE_MAC, 6);
    w.AddText(TLVTYPE_OTHER_AUTH, CLIENT_AUTH_TEXT);
}

bool Sh(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class DevsimTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0 || !Sh("ip netns list"))
            GTEST_SKIP() << "needs root and ip netns";
        const std::string tag = std::to_string(::getpid());
        pc_ = "smitpc" + tag;
        dev_ = "smitdev" + tag;
        state_ = "/tmp/smit-devsim-" + tag + ".json";
        std::remove(state_.c_str());
        if (!Sh("ip netns add " + pc_) || !Sh("ip netns add " + dev_))
            GTEST_SKIP() << "cannot make network namespaces here";
        made_ = true;
        // Made inside the namespaces: parallel runs never meet on a name in the host's.
        ASSERT_TRUE(Sh("ip link add vpc netns " + pc_ + " type veth peer name vdev netns " + dev_));
        for (const std::string& ns : {pc_, dev_})
            ASSERT_TRUE(Sh("ip -n " + ns + " link set lo up && ip netns exec " + ns +
                           " sysctl -qw net.ipv4.conf.all.rp_filter=0"));
        ASSERT_TRUE(Sh("ip -n " + pc_ + " link set vpc address 02:50:43:00:00:01"));
        ASSERT_TRUE(Sh("ip -n " + pc_ + " addr add 192.168.0.100/24 dev vpc"));
        ASSERT_TRUE(Sh("ip -n " + pc_ + " link set vpc up"));
        ASSERT_TRUE(Sh("ip -n " + dev_ + " addr add 192.168.1.254/24 dev vdev"));
        ASSERT_TRUE(Sh("ip -n " + dev_ + " link set vdev up"));

        home_ = ::open("/proc/thread-self/ns/net", O_RDONLY);
        ASSERT_GE(home_, 0);
    }
    void TearDown() override {
        if (devsim_ > 0) {
            ::kill(devsim_, SIGTERM);
            int status = 0;
            ::waitpid(devsim_, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "no clean exit";
        }
        if (home_ >= 0) {
            ::setns(home_, CLONE_NEWNET);
            ::close(home_);
        }
        if (made_) {
            Sh("ip netns del " + pc_);
            Sh("ip netns del " + dev_);
        }
        std::remove(state_.c_str());
    }
    void Enter(const std::string& ns) {
        const int fd = ::open(("/run/netns/" + ns).c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::setns(fd, CLONE_NEWNET), 0);
        ::close(fd);
    }
    // Starts the emulator in the device namespace and waits for its first state.
    void StartDevsim(std::vector<std::string> args) {
        Enter(dev_);
        args.insert(args.begin(), {SIGNALMATE_DEVSIM, "--state", state_});
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ASSERT_EQ(posix_spawn(&devsim_, argv[0], nullptr, nullptr, argv.data(), environ), 0);
        Enter(pc_);
        for (int i = 0; i < 500 && ReadAll(state_).empty(); ++i)
            ::usleep(10000);
        ASSERT_FALSE(ReadAll(state_).empty()) << "the emulator did not start";
    }
    nlohmann::json State() { return nlohmann::json::parse(ReadAll(state_)); }

    // Sends one request from the PC and returns the first datagram heard back (empty if none).
    std::vector<uint8_t> Exchange(const std::vector<uint8_t>& request,
                                  std::string* srcIp = nullptr) {
        platform::PollEventLoop loop;
        platform::LinuxDatagramSocket s(loop);
        EXPECT_TRUE(s.Open("192.168.0.100", 5433, "vpc"));
        bool ready = false;
        s.SetOnReadable([&] { ready = true; });
        EXPECT_TRUE(s.SendTo(request.data(), request.size(), 5432, "255.255.255.255"));
        const uint64_t until = loop.tickCount() + 3000;
        while (!ready && loop.tickCount() < until)
            loop.processEvents(until);
        std::vector<uint8_t> buf(2048);
        uint16_t port = 0;
        std::string ip;
        const int n = ready ? s.Recv(buf.data(), buf.size(), port, ip) : -1;
        if (srcIp)
            *srcIp = ip;
        buf.resize(n > 0 ? size_t(n) : 0);
        return buf;
    }

    std::string pc_, dev_, state_;
    bool made_ = false;
    int home_ = -1;
    pid_t devsim_ = -1;
};

} // namespace

TEST_F(DevsimTest, DiscoveryAcrossSubnetsByBroadcast) {
    StartDevsim({"--mac", "00:1B:2C:0D:0E:42", "--name", "Lobby AP"});
    std::string from;
    const auto reply = Exchange(Request(OP_DISCOVER, nullptr, ""), &from);
    ASSERT_EQ(reply.size(), 18u + 2 + 8);
    EXPECT_EQ(std::string(reply.begin(), reply.begin() + 8), "SWP12345");
    EXPECT_EQ(reply[8], 2);
    EXPECT_TRUE(std::equal(DEVICE_MAC, DEVICE_MAC + 6, reply.begin() + 9));
    EXPECT_EQ(reply[15], 0);
    EXPECT_EQ(reply[17], 10);
    EXPECT_EQ(reply[18], 0x01); // DEV_NAME, plain
    EXPECT_EQ(std::string(reply.begin() + 20, reply.end()), "Lobby AP");
    EXPECT_EQ(from, "192.168.1.254");

    const auto state = State();
    ASSERT_EQ(state["requests"].size(), 1u);
    EXPECT_EQ(state["requests"][0]["op"], "OP_DISCOVER");
    EXPECT_EQ(state["requests"][0]["mac"], "02:50:43:00:00:01");
}

TEST_F(DevsimTest, LoginWithRightAndWrongPassword) {
    StartDevsim({"--mac", "00:1B:2C:0D:0E:42", "--password", "s3cret", "--login-port", "5440"});
    struct Case {
        std::string key;
        std::vector<uint8_t> area; // deciphered TLV area of the reply
        std::string outcome;
        bool loggedIn;
    } cases[] = {
        {"wrong", {0x91, 1, 0}, "wrong password", false},
        {"s3cret", {0x91, 1, 1, 0x92, 2, 0x15, 0x40}, "login ok", true},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.key);
        auto reply = Exchange(Request(OP_LOGIN, LoginTlvs, c.key));
        ASSERT_EQ(reply.size(), 18 + c.area.size());
        EXPECT_EQ(reply[15], 1);
        EXPECT_TRUE(std::equal(DEVICE_MAC, DEVICE_MAC + 6, reply.begin() + 9));
        Crypt("s3cret", reply.data() + 18, reply.size() - 18); // the device answers in its key
        EXPECT_EQ(std::vector<uint8_t>(reply.begin() + 18, reply.end()), c.area);

        const auto state = State();
        const auto& entry = state["requests"][i];
        EXPECT_EQ(entry["op"], "OP_LOGIN");
        EXPECT_EQ(entry["answers"][0]["outcome"], c.outcome);
        EXPECT_EQ(state["devices"][0]["loggedIn"], c.loggedIn);
    }
    // The right key shows the request as the tool built it.
    const auto tlvs = State()["requests"][1]["tlvs"];
    ASSERT_EQ(tlvs.size(), 2u);
    EXPECT_EQ(tlvs[0]["type"], "DEV_MAC");
    EXPECT_EQ(tlvs[0]["value"], "00:1B:2C:0D:0E:42");
    EXPECT_EQ(tlvs[1]["type"], "TLVTYPE_OTHER_AUTH");
    EXPECT_EQ(tlvs[1]["value"], CLIENT_AUTH_TEXT);
}
