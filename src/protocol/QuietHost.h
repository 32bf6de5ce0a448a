#pragma once
// A host that takes every notice and does nothing with it; users override what they need.
#include "protocol/ProtocolHost.h"

namespace kestrion {

class CQuietHost : public IProtocolHost {
public:
    void WriteLog(std::string_view) override {}
    void PostFaultText(std::string_view) override {}
    void PostReceiverText(std::string_view) override {}
    void SetDataReceived() override {}
    void DataActivity() override {}
    void AlmanacComplete() override {}
    void EphemerisComplete() override {}
    void RecordImplied(const RecordImplications&) override {}
};

}  // namespace kestrion
