#pragma once
// A poll from the menu reaches the receiver and its answer shows in the response view: checked
// on a console whose loop the test runs, in real time or on a virtual clock.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "FrameConsole.h"
#include "views/QueryView.h"

namespace kestrion::test {

template <typename Receiver>
size_t VersionPollsHeard(Receiver& receiver)
{
    size_t count = 0;
    for (const std::string& line : receiver.Heard()) {
        count += line.starts_with("A0 A2 00 02 84 ") ? 1 : 0;
    }
    return count;
}

inline QStringList ResponseLines(CFrameConsole& console)
{
    CViewFrame* frame = console.View(5);
    return frame != nullptr ? static_cast<CQueryView*>(frame->widget())->Lines() : QStringList();
}

// Runs the loop for ms; runs it until done or ms have passed, and says whether done.
using RunForMs = std::function<void(int ms)>;
using RunUntilDone = std::function<bool(const std::function<bool()>& done, int ms)>;

template <typename Receiver>
void CheckVersionPollShown(CFrameConsole& console, Receiver& receiver, const RunForMs& runFor,
                           const RunUntilDone& runUntil)
{
    ASSERT_TRUE(console.frame->Engine().DataSourceOpen());
    runFor(1000);
    const size_t pollsBefore = VersionPollsHeard(receiver);
    EXPECT_EQ(console.View(5), nullptr);

    console.frame->Action(ID_POLL_VERSION)->trigger();
    ASSERT_NE(console.View(5), nullptr) << "the poll shows the response view";
    EXPECT_FALSE(console.View(5)->isHidden());
    const auto answered = [&] { return ResponseLines(console).join("\n").contains("SW Version"); };
    EXPECT_TRUE(runUntil(answered, 3000)) << ResponseLines(console).join("\n").toStdString();
    EXPECT_EQ(VersionPollsHeard(receiver), pollsBefore + 1);
}

}  // namespace kestrion::test
