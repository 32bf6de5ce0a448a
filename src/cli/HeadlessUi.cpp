#include "cli/HeadlessUi.h"

#include <string>

namespace kestrion::cli {

BoxAnswer CHeadlessUi::MessageBox(std::string_view text, BoxButtons buttons, BoxIcon /*icon*/)
{
    std::string line = "message: ";
    line += text;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), m_out);
    std::fflush(m_out);
    switch (buttons) {
    case BoxButtons::YesNo: return BoxAnswer::Yes;
    case BoxButtons::YesNoCancel: return BoxAnswer::No;
    default: return BoxAnswer::Ok;
    }
}

}  // namespace kestrion::cli
