// A command dialog on screen against a simulated receiver: the console asks the receiver for
// its current values, the dialog shows them, refuses a value out of range with the framework's
// text and sends what the user typed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/LiveReceiver.h"
#include "support/QtTestApp.h"
#include "EventLoop.h"
#include "app/CommandTable.h"
#include "gui/MainFrame.h"
#include "gui/SystemClock.h"
#include "platform/PortDeviceFactory.h"
#include "app/DocumentView.h"
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

// The console's window with its data source open on a simulated receiver of generation 3.
class LiveDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApplication();
        QGuiApplication::setQuitOnLastWindowClosed(false);
        WriteText(m_ini, LiveReceiverIni(receiver.Path()));
        frame = std::make_unique<CMainFrame>(CProfile(m_ini), m_ui, m_clock, m_devices, m_random);
        frame->show();
        frame->RunCommand(ID_OPEN_DATA_SOURCE);
        ASSERT_TRUE(RunUntil([&] { return frame->Engine().Services().Protocol().generation == 3; }, 4000));
    }

    CLiveReceiver receiver{SimConfig{}};

private:
    CTempFolder m_folder;
    std::filesystem::path m_ini = m_folder.Path() / "kestrion-demo.ini";
    CQtUserInterface m_ui;
    CSystemClock m_clock;
    CPortDeviceFactory m_devices;
    CStdRandom m_random{3};

protected:
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(LiveDialogs, ElevationMaskOnScreenWithCurrentValuesRefusesAndSends)
{
    CModalUser user({"95", "12.5"});
    frame->RunCommand(ID_NAV_ELEVATION_MASK);
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

class CRecordCount : public IDocumentView {
public:
    void OnUpdate(UpdateHint hint, const CMessageRecord* record) override
    {
        count += hint == UpdateHint::Record && record != nullptr ? 1 : 0;
    }
    int count = 0;
};

TEST_F(LiveDialogs, TheReceiverIsStillHeardWhileACommandDialogIsOpen)
{
    CRecordCount records;
    frame->Engine().CurrentDocument()->AddView(records);
    // The dialog opens on the receiver's answer, inside the receive poll's turn; it stays open
    // for three seconds.
    int whenShown = -1;
    int whenClosed = -1;
    QElapsedTimer open;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || whenClosed >= 0) {
            return;
        }
        if (whenShown < 0) {
            whenShown = records.count;
            open.start();
        } else if (open.elapsed() >= 3000) {
            whenClosed = records.count;
            QTimer::singleShot(0, dialog, &QDialog::reject);
        }
    });
    user.start(50);
    frame->RunCommand(ID_NAV_ELEVATION_MASK);
    ASSERT_TRUE(RunUntil([&] { return whenClosed >= 0 && QApplication::activeModalWidget() == nullptr; }, 8000));
    EXPECT_GE(whenClosed - whenShown, 2) << "records decoded while the dialog was open";
    frame->Engine().CurrentDocument()->RemoveView(records);
}

}  // namespace
}  // namespace kestrion::test
