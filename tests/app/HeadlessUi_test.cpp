#include "app/HeadlessUi.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace kestrion {
namespace {

using Lines = std::vector<std::string>;

// Error and warning boxes are the run's failures, each kept by the line that names what failed
// and why; questions, notices and plain boxes are not.
TEST(HeadlessUi, KeepsTheLastLineOfEachFailureBox)
{
    char* text = nullptr;
    size_t size = 0;
    std::FILE* out = ::open_memstream(&text, &size);
    ASSERT_NE(out, nullptr);
    {
        CHeadlessUi ui(out);
        EXPECT_EQ(ui.MessageBox("Do you want to open a different log file?", BoxButtons::YesNoCancel,
                                BoxIcon::Question),
                  BoxAnswer::No);
        EXPECT_EQ(ui.MessageBox("Almanac Data Written to:\n\na.alm", BoxButtons::Ok, BoxIcon::Information),
                  BoxAnswer::Ok);
        ui.MessageBox("command 32792 is disabled now", BoxButtons::Ok, BoxIcon::None);
        EXPECT_TRUE(ui.Failures().empty());

        ui.MessageBox("Error.. Cannot create UART handle.\nComm port is not available or may be in use.\n"
                      "/dev/ttyUSB0: Permission denied",
                      BoxButtons::Ok, BoxIcon::Error);
        ui.MessageBox("At least one command must be enabled to 'Set' for the command to be sent.\n", BoxButtons::Ok,
                      BoxIcon::Error);
        EXPECT_EQ(ui.MessageBox("Cannot Open Command File!", BoxButtons::YesNo, BoxIcon::Warning), BoxAnswer::Yes);
        EXPECT_EQ(ui.Failures(), (Lines{"/dev/ttyUSB0: Permission denied",
                                        "At least one command must be enabled to 'Set' for the command to be sent.",
                                        "Cannot Open Command File!"}));
    }
    std::fclose(out);
    // Every box is shown whole on one line, a question with the answer taken.
    const std::string shown(text, size);
    EXPECT_NE(shown.find("message: Do you want to open a different log file? [answered No]\n"), std::string::npos);
    EXPECT_NE(shown.find("message: Cannot Open Command File! [answered Yes]\n"), std::string::npos);
    EXPECT_NE(shown.find("message: Error.. Cannot create UART handle. Comm port is not available or may be in use. "
                         "/dev/ttyUSB0: Permission denied\n"),
              std::string::npos);
    std::free(text);
}

// Notices carry the run's clock: the virtual one counts from the start it was given.
TEST(HeadlessUi, StampsNoticesWithTheRunsClock)
{
    char* text = nullptr;
    size_t size = 0;
    std::FILE* out = ::open_memstream(&text, &size);
    ASSERT_NE(out, nullptr);
    std::tm start {};
    start.tm_year = 126;
    start.tm_mon = 11;
    start.tm_mday = 10;
    start.tm_hour = 8;
    start.tm_min = 30;
    start.tm_isdst = -1;
    CLoopTimers clock(CLoopTimers::Mode::Virtual, std::mktime(&start));
    {
        CHeadlessUi ui(out);
        ui.SetClock(clock);
        clock.RunNext(61250, nullptr);
        ui.Notice("Comm: Port /dev/ttyUSB0 lost");
    }
    std::fclose(out);
    EXPECT_EQ(std::string(text, size), "08:31:01.250 Comm: Port /dev/ttyUSB0 lost\n");
    std::free(text);
}

}  // namespace
}  // namespace kestrion
