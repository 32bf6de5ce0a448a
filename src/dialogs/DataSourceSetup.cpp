#include "dialogs/DataSourceSetup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "dialogs/ListItems.h"
#include "dialogs/SerialLineItems.h"
#include "platform/NetworkAddress.h"
#include "platform/SerialPorts.h"

namespace kestrion {
namespace {

const std::vector<std::string> kTrueBaudItems = {"4800", "9600", "19200", "38400"};
const std::vector<std::string> kFormatItems = {"Binary", "Hex", "CSV"};
constexpr const char* kBinary = "Binary";

const FileChooser kTrueChooser{FileChooser::Mode::Load, "Select Simulator (Truth) File",
                               "Truth Files (*.pos)|*.pos|All Files (*.*)|*.*||", "orvodemo.pos"};
const FileChooser kMeasChooser{FileChooser::Mode::Load, "Specify a Binary Source Data File", "All Files (*.*)|*.*||",
                               {}};

// A stored value the list does not offer is offered too, so it is shown and kept as it is.
std::vector<std::string> WithStored(std::vector<std::string> items, const std::string& stored)
{
    if (!stored.empty() && !HasItem(items, stored)) {
        items.push_back(stored);
    }
    return items;
}

// The ports present, the network addresses used before, and the stored one (a typed path)
// when it is none of them, nor a device of the list by another name.
std::vector<std::string> WithStoredPort(std::vector<std::string> ports, const std::vector<std::string>& history,
                                        const std::string& stored)
{
    for (const std::string& address : history) {
        ports = WithStored(std::move(ports), address);
    }
    return ListedPort(ports, stored) ? ports : WithStored(std::move(ports), stored);
}

// Why the data file cannot be read, as an errno value; 0 when it opens for reading and is no
// folder. Nothing here locks files, so one another program holds open passes.
int ReadProblem(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    struct stat status {};
    const int problem = ::fstat(fd, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
    ::close(fd);
    return problem;
}

}  // namespace

CDataSourceSetup::CDataSourceSetup(IUserInterface& ui, const CProfile& profile, bool& firstOpening,
                                   const std::vector<std::string>& serialPorts, std::function<void()> refreshTitle)
    : CDialogForm(ui, "Data Source Setup", "OK"), m_profile(profile), m_refreshTitle(std::move(refreshTitle))
{
    m_settings.LoadDataSources(profile);
    m_settings.measFileType = kBinary;
    TakeMachinePorts(serialPorts);
    const std::vector<std::string> history = Settings::StoredNetworkPorts(profile);

    AddRadio(kDataSource, "", {"Random", "Supplied Data"});
    AddGroup(kTrueGroup, "");
    AddCheck(kUseTrue, "Simulator (Truth Data)", kTrueGroup);
    AddRadio(kTrueSource, "", {"File:", "Serial Port:"}, kTrueGroup);
    AddTextEdit(kTrueFile, "", 0, kTrueGroup);
    AddButton(kTrueBrowse, "Browse...", kTrueGroup);
    AddComboEdit(kTruePort, "", WithStoredPort(serialPorts, history, m_settings.trueSerialPort), kTrueGroup);
    AddDropList(kTrueBaud, "Baud Rate:", WithStored(kTrueBaudItems, m_settings.trueSerialBaud), kTrueGroup);
    AddTextEdit(kTrueWeek, "Week Number:", 0, kTrueGroup);
    AddTextEdit(kTrueTow, "Time of Week:", 0, kTrueGroup).unit = "ms/10";
    AddGroup(kMeasGroup, "");
    AddCheck(kUseMeas, "Instrument (Measured Data)", kMeasGroup);
    AddRadio(kMeasSource, "", {"File:", "Serial Port:"}, kMeasGroup);
    AddTextEdit(kMeasFile, "", 0, kMeasGroup);
    AddButton(kMeasBrowse, "Browse...", kMeasGroup);
    AddDropList(kMeasFormat, "Format:", kFormatItems, kMeasGroup);
    AddComboEdit(kMeasPort, "", WithStoredPort(serialPorts, history, m_settings.measSerialPort), kMeasGroup);
    AddDropList(kMeasBaud, "Baud Rate:", WithStored(kPortBaudItems, m_settings.measSerialBaud), kMeasGroup);

    ShowSettings();
    if (firstOpening) {
        firstOpening = false;
        EnableCancel(false);
    }
    ApplyRules();
}

void CDataSourceSetup::TakeMachinePorts(const std::vector<std::string>& serialPorts)
{
    for (std::string Settings::*port : {&Settings::measSerialPort, &Settings::trueSerialPort}) {
        if (std::optional<std::string> listed = ListedPort(serialPorts, m_settings.*port)) {
            m_settings.*port = std::move(*listed);
        }
    }
    if (!Settings::StoredText(m_profile, &Settings::measSerialPort).empty()) {
        return;
    }
    // Nothing chosen yet: the first port this machine has, or random data without one.
    m_settings.measSerialPort = serialPorts.empty() ? std::string() : PortOfListItem(serialPorts.front());
    if (serialPorts.empty() && !Settings::IsStored(m_profile, &Settings::dataSource)) {
        m_settings.dataSource = kRandom;
    }
}

void CDataSourceSetup::ShowSettings()
{
    SetValue(kDataSource, m_settings.dataSource);
    SetChecked(kUseTrue, m_settings.useTrue != 0);
    SetValue(kTrueSource, m_settings.trueSource);
    SetText(kTrueFile, m_settings.trueFileName);
    SetText(kTruePort, m_settings.trueSerialPort);
    SetText(kTrueBaud, m_settings.trueSerialBaud);
    SetText(kTrueWeek, m_settings.trueWeekNo);
    SetText(kTrueTow, m_settings.trueTow);
    SetValue(kMeasSource, m_settings.measSource);
    SetText(kMeasFile, m_settings.measFileName);
    SetText(kMeasFormat, m_settings.measFileType);
    SetText(kMeasPort, m_settings.measSerialPort);
    SetText(kMeasBaud, m_settings.measSerialBaud);
    // The measured feed is always in use.
    SetChecked(kUseMeas, true);
}

void CDataSourceSetup::ApplyRules()
{
    const bool truth = TruthEnabled();
    const bool measured = MeasuredEnabled();
    const bool trueFile = truth && Value(kTrueSource) == kFile;
    const bool measFile = measured && Value(kMeasSource) == kFile;
    const bool measSerial = measured && Value(kMeasSource) == kSerial;

    Enable(kUseTrue, Supplied());
    EnableButton(kTrueSource, kFile, truth);
    EnableButton(kTrueSource, kSerial, false);
    Enable(kTrueFile, trueFile);
    Enable(kTrueBrowse, trueFile);
    // The truth feed reads files only.
    Enable(kTruePort, false);
    Enable(kTrueBaud, false);
    Enable(kTrueWeek, truth);
    Enable(kTrueTow, truth);

    Enable(kUseMeas, Supplied());
    EnableButton(kMeasSource, kFile, measured);
    EnableButton(kMeasSource, kSerial, measured);
    Enable(kMeasFile, measFile);
    Enable(kMeasBrowse, measFile);
    // The measured file is read as binary data whatever the list says.
    Enable(kMeasFormat, false);
    Enable(kMeasPort, measSerial);
    // A network address has no baud rate.
    Enable(kMeasBaud, measSerial && !IsNetworkPort(PortText(kMeasPort)));
}

void CDataSourceSetup::OnClicked(int id)
{
    switch (id) {
    case kUseMeas:
        SetChecked(kUseMeas, true);
        break;
    case kTrueBrowse:
        Browse(kTrueFile, kTrueChooser);
        break;
    case kMeasBrowse:
        Browse(kMeasFile, kMeasChooser);
        break;
    default:
        break;
    }
    ApplyRules();
}

void CDataSourceSetup::Browse(int edit, const FileChooser& chooser)
{
    std::string path = m_ui.ChooseFile(chooser);
    if (!path.empty()) {
        SetText(edit, std::move(path));
    }
}

bool CDataSourceSetup::OnOk()
{
    const bool accepted = ReadControls() && Validate();
    if (accepted) {
        ReadSettings();
        m_settings.SaveDataSources(m_profile);
        RememberNetworkPort();
    }
    if (m_refreshTitle) {
        m_refreshTitle();
    }
    return accepted;
}

bool CDataSourceSetup::Validate()
{
    if (!Supplied()) {
        return true;
    }
    if (TruthEnabled() && Value(kTrueSource) == kFile) {
        if (Text(kTrueFile).empty()) {
            return Refuse(kTrueFile, "A file name is required to load true data from a file. "
                                     "Return to data source setup.");
        }
        if (Text(kTrueWeek).empty()) {
            return Refuse(kTrueWeek, "A base week number is required to load true data from a file. "
                                     "Return to data source setup.");
        }
        if (Text(kTrueTow).empty()) {
            return Refuse(kTrueTow, "A base time of week is required to load true data from a file. "
                                    "Return to data source setup.");
        }
    }
    if (TruthEnabled() && Value(kTrueSource) == kSerial &&
        !ValidatePort(kTruePort, kTrueBaud, "A serial port is required to load true data from a serial connection.",
                      "A baud rate is required to load true data from a serial connection.")) {
        return false;
    }
    if (Checked(kUseMeas) && Value(kMeasSource) == kFile) {
        if (Text(kMeasFile).empty()) {
            return Refuse(kMeasFile, "A file name is required to load measured data from a file.");
        }
        if (const int problem = ReadProblem(Text(kMeasFile)); problem != 0) {
            return Refuse(kMeasFile, "A problem occurred with opening the specified file.\n" + Text(kMeasFile) + ": " +
                                         std::strerror(problem));
        }
        if (Text(kMeasFormat).empty()) {
            return Refuse(kMeasFormat, "A file type is required to load measured data from a file.");
        }
    }
    if (Checked(kUseMeas) && Value(kMeasSource) == kSerial) {
        return ValidatePort(kMeasPort, kMeasBaud,
                            "A serial port is required to load measured data from a serial connection. "
                            "Return to data source setup.",
                            "A baud rate is required to load measured data from a serial connection. "
                            "Return to data source setup.");
    }
    return true;
}

bool CDataSourceSetup::ValidatePort(int port, int baud, std::string_view missingPort, std::string_view missingBaud)
{
    const std::string name = PortText(port);
    if (name.empty()) {
        return Refuse(port, missingPort);
    }
    if (IsNetworkPort(name)) {
        std::string problem;
        return ParseNetworkAddress(name, problem) || Refuse(port, problem);
    }
    return !Text(baud).empty() || Refuse(port, missingBaud);
}

void CDataSourceSetup::ReadSettings()
{
    m_settings.dataSource = Value(kDataSource);
    m_settings.useTrue = Checked(kUseTrue) ? 1 : 0;
    m_settings.trueSource = Value(kTrueSource);
    m_settings.trueFileName = Text(kTrueFile);
    m_settings.trueSerialPort = PortText(kTruePort);
    m_settings.trueSerialBaud = Text(kTrueBaud);
    m_settings.trueWeekNo = Text(kTrueWeek);
    m_settings.trueTow = Text(kTrueTow);
    m_settings.useMeas = Checked(kUseMeas) ? 1 : 0;
    // With random data the measured source is stored as a file.
    m_settings.measSource = Supplied() ? Value(kMeasSource) : kFile;
    m_settings.measFileName = Text(kMeasFile);
    m_settings.measFileType = Text(kMeasFormat);
    m_settings.measSerialPort = PortText(kMeasPort);
    m_settings.measSerialBaud = Text(kMeasBaud);
}

std::string CDataSourceSetup::PortText(int port) const { return PortOfListItem(TrimmedText(port)); }

void CDataSourceSetup::RememberNetworkPort()
{
    const bool measuredPort = m_settings.dataSource == kSupplied && m_settings.measSource == kSerial;
    const std::string& address = m_settings.measSerialPort;
    if (!measuredPort || !IsNetworkPort(address)) {
        return;
    }
    std::vector<std::string> history = Settings::StoredNetworkPorts(m_profile);
    std::erase(history, address);
    history.insert(history.begin(), address);
    if (history.size() > kNetworkHistory) {
        history.resize(kNetworkHistory);
    }
    Settings::SaveNetworkPorts(m_profile, history);
}

}  // namespace kestrion
