#include "dialogs/ReceiverInitDialog.h"

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>

#include "dialogs/TextLines.h"
#include "platform/DecimalValue.h"

namespace kestrion {
namespace {

// The payload carries the week in 16 bits and the time of week in 10 ms units in 32 bits.
constexpr int64_t kMaxWeek = UINT16_MAX;
constexpr int64_t kMaxTowSeconds = UINT32_MAX / 100;
constexpr size_t kMaxPositionChars = 99;

}  // namespace

CReceiverInitDialog::CReceiverInitDialog(IUserInterface& ui, int generation, const CProfile& profile)
    : CDialogForm(ui, "Receiver Initialization", "Send"), m_profile(profile)
{
    m_settings.LoadReceiverInit(profile);

    AddIntEdit(kX, "X:", "m", INT32_MIN, INT32_MAX);
    AddIntEdit(kY, "Y:", "m", INT32_MIN, INT32_MAX);
    AddIntEdit(kZ, "Z:", "m", INT32_MIN, INT32_MAX);
    AddIntEdit(kClock, "Clock:", "", INT32_MIN, INT32_MAX);
    AddCheck(kUseDosTime, "&Use Current DOS Time");
    AddUnsignedEdit(kWeek, "Week Number:", "").high = kMaxWeek;
    AddUnsignedEdit(kTow, "Time of Week:", "s").high = kMaxTowSeconds;
    AddIntEdit(kChannels, "Channels:", "", 1, 12);
    AddRadio(kResetMode, "Reset Mode:",
             {"&Hot Start", "&Warm Start (No Init)", "Warm Start (&Init)", "&Cold Start", "&Factory Reset"});
    AddCheck(kRawTrack, "Enable &Raw Track Data");
    AddCheck(kDebug, "Enable &Development Data");
    AddGroup(kPeriodGroup, "Periodic Reset");
    AddComboEdit(kPeriod, "(0; 5 to 600-s):", {"0", "30", "60", "120", "180", "240", "300", "600"}, kPeriodGroup);
    AddButton(kLoad, "&Load...");

    SetInt(kX, m_settings.initX);
    SetInt(kY, m_settings.initY);
    SetInt(kZ, m_settings.initZ);
    SetInt(kClock, m_settings.initClock);
    SetChecked(kUseDosTime, m_settings.useDosTime != 0);
    SetInt(kWeek, m_settings.initWeek);
    SetInt(kTow, m_settings.initTow / 100);
    SetInt(kChannels, m_settings.channels);
    const int mode = m_settings.resetMode;
    SetValue(kResetMode, mode >= kHotStart && mode <= kFactoryReset ? mode : kHotStart);
    SetChecked(kRawTrack, m_settings.enableRawTrackMessages != 0);
    SetChecked(kDebug, m_settings.enableDebugMessages != 0);

    if (generation == 1) {
        ShowButton(kResetMode, kFactoryReset, false);
        EnableButton(kResetMode, kFactoryReset, false);
        if (ResetMode() == kFactoryReset) {
            SetValue(kResetMode, kColdStart);
        }
    } else {
        Edit(kRawTrack).label = "Enable &Nav Lib Data";
    }
    SetText(kPeriod, "0");
    ApplyRules();
    // The focus stays on the default button, "Send".
}

void CReceiverInitDialog::ApplyRules()
{
    const bool init = ResetMode() == kWarmInit;
    for (const int id : {kX, kY, kZ, kClock, kChannels, kUseDosTime}) {
        Enable(id, init);
    }
    Enable(kWeek, init && !Checked(kUseDosTime));
    Enable(kTow, init && !Checked(kUseDosTime));
    Enable(kRawTrack, ResetMode() != kFactoryReset);
    Enable(kDebug, ResetMode() != kFactoryReset);
}

void CReceiverInitDialog::OnClicked(int id)
{
    if (id == kResetMode || id == kUseDosTime) {
        ApplyRules();
    } else if (id == kLoad) {
        LoadPositionFile();
    }
}

void CReceiverInitDialog::LoadPositionFile()
{
    const FileChooser chooser{FileChooser::Mode::Load, "Specify a Name for the Position File",
                              "Position Files (*.pos)|*.pos|All Files (*.*)|*.*||", {}};
    std::filesystem::path path;
    // A confirmed name without a file part asks again; Cancel ends here.
    do {
        path = m_ui.ChooseFile(chooser);
        if (path.empty()) {
            return;
        }
    } while (!path.has_filename());

    const TextLines file = ReadTextLines(path, 4);
    if (!file.problem.empty()) {
        Message(FileProblemText("Cannot open position file", path, file.problem));
        return;
    }
    // X, Y, Z and clock, one a line; a missing line gives 0.
    const int ids[] = {kX, kY, kZ, kClock};
    for (size_t i = 0; i < std::size(ids); ++i) {
        const std::string_view line = i < file.lines.size() ? file.lines[i] : std::string_view();
        SetInt(ids[i], DecimalValue(line.substr(0, kMaxPositionChars)));
    }
}

bool CReceiverInitDialog::OnOk()
{
    if (!ReadControls()) {
        return false;
    }
    // Read as unsigned, a negative period would be far above 600.
    const long period = DecimalValue(Text(kPeriod));
    if (period < 0 || (period >= 1 && period <= 4) || period > 600) {
        return Refuse(kPeriod, "Reset period is out of range.");
    }
    if (ResetMode() == kFactoryReset) {
        SetChecked(kRawTrack, false);
        SetChecked(kDebug, false);
    }
    SaveFields();
    m_period = static_cast<int>(period);
    return true;
}

void CReceiverInitDialog::SaveFields()
{
    m_settings.initX = Int(kX);
    m_settings.initY = Int(kY);
    m_settings.initZ = Int(kZ);
    m_settings.initClock = Int(kClock);
    m_settings.useDosTime = Checked(kUseDosTime) ? 1 : 0;
    m_settings.initWeek = static_cast<int>(Int(kWeek));
    m_settings.initTow = Int(kTow) * 100;
    m_settings.channels = static_cast<int>(Int(kChannels));
    m_settings.resetMode = ResetMode();
    m_settings.enableRawTrackMessages = Checked(kRawTrack) ? 1 : 0;
    m_settings.enableDebugMessages = Checked(kDebug) ? 1 : 0;
    m_settings.SaveReceiverInit(m_profile);
}

}  // namespace kestrion
