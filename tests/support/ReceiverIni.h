#pragma once
// The settings of a console that measures a receiver at 38400 baud on the given port.
#include <string>

namespace kestrion::test {

inline std::string ReceiverIni(const std::string& port)
{
    return "[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=" + port +
           "\nMeasSerialBaud=38400\nMeasSerialDBits=8\nMeasSerialParity=NONE\nMeasSerialSBits=1\n";
}

}  // namespace kestrion::test
