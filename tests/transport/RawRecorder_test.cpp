#include "transport/RawRecorder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "support/TempFolder.h"
#include "RecordingFakes.h"
#include "transport/TimeIndex.h"

namespace kestrion {
namespace {

using namespace fakes;
using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

std::string Contents(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Receive(CRawRecorder& recorder, std::string_view bytes, std::chrono::steady_clock::time_point at)
{
    recorder.Received(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), at);
}

class RawRecorderTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return (folder.Path() / name).string(); }
    CTempFolder folder;
    CRawRecorder recorder;
};

TEST_F(RawRecorderTest, EveryByteGoesToTheFileAndEachReadToTheIndex)
{
    const std::string path = PathOf("rec.bin");
    WriteText(path, "old content, truncated");
    ASSERT_EQ(recorder.Start(path), "");
    EXPECT_TRUE(recorder.Recording());
    EXPECT_EQ(recorder.Path(), path);
    const auto t0 = std::chrono::steady_clock::now();
    const std::string first = Text(NavFrame(1000, 100)), second = Text(Ack(0x84));
    Receive(recorder, first.substr(0, 20), t0);
    Receive(recorder, first.substr(20), t0 + 4ms);  // shares the entry of the read before
    Receive(recorder, second, t0 + 30ms);
    Receive(recorder, "", t0 + 40ms);
    Receive(recorder, std::string(3, '\0'), t0 + 1030ms);
    recorder.Stop();
    EXPECT_FALSE(recorder.Recording());
    EXPECT_TRUE(recorder.TakeFailures().empty());

    EXPECT_EQ(Contents(path), first + second + std::string(3, '\0'));
    const TimeIndex index = ReadTimeIndex(TimeIndexPath(path), 62);
    ASSERT_EQ(index.entries.size(), 3u);
    EXPECT_FALSE(index.faulty);
    EXPECT_EQ(index.entries[1].offset, 49);
    EXPECT_EQ(index.entries[2].offset, 59);
    EXPECT_EQ(index.entries[1].ms - index.entries[0].ms, 30);
    EXPECT_EQ(index.entries[2].ms - index.entries[0].ms, 1030);

    Receive(recorder, "after", t0 + 2s);  // not recording: dropped
    EXPECT_EQ(Contents(path).size(), 62u);
}

TEST_F(RawRecorderTest, TheDataReachesTheFileWhileTheRecordingRuns)
{
    const std::string path = PathOf("live.bin");
    ASSERT_EQ(recorder.Start(path), "");
    Receive(recorder, "$GPGGA", std::chrono::steady_clock::now());
    // Flushed within the period: a kill now leaves these bytes.
    // The index entry follows its bytes' flush: wait for both.
    for (int wait = 0; wait < 200 && (std::filesystem::file_size(path) < 6 ||
                                      ReadTimeIndex(TimeIndexPath(path), 6).entries.empty());
         ++wait) {
        std::this_thread::sleep_for(25ms);
    }
    EXPECT_EQ(Contents(path), "$GPGGA");
    EXPECT_EQ(ReadTimeIndex(TimeIndexPath(path), 6).entries.size(), 1u);
}

TEST_F(RawRecorderTest, AFileThatCannotBeCreatedSaysWhichAndWhy)
{
    EXPECT_EQ(recorder.Start("/nonexistent/rec.bin"),
              "Could not record to /nonexistent/rec.bin: No such file or directory");
    EXPECT_FALSE(recorder.Recording());
    const std::string path = PathOf("rec.bin");
    std::filesystem::create_symlink("/dev/full", TimeIndexPath(path));
    EXPECT_EQ(recorder.Start(path), "Could not record to " + path + ": " + path + ".times: No space left on device");
    EXPECT_FALSE(recorder.Recording());
    EXPECT_TRUE(recorder.TakeFailures().empty());
}

TEST_F(RawRecorderTest, AFullDiskOrAVanishedFolderStopsTheRecordingWithItsReason)
{
    std::atomic<int> notices = 0;
    recorder.SetFailureNotice([&] { ++notices; });
    const std::string full = PathOf("full.bin");
    std::filesystem::create_symlink("/dev/full", full);
    ASSERT_EQ(recorder.Start(full), "");
    Receive(recorder, "bytes", std::chrono::steady_clock::now());
    for (int wait = 0; wait < 200 && recorder.Recording(); ++wait) {
        std::this_thread::sleep_for(25ms);
    }
    EXPECT_FALSE(recorder.Recording());
    Receive(recorder, "more", std::chrono::steady_clock::now());  // after the failure: dropped
    recorder.Stop();
    EXPECT_EQ(recorder.TakeFailures(), Texts{"Recording to " + full + " stopped: No space left on device"});
    EXPECT_EQ(notices, 1);

    const std::filesystem::path sub = folder.Path() / "sub";
    std::filesystem::create_directory(sub);
    const std::string gone = (sub / "rec.bin").string();
    ASSERT_EQ(recorder.Start(gone), "");
    Receive(recorder, "bytes", std::chrono::steady_clock::now());
    std::filesystem::remove_all(sub);
    recorder.Stop();
    EXPECT_EQ(recorder.TakeFailures(), Texts{"Recording to " + gone + " stopped: No such file or directory"});
    EXPECT_TRUE(recorder.TakeFailures().empty());
    EXPECT_EQ(notices, 2);
}

}  // namespace
}  // namespace kestrion
