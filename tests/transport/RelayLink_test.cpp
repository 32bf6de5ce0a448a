#include "transport/RelayLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RelayFakes.h"
#include "protocol/CommandFrame.h"

namespace kestrion {
namespace {

using fakes::Bytes;
using fakes::CRecordingWriter;
using fakes::CScriptedSerialFactory;
using fakes::Join;

class CBoxRecorder : public IUserInterface {
public:
    BoxAnswer MessageBox(std::string_view text, BoxButtons, BoxIcon) override
    {
        boxes.emplace_back(text);
        return BoxAnswer::Ok;
    }
    int Ask(std::string_view, std::string_view, const std::vector<std::string>&) override { return 0; }
    std::string ChooseFile(const FileChooser&) override { return {}; }
    bool RunDialog(CDialogForm&) override { return false; }

    std::vector<std::string> boxes;
};

Bytes FrameOf(uint8_t mid, uint8_t value) { return BuildCommandFrame(Bytes{mid, value, value}); }

Bytes Part(const Bytes& bytes, size_t from, size_t to)
{
    return Bytes(bytes.begin() + static_cast<long>(from), bytes.begin() + static_cast<long>(to));
}

TEST(RelayLink, RelaysFramesInOrderAcrossReadsAndReopeningsAt9600Baud8N1)
{
    const Bytes a = FrameOf(0x30, 1), b = FrameOf(0x31, 2), c = FrameOf(0x32, 3), d = FrameOf(0x33, 4);
    const Bytes cut = FrameOf(0x34, 5);
    CScriptedSerialFactory factory({
        {},  // a silent port is reopened
        {{Join({a, Part(b, 0, 5)}), Join({Part(b, 5, b.size()), Bytes{0x00, 0x17}, c, Part(cut, 0, 6)})}, true},
        // A frame cut by the hang-up is not completed by the next opening.
        {{Join({Part(cut, 6, cut.size()), d})}, false},
    });
    CBoxRecorder ui;
    CRecordingWriter receiver;
    CRelayLink link(factory, ui);

    ASSERT_TRUE(link.Start("COM2", receiver));
    EXPECT_TRUE(link.Running());
    ASSERT_TRUE(receiver.WaitForFrames(4));
    link.Stop();

    EXPECT_EQ(receiver.Frames(), (std::vector<Bytes>{a, b, c, d}));
    const std::vector<CScriptedSerialFactory::Opening> openings = factory.Openings();
    ASSERT_EQ(openings.size(), 3u);
    for (const CScriptedSerialFactory::Opening& opening : openings) {
        EXPECT_EQ(opening.path, DevicePathOf("COM2"));
        const SerialSettings& settings = opening.settings;
        EXPECT_EQ(settings.baud + settings.dataBits + settings.parity + settings.stopBits, "96008N1");
    }
    EXPECT_FALSE(link.Running());
    EXPECT_EQ(factory.Closed(), 3);
    EXPECT_EQ(factory.PurgedBeforeClose(), 2) << "the silent and the stopped device are purged, the gone one is not";
    EXPECT_TRUE(ui.boxes.empty());
}

TEST(RelayLink, AFailedOpenTellsTheUserAndDoesNotStart)
{
    CScriptedSerialFactory factory;
    factory.refuse = true;
    CBoxRecorder ui;
    CRecordingWriter receiver;
    CRelayLink link(factory, ui);

    EXPECT_FALSE(link.Start("COM7", receiver));
    EXPECT_FALSE(link.Running());
    EXPECT_EQ(ui.boxes, std::vector<std::string>{"OrvoDemo cannot create handle for COM7."});
    EXPECT_EQ(receiver.hookChanges, 0);
}

TEST(RelayLink, StopOrTheReceiverPortsCloseEndsTheThreadAndClosesThePort)
{
    // By the link's own stop the hook is withdrawn; once the port's close ran, the closed port
    // may be gone and the link leaves it alone.
    for (const bool byPortClose : {false, true}) {
        SCOPED_TRACE(byPortClose);
        CScriptedSerialFactory factory;
        CBoxRecorder ui;
        CRecordingWriter receiver;
        CRelayLink link(factory, ui);
        ASSERT_TRUE(link.Start("COM2", receiver));
        EXPECT_TRUE(receiver.HasBeforeClose());

        if (byPortClose) {
            receiver.RunBeforeClose();
        } else {
            link.Stop();
            EXPECT_FALSE(receiver.HasBeforeClose());
        }
        EXPECT_FALSE(link.Running());
        EXPECT_EQ(factory.Closed(), 1);
        EXPECT_EQ(factory.PurgedBeforeClose(), 1);
        link.Stop();
        EXPECT_EQ(receiver.hookChanges, byPortClose ? 1 : 2);
    }
}

TEST(RelayLink, RestartingOrDestroyingStopsTheRunningLink)
{
    CScriptedSerialFactory factory;
    CBoxRecorder ui;
    CRecordingWriter first;
    CRecordingWriter second;
    {
        CRelayLink link(factory, ui);
        ASSERT_TRUE(link.Start("COM2", first));
        ASSERT_TRUE(link.Start("COM4", second));
        EXPECT_FALSE(first.HasBeforeClose());
        EXPECT_EQ(factory.Closed(), 1);
        EXPECT_TRUE(link.Running());
    }
    EXPECT_EQ(factory.Closed(), 2);
    EXPECT_FALSE(second.HasBeforeClose());
}

}  // namespace
}  // namespace kestrion
