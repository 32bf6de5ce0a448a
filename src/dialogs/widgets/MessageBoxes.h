#pragma once
// Message boxes as the engine asks for them: the icon, the buttons (the first one the default),
// and the application's title unless the question brings its own.
#include <QMessageBox>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/UserInterface.h"

namespace kestrion {

inline constexpr std::string_view kApplicationTitle = "Kestrion Demo";

std::unique_ptr<QMessageBox> MakeMessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon,
                                            QWidget* parent);
// The answer for the button that closed the box; the box's escape answer for any other.
BoxAnswer AnswerOf(QMessageBox::StandardButton clicked, BoxButtons buttons);

// A question with buttons of its own; Escape and the close box take the last one.
std::unique_ptr<QMessageBox> MakeQuestionBox(std::string_view title, std::string_view text,
                                             const std::vector<std::string>& buttons, QWidget* parent);
// The position of the button that closed the question box, the last one when none did.
int ChosenButton(const QMessageBox& box);

}  // namespace kestrion
