#pragma once
// A widget's picture as PNG at device pixel ratio 2, as the documentation shows them.
#include <filesystem>

class QWidget;

namespace kestrion {

// Renders the widget and writes it to the file; false (with the reason on stderr) on failure.
bool SaveWidgetPicture(QWidget& widget, const std::filesystem::path& file);

}  // namespace kestrion
