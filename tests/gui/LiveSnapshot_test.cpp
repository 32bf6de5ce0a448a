// A snapshot of a receiver on a pseudo-terminal: it plays in real time, for the seconds asked.
#include <gtest/gtest.h>

#include <QImage>

#include "support/LiveReceiver.h"
#include "support/QtTestApp.h"
#include "support/TempFolder.h"
#include "EventLoop.h"
#include "gui/Snapshot.h"
#include "views/RadarView.h"

namespace kestrion {
namespace {

TEST(Snapshot, ASerialPortPlaysInRealTimeForTheSecondsAsked)
{
    test::TestApplication();
    const CTempFolder folder;
    test::CLiveReceiver receiver{SimConfig{}};
    const std::filesystem::path ini = folder.Path() / "live.ini";
    WriteText(ini, test::LiveReceiverIni(receiver.Path()));
    SnapshotRequest request;
    request.slot = 1;
    request.out = (folder.Path() / "tracking.png").string();
    request.ini = ini.string();

    testing::internal::CaptureStderr();
    EXPECT_EQ(RunSnapshot(request, {}), 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("plays in real time: give --seconds"), std::string::npos);

    // Satellites (a few hundred pixels each) and the course arrow on the sky plot.
    request.seconds = 3;
    ASSERT_EQ(RunSnapshot(request, {}), 0);
    const QImage picture(QString::fromStdString(request.out));
    fakes::CScriptedUi ui;
    CRadarView empty(CProfile(ini), ui);
    empty.resize(picture.size());
    const QImage emptyPicture = empty.grab().toImage().convertToFormat(picture.format());
    ASSERT_EQ(emptyPicture.size(), picture.size());
    int differing = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            differing += picture.pixel(x, y) != emptyPicture.pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_GE(differing, 1000);
}

}  // namespace
}  // namespace kestrion
