#include "dialogs/LogFileSettings.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace kestrion {
namespace {

struct LoggableType {
    int mid;
    const char* name;
};

constexpr std::array<LoggableType, 22> kLoggable{{
    {1, "Ref Nav"}, {2, "Meas Nav"}, {4, "Meas Trk"}, {5, "Raw Trk"}, {6, "S/W Version"}, {7, "Clk Status"},
    {8, "50 BPS"}, {9, "Thru-put"}, {10, "Error"}, {11, "Command Ack"}, {12, "Command Nak"}, {13, "Visible List"},
    {14, "Almanac"}, {15, "Ephemeris"}, {17, "Raw DGPS"}, {19, "Rcvr Params"}, {23, "Compact Tracking"},
    {28, "Nav Lib: Meas"}, {29, "Nav Lib: DGPS"}, {30, "Nav Lib:SV State"}, {31, "Nav Lib: Init"},
    {255, "Development"},
}};

const FileChooser kLogChooser{FileChooser::Mode::Save, "Specify a Name for the Log File",
                              "GPS Files (*.gps)|*.gps|Log Files (*.log)|*.log|All Files (*.*)|*.*||", {}};
constexpr const char* kExistingQuestion =
    "This file currently exists.  Do you wish to overwrite it, append to it or select another file?";
constexpr const char* kCannotCreate = "Log File can not be created as specified.  Check if path is correct.";

std::vector<std::string> LoggableItems()
{
    std::vector<std::string> items;
    for (const LoggableType& type : kLoggable) {
        char item[40];
        std::snprintf(item, sizeof item, "%03d  %s", type.mid, type.name);
        items.emplace_back(item);
    }
    return items;
}

// Creates the file, or empties it when it exists; the errno value of a failure, else 0.
int CreateEmpty(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        return errno;
    }
    ::close(fd);
    return 0;
}

std::string CannotCreate(const std::string& path, int error)
{
    return std::string(kCannotCreate) + "\n" + path + ": " + std::strerror(error);
}

}  // namespace

CLogFileSettings::CLogFileSettings(IUserInterface& ui, const CProfile& profile)
    : CDialogForm(ui, "Log File Settings", "&OK"), m_profile(profile)
{
    m_settings.LoadLogging(profile);
    AddTextEdit(kFileName, "Filename:");
    AddButton(kBrowse, "...");
    AddSelectList(kMessages, "Messages Available for Logging:", LoggableItems());
    AddStatic(kRecommended, "[recommended]");
    AddButton(kSelectAll, "Select &All");
    AddButton(kSelectNone, "Select &None");

    SetText(kFileName, m_settings.logFileName);
    for (size_t item = 0; item < kLoggable.size(); ++item) {
        Edit(kMessages).selected[item] = m_settings.logMessages[kLoggable[item].mid] != 0;
    }
}

void CLogFileSettings::OnClicked(int id)
{
    switch (id) {
    case kBrowse:
        Browse();
        break;
    case kSelectAll:
        SelectAll(true);
        break;
    case kSelectNone:
        SelectAll(false);
        break;
    default:
        break;
    }
}

void CLogFileSettings::Browse()
{
    FileChooser chooser = kLogChooser;
    chooser.defaultName = Text(kFileName);
    std::string path = m_ui.ChooseFile(chooser);
    if (!path.empty()) {
        SetText(kFileName, std::move(path));
    }
}

void CLogFileSettings::SelectAll(bool selected)
{
    std::vector<bool>& items = Edit(kMessages).selected;
    items.assign(items.size(), selected);
}

bool CLogFileSettings::OnOk()
{
    if (!ReadControls()) {
        return false;
    }
    const std::string& path = Text(kFileName);
    if (path.empty()) {
        return Refuse(kFileName, "A filename is required for output to a Log File.");
    }
    if (!PrepareFile(path)) {
        return false;
    }
    m_settings.logFileName = path;
    const std::vector<bool>& selected = Control(kMessages).selected;
    for (size_t item = 0; item < kLoggable.size(); ++item) {
        m_settings.logMessages[kLoggable[item].mid] = selected[item] ? 1 : 0;
    }
    m_settings.SaveLogging(m_profile);
    return true;
}

bool CLogFileSettings::PrepareFile(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status)) {
        return Refuse(kFileName, CannotCreate(path, EISDIR));
    }
    // Any existing file is asked about, readable or not: it is never emptied unasked.
    if (std::filesystem::exists(status)) {
        switch (m_ui.Ask("Kestrion", kExistingQuestion, {"&Overwrite", "&Append", "&Reselect"})) {
        case kOverwrite:
            break;
        case kAppend:
            return true;
        default:
            SetFocus(kFileName);
            return false;
        }
    }
    const int problem = CreateEmpty(path);
    return problem == 0 || Refuse(kFileName, CannotCreate(path, problem));
}

}  // namespace kestrion
