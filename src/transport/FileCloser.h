#pragma once
// Ownership of a C file: closed when its owner lets go of it.
#include <cstdio>
#include <memory>

namespace kestrion {

struct CFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

using FilePtr = std::unique_ptr<std::FILE, CFileCloser>;

}  // namespace kestrion
