#include "PictureUi.h"

#include <cstdio>

namespace kestrion {

BoxAnswer CPictureUi::MessageBox(std::string_view text, BoxButtons buttons, BoxIcon)
{
    // A box in a picture run is news: the picture may not show what it should.
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
    return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Yes;
}

int CPictureUi::Ask(std::string_view title, std::string_view text, const std::vector<std::string>&)
{
    std::fprintf(stderr, "question: %.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
                 static_cast<int>(text.size()), text.data());
    return 0;
}

std::string CPictureUi::ChooseFile(const FileChooser&)
{
    if (files.empty()) {
        return {};
    }
    std::string file = files.front();
    files.pop_front();
    return file;
}

bool CPictureUi::RunDialog(CDialogForm& dialog)
{
    return dialogScript ? dialogScript(dialog) : dialog.Ok();
}

}  // namespace kestrion
