#include "sim/TcpEndpoint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <thread>

#include "support/LoopbackClient.h"
#include "ReceiverHarness.h"
#include "sim/ReceiverServer.h"

namespace kestrion::test {
namespace {

// A program on the other end of the connection, decoding the receiver's frames.
class CTcpProgram : public CLoopbackClient, private IFrameSink {
public:
    using CLoopbackClient::CLoopbackClient;

    void Command(const std::vector<uint8_t>& payload) { ASSERT_TRUE(Send(BuildCommandFrame(payload))); }
    // Reads until `count` frames of the MID have come, up to ten seconds.
    bool WaitFor(uint8_t mid, long count)
    {
        for (int attempt = 0; attempt < 1000 && std::ranges::count(mids, mid) < count; ++attempt) {
            const bool open = ReadSome();
            m_framer.Accept(received.data(), received.size());
            received.clear();
            if (!open) {
                break;
            }
        }
        return std::ranges::count(mids, mid) >= count;
    }

    std::vector<uint8_t> mids;

private:
    void OnFrame(std::span<const uint8_t> payload) override { mids.push_back(payload[0]); }
    void OnSentence(std::span<const uint8_t>) override {}

    CQuietHost m_host;
    CSerialFramer m_framer{*this, m_host};
};

// The simulator's loop on its own thread, as simulate --listen runs it.
class TcpEndpointTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(endpoint.Open("tcp://127.0.0.1:0", SteadyNowMs()), "");
        m_server = std::thread([this] { ServeReceiver(endpoint, m_model, m_stop); });
    }
    void TearDown() override
    {
        m_stop = true;
        if (m_server.joinable()) {
            m_server.join();
        }
    }
    std::vector<std::string> Notices()
    {
        const std::lock_guard lock(m_lock);
        return m_notices;
    }

    CTcpEndpoint endpoint{[this](const std::string& notice) {
        const std::lock_guard lock(m_lock);
        m_notices.push_back(notice);
    }};

private:
    std::mutex m_lock;
    std::vector<std::string> m_notices;
    CReceiverModel m_model{{}, SteadyNowMs()};
    std::atomic<bool> m_stop{false};
    std::thread m_server;
};

TEST_F(TcpEndpointTest, ServesTheReceiverToOneProgramAtATimeAndTheNextWhenItLeaves)
{
    ASSERT_TRUE(endpoint.Address().starts_with("tcp://127.0.0.1:"));
    EXPECT_NE(endpoint.Address(), "tcp://127.0.0.1:0") << "the port the system picked";

    CTcpProgram first(endpoint.Address());
    ASSERT_TRUE(first.Connected());
    first.Command({0x84, 0x00});
    EXPECT_TRUE(first.WaitFor(6, 1)) << "the version poll is answered";
    EXPECT_TRUE(first.WaitFor(2, 2)) << "navigation every second";

    // The next program waits in the listener's queue until the first leaves.
    CTcpProgram second(endpoint.Address());
    ASSERT_TRUE(second.Connected());
    first.Close();
    EXPECT_TRUE(second.WaitFor(2, 2));
    EXPECT_TRUE(second.WaitFor(4, 1)) << "and tracker data";

    const std::vector<std::string> notices = Notices();
    ASSERT_EQ(notices.size(), 3u);
    EXPECT_TRUE(notices[0].starts_with("client 127.0.0.1:") && notices[0].ends_with(" connected")) << notices[0];
    EXPECT_EQ(notices[1], notices[0].substr(0, notices[0].size() - 9) + "left");
    EXPECT_NE(notices[2], notices[0]) << "another client port";
}

TEST_F(TcpEndpointTest, AConnectionFollowsTheReceiversBaudChange)
{
    CTcpProgram program(endpoint.Address());
    ASSERT_TRUE(program.Connected());
    ASSERT_TRUE(program.WaitFor(2, 1));
    // A pseudo-terminal left at 38400 would get garbage from here on; a connection has no line.
    program.Command({0x86, 0, 0, 0x12, 0xC0, 8, 1, 0, 0});  // 4800 baud
    program.mids.clear();
    EXPECT_TRUE(program.WaitFor(2, 2));
    EXPECT_TRUE(program.WaitFor(4, 1));
}

TEST(TcpEndpoint, AnAddressInUseIsRefusedWithItsName)
{
    CTcpEndpoint first;
    ASSERT_EQ(first.Open("0", 0), "");
    CTcpEndpoint second;
    EXPECT_EQ(second.Open(first.Address(), 0), first.Address() + ": Address already in use");
}

}  // namespace
}  // namespace kestrion::test
