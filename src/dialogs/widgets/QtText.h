#pragma once
// Texts between the models (UTF-8 std::string) and Qt.
#include <QString>
#include <string>
#include <string_view>

namespace kestrion {

inline QString ToQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text) { return text.toStdString(); }

}  // namespace kestrion
