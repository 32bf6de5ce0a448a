// Every receiver command of the menus is carried out, and only on the source it needs: on a
// serial port each one shows its dialog, asks for its file or writes to the receiver; on
// random data none of them opens a dialog or sends anything.
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "app/CommandTable.h"
#include "app/Engine.h"
#include "platform/LoopTimers.h"
#include "transport/StdRandom.h"

namespace kestrion {
namespace {

// The far end of a pseudo-terminal that counts what arrives and sends a zero byte every few
// milliseconds, so that the port's first-byte wait and its drain before a close stay short.
class CChattyLine {
public:
    CChattyLine()
    {
        char name[256] {};
        termios raw {};
        ::cfmakeraw(&raw);  // no echo of what the line sends while no port has it open
        EXPECT_EQ(::openpty(&m_master, &m_slave, name, &raw, nullptr), 0);
        ::fcntl(m_master, F_SETFL, O_NONBLOCK);
        m_path = name;
        m_thread = std::thread([this] {
            char buffer[4096];
            while (!m_stop) {
                const char zero = 0;
                (void)::write(m_master, &zero, 1);
                for (ssize_t read = 0; (read = ::read(m_master, buffer, sizeof buffer)) > 0;) {
                    m_heard += static_cast<size_t>(read);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    ~CChattyLine()
    {
        m_stop = true;
        m_thread.join();
        ::close(m_master);
        ::close(m_slave);
    }
    const std::string& Path() const { return m_path; }
    // The number of bytes that arrived since the last call, waiting at least 30 ms and, while
    // none has come, up to `patience` (a loaded machine may take a while to pass them on).
    size_t TakeHeard(std::chrono::milliseconds patience = std::chrono::milliseconds(30))
    {
        const auto start = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        while (m_heard == 0 && std::chrono::steady_clock::now() - start < patience) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return m_heard.exchange(0);
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
    std::atomic<bool> m_stop{false};
    std::atomic<size_t> m_heard{0};
    std::thread m_thread;
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
        engine = std::make_unique<CEngine>(CProfile(ini), ui, timers, timers, random);
        timers.SetDispatch(engine->TimerService());
        engine->CreateDocument();
        engine->SetShowView([this](int slot) { shownViews.push_back(slot); });
        engine->ToggleDataSource();
        ASSERT_TRUE(engine->DataSourceOpen());
    }

    // What the command did that the user or the receiver could notice; bytes sent are waited
    // for up to `patience` when the command showed nothing.
    std::string EffectOf(int commandId, std::chrono::milliseconds patience = std::chrono::milliseconds(30))
    {
        ui.dialogs.clear();
        ui.choosers.clear();
        receiver.TakeHeard();
        engine->Execute(commandId);
        std::string effect;
        effect += ui.dialogs.empty() ? "" : "dialog ";
        effect += ui.choosers.empty() ? "" : "file ";
        effect += receiver.TakeHeard(effect.empty() ? patience : std::chrono::milliseconds(30)) == 0 ? "" : "sent";
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
            EXPECT_NE(EffectOf(command.id, std::chrono::seconds(3)), "") << command.label;
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
