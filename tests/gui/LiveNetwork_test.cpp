// The console's window on a simulated receiver served over TCP on 127.0.0.1, in real time:
// its raw bytes recorded, shared with a client, and the status bar saying both.
#include <gtest/gtest.h>

#include <QLabel>
#include <filesystem>

#include "support/LiveReceiver.h"
#include "support/LoopbackClient.h"
#include "EventLoop.h"
#include "FrameConsole.h"
#include "dialogs/ShareReceiverDialog.h"

namespace kestrion::test {
namespace {

std::string Status(CFrameConsole& console) { return console.frame->StatusText().toStdString(); }

TEST(LiveNetworkFrame, ARecordedAndSharedReceiverIsSaidInTheStatusBarUntilBothStop)
{
    CLiveReceiver receiver({}, CLiveReceiver::Link::Tcp);
    CFrameConsole console(LiveReceiverIni(receiver.Path()));
    CMainFrame& frame = *console.frame;
    EXPECT_FALSE(console.Enabled(ID_RECORD_RAW_DATA)) << "nothing to record before the source opens";
    frame.RunCommand(ID_OPEN_DATA_SOURCE);
    ASSERT_TRUE(frame.Engine().DataSourceOpen()) << (console.ui.boxes.empty() ? "" : console.ui.boxes.back());
    ASSERT_TRUE(console.Enabled(ID_RECORD_RAW_DATA));

    const std::string recording = console.File("roof.bin").string();
    console.ui.files.push_back(recording);
    frame.RunCommand(ID_RECORD_RAW_DATA);
    EXPECT_TRUE(console.Checked(ID_RECORD_RAW_DATA));
    ASSERT_EQ(console.ui.choosers.size(), 1u);
    EXPECT_EQ(console.ui.choosers[0].mode, FileChooser::Mode::Save);

    // The share on a port the system picks, for one client.
    console.ui.onDialog = [](CDialogForm& dialog) {
        dialog.Type(CShareReceiverDialog::kAddress, "tcp://127.0.0.1:0");
        return dialog.Ok();
    };
    frame.RunCommand(ID_SHARE_RECEIVER);
    ASSERT_TRUE(console.Checked(ID_SHARE_RECEIVER)) << (console.ui.boxes.empty() ? "" : console.ui.boxes.back());
    const std::string address = frame.Engine().Streams().SharingAddress();
    CLoopbackClient client(address);
    ASSERT_TRUE(client.Connected()) << address;
    ASSERT_TRUE(RunUntil([&] { return frame.Engine().Streams().SharingClients() == 1; }, 5000));

    const auto said = [&] {
        const std::string status = Status(console);
        return status.find("Recording to roof.bin") != std::string::npos &&
               status.find("Sharing on " + address + ", 1 client") != std::string::npos;
    };
    EXPECT_TRUE(RunUntil(said, 5000)) << Status(console);
    // The client gets the receiver's bytes while the recording grows.
    EXPECT_TRUE(RunUntil([&] { client.ReadSome(); return client.received.size() > 200; }, 10000));

    frame.RunCommand(ID_SHARE_RECEIVER);
    EXPECT_FALSE(console.Checked(ID_SHARE_RECEIVER));
    frame.RunCommand(ID_OPEN_DATA_SOURCE);  // closing the source ends the recording
    EXPECT_FALSE(console.Checked(ID_RECORD_RAW_DATA));
    EXPECT_EQ(Status(console).find("Recording"), std::string::npos) << Status(console);
    EXPECT_GT(std::filesystem::file_size(recording), 200u);
    EXPECT_GT(std::filesystem::file_size(recording + ".times"), 16u);
    EXPECT_TRUE(console.ui.boxes.empty()) << console.ui.boxes.front();
}

}  // namespace
}  // namespace kestrion::test
