#include "dialogs/widgets/MessageBoxes.h"

#include <QAbstractButton>
#include <QPushButton>
#include <algorithm>

#include "dialogs/widgets/QtText.h"

namespace kestrion {
namespace {

QMessageBox::Icon QtIcon(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Warning:
        return QMessageBox::Warning;
    case BoxIcon::Question:
        return QMessageBox::Question;
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Error:
        return QMessageBox::Critical;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

std::unique_ptr<QMessageBox> MakeBox(std::string_view title, std::string_view text, QMessageBox::Icon icon,
                                     QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(ToQt(title.empty() ? kApplicationTitle : title));
    box->setTextFormat(Qt::PlainText);
    box->setText(ToQt(text));
    box->setIcon(icon);
    return box;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(std::string_view text, BoxButtons buttons, BoxIcon icon,
                                            QWidget* parent)
{
    auto box = MakeBox({}, text, QtIcon(icon), parent);
    switch (buttons) {
    case BoxButtons::Ok:
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        break;
    case BoxButtons::YesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        break;
    case BoxButtons::YesNoCancel:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Yes);
        break;
    }
    return box;
}

BoxAnswer AnswerOf(QMessageBox::StandardButton clicked, BoxButtons buttons)
{
    switch (clicked) {
    case QMessageBox::Ok:
        return BoxAnswer::Ok;
    case QMessageBox::Yes:
        return BoxAnswer::Yes;
    case QMessageBox::No:
        return BoxAnswer::No;
    case QMessageBox::Cancel:
        return BoxAnswer::Cancel;
    default:
        break;
    }
    switch (buttons) {
    case BoxButtons::Ok:
        return BoxAnswer::Ok;
    case BoxButtons::YesNo:
        return BoxAnswer::No;
    case BoxButtons::YesNoCancel:
        break;
    }
    return BoxAnswer::Cancel;
}

std::unique_ptr<QMessageBox> MakeQuestionBox(std::string_view title, std::string_view text,
                                             const std::vector<std::string>& buttons, QWidget* parent)
{
    auto box = MakeBox(title, text, QMessageBox::Question, parent);
    for (const std::string& button : buttons) {
        // One role for all keeps them in the order given.
        box->addButton(ToQt(button), QMessageBox::ActionRole);
    }
    const QList<QAbstractButton*> added = box->buttons();
    if (!added.isEmpty()) {
        box->setDefaultButton(qobject_cast<QPushButton*>(added.front()));
        box->setEscapeButton(added.back());
    }
    return box;
}

int ChosenButton(const QMessageBox& box)
{
    const QList<QAbstractButton*> buttons = box.buttons();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return static_cast<int>(chosen >= 0 ? chosen : std::max<qsizetype>(buttons.size() - 1, 0));
}

}  // namespace kestrion
