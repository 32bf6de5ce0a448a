#include "platform/TermiosSerial.h"

#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/BaudRate.h"
#include "platform/LineSettings.h"
#include "platform/SerialPorts.h"
#include "support/TempFolder.h"

namespace kestrion {
namespace {

using Bytes = std::vector<uint8_t>;
const std::string kCannotOpen = "Error.. Cannot create UART handle.\nComm port is not available or may be in use.";
const SerialSettings kPlain {"38400", "8", "N", "1"};

// A pseudo-terminal whose slave is opened by its path like a real port; the test keeps its
// own slave descriptor to look at the line settings.
class CPseudoTerminal {
public:
    CPseudoTerminal() { EXPECT_EQ(::openpty(&m_master, &m_slave, m_name, nullptr, nullptr), 0) << errno; }
    ~CPseudoTerminal()
    {
        CloseMaster();
        ::close(m_slave);
    }
    std::string Path() const { return m_name; }
    int Master() const { return m_master; }
    int Slave() const { return m_slave; }
    void CloseMaster() { ::close(std::exchange(m_master, -1)); }

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
        ::cfsetspeed(&line, B1200);
        ASSERT_EQ(::tcsetattr(m_slave, TCSANOW, &line), 0);
    }

    // Reads count bytes from the master; fewer when none arrive for five seconds.
    Bytes ReadMaster(size_t count) const
    {
        Bytes bytes(count);
        size_t got = 0;
        pollfd request {m_master, POLLIN, 0};
        for (ssize_t n = 0; got < count && ::poll(&request, 1, 5000) > 0; got += static_cast<size_t>(n)) {
            if ((n = ::read(m_master, bytes.data() + got, count - got)) <= 0) {
                break;
            }
        }
        bytes.resize(got);
        return bytes;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    char m_name[256] {};
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
    tcflag_t format;  // CSIZE and parity bits
    bool twoStopBits;
};

// Checks the rate, the format bits under mask, the stop bits and that the line is raw.
void ExpectLine(const termios& line, const LineCase& expected, tcflag_t mask)
{
    SCOPED_TRACE("'" + expected.settings.baud + "' '" + expected.settings.dataBits + "' '" +
                 expected.settings.parity + "' '" + expected.settings.stopBits + "'");
    EXPECT_EQ(::cfgetospeed(&line), expected.speed);
    EXPECT_EQ(::cfgetispeed(&line), expected.speed);
    EXPECT_EQ(line.c_cflag & mask, expected.format & mask);
    EXPECT_EQ((line.c_cflag & CSTOPB) != 0, expected.twoStopBits);
    EXPECT_EQ(line.c_cflag & (CLOCAL | CREAD | CRTSCTS), CLOCAL | CREAD);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_EQ(line.c_cc[VMIN], 0);
    EXPECT_EQ(line.c_cc[VTIME], 0);
}

TEST(LineSettings, TextsSetTheByteFormatOfARawLine)
{
    // A cooked 1200 baud line, 7 bits, odd parity, two stop bits.
    termios cooked {};
    cooked.c_iflag = ICRNL | IXON | IXOFF;
    cooked.c_oflag = OPOST | ONLCR;
    cooked.c_cflag = CS7 | PARENB | PARODD | CSTOPB | CREAD | CRTSCTS;
    cooked.c_lflag = ICANON | ECHO | ISIG;
    cooked.c_cc[VMIN] = 1;
    ::cfsetspeed(&cooked, B1200);
    const LineCase cases[] = {
        {{"38400", "8", "N", "1"}, B38400, CS8, false},
        {{"4800", "7", "Odd", "2"}, B4800, CS7 | PARENB | PARODD, true},
        {{"9600", "8", "None", "1.5"}, B9600, CS8, true},
        {{"115200", "5", "Even", "1"}, B115200, CS5 | PARENB, false},
        {{"57600", "6", "Mark", "1"}, B57600, CS6 | PARENB | CMSPAR | PARODD, false},
        {{"921600", "8", "Space", "two"}, B921600, CS8 | PARENB | CMSPAR, true},
        // Empty or unknown texts keep the line's value; 250000 has no B-constant.
        {{"", "", "", ""}, B1200, CS7 | PARENB | PARODD, true},
        {{"0", "9", "Xtra", ""}, B1200, CS7 | PARENB | PARODD, true},
        {{"250000", "4", "", "1"}, B1200, CS7 | PARENB | PARODD, false},
    };
    for (const LineCase& expected : cases) {
        ExpectLine(RawLineFor(cooked, expected.settings), expected, CSIZE | PARENB | PARODD | CMSPAR);
    }
}

TEST_F(TermiosSerialTest, OpenSetsTheLineAndClosingRestoresIt)
{
    m_pty.SetPreviousLine();
    const termios before = m_pty.Line();
    const LineCase cases[] = {
        {{"38400", "8", "N", "1"}, B38400, 0, false},
        {{"4800", "8", "Odd", "2"}, B4800, PARODD, true},
        {{"57600", "8", "Mark", "1.5"}, B57600, PARODD | CMSPAR, true},
        {{"19200", "8", "Space", "1"}, B19200, CMSPAR, false},
        {{"", "", "", ""}, B1200, PARODD | CMSPAR, true},
    };
    for (const LineCase& expected : cases) {
        auto device = OpenPort(expected.settings);
        ExpectLine(m_pty.Line(), expected, PARODD | CMSPAR);
        device.reset();
        const termios after = m_pty.Line();
        EXPECT_EQ(::cfgetospeed(&after), B1200);
        EXPECT_EQ(after.c_cflag, before.c_cflag);
        EXPECT_EQ(after.c_lflag, before.c_lflag);
    }
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

TEST_F(TermiosSerialTest, MovesBytesBothWaysUnchangedAndWaitForInputTellsWhatHappened)
{
    using enum ISerialDevice::Wait;
    const auto device = OpenPort(kPlain);
    const int wake = ::eventfd(0, EFD_CLOEXEC);
    ASSERT_GE(wake, 0);
    uint8_t buffer[64] {};
    EXPECT_EQ(device->Read(buffer, sizeof buffer), 0);
    EXPECT_EQ(device->WaitForInput(10, wake), Timeout);
    EXPECT_EQ(device->WaitForInput(10, -1), Timeout);
    uint64_t count = 1;
    ASSERT_EQ(::write(wake, &count, sizeof count), static_cast<ssize_t>(sizeof count));
    EXPECT_EQ(device->WaitForInput(5000, wake), Woken);
    ASSERT_EQ(::read(wake, &count, sizeof count), static_cast<ssize_t>(sizeof count));

    // Bytes the line discipline would otherwise translate or swallow.
    const Bytes received {0xA0, 0xA2, '\r', '\n', 0x03, 0x11, 0x13, 0x7F, 0x00, 0xFF};
    ASSERT_EQ(::write(m_pty.Master(), received.data(), received.size()), static_cast<ssize_t>(received.size()));
    Bytes got;
    while (got.size() < received.size() && device->WaitForInput(5000, wake) == Readable) {
        const long n = device->Read(buffer, sizeof buffer);
        ASSERT_GE(n, 0);
        got.insert(got.end(), buffer, buffer + n);
    }
    EXPECT_EQ(got, received);
    EXPECT_EQ(device->TakeLineErrors(), 0u);  // a pty driver keeps no line-error counters
    ASSERT_EQ(::write(m_pty.Master(), "stale", 5), 5);
    ASSERT_EQ(device->WaitForInput(5000, -1), Readable);
    device->Purge();
    EXPECT_EQ(device->Read(buffer, sizeof buffer), 0);

    // Every byte value, more than the queue holds: Write loops until the reader took it all.
    Bytes sent(1 << 18);
    for (size_t i = 0; i < sent.size(); ++i) {
        sent[i] = static_cast<uint8_t>(i * 7);
    }
    std::thread drain([&] { got = m_pty.ReadMaster(sent.size()); });
    EXPECT_TRUE(device->Write(sent.data(), sent.size()));
    drain.join();
    EXPECT_EQ(got, sent);
    EXPECT_FALSE(device->Write(sent.data(), sent.size()));  // with no one reading, Write gives up

    m_pty.CloseMaster();
    EXPECT_EQ(device->WaitForInput(5000, wake), Gone);
    EXPECT_EQ(device->Read(buffer, sizeof buffer), -1);
    EXPECT_FALSE(device->Write(buffer, 1));
    ::close(wake);
}

TEST_F(TermiosSerialTest, OpenFailuresExplainThemselves)
{
    const std::string path = m_pty.Path();
    std::string error;
    EXPECT_EQ(m_factory.Open("/dev/kestrion-no-such-port", kPlain, error), nullptr);
    EXPECT_EQ(error, kCannotOpen + "\n/dev/kestrion-no-such-port: " + std::strerror(ENOENT));
    EXPECT_FALSE(FindPortHolder("/dev/kestrion-no-such-port").has_value());
    EXPECT_EQ(SettingsErrorText(path), kCannotOpen + "\n" + path + " does not accept these line settings.");

    // This test's own slave descriptor holds the port.
    const auto holder = FindPortHolder(path);
    ASSERT_TRUE(holder.has_value());
    EXPECT_EQ(holder->pid, ::getpid());
    const std::string held = kCannotOpen + "\n" + path + ": " + std::strerror(EBUSY) + "; it is held by " +
                             holder->program + " (pid " + std::to_string(::getpid()) + ")";
    // Joining a pseudo-terminal's group is no fix.
    const std::string denied = kCannotOpen + "\n" + path + ": " + std::strerror(EACCES);
    EXPECT_EQ(OpenErrorText(path, EBUSY), held);
    EXPECT_EQ(OpenErrorText(path, EACCES), denied);

    if (::geteuid() == 0) {
        GTEST_SKIP() << "running as root: TIOCEXCL and the device's permissions are bypassed";
    }
    auto first = OpenPort(kPlain);
    EXPECT_EQ(m_factory.Open(path, kPlain, error), nullptr);
    EXPECT_EQ(error, held);
    first.reset();
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    EXPECT_EQ(m_factory.Open(path, kPlain, error), nullptr);
    EXPECT_EQ(error, denied);
}

// Access is refused: membership of the device's group helps only when that group may read and
// write it and is not root's.
TEST(SerialPortAccess, NamesTheGroupToJoinWhenItWouldHelp)
{
    const group* dialout = ::getgrnam("dialout");
    if (dialout == nullptr) {
        GTEST_SKIP() << "no dialout group";
    }
    const gid_t dialoutId = dialout->gr_gid;
    CTempFolder folder;
    const std::string path = (folder.Path() / "ttyKX0").string();
    WriteText(path, "");
    if (::chown(path.c_str(), static_cast<uid_t>(-1), dialoutId) != 0) {
        GTEST_SKIP() << "cannot give the file to the dialout group";
    }
    const std::string refused = kCannotOpen + "\n" + path + ": " + std::strerror(EACCES);
    const std::string join = "; add yourself to the group dialout (sudo usermod -aG dialout $USER) and log in again";
    const struct {
        mode_t mode;
        gid_t group;
        std::string text;
    } cases[] = {
        {0660, dialoutId, refused + join},
        {0640, dialoutId, refused},  // the group may not write
        {0600, dialoutId, refused},
        {0660, 0, refused},
    };
    for (const auto& [mode, group, text] : cases) {
        if (::chown(path.c_str(), static_cast<uid_t>(-1), group) != 0) {
            continue;  // only root may give the file to root's group
        }
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        EXPECT_EQ(OpenErrorText(path, EACCES), text) << std::oct << mode << " group " << std::dec << group;
        EXPECT_EQ(OpenErrorText(path, EPERM), kCannotOpen + "\n" + path + ": " + std::strerror(EPERM) +
                                                  text.substr(refused.size()));
    }
}

TEST(SerialPortNames, MapToDevicePaths)
{
    const std::pair<const char*, const char*> cases[] = {
        {"COM1", "/dev/ttyS0"}, {"COM12", "/dev/ttyS11"}, {"\\\\.\\COM3", "/dev/ttyS2"}, {"ttyACM0", "/dev/ttyACM0"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"/dev/serial/by-id/usb-Kestrion-if00-port0", "/dev/serial/by-id/usb-Kestrion-if00-port0"},
        // An item of the port list as it is shown.
        {"/dev/serial/by-id/usb-Kestrion-if00-port0 (/dev/ttyUSB1)", "/dev/serial/by-id/usb-Kestrion-if00-port0"}};
    for (const auto& [name, path] : cases) {
        EXPECT_EQ(DevicePathOf(name), path);
    }
}

// The by-id links come first with the device they point to, which is not offered again;
// then the USB and ACM devices, then the ttyS nodes that answer as a tty (a pseudo-terminal
// here; a plain file stands for a ttyS node without a UART).
TEST(SerialPortList, OffersTheLinkedDevicesFirstAndOnlyPortsThatAnswer)
{
    const CTempFolder dev;
    const std::filesystem::path& d = dev.Path();
    for (const char* node : {"ttyUSB0", "ttyUSB1", "ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS2"}) {
        WriteText(d / node, "");
    }
    const CPseudoTerminal pty;
    std::filesystem::create_symlink(pty.Path(), d / "ttyS10");
    std::filesystem::create_directories(d / "serial" / "by-id");
    std::filesystem::create_symlink("../../ttyUSB1", d / "serial" / "by-id" / "usb-Kestrion_GPS-if00-port0");
    const std::string link = (d / "serial" / "by-id" / "usb-Kestrion_GPS-if00-port0").string();

    const std::vector<std::string> ports = ListSerialPorts(d);
    EXPECT_EQ(ports, (std::vector<std::string>{link + " (" + (d / "ttyUSB1").string() + ")", d / "ttyUSB0",
                                               d / "ttyUSB2", d / "ttyUSB10", d / "ttyACM0", d / "ttyS10"}));
    EXPECT_EQ(PortOfListItem(ports.front()), link);
    EXPECT_EQ(PortOfListItem(d / "ttyUSB0"), d / "ttyUSB0");
}

}  // namespace
}  // namespace kestrion
