// A command dialog on screen against a simulated receiver: the console asks the receiver for
// its current values, the dialog shows them, refuses a value out of range with the framework's
// text and sends what the user typed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "../app/LiveReceiver.h"
#include "../platform/QtTestApp.h"
#include "EventLoop.h"
#include "app/CommandTable.h"
#include "app/gui/MainFrame.h"
#include "app/gui/SystemClock.h"
#include "dialogs/widgets/QtUserInterface.h"

namespace kestrion::test {
namespace {

QLineEdit* EditLabelled(QWidget& dialog, const QString& label)
{
    for (QLabel* candidate : dialog.findChildren<QLabel*>()) {
        if (candidate->text() == label) {
            return qobject_cast<QLineEdit*>(candidate->buddy());
        }
    }
    return nullptr;
}

QPushButton* Button(QWidget& dialog, const QString& text)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

// Plays the user of whatever modal window is showing: answers message boxes, and types the
// next value into the elevation dialog's "Navigation" edit before pressing "Send".
class CModalUser {
public:
    explicit CModalUser(std::vector<QString> values) : m_values(std::move(values))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Act(); });
        m_timer.start(50);
    }
    std::vector<QString> titles;
    std::vector<QString> boxes;
    std::vector<QString> shownValues;

private:
    void Act()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes.push_back(box->text());
            QTimer::singleShot(0, box, &QMessageBox::accept);
            return;
        }
        auto* dialog = qobject_cast<QDialog*>(modal);
        QLineEdit* edit = dialog != nullptr ? EditLabelled(*dialog, "Navigation") : nullptr;
        if (edit == nullptr || m_next >= m_values.size()) {
            return;
        }
        if (m_next == 0) {
            titles.push_back(dialog->windowTitle());
            shownValues.push_back(edit->text());
        }
        edit->selectAll();
        QTest::keyClicks(edit, m_values[m_next++]);
        // Pressed from the event loop: a box it opens must not wait inside this timer's event.
        QTimer::singleShot(0, Button(*dialog, "Send"), &QPushButton::click);
    }

    std::vector<QString> m_values;
    size_t m_next = 0;
    QTimer m_timer;
};

TEST(LiveDialogs, ElevationMaskOnScreenWithCurrentValuesRefusesAndSends)
{
    TestApplication();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    CLiveReceiver receiver{SimConfig{}};
    CTempFolder folder;
    const auto ini = folder.Path() / "kestrion-demo.ini";
    WriteText(ini, "[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=" + receiver.Path() +
                       "\nMeasSerialBaud=38400\nMeasSerialDBits=8\nMeasSerialParity=NONE\nMeasSerialSBits=1\n");
    const auto none = [](IUserInterface&) -> std::unique_ptr<CDialogForm> { return nullptr; };
    CQtUserInterface ui(none, none);
    CSystemClock clock;
    CStdRandom random{3};
    CMainFrame frame(CProfile(ini), ui, clock, random);
    frame.show();
    frame.RunCommand(ID_OPEN_DATA_SOURCE);
    ASSERT_TRUE(RunUntil([&] { return frame.Engine().Services().Protocol().generation == 3; }, 4000));

    CModalUser user({"95", "12.5"});
    frame.RunCommand(ID_NAV_ELEVATION_MASK);
    const auto sent = [&] {
        for (const std::string& line : receiver.Heard()) {
            if (line.starts_with("A0 A2 00 05 8B")) {
                return true;
            }
        }
        return false;
    };
    ASSERT_TRUE(RunUntil(sent, 6000));
    EXPECT_EQ(user.titles, std::vector<QString>{"Elevation Mask: Current"});
    EXPECT_EQ(user.shownValues, std::vector<QString>{"7.5"}) << "the simulated receiver's navigation mask";
    EXPECT_EQ(user.boxes, std::vector<QString>{"Please enter a number between -20 and 90."});
    // Tracking is always 5.0 degrees; navigation 12.5 degrees: 0x0032 and 0x007D.
    const std::vector<std::string> heard = receiver.Heard();
    EXPECT_NE(std::find(heard.begin(), heard.end(), "A0 A2 00 05 8B 00 32 00 7D 01 3A B0 B3"), heard.end());
}

}  // namespace
}  // namespace kestrion::test
