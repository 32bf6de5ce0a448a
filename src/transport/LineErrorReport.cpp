#include "transport/LineErrorReport.h"

#include <string_view>

#include "platform/SerialDevice.h"

namespace kestrion {

namespace {

struct LineErrorText {
    unsigned bit;
    std::string_view shown;
    std::string_view logged;
};

constexpr LineErrorText kModeText{CE_MODE, "Comm: CE_MODE", "Comm: CE_MODE\n"};

// The shown and the logged text of CE_DNS differ by design.
constexpr LineErrorText kReportOrder[] = {
    {CE_BREAK, "Comm: CE_BREAK", "Comm: CE_BREAK\n"},
    {CE_DNS, "Comm: CE_DNS.", "Comm: CE_DNS\n"},
    {CE_FRAME, "Comm: CE_FRAME", "Comm: CE_FRAME\n"},
    {CE_IOE, "Comm: CE_IOE", "Comm: CE_IOE\n"},
    {CE_OOP, "Comm: CE_OOP", "Comm: CE_OOP\n"},
    {CE_OVERRUN, "Comm: CE_OVERRUN", "Comm: CE_OVERRUN\n"},
    {CE_PTO, "Comm: CE_PTO", "Comm: CE_PTO\n"},
    {CE_RXOVER, "Comm: CE_RXOVER", "Comm: CE_RXOVER\n"},
    {CE_RXPARITY, "Comm: CE_RXPARITY", "Comm: CE_RXPARITY\n"},
    {CE_TXFULL, "Comm: CE_TXFULL", "Comm: CE_TXFULL\n"},
};

void Report(const LineErrorText& text, IProtocolHost& host)
{
    host.PostFaultText(text.shown);
    host.WriteLog(text.logged);
}

}  // namespace

void ReportLineErrors(unsigned bits, IProtocolHost& host)
{
    if ((bits & CE_MODE) != 0) {
        Report(kModeText, host);
        return;
    }
    for (const LineErrorText& text : kReportOrder) {
        if ((bits & text.bit) != 0) {
            Report(text, host);
        }
    }
}

}  // namespace kestrion
