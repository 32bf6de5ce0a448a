#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>

#include "ReceiverHarness.h"
#include "platform/BaudRate.h"
#include "sim/PtyEndpoint.h"

namespace kestrion::test {
namespace {

// The program's side: the slave opened and set raw at a baud, as a serial port would.
class CClientLine {
public:
    CClientLine(const std::string& path, speed_t speed) : m_fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        SetSpeed(speed);
    }
    ~CClientLine()
    {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    bool Ok() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }
    void SetSpeed(speed_t speed)
    {
        termios line{};
        tcgetattr(m_fd, &line);
        cfmakeraw(&line);
        cfsetispeed(&line, speed);
        cfsetospeed(&line, speed);
        tcsetattr(m_fd, TCSANOW, &line);
    }
    void Write(const std::vector<uint8_t>& bytes) { ASSERT_EQ(write(m_fd, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
    // What has arrived, after waiting a little for the pty to pass it on.
    std::vector<uint8_t> Read()
    {
        pollfd wait{m_fd, POLLIN, 0};
        poll(&wait, 1, 20);
        std::vector<uint8_t> bytes(8192);
        const ssize_t count = read(m_fd, bytes.data(), bytes.size());
        bytes.resize(count > 0 ? size_t(count) : 0);
        return bytes;
    }

private:
    int m_fd;
};

class CDecodedLine : private IFrameSink, private CQuietHost {
public:
    void Accept(const std::vector<uint8_t>& bytes) { m_framer.Accept(bytes.data(), bytes.size()); }
    std::vector<uint8_t> mids;

private:
    void OnFrame(std::span<const uint8_t> payload) override { mids.push_back(payload[0]); }
    void OnSentence(std::span<const uint8_t>) override {}
    CSerialFramer m_framer{*this, *this};
};

TEST(PtyEndpoint, CarriesTheReceiverToAProgramOnTheSlave)
{
    CPtyEndpoint endpoint;
    std::string error;
    ASSERT_TRUE(endpoint.Open(38400, 0, error)) << error;
    CClientLine client(endpoint.SlavePath(), B38400);
    ASSERT_TRUE(client.Ok());
    EXPECT_EQ(endpoint.LineBaud(), 38400);

    SimConfig config;
    CReceiverModel model(config, 0);
    CDecodedLine decoded;
    client.Write(BuildCommandFrame(std::vector<uint8_t>{0x84, 0x00}));
    int64_t now = 0;
    std::vector<uint8_t> received;
    for (; now <= 4000; now += CReceiverHarness::kStepMs) {
        received.clear();
        endpoint.Read(received);
        model.Receive(received, endpoint.LineBaud());
        model.Advance(now);
        endpoint.Write(model.TakeOutput(endpoint.Room(now, model.Baud()), endpoint.LineBaud()));
        decoded.Accept(client.Read());
    }
    decoded.Accept(client.Read());
    EXPECT_GE(std::ranges::count(decoded.mids, 2), 3);
    EXPECT_GE(std::ranges::count(decoded.mids, 4), 3);
    EXPECT_EQ(std::ranges::count(decoded.mids, 6), 2) << "at power-up and for the poll";

    client.SetSpeed(B9600);
    EXPECT_EQ(endpoint.LineBaud(), 9600);
    ASSERT_TRUE(SetCustomBaudRate(client.Fd(), 19200));
    EXPECT_EQ(endpoint.LineBaud(), 19200) << "a termios2 rate";
}

TEST(PtyEndpoint, DropsOutputNobodyReads)
{
    CPtyEndpoint endpoint;
    std::string error;
    ASSERT_TRUE(endpoint.Open(38400, 0, error)) << error;
    const std::vector<uint8_t> stale(1000, 0x55);
    endpoint.Write(stale);
    for (int attempt = 0; attempt < 20; ++attempt) {  // the pty passes written bytes on a moment later
        endpoint.DropStaleOutput(500);
        poll(nullptr, 0, 5);
    }
    endpoint.Write(std::vector<uint8_t>{1, 2, 3});
    CClientLine client(endpoint.SlavePath(), B38400);
    EXPECT_EQ(client.Read(), (std::vector<uint8_t>{1, 2, 3}));
}

}  // namespace
}  // namespace kestrion::test
