#include "dialogs/SerialPortDialog.h"

#include "dialogs/ListItems.h"
#include "dialogs/SerialLineItems.h"
#include "protocol/CommandPayload.h"
#include "protocol/Mid.h"

namespace kestrion {

namespace {

constexpr const char* kDefaultBaud = "9600";
constexpr const char* kDefaultDataBits = "8";
constexpr const char* kDefaultParity = "NONE";
constexpr const char* kDefaultStopBits = "1";

std::vector<std::string> Without(std::vector<std::string> items, std::string_view removed)
{
    std::erase(items, removed);
    return items;
}

}  // namespace

CSerialPortDialog::CSerialPortDialog(IUserInterface& ui, int generation, Variant variant, const Settings& stored)
    : CCommandDialog(ui,
                     TitleWithValues(variant == Variant::Main ? "Set Serial Port Parameters"
                                                              : "Set DGPS Serial Port Parameters",
                                     false),
                     "Send"),
      m_variant(variant)
{
    const bool mainPort = variant == Variant::Main;
    AddDropList(kBaud, "Baud Rate", generation == 1 ? Without(kBaudItems, "57600") : kBaudItems);
    AddDropList(kDataBits, "Data Bits", mainPort ? Without(kDataBitsItems, "7") : kDataBitsItems).enabled = !mainPort;
    AddDropList(kParity, "Parity", kParityItems).enabled = !mainPort;
    AddDropList(kStopBits, "Stop Bits", kStopBitsItems).enabled = !mainPort;

    // The DGPS port opens on the defaults.
    Open(kBaud, mainPort ? stored.measSerialBaud : kDefaultBaud, kDefaultBaud);
    Open(kDataBits, mainPort ? stored.measSerialDBits : kDefaultDataBits, kDefaultDataBits);
    Open(kParity, mainPort ? stored.measSerialParity : kDefaultParity, kDefaultParity);
    Open(kStopBits, mainPort ? stored.measSerialSBits : kDefaultStopBits, kDefaultStopBits);
}

Settings CSerialPortDialog::StoredSettings(const CProfile& profile)
{
    Settings settings;
    settings.LoadDataSources(profile);
    settings.SetMeasuredLine(
        Settings::StoredMeasuredLine(profile, {kDefaultBaud, kDefaultDataBits, kDefaultParity, kDefaultStopBits}));
    return settings;
}

void CSerialPortDialog::Open(int id, const std::string& text, const char* fallback)
{
    // An empty or unknown text would send a zero baud rate or zero data bits.
    SetText(id, HasItem(Control(id).items, text) ? text : fallback);
}

std::vector<Payload> CSerialPortDialog::Payloads() const
{
    const uint8_t mid = m_variant == Variant::Main ? MID_SetSerialPort : MID_SetDGPSPort;
    return {SerialPortPayload(mid, static_cast<uint32_t>(Int(kBaud)), static_cast<uint8_t>(Int(kDataBits)),
                              static_cast<uint8_t>(Int(kStopBits)), ParityCode(ParityText()))};
}

}  // namespace kestrion
