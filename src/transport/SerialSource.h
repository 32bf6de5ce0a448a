#pragma once
// A receiver on a serial port. Serial ports are not available yet: opening one says so and
// fails, so no data is ever made up.
#include <string>

#include "transport/Source.h"

namespace kestrion {

class CSerialSource : public CSource {
public:
    // The port name and its parameters as the settings give them (empty when not applied).
    CSerialSource(CFeed& owner, IFeedServices& services, std::string port, std::string baud,
                  std::string dataBits, std::string parity, std::string stopBits);

    // Tells the user that the port is not available; returns 0.
    int Open(int role, const std::string& name) override;

    const std::string& Baud() const { return m_baud; }
    const std::string& DataBits() const { return m_dataBits; }
    const std::string& Parity() const { return m_parity; }
    const std::string& StopBits() const { return m_stopBits; }

private:
    std::string m_baud;
    std::string m_dataBits;
    std::string m_parity;
    std::string m_stopBits;
};

}  // namespace kestrion
