#include "app/HeadlessUi.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

#include "dialogs/LogFileSettings.h"
#include "dialogs/SoftwareSelection.h"
#include "platform/DialogForm.h"

namespace kestrion {

namespace {

const char* AnswerName(BoxAnswer answer)
{
    switch (answer) {
    case BoxAnswer::Yes: return "Yes";
    case BoxAnswer::No: return "No";
    case BoxAnswer::Cancel: return "Cancel";
    default: return "OK";
    }
}

// Yes for a yes/no question; No (keep things as they are) for a three-way one.
BoxAnswer DefaultAnswer(BoxButtons buttons)
{
    switch (buttons) {
    case BoxButtons::YesNo: return BoxAnswer::Yes;
    case BoxButtons::YesNoCancel: return BoxAnswer::No;
    default: return BoxAnswer::Ok;
    }
}

// "12:34:56.789 " of the clock's time.
std::string Stamp(const CLoopTimers& clock)
{
    const std::time_t now = clock.Now();
    std::tm local {};
    ::localtime_r(&now, &local);
    char text[32];
    const size_t length = std::strftime(text, sizeof text, "%H:%M:%S", &local);
    std::snprintf(text + length, sizeof text - length, ".%03d ", static_cast<int>(clock.ElapsedMs() % 1000));
    return text;
}

}  // namespace

void CHeadlessUi::Print(std::string_view prefix, std::string_view text)
{
    std::string line(prefix);
    line += text;
    line += '\n';
    if (m_beforeLine) {
        m_beforeLine();
    }
    std::fwrite(line.data(), 1, line.size(), m_out);
    std::fflush(m_out);
}

void CHeadlessUi::Notice(std::string_view text)
{
    std::string line;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        if (end > start) {
            line += line.empty() ? "" : " ";
            line += text.substr(start, end - start);
        }
        start = end + 1;
    }
    Print(m_clock != nullptr ? Stamp(*m_clock) : std::string(), line);
}

BoxAnswer CHeadlessUi::MessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon)
{
    const BoxAnswer answer = DefaultAnswer(buttons);
    const bool question = buttons == BoxButtons::YesNo || buttons == BoxButtons::YesNoCancel;
    Notice("message: " + std::string(text) + (question ? std::string(" [answered ") + AnswerName(answer) + "]" : ""));
    if (icon == BoxIcon::Error || icon == BoxIcon::Warning) {
        const std::string_view lines = text.substr(0, text.find_last_not_of('\n') + 1);
        const size_t lastLine = lines.find_last_of('\n');
        m_failures.emplace_back(lines.substr(lastLine == std::string_view::npos ? 0 : lastLine + 1));
    }
    return answer;
}

int CHeadlessUi::Ask(std::string_view title, std::string_view text, const std::vector<std::string>& buttons)
{
    Notice("message: " + std::string(title) + ": " + std::string(text) + " [answered " +
           (buttons.empty() ? "" : buttons[0]) + "]");
    return 0;
}

std::string CHeadlessUi::ChooseFile(const FileChooser& chooser)
{
    if (m_files.empty()) {
        Print("file: cancelled: ", chooser.title);
        return {};
    }
    std::string file = std::move(m_files.front());
    m_files.pop_front();
    Print("file: " + file + ": ", chooser.title);
    return file;
}

bool CHeadlessUi::RunDialog(CDialogForm& dialog)
{
    if (dynamic_cast<CLogFileSettings*>(&dialog) != nullptr) {
        return false;
    }
    Print("dialog: ", dialog.Title());
    if (dynamic_cast<CSoftwareSelection*>(&dialog) == nullptr) {
        ApplyDialogSettings(dialog, m_settings, m_out);
    }
    return dialog.Ok();
}

}  // namespace kestrion
