#include "transport/SerialSource.h"

namespace kestrion {

CSerialSource::CSerialSource(CFeed& owner, IFeedServices& services, std::string port, std::string baud,
                             std::string dataBits, std::string parity, std::string stopBits)
    : CSource(owner, services, std::move(port)),
      m_baud(std::move(baud)),
      m_dataBits(std::move(dataBits)),
      m_parity(std::move(parity)),
      m_stopBits(std::move(stopBits))
{
}

int CSerialSource::Open(int role, const std::string& name)
{
    CSource::Open(role, name);
    m_services.MessageBox("Serial ports are not available in this build yet: " + m_name, BoxButtons::Ok,
                          BoxIcon::None);
    m_open = 0;
    return m_open;
}

}  // namespace kestrion
