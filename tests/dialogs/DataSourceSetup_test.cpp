#include "dialogs/DataSourceSetup.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <set>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace kestrion {
namespace {

using D = CDataSourceSetup;

class DataSourceSetupTest : public ::testing::Test {
protected:
    CProfile Profile() const { return CProfile(m_folder.Path() / "demo.ini"); }
    void Store(const std::string& keys) const { WriteText(Profile().Path(), "[Data Sources]\n" + keys); }
    D Open() { return D(m_ui, Profile(), m_firstOpening, {"/dev/ttyUSB0"}, [this] { ++m_titles; }); }
    Settings Saved() const
    {
        Settings settings;
        settings.LoadDataSources(Profile());
        return settings;
    }
    std::string DataFile() const
    {
        const std::filesystem::path path = m_folder.Path() / "nav.bin";
        WriteText(path, "\xA0\xA2");
        return path.string();
    }
    // The controls among those the enable rules drive that are enabled, radio buttons as id * 10 + button.
    static std::set<int> Enabled(const D& dialog)
    {
        std::set<int> enabled;
        for (const FormControl& control : dialog.Controls()) {
            if (control.kind == ControlKind::Radio && control.id != D::kDataSource) {
                for (size_t button = 0; button < control.items.size(); ++button) {
                    if (control.itemEnabled[button]) {
                        enabled.insert(control.id * 10 + static_cast<int>(button));
                    }
                }
            } else if (control.enabled && control.kind != ControlKind::Group && control.id != D::kDataSource) {
                enabled.insert(control.id);
            }
        }
        return enabled;
    }

    CTempFolder m_folder;
    fakes::CScriptedUi m_ui;
    bool m_firstOpening = true;
    int m_titles = 0;
};

TEST_F(DataSourceSetupTest, OnlyTheFirstOpeningOfARunGoesWithoutCancel)
{
    D first = Open();
    EXPECT_FALSE(m_firstOpening);
    EXPECT_FALSE(first.CancelEnabled());
    EXPECT_FALSE(first.Cancel());
    D second = Open();
    EXPECT_TRUE(second.CancelEnabled());
    EXPECT_TRUE(second.Cancel());
}

TEST_F(DataSourceSetupTest, OpensOnTheStoredValuesWithBinaryFormatAndTheMeasuredFeedOn)
{
    Store("UseTrue=1\nTrueFileName=t.pos\nTrueWeekNo=1100\nTrueTOW=3456\nUseMeas=0\nMeasBFileType=CSV\n"
          "MeasSerialPort=/dev/ttyACM3\nMeasSerialBaud=14400\n");
    const D dialog = Open();
    EXPECT_EQ(dialog.Value(D::kDataSource), D::kSupplied);
    EXPECT_TRUE(dialog.Checked(D::kUseTrue));
    EXPECT_TRUE(dialog.Checked(D::kUseMeas));
    EXPECT_EQ(dialog.Text(D::kMeasFormat), "Binary");
    EXPECT_EQ(dialog.Text(D::kTrueFile), "t.pos");
    EXPECT_EQ(dialog.Text(D::kTrueTow), "3456");
    EXPECT_EQ(dialog.Text(D::kMeasPort), "/dev/ttyACM3");
    // The port's rates up to 921600, and a stored one the list lacks, so it shows as it is.
    EXPECT_EQ(dialog.Control(D::kMeasBaud).items,
              (std::vector<std::string>{"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200", "230400",
                                        "460800", "921600", "14400"}));
    // The ports present, and a stored one that is none of them.
    EXPECT_EQ(dialog.Control(D::kTruePort).items, (std::vector<std::string>{"/dev/ttyUSB0"}));
    EXPECT_EQ(dialog.Control(D::kMeasPort).items, (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyACM3"}));
}

// A link of the list is shown with its device and stored without it, and the stored link is
// not offered a second time.
TEST_F(DataSourceSetupTest, StoresTheLinkOfAPortChosenFromTheList)
{
    const std::string link = "/dev/serial/by-id/usb-Kestrion_GPS-if00-port0";
    const std::string item = link + " (/dev/ttyUSB1)";
    Store("MeasSource=1\nMeasSerialPort=" + link + "\nMeasSerialBaud=38400\n");
    D dialog(m_ui, Profile(), m_firstOpening, {item, "/dev/ttyUSB0"}, [] {});
    EXPECT_EQ(dialog.Control(D::kMeasPort).items, (std::vector<std::string>{item, "/dev/ttyUSB0"}));
    dialog.ChooseItem(D::kMeasPort, 1);
    dialog.ChooseItem(D::kMeasPort, 0);
    EXPECT_TRUE(dialog.Ok());
    EXPECT_EQ(Saved().measSerialPort, link);
}

// What a new user is offered: the machine's ports first, each device once, the first of them
// chosen, or random data on a machine without one; a choice once stored is kept.
TEST_F(DataSourceSetupTest, WithoutAStoredPortTheFirstOfTheMachineIsChosenOrRandomDataWithoutAny)
{
    const std::string link = "/dev/serial/by-id/usb-Kestrion_GPS-if00-port0";
    struct Case {
        const char* stored;  // null: no settings file
        std::vector<std::string> ports;
        int dataSource;
        std::string port;
        std::vector<std::string> offered;
    };
    const Case cases[] = {
        {nullptr, {"/dev/ttyUSB0", "/dev/ttyS0"}, D::kSupplied, "/dev/ttyUSB0", {"/dev/ttyUSB0", "/dev/ttyS0"}},
        {nullptr, {}, D::kRandom, "", {}},
        // "COM1" is /dev/ttyS0: shown by the list's name, not offered twice.
        {"MeasSerialPort=COM1\n", {"/dev/ttyS0", "/dev/ttyUSB0"}, D::kSupplied, "/dev/ttyS0",
         {"/dev/ttyS0", "/dev/ttyUSB0"}},
        {"MeasSerialPort=/dev/ttyUSB1\n", {link + " (/dev/ttyUSB1)"}, D::kSupplied, link, {link + " (/dev/ttyUSB1)"}},
        // A stored choice of source stays, port or not.
        {"DataSource=1\nMeasSource=0\n", {}, D::kSupplied, "", {}},
        {"DataSource=0\nMeasSerialPort=COM3\n", {"/dev/ttyUSB0"}, D::kRandom, "COM3", {"/dev/ttyUSB0", "COM3"}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(Profile().Path());
        if (c.stored != nullptr) {
            Store(c.stored);
        }
        D dialog(m_ui, Profile(), m_firstOpening, c.ports, [] {});
        const std::string name = c.stored != nullptr ? c.stored : "no file";
        EXPECT_EQ(dialog.Value(D::kDataSource), c.dataSource) << name;
        EXPECT_EQ(dialog.Text(D::kMeasPort), c.port) << name;
        EXPECT_EQ(dialog.Control(D::kMeasPort).items, c.offered) << name;
    }
    std::filesystem::remove(Profile().Path());
    D dialog(m_ui, Profile(), m_firstOpening, {"/dev/ttyACM0"}, [] {});
    ASSERT_TRUE(dialog.Ok());
    EXPECT_EQ(Saved().measSerialPort, "/dev/ttyACM0");
    EXPECT_EQ(Saved().dataSource, D::kSupplied);
}

TEST_F(DataSourceSetupTest, EnableRulesFollowTheSourceChoices)
{
    using R = std::set<int>;
    const int trueFile = D::kTrueSource * 10 + D::kFile;
    const int measFile = D::kMeasSource * 10 + D::kFile;
    const int measSerial = D::kMeasSource * 10 + D::kSerial;
    struct Case {
        int dataSource;
        bool useTrue;
        int trueSource;
        int measSource;
        R enabled;
    };
    const Case cases[] = {
        {D::kRandom, true, D::kFile, D::kFile, R{}},
        {D::kSupplied, false, D::kFile, D::kFile,
         R{D::kUseTrue, D::kUseMeas, measFile, measSerial, D::kMeasFile, D::kMeasBrowse}},
        {D::kSupplied, true, D::kFile, D::kSerial,
         R{D::kUseTrue, trueFile, D::kTrueFile, D::kTrueBrowse, D::kTrueWeek, D::kTrueTow, D::kUseMeas, measFile,
           measSerial, D::kMeasPort, D::kMeasBaud}},
        // A stored serial truth source: the truth serial controls stay off all the same.
        {D::kSupplied, true, D::kSerial, D::kSerial,
         R{D::kUseTrue, trueFile, D::kTrueWeek, D::kTrueTow, D::kUseMeas, measFile, measSerial, D::kMeasPort,
           D::kMeasBaud}},
    };
    for (const Case& c : cases) {
        Store("TrueSource=" + std::to_string(c.trueSource) + "\n");
        D dialog = Open();
        dialog.ChooseRadio(D::kDataSource, c.dataSource);
        if (dialog.Checked(D::kUseTrue) != c.useTrue) {
            dialog.Click(D::kUseTrue);
        }
        dialog.ChooseRadio(D::kMeasSource, c.measSource);
        EXPECT_EQ(Enabled(dialog), c.enabled) << c.dataSource << c.useTrue << c.trueSource << c.measSource;
    }
}

TEST_F(DataSourceSetupTest, TheInstrumentBoxCannotBeCleared)
{
    D dialog = Open();
    dialog.Click(D::kUseMeas);
    EXPECT_TRUE(dialog.Checked(D::kUseMeas));
}

TEST_F(DataSourceSetupTest, RandomDataIsStoredWithoutChecksAsAFileSource)
{
    Store("MeasSerialPort=\nMeasSerialBaud=\nMeasSerialDBits=7\nMeasSerialParity=EVEN\nMeasSerialSBits=2\nMeasRI=0\n"
          "MeasBFileType=Hex\n");
    D dialog = Open();
    dialog.ChooseRadio(D::kDataSource, D::kRandom);
    ASSERT_TRUE(dialog.Ok());
    EXPECT_TRUE(m_ui.boxes.empty());
    EXPECT_EQ(m_titles, 1);
    const Settings s = Saved();
    EXPECT_EQ(std::vector<int>({s.dataSource, s.measSource, s.useMeas, s.measRI}), std::vector<int>({0, 0, 1, 0}));
    EXPECT_EQ(std::vector<std::string>({s.measFileType, s.measSerialDBits, s.measSerialParity, s.measSerialSBits}),
              std::vector<std::string>({"Binary", "7", "EVEN", "2"}));
}

TEST_F(DataSourceSetupTest, RefusalsComeInOrderWithTheirFocusAndStoreNothing)
{
    const std::string folder = m_folder.Path().string();
    const std::string missing = folder + "/gone.bin";
    struct Case {
        std::string stored;
        std::vector<std::pair<int, std::string>> typed;
        std::string message;  // empty: accepted
        int focus;
    };
    const std::string truthFile = "UseTrue=1\nMeasSource=1\n";
    const std::string truthSerial = "UseTrue=1\nTrueSource=1\nMeasSource=1\n";
    const std::string measFile = "MeasSource=0\n";
    const std::string measSerial = "MeasSource=1\n";
    const Case cases[] = {
        {truthFile, {}, "A file name is required to load true data from a file. Return to data source setup.",
         D::kTrueFile},
        {truthFile, {{D::kTrueFile, "t.pos"}},
         "A base week number is required to load true data from a file. Return to data source setup.", D::kTrueWeek},
        {truthFile, {{D::kTrueFile, "t.pos"}, {D::kTrueWeek, "1100"}},
         "A base time of week is required to load true data from a file. Return to data source setup.", D::kTrueTow},
        {truthFile, {{D::kTrueFile, "t.pos"}, {D::kTrueWeek, "1100"}, {D::kTrueTow, "0"}}, "", 0},
        {truthSerial, {}, "A serial port is required to load true data from a serial connection.", D::kTruePort},
        {truthSerial + "TrueSerialPort=COM2\n", {},
         "A baud rate is required to load true data from a serial connection.", D::kTruePort},
        {measFile, {}, "A file name is required to load measured data from a file.", D::kMeasFile},
        // The file and the reason follow the text.
        {measFile, {{D::kMeasFile, missing}},
         "A problem occurred with opening the specified file.\n" + missing + ": No such file or directory", D::kMeasFile},
        {measFile, {{D::kMeasFile, folder}},
         "A problem occurred with opening the specified file.\n" + folder + ": Is a directory", D::kMeasFile},
        {measFile, {{D::kMeasFile, DataFile()}}, "", 0},
        {measSerial, {{D::kMeasPort, ""}},
         "A serial port is required to load measured data from a serial connection. Return to data source setup.",
         D::kMeasPort},
        {measSerial + "MeasSerialBaud=\n", {{D::kMeasPort, "/dev/ttyS4"}},
         "A baud rate is required to load measured data from a serial connection. Return to data source setup.",
         D::kMeasPort},
    };
    for (const Case& c : cases) {
        Store(c.stored);
        m_ui.boxes.clear();
        m_titles = 0;
        D dialog = Open();
        for (const auto& [id, text] : c.typed) {
            dialog.Type(id, text);
        }
        EXPECT_EQ(dialog.Ok(), c.message.empty()) << c.message;
        EXPECT_EQ(m_ui.boxes, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
        EXPECT_EQ(dialog.Focus(), c.focus) << c.message;
        EXPECT_EQ(m_titles, 1) << c.message;
        EXPECT_EQ(ReadText(Profile().Path()).find("UseMeas=1") != std::string::npos, c.message.empty())
            << c.message;
    }
}

TEST_F(DataSourceSetupTest, AMeasuredFileLockedByAnotherProgramIsAccepted)
{
    const std::string path = DataFile();
    const int holder = ::open(path.c_str(), O_RDWR);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    Store("MeasSource=0\n");
    D dialog = Open();
    dialog.Type(D::kMeasFile, path);
    EXPECT_TRUE(dialog.Ok());
    ::close(holder);
    EXPECT_EQ(Saved().measFileName, path);
}

TEST_F(DataSourceSetupTest, BrowseReplacesTheFileNameUnlessCancelled)
{
    Store("UseTrue=1\nMeasSource=0\nTrueFileName=old.pos\nMeasBFileName=old.bin\n");
    D dialog = Open();
    m_ui.files = {"/data/truth.pos"};
    dialog.Click(D::kTrueBrowse);
    dialog.Click(D::kMeasBrowse);
    EXPECT_EQ(dialog.Text(D::kTrueFile), "/data/truth.pos");
    EXPECT_EQ(dialog.Text(D::kMeasFile), "old.bin");
    ASSERT_EQ(m_ui.choosers.size(), 2u);
    const FileChooser& truth = m_ui.choosers[0];
    EXPECT_EQ(std::tuple(truth.mode, truth.title, truth.filter, truth.defaultName),
              std::tuple(FileChooser::Mode::Load, std::string("Select Simulator (Truth) File"),
                         std::string("Truth Files (*.pos)|*.pos|All Files (*.*)|*.*||"), std::string("orvodemo.pos")));
    const FileChooser& measured = m_ui.choosers[1];
    EXPECT_EQ(std::tuple(measured.mode, measured.title, measured.filter, measured.defaultName),
              std::tuple(FileChooser::Mode::Load, std::string("Specify a Binary Source Data File"),
                         std::string("All Files (*.*)|*.*||"), std::string()));
}

}  // namespace
}  // namespace kestrion

namespace kestrion {
namespace {

class DataSourceNetworkTest : public DataSourceSetupTest {
protected:
    void StoreMeasuredPort() const { Store("DataSource=1\nMeasSource=1\nMeasSerialBaud=19200\n"); }
    // OK on the measured port typed in.
    bool Accept(const std::string& port)
    {
        D dialog = Open();
        dialog.Type(D::kMeasPort, port);
        return dialog.Ok();
    }
    std::vector<std::string> History() const { return Settings::StoredNetworkPorts(Profile()); }
};

TEST_F(DataSourceNetworkTest, ANetworkAddressTakesNoBaudRateWhetherTypedOrChosen)
{
    StoreMeasuredPort();
    D dialog = Open();
    dialog.Type(D::kMeasPort, "tcp://127.0.0.1:5000");
    EXPECT_FALSE(dialog.Control(D::kMeasBaud).enabled);
    EXPECT_TRUE(dialog.Control(D::kMeasPort).enabled);
    dialog.Type(D::kMeasPort, "/dev/ttyUSB1");
    EXPECT_TRUE(dialog.Control(D::kMeasBaud).enabled);
    dialog.Type(D::kMeasPort, " UDP://:5000");
    EXPECT_FALSE(dialog.Control(D::kMeasBaud).enabled);
    dialog.ChooseItem(D::kMeasPort, 0);
    EXPECT_TRUE(dialog.Control(D::kMeasBaud).enabled);
    // A file source leaves the address but not its rule.
    dialog.Type(D::kMeasPort, "tcp://receiver:2000");
    dialog.ChooseRadio(D::kMeasSource, D::kFile);
    EXPECT_FALSE(dialog.Control(D::kMeasPort).enabled);
    EXPECT_FALSE(dialog.Control(D::kMeasBaud).enabled);
}

TEST_F(DataSourceNetworkTest, ABadAddressIsRefusedWithItsReasonAndAGoodOneIsStoredWithoutABaudRate)
{
    StoreMeasuredPort();
    D bad = Open();
    bad.Type(D::kMeasPort, "tcp://receiver");
    EXPECT_FALSE(bad.Ok());
    EXPECT_EQ(m_ui.boxes, std::vector<std::string>{"tcp://receiver is not a network address: no :PORT after the host; "
                                                   "write tcp://HOST:PORT, udp://:PORT or udp://ADDRESS:PORT"});
    EXPECT_EQ(bad.Focus(), D::kMeasPort);
    EXPECT_EQ(Saved().useMeas, 0) << "nothing is stored";
    EXPECT_TRUE(History().empty());

    m_ui.boxes.clear();
    Store("DataSource=1\nMeasSource=1\nMeasSerialBaud=\n");
    D good = Open();
    good.Type(D::kMeasPort, "  tcp://[::1]:5000 ");
    EXPECT_TRUE(good.Ok()) << (m_ui.boxes.empty() ? "" : m_ui.boxes.front());
    EXPECT_EQ(Saved().measSerialPort, "tcp://[::1]:5000");
    EXPECT_EQ(History(), std::vector<std::string>{"tcp://[::1]:5000"});
}

TEST_F(DataSourceNetworkTest, TheAddressesUsedBeforeAreOfferedNewestFirstAndFewEnough)
{
    StoreMeasuredPort();
    for (int port = 1; port <= 10; ++port) {
        ASSERT_TRUE(Accept("udp://127.0.0.1:" + std::to_string(port)));
    }
    ASSERT_TRUE(Accept("udp://127.0.0.1:4"));
    std::vector<std::string> expected{"udp://127.0.0.1:4"};
    for (int port = 10; expected.size() < D::kNetworkHistory; --port) {
        if (port != 4) {
            expected.push_back("udp://127.0.0.1:" + std::to_string(port));
        }
    }
    EXPECT_EQ(History(), expected);

    // Offered after the ports present, the stored port among them only once.
    const D dialog = Open();
    std::vector<std::string> offered{"/dev/ttyUSB0"};
    offered.insert(offered.end(), expected.begin(), expected.end());
    EXPECT_EQ(dialog.Control(D::kMeasPort).items, offered);
    EXPECT_EQ(dialog.Control(D::kTruePort).items, offered);

    // A serial port or a file source adds nothing.
    ASSERT_TRUE(Accept("/dev/ttyS1"));
    EXPECT_EQ(History(), expected);
}

}  // namespace
}  // namespace kestrion
