#pragma once
// A view's client area as a PNG file.
#include <string>

class QWidget;

namespace kestrion {

// Writes the picture whole or not at all; the text of the failure, naming the file and the
// reason, or an empty text.
std::string SaveViewPicture(QWidget& view, const std::string& path);

}  // namespace kestrion
