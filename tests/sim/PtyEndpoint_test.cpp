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
struct CClientLine {
    CClientLine(const std::string& path, speed_t speed) : fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        SetSpeed(speed);
    }
    ~CClientLine() { close(fd); }
    void SetSpeed(speed_t speed)
    {
        termios line{};
        tcgetattr(fd, &line);
        cfmakeraw(&line);
        cfsetispeed(&line, speed);
        cfsetospeed(&line, speed);
        tcsetattr(fd, TCSANOW, &line);
    }
    // What has arrived, after waiting a little for the pty to pass it on.
    std::vector<uint8_t> Read()
    {
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, 20);
        std::vector<uint8_t> bytes(8192);
        bytes.resize(std::max<ssize_t>(read(fd, bytes.data(), bytes.size()), 0));
        return bytes;
    }
    const int fd;
};

class PtyEndpointTest : public ::testing::Test, private IFrameSink, private CQuietHost {
protected:
    void SetUp() override { ASSERT_TRUE(endpoint.Open(38400, 0, m_error)) << m_error; }
    void OnFrame(std::span<const uint8_t> payload) override { mids.push_back(payload[0]); }
    void OnSentence(std::span<const uint8_t>) override {}

    CPtyEndpoint endpoint;
    std::vector<uint8_t> mids;
    CSerialFramer framer{*this, *this};
    std::string m_error;
};

TEST_F(PtyEndpointTest, CarriesTheReceiverToAProgramOnTheSlave)
{
    CClientLine client(endpoint.SlavePath(), B38400);
    ASSERT_GE(client.fd, 0);
    EXPECT_EQ(endpoint.LineBaud(), 38400);
    CReceiverModel model({}, 0);
    const std::vector<uint8_t> frame = BuildCommandFrame(std::vector<uint8_t>{0x84, 0x00});
    ASSERT_EQ(write(client.fd, frame.data(), frame.size()), ssize_t(frame.size()));
    std::vector<uint8_t> received;
    for (int64_t now = 0; now <= 4000 + CReceiverHarness::kStepMs; now += CReceiverHarness::kStepMs) {
        received.clear();
        endpoint.Read(received);
        model.Receive(received, endpoint.LineBaud());
        model.Advance(now);
        endpoint.Write(model.TakeOutput(endpoint.Room(now, model.Baud()), endpoint.LineBaud()));
        const std::vector<uint8_t> bytes = client.Read();
        framer.Accept(bytes.data(), bytes.size());
    }
    EXPECT_GE(std::ranges::count(mids, 2), 3);
    EXPECT_GE(std::ranges::count(mids, 4), 3);
    EXPECT_EQ(std::ranges::count(mids, 6), 2) << "at power-up and for the poll";

    client.SetSpeed(B9600);
    EXPECT_EQ(endpoint.LineBaud(), 9600);
    ASSERT_TRUE(SetCustomBaudRate(client.fd, 19200));
    EXPECT_EQ(endpoint.LineBaud(), 19200) << "a termios2 rate";
}

TEST_F(PtyEndpointTest, DropsOutputNobodyReads)
{
    endpoint.Write(std::vector<uint8_t>(1000, 0x55));
    for (int attempt = 0; attempt < 20; ++attempt) {  // the pty passes written bytes on a moment later
        endpoint.DropStaleOutput(500);
        poll(nullptr, 0, 5);
    }
    endpoint.Write(std::vector<uint8_t>{1, 2, 3});
    EXPECT_EQ(CClientLine(endpoint.SlavePath(), B38400).Read(), (std::vector<uint8_t>{1, 2, 3}));
}

}  // namespace
}  // namespace kestrion::test
