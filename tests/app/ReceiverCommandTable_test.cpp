// Every receiver command of the menus is carried out, and only on the source it needs: on a
// serial port each one shows its dialog, asks for its file or writes to the receiver; on
// random data none of them opens a dialog or sends anything.
#include <gtest/gtest.h>

#include <atomic>
#include <span>

#include "support/ScriptedPortFactory.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "app/CommandTable.h"
#include "app/Engine.h"
#include "platform/LoopTimers.h"
#include "transport/StdRandom.h"

namespace kestrion {
namespace {

// A scripted line that says a zero byte as each device opens and counts what the port writes.
// The port writes on the thread that sends, so a command's bytes have arrived when it returns.
class CChattyLine {
public:
    CChattyLine()
    {
        m_devices.SetOpenHandler([this](test::CScriptedDevice& device) {
            device.SetWriteHandler([this](std::span<const uint8_t> bytes) { m_heard += bytes.size(); });
            const uint8_t zero = 0;
            device.Feed({&zero, 1});
        });
    }
    ISerialDeviceFactory& Devices() { return m_devices; }
    std::string Path() const { return "/dev/ttyChatty0"; }
    // The number of bytes that arrived since the last call.
    size_t TakeHeard() { return m_heard.exchange(0); }

private:
    test::CScriptedPortFactory m_devices;
    std::atomic<size_t> m_heard{0};
};

class ReceiverCommandTableTest : public ::testing::Test {
protected:
    void Start(const std::string& dataSources)
    {
        ui.onDialog = [](CDialogForm&) { return false; };  // every dialog is cancelled
        ui.answers.push_back(BoxAnswer::No);                // and no other log file is wanted
        const std::filesystem::path ini = m_folder.Path() / "kestrion-demo.ini";
        WriteText(ini, "[Data Sources]\n" + dataSources + "[Logging]\nFileName=" +
                           (m_folder.Path() / "run.gps").string() + "\n");
        engine = std::make_unique<CEngine>(CProfile(ini), ui, timers, timers, receiver.Devices(), random);
        timers.SetDispatch(engine->TimerService());
        engine->CreateDocument();
        engine->SetShowView([this](int slot) { shownViews.push_back(slot); });
        engine->ToggleDataSource();
        ASSERT_TRUE(engine->DataSourceOpen());
    }

    // What the command did that the user or the receiver could notice.
    std::string EffectOf(int commandId)
    {
        ui.dialogs.clear();
        ui.choosers.clear();
        receiver.TakeHeard();
        engine->Execute(commandId);
        std::string effect;
        effect += ui.dialogs.empty() ? "" : "dialog ";
        effect += ui.choosers.empty() ? "" : "file ";
        effect += receiver.TakeHeard() == 0 ? "" : "sent";
        return effect;
    }

    CTempFolder m_folder;
    CChattyLine receiver;
    fakes::CScriptedUi ui;
    CLoopTimers timers{CLoopTimers::Mode::Virtual, 1700000000};
    CStdRandom random{7};
    std::unique_ptr<CEngine> engine;
    std::vector<int> shownViews;
};

TEST_F(ReceiverCommandTableTest, OnASerialPortEveryReceiverCommandDoesSomething)
{
    Start("DataSource=1\nMeasSource=1\nMeasSerialPort=" + receiver.Path() + "\nMeasSerialBaud=38400\n");
    for (const CommandInfo& command : Commands()) {
        if (command.handler == Handler::Receiver) {
            EXPECT_NE(EffectOf(command.id), "") << command.label;
        }
    }
    EXPECT_EQ(EffectOf(ID_NAV_MODE_MASK), "dialog ") << "a receiver of unknown software is not polled";
}

TEST_F(ReceiverCommandTableTest, OnRandomDataNoReceiverCommandOpensADialogOrSends)
{
    Start("DataSource=0\n");
    std::vector<int> askingForFiles;
    for (const CommandInfo& command : Commands()) {
        if (command.handler == Handler::Receiver) {
            const std::string effect = EffectOf(command.id);
            EXPECT_TRUE(effect.empty() || effect == "file ") << command.label << ": " << effect;
            if (!effect.empty()) {
                askingForFiles.push_back(command.id);
            }
        }
    }
    // Choosing the file comes first; what is done with it then goes nowhere.
    EXPECT_EQ(askingForFiles, (std::vector<int>{ID_SET_ALMANAC, ID_SET_EPHEMERIS, ID_POLL_ALMANAC, ID_POLL_EPHEMERIS}));
    // The polls still show where their answer would appear.
    EXPECT_EQ(shownViews.size(), 5u);
}

}  // namespace
}  // namespace kestrion
