#pragma once
// Uniform integers 0..32767.
namespace kestrion {

class IRandomGenerator {
public:
    virtual ~IRandomGenerator() = default;
    virtual int Next() = 0;
};

}  // namespace kestrion
