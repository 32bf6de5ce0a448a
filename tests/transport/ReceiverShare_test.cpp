#include "transport/ReceiverShare.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "support/LoopbackClient.h"
#include "RelayFakes.h"
#include "protocol/CommandFrame.h"

namespace kestrion::test {
namespace {

using fakes::Bytes;

// The share's log lines, arriving on its thread.
class CLogLines {
public:
    void Add(const std::string& line)
    {
        const std::lock_guard lock(m_lock);
        m_lines.push_back(line);
        m_added.notify_all();
    }
    // Waits up to ten seconds for `count` lines that contain the text.
    bool WaitFor(const std::string& text, size_t count = 1)
    {
        std::unique_lock lock(m_lock);
        return m_added.wait_for(lock, std::chrono::seconds(10), [&] { return Count(text) >= count; });
    }
    std::vector<std::string> All()
    {
        const std::lock_guard lock(m_lock);
        return m_lines;
    }

private:
    size_t Count(const std::string& text) const
    {
        return std::ranges::count_if(m_lines,
                                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }

    std::mutex m_lock;
    std::condition_variable m_added;
    std::vector<std::string> m_lines;
};

// Bytes that show where they stand in the stream, so a gap or a repeat breaks the match.
Bytes Pattern(size_t from, size_t count)
{
    Bytes bytes(count);
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>((from + i) * 7 + (from + i) / 251);
    }
    return bytes;
}

class ReceiverShareTest : public ::testing::Test {
protected:
    void Start(bool allowCommands = false)
    {
        ASSERT_EQ(share.Start("tcp://127.0.0.1:0", allowCommands, &writer), "");
        ASSERT_TRUE(share.Running());
    }
    // Connects `count` clients and waits for the share to take them all.
    void Connect(size_t count, int receiveBuffer = 0)
    {
        for (size_t i = 0; i < count; ++i) {
            clients.push_back(std::make_unique<CLoopbackClient>(share.Address(), receiveBuffer));
            ASSERT_TRUE(clients.back()->Connected());
        }
        ASSERT_TRUE(WaitUntil([&] { return share.Clients() == clients.size(); })) << share.Clients();
    }
    // Polls the condition for up to ten seconds.
    static bool WaitUntil(const std::function<bool()>& condition)
    {
        for (int attempt = 0; attempt < 2000; ++attempt) {
            if (condition()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return condition();
    }
    void Tap(const Bytes& bytes) { share.Received(bytes, std::chrono::steady_clock::now()); }

    CLogLines log;
    fakes::CRecordingWriter writer;
    CReceiverShare share{[this](const std::string& line) { log.Add(line); }};
    std::vector<std::unique_ptr<CLoopbackClient>> clients;
};

TEST_F(ReceiverShareTest, EveryClientGetsEveryTappedByteInOrder)
{
    Start();
    EXPECT_TRUE(share.Address().starts_with("tcp://127.0.0.1:"));
    Tap(Pattern(0, 100));  // before any client: nobody's
    Connect(3);
    // Reads of every size, as the port's reader returns them.
    size_t total = 0;
    for (size_t size = 1; total < 300000; size = size * 3 % 4099 + 1) {
        Tap(Pattern(total, size));
        total += size;
    }
    for (const std::unique_ptr<CLoopbackClient>& client : clients) {
        EXPECT_TRUE(client->ReadUntil(total)) << client->received.size();
        EXPECT_TRUE(client->received == Pattern(0, total));
    }
    const std::vector<std::string> lines = log.All();
    ASSERT_EQ(lines.size(), 3u);
    for (const std::string& line : lines) {
        EXPECT_TRUE(line.starts_with("Share: client 127.0.0.1:") && line.ends_with(" connected")) << line;
    }
}

TEST_F(ReceiverShareTest, TheNinthClientIsRefusedUntilOneLeaves)
{
    Start();
    Connect(8);
    CLoopbackClient ninth(share.Address());
    ASSERT_TRUE(ninth.Connected());
    EXPECT_TRUE(ninth.ClosedByServer());
    ASSERT_TRUE(log.WaitFor(" refused: 8 clients already"));
    EXPECT_EQ(share.Clients(), 8u);

    clients.front()->Close();
    ASSERT_TRUE(log.WaitFor(" left"));
    EXPECT_TRUE(WaitUntil([&] { return share.Clients() == 7; }));
    clients.erase(clients.begin());
    Connect(1);
    Tap({1, 2, 3});
    EXPECT_TRUE(clients.back()->ReadUntil(3));
    EXPECT_EQ(clients.back()->received, (Bytes{1, 2, 3}));
}

TEST_F(ReceiverShareTest, AClientThatDoesNotReadIsDroppedAndTheOthersStayComplete)
{
    Start();
    Connect(1, 4096);  // never reads, with a small window
    Connect(2);
    // The source runs on; the readers keep up, the other falls behind past 1 MB.
    constexpr size_t kChunk = 4096;
    size_t total = 0;
    while (total < 64 * CReceiverShare::kMaxQueued && share.Clients() == 3) {
        Tap(Pattern(total, kChunk));
        total += kChunk;
        for (size_t i = 1; i < clients.size(); ++i) {
            ASSERT_TRUE(clients[i]->ReadUntil(total > 256 * 1024 ? total - 256 * 1024 : 0));
        }
    }
    ASSERT_TRUE(log.WaitFor(" dropped: not reading (1 MB queued)"));
    EXPECT_TRUE(clients[0]->ClosedByServer());
    EXPECT_EQ(share.Clients(), 2u);
    Tap(Pattern(total, 1000));
    total += 1000;
    for (size_t i = 1; i < clients.size(); ++i) {
        EXPECT_TRUE(clients[i]->ReadUntil(total));
        EXPECT_TRUE(clients[i]->received == Pattern(0, total)) << "client " << i;
    }
    const std::vector<std::string> lines = log.All();
    EXPECT_EQ(std::ranges::count_if(lines, [](const std::string& line) { return line.ends_with(" left"); }), 0);
}

TEST_F(ReceiverShareTest, ClientCommandsAreReadAndDroppedUnlessAllowed)
{
    Start(false);
    Connect(1);
    ASSERT_TRUE(clients[0]->Send(BuildCommandFrame(Bytes{0x84, 0x00})));
    ASSERT_TRUE(clients[0]->Send({'$', 'P', 'O', 'R', 'V', '1', '0', '1', ',', '1', '\r', '\n'}));
    clients[0]->Close();
    // The share reads what came before the close, then sees it.
    ASSERT_TRUE(log.WaitFor(" left"));
    EXPECT_TRUE(writer.Frames().empty());
}

TEST_F(ReceiverShareTest, AllowedCommandsReachTheWriterWholeFromEachClient)
{
    Start(true);
    Connect(2);
    const Bytes frame = BuildCommandFrame(Bytes{0x86, 0, 0, 0x96, 0, 8, 1, 0, 0});
    const std::string text = "$PORV101,1*3A\r\n";
    const Bytes sentence(text.begin(), text.end());
    // The first client's frame comes in two parts, the other's sentence between them.
    ASSERT_TRUE(clients[0]->Send(Bytes(frame.begin(), frame.begin() + 5)));
    ASSERT_TRUE(clients[1]->Send(fakes::Join({Bytes{0x00, 0xB3}, sentence})));
    ASSERT_TRUE(clients[0]->Send(fakes::Join({Bytes(frame.begin() + 5, frame.end()), Bytes{'x'}})));
    ASSERT_TRUE(writer.WaitForFrames(2));
    EXPECT_THAT(writer.Frames(), testing::UnorderedElementsAre(frame, sentence));
}

TEST_F(ReceiverShareTest, StopClosesTheConnectedClientsAndFreesTheAddress)
{
    Start(true);
    const std::string address = share.Address();
    Connect(3);
    ASSERT_TRUE(clients[0]->Send(Bytes{0xA0, 0xA2, 0x00}));  // a frame in assembly
    share.Stop();
    EXPECT_FALSE(share.Running());
    EXPECT_EQ(share.Clients(), 0u);
    EXPECT_EQ(share.Address(), "");
    for (const std::unique_ptr<CLoopbackClient>& client : clients) {
        EXPECT_TRUE(client->ClosedByServer());
    }
    Tap({1, 2, 3});  // a tap after the stop finds no one
    share.Stop();

    // The same address again, with its clients from nothing.
    ASSERT_EQ(share.Start(address, false, nullptr), "");
    EXPECT_EQ(share.Address(), address);
    clients.clear();
    Connect(1);
}

TEST_F(ReceiverShareTest, StartNamesTheAddressItCannotListenOn)
{
    Start();
    CReceiverShare other({});
    EXPECT_EQ(other.Start(share.Address(), false, nullptr), share.Address() + ": Address already in use");
    EXPECT_FALSE(other.Running());
    EXPECT_EQ(other.Start("tcp://gps.example:5000", false, nullptr),
              "tcp://gps.example:5000: the address is localhost or an IPv4 address such as 0.0.0.0");
    EXPECT_TRUE(share.Running()) << "the first one is untouched";
}

}  // namespace
}  // namespace kestrion::test
