#include "platform/TermiosSerial.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>
#include <vector>

#include "platform/BaudRate.h"
#include "platform/LineSettings.h"
#include "platform/SerialPorts.h"

namespace kestrion {
namespace {

constexpr const char* kCannotOpen = "Error.. Cannot create UART handle.\nComm port is not available or may be in use.";

// A pseudo-terminal whose slave is opened by its path like a real port. The test keeps its
// own slave descriptor to look at the line settings.
class CPseudoTerminal {
public:
    CPseudoTerminal()
    {
        char name[256] {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
            ADD_FAILURE() << "openpty failed, errno " << errno;
        }
        m_path = name;
    }
    ~CPseudoTerminal()
    {
        CloseMaster();
        ::close(m_slave);
    }
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    const std::string& Path() const { return m_path; }
    int Master() const { return m_master; }
    int Slave() const { return m_slave; }

    void CloseMaster()
    {
        if (m_master >= 0) {
            ::close(m_master);
            m_master = -1;
        }
    }

    termios Line() const
    {
        termios line {};
        EXPECT_EQ(::tcgetattr(m_slave, &line), 0);
        return line;
    }

    // A cooked 1200 baud line with odd stick parity bits and two stop bits. A pty forces 8 bits
    // without parity, so PARENB and CSIZE cannot be seen on it.
    void SetPreviousLine()
    {
        termios line = Line();
        line.c_cflag = (line.c_cflag & ~PARENB) | PARODD | CMSPAR | CSTOPB;
        line.c_lflag |= ICANON | ECHO;
        ::cfsetispeed(&line, B1200);
        ::cfsetospeed(&line, B1200);
        ASSERT_EQ(::tcsetattr(m_slave, TCSANOW, &line), 0);
    }

    // Reads count bytes from the master; fewer when none arrive for five seconds.
    std::vector<uint8_t> ReadMaster(size_t count) const
    {
        std::vector<uint8_t> bytes(count);
        size_t got = 0;
        pollfd request {m_master, POLLIN, 0};
        while (got < count && ::poll(&request, 1, 5000) > 0) {
            const ssize_t n = ::read(m_master, bytes.data() + got, count - got);
            if (n <= 0) {
                break;
            }
            got += static_cast<size_t>(n);
        }
        bytes.resize(got);
        return bytes;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

class TermiosSerialTest : public ::testing::Test {
protected:
    std::unique_ptr<ISerialDevice> OpenPort(const SerialSettings& settings)
    {
        std::string error = "unset";
        auto device = m_factory.Open(m_pty.Path(), settings, error);
        EXPECT_NE(device, nullptr) << error;
        EXPECT_EQ(error, "");
        return device;
    }

    CPseudoTerminal m_pty;
    CTermiosSerialFactory m_factory;
};

struct LineCase {
    SerialSettings settings;
    speed_t speed;
    tcflag_t size;
    tcflag_t parity;
    bool twoStopBits;
};

std::string Describe(const SerialSettings& settings)
{
    return "'" + settings.baud + "' '" + settings.dataBits + "' '" + settings.parity + "' '" + settings.stopBits + "'";
}

void ExpectRaw(const termios& line)
{
    EXPECT_EQ(line.c_cflag & (CLOCAL | CREAD | CRTSCTS), CLOCAL | CREAD);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_EQ(line.c_cc[VMIN], 0);
    EXPECT_EQ(line.c_cc[VTIME], 0);
}

// A cooked 1200 baud line, 7 bits, odd parity, two stop bits.
termios CookedLine()
{
    termios line {};
    line.c_iflag = ICRNL | IXON | IXOFF;
    line.c_oflag = OPOST | ONLCR;
    line.c_cflag = CS7 | PARENB | PARODD | CSTOPB | CREAD | CRTSCTS;
    line.c_lflag = ICANON | ECHO | ISIG;
    line.c_cc[VMIN] = 1;
    ::cfsetispeed(&line, B1200);
    ::cfsetospeed(&line, B1200);
    return line;
}

TEST(LineSettings, TextsSetTheByteFormatOfARawLine)
{
    const LineCase cases[] = {
        {{"38400", "8", "N", "1"}, B38400, CS8, 0, false},
        {{"4800", "7", "Odd", "2"}, B4800, CS7, PARENB | PARODD, true},
        {{"9600", "8", "None", "1.5"}, B9600, CS8, 0, true},
        {{"115200", "5", "Even", "1"}, B115200, CS5, PARENB, false},
        {{"57600", "6", "Mark", "1"}, B57600, CS6, PARENB | CMSPAR | PARODD, false},
        {{"921600", "8", "Space", "two"}, B921600, CS8, PARENB | CMSPAR, true},
        // Empty or unknown texts keep the line's value; 250000 has no B-constant.
        {{"", "", "", ""}, B1200, CS7, PARENB | PARODD, true},
        {{"0", "9", "Xtra", ""}, B1200, CS7, PARENB | PARODD, true},
        {{"250000", "4", "", "1"}, B1200, CS7, PARENB | PARODD, false},
    };
    for (const LineCase& expected : cases) {
        SCOPED_TRACE(Describe(expected.settings));
        const termios line = RawLineFor(CookedLine(), expected.settings);
        EXPECT_EQ(::cfgetospeed(&line), expected.speed);
        EXPECT_EQ(::cfgetispeed(&line), expected.speed);
        EXPECT_EQ(line.c_cflag & CSIZE, expected.size);
        EXPECT_EQ(line.c_cflag & (PARENB | PARODD | CMSPAR), expected.parity);
        EXPECT_EQ((line.c_cflag & CSTOPB) != 0, expected.twoStopBits);
        ExpectRaw(line);
    }
}

TEST_F(TermiosSerialTest, OpenSetsTheLine)
{
    const LineCase cases[] = {
        {{"38400", "8", "N", "1"}, B38400, CS8, 0, false},
        {{"4800", "8", "Odd", "2"}, B4800, CS8, PARODD, true},
        {{"57600", "8", "Mark", "1.5"}, B57600, CS8, PARODD | CMSPAR, true},
        {{"19200", "8", "Space", "1"}, B19200, CS8, CMSPAR, false},
        {{"", "", "", ""}, B1200, CS8, PARODD | CMSPAR, true},
    };
    for (const LineCase& expected : cases) {
        SCOPED_TRACE(Describe(expected.settings));
        m_pty.SetPreviousLine();
        const auto device = OpenPort(expected.settings);
        const termios line = m_pty.Line();
        EXPECT_EQ(::cfgetospeed(&line), expected.speed);
        EXPECT_EQ(line.c_cflag & (PARODD | CMSPAR), expected.parity);
        EXPECT_EQ((line.c_cflag & CSTOPB) != 0, expected.twoStopBits);
        ExpectRaw(line);
    }
}

TEST_F(TermiosSerialTest, ClosingRestoresTheOriginalLine)
{
    m_pty.SetPreviousLine();
    OpenPort({"38400", "8", "N", "1"}).reset();
    const termios line = m_pty.Line();
    EXPECT_EQ(::cfgetospeed(&line), B1200);
    EXPECT_EQ(line.c_cflag & (PARODD | CMSPAR | CSTOPB), PARODD | CMSPAR | CSTOPB);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO), ICANON | ECHO);
}

TEST_F(TermiosSerialTest, RateWithoutBConstantGoesThroughTermios2)
{
    m_pty.SetPreviousLine();
    std::string error;
    auto device = m_factory.Open(m_pty.Path(), {"250000", "8", "N", "1"}, error);
    if (!device && error == SettingsErrorText(m_pty.Path())) {
        GTEST_SKIP() << "the pty driver refuses BOTHER rates";
    }
    ASSERT_NE(device, nullptr) << error;
    EXPECT_EQ(ReadBaudRate(m_pty.Slave()), 250000u);
    EXPECT_EQ(m_pty.Line().c_cflag & (PARODD | CMSPAR), 0u);

    device.reset();
    EXPECT_EQ(ReadBaudRate(m_pty.Slave()), 1200u);
}

TEST_F(TermiosSerialTest, MovesBytesBothWays)
{
    const auto device = OpenPort({"38400", "8", "N", "1"});
    uint8_t buffer[64] {};
    EXPECT_EQ(device->Read(buffer, sizeof buffer), 0);

    // Bytes the line discipline would otherwise translate or swallow.
    const std::vector<uint8_t> received {0xA0, 0xA2, '\r', '\n', 0x03, 0x11, 0x13, 0x7F, 0x00, 0xFF};
    ASSERT_EQ(::write(m_pty.Master(), received.data(), received.size()), static_cast<ssize_t>(received.size()));
    ASSERT_EQ(device->WaitForInput(5000, -1), ISerialDevice::Wait::Readable);
    std::vector<uint8_t> got;
    while (got.size() < received.size() && device->WaitForInput(5000, -1) == ISerialDevice::Wait::Readable) {
        const long n = device->Read(buffer, sizeof buffer);
        ASSERT_GE(n, 0);
        got.insert(got.end(), buffer, buffer + n);
    }
    EXPECT_EQ(got, received);
    // A pty driver keeps no line-error counters.
    EXPECT_EQ(device->TakeLineErrors(), 0u);

    const std::vector<uint8_t> sent {'$', 'P', '\n', 0xB0, 0xB3, 0x00, '\r'};
    EXPECT_TRUE(device->Write(sent.data(), sent.size()));
    EXPECT_EQ(m_pty.ReadMaster(sent.size()), sent);
}

TEST_F(TermiosSerialTest, WriteLoopsOverAFullQueue)
{
    const auto device = OpenPort({"38400", "8", "N", "1"});
    std::vector<uint8_t> sent(200000);
    for (size_t i = 0; i < sent.size(); ++i) {
        sent[i] = static_cast<uint8_t>(i * 7);
    }
    std::vector<uint8_t> got;
    std::thread drain([&] { got = m_pty.ReadMaster(sent.size()); });
    EXPECT_TRUE(device->Write(sent.data(), sent.size()));
    drain.join();
    EXPECT_EQ(got, sent);
}

TEST_F(TermiosSerialTest, WriteGivesUpWhenNothingDrains)
{
    const auto device = OpenPort({"38400", "8", "N", "1"});
    const std::vector<uint8_t> sent(1 << 20, 0x55);
    EXPECT_FALSE(device->Write(sent.data(), sent.size()));
}

TEST_F(TermiosSerialTest, WaitForInputTellsWhatHappened)
{
    const auto device = OpenPort({"38400", "8", "N", "1"});
    const int wake = ::eventfd(0, EFD_CLOEXEC);
    ASSERT_GE(wake, 0);

    EXPECT_EQ(device->WaitForInput(10, wake), ISerialDevice::Wait::Timeout);
    EXPECT_EQ(device->WaitForInput(10, -1), ISerialDevice::Wait::Timeout);

    const uint64_t one = 1;
    ASSERT_EQ(::write(wake, &one, sizeof one), static_cast<ssize_t>(sizeof one));
    EXPECT_EQ(device->WaitForInput(5000, wake), ISerialDevice::Wait::Woken);
    uint64_t taken = 0;
    ASSERT_EQ(::read(wake, &taken, sizeof taken), static_cast<ssize_t>(sizeof taken));

    ASSERT_EQ(::write(m_pty.Master(), "x", 1), 1);
    EXPECT_EQ(device->WaitForInput(5000, wake), ISerialDevice::Wait::Readable);

    m_pty.CloseMaster();
    EXPECT_EQ(device->WaitForInput(5000, wake), ISerialDevice::Wait::Gone);
    uint8_t buffer[8];
    EXPECT_EQ(device->Read(buffer, sizeof buffer), -1);
    EXPECT_FALSE(device->Write(buffer, 1));
    ::close(wake);
}

TEST_F(TermiosSerialTest, PurgeDropsWhatIsQueued)
{
    const auto device = OpenPort({"38400", "8", "N", "1"});
    ASSERT_EQ(::write(m_pty.Master(), "stale", 5), 5);
    ASSERT_EQ(device->WaitForInput(5000, -1), ISerialDevice::Wait::Readable);
    device->Purge();
    uint8_t buffer[8];
    EXPECT_EQ(device->Read(buffer, sizeof buffer), 0);
}

TEST_F(TermiosSerialTest, OpenFailuresExplainThemselves)
{
    std::string error;
    EXPECT_EQ(m_factory.Open("/dev/kestrion-no-such-port", {"38400", "8", "N", "1"}, error), nullptr);
    EXPECT_EQ(error, kCannotOpen);

    // This test's own slave descriptor holds the port.
    const auto holder = FindPortHolder(m_pty.Path());
    ASSERT_TRUE(holder.has_value());
    EXPECT_EQ(holder->pid, ::getpid());
    EXPECT_EQ(OpenErrorText(m_pty.Path(), EBUSY), std::string(kCannotOpen) + "\n" + m_pty.Path() + " is held by " +
                                                      holder->program + " (pid " + std::to_string(::getpid()) + ").");
    EXPECT_FALSE(FindPortHolder("/dev/kestrion-no-such-port").has_value());
}

TEST_F(TermiosSerialTest, SecondOpenOfAHeldPortIsRefused)
{
    const auto first = OpenPort({"38400", "8", "N", "1"});
    std::string error;
    auto second = m_factory.Open(m_pty.Path(), {"38400", "8", "N", "1"}, error);
    if (second && ::geteuid() == 0) {
        GTEST_SKIP() << "running as root: CAP_SYS_ADMIN bypasses TIOCEXCL";
    }
    EXPECT_EQ(second, nullptr);
    EXPECT_TRUE(error.starts_with(std::string(kCannotOpen) + "\n" + m_pty.Path() + " is held by ")) << error;
}

TEST_F(TermiosSerialTest, PortWithoutPermissionNamesTheDialoutGroup)
{
    ASSERT_EQ(::chmod(m_pty.Path().c_str(), 0), 0);
    std::string error;
    auto device = m_factory.Open(m_pty.Path(), {"38400", "8", "N", "1"}, error);
    if (device && ::geteuid() == 0) {
        GTEST_SKIP() << "running as root: CAP_DAC_OVERRIDE ignores the device's permissions";
    }
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(error, std::string(kCannotOpen) + "\nYou have no permission to use " + m_pty.Path() +
                         ": add yourself to the dialout group (sudo usermod -aG dialout $USER) and log in again.");
}

TEST(SerialPortNames, MapToDevicePaths)
{
    EXPECT_EQ(DevicePathOf("COM1"), "/dev/ttyS0");
    EXPECT_EQ(DevicePathOf("COM12"), "/dev/ttyS11");
    EXPECT_EQ(DevicePathOf("\\\\.\\COM3"), "/dev/ttyS2");
    EXPECT_EQ(DevicePathOf("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(DevicePathOf("/dev/serial/by-id/usb-Kestrion-if00-port0"), "/dev/serial/by-id/usb-Kestrion-if00-port0");
    EXPECT_EQ(DevicePathOf("ttyACM0"), "/dev/ttyACM0");
}

}  // namespace
}  // namespace kestrion
