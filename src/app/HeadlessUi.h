#pragma once
// The user as the headless runner plays it: every message box is printed on stderr as one
// line "<time> message: <text>", and a question takes its default answer without waiting and
// says which ("[answered No]"). Boxes with an error or a warning icon report failures and are
// counted, so a run can tell it failed. The time is the run's clock, virtual or wall.
// Dialogs open with their opening values, take the values given on the command line and press
// their default button; the receiver software selection takes its opening values only, and the
// log file settings do not open (the log is chosen on the command line). File choosers take the
// files given on the command line in turn, and cancel when none is left.
#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/DialogSettings.h"
#include "platform/LoopTimers.h"
#include "platform/UserInterface.h"

namespace kestrion {

class CHeadlessUi : public IUserInterface {
public:
    explicit CHeadlessUi(std::FILE* out, std::deque<std::string> files = {},
                         std::vector<DialogSetting> settings = {})
        : m_out(out), m_files(std::move(files)), m_settings(std::move(settings))
    {
    }
    // The clock that stamps the notices; none, no stamp.
    void SetClock(const CLoopTimers& clock) { m_clock = &clock; }
    // Called before each line is printed: a line updated in place makes way.
    void SetBeforeLine(std::function<void()> beforeLine) { m_beforeLine = std::move(beforeLine); }
    // "<time> <text>" on one line: the lines of the text are joined by blanks.
    void Notice(std::string_view text);

    // Yes for a yes/no question; No (keep things as they are) for a three-way one.
    BoxAnswer MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon) override;
    // The failure boxes shown so far, in order, each by its last line: where a box explains
    // itself in several lines, the last names what failed and why.
    const std::vector<std::string>& Failures() const { return m_failures; }

    // The first button.
    int Ask(std::string_view title, std::string_view text, const std::vector<std::string>& buttons) override;
    std::string ChooseFile(const FileChooser& chooser) override;
    bool RunDialog(CDialogForm& dialog) override;

private:
    void Print(std::string_view prefix, std::string_view text);

    std::FILE* m_out;
    std::deque<std::string> m_files;
    std::vector<DialogSetting> m_settings;
    const CLoopTimers* m_clock = nullptr;
    std::function<void()> m_beforeLine;
    std::vector<std::string> m_failures;
};

}  // namespace kestrion
