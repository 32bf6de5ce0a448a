#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QScrollBar>

#include "support/ScriptedUi.h"
#include "ViewTests.h"
#include "views/DebugDataView.h"
#include "views/ErrorView.h"

namespace kestrion {
namespace {

CMessageRecord Error(uint16_t code, const std::vector<uint32_t>& words = {})
{
    CMessageRecord record;
    record.SetType(10);
    record.error.code = code;
    record.error.count = static_cast<uint16_t>(words.size());
    std::copy(words.begin(), words.end(), record.error.words);
    return record;
}

class TextViewsTest : public ::testing::Test {
protected:
    QApplication& app = test::ViewApplication();  // before any widget
    fakes::CScriptedUi ui;
    CErrorView errors{ui};
    CDebugDataView development;

    // Both views get every record, as from the document.
    void Show(const CMessageRecord& record)
    {
        errors.OnUpdate(UpdateHint::Record, &record);
        development.OnUpdate(UpdateHint::Record, &record);
    }
};

TEST_F(TextViewsTest, FaultTextsGoToTheErrorViewAndReceiverTextsToTheDevelopmentView)
{
    Show(test::TextRecord("a\n\nb", kFaultMarker));
    Show(test::TextRecord("", kFaultMarker));
    Show(test::TextRecord("c\r\nd"));
    Show(test::TextRecord("e\n\nf"));
    Show(test::TextRecord(""));
    Show(test::Decoded({11, 136}));
    EXPECT_EQ(errors.Lines(), QStringList({"a", " ", "b", " "}));
    EXPECT_EQ(development.Lines(), QStringList({"c  d", "e  f"}));
}

TEST_F(TextViewsTest, TextsEndAtTheirFirstNul)
{
    using namespace std::string_view_literals;
    Show(test::TextRecord("Hello\0"sv));
    Show(test::TextRecord("a\rb\0c\nd"sv));
    Show(test::TextRecord("Comm: x\0junk"sv, kFaultMarker));
    EXPECT_EQ(development.Lines(), QStringList({"Hello", "a b"}));
    EXPECT_EQ(errors.Lines(), QStringList({"Comm: x"}));
}

TEST_F(TextViewsTest, ReceiverErrorsOfTheShownSeveritiesWithTheirTexts)
{
    Show(Error(4097, {250}));
    Show(Error(2, {7}));               // a missing word reads as 0
    Show(Error(4, {0x10, 0xABCDEF}));  // a notification without a text of its own
    Show(Error(4103, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
    for (const uint16_t never : {0, 19, 0x100E, 0x2004}) {
        Show(Error(never));
    }
    EXPECT_TRUE(development.Lines().isEmpty());
    EXPECT_EQ(errors.Lines(), QStringList({"VCO lock lost in 250 msec", "Bad parity from SV 07, subframe 0",
                                           "Unknown format: 10 abcdef 0 0 0 0", "Vendal solution poor:",
                                           "POS = 1 2 3 PR = 4 5 6", "SAT1= 7 8 9", "SAT2= 10 11 12",
                                           "SAT3= 13 14 15", "SAT4= 16 17 18"}));
    errors.clear();
    Show(Error(4103, std::vector<uint32_t>(18, 0x80000000)));  // cut to 256 characters
    EXPECT_EQ(errors.Lines().join('\n').size(), 256);
}

TEST_F(TextViewsTest, DoubleClickChoosesTheSeveritiesOfLaterErrors)
{
    errors.resize(300, 200);
    std::vector<bool> offered;
    ui.onDialog = [&offered](CDialogForm& dialog) {
        for (const int box : {CErrorFilterDialog::kNotifications, CErrorFilterDialog::kWarnings,
                              CErrorFilterDialog::kAlerts}) {
            offered.push_back(dialog.Checked(box));
        }
        dialog.Click(CErrorFilterDialog::kWarnings);
        return dialog.Ok();
    };
    Show(Error(0x1005));
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(150, 150), QPointF(150, 150), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(errors.viewport(), &doubleClick);
    EXPECT_EQ(ui.dialogs, std::vector<std::string>{"Select Errors to Display"});
    EXPECT_EQ(offered, std::vector<bool>({true, true, true}));
    Show(Error(0x1005));
    Show(Error(0x2001, {5}));
    EXPECT_EQ(errors.Lines(), QStringList({"Unknown format: 0 0 0 0 0 0", "UART buffer allocation error: 5"}));

    ui.onDialog = [](CDialogForm& dialog) {
        dialog.Click(CErrorFilterDialog::kWarnings);
        return !dialog.Cancel();
    };
    errors.ChooseFilter();
    EXPECT_FALSE(errors.Filter().warnings);
}

TEST_F(TextViewsTest, ListsKeepTheNewest300LinesAndShowTheLast)
{
    for (int i = 1; i <= 301; ++i) {
        Show(test::TextRecord(std::to_string(i), kFaultMarker));
        Show(test::TextRecord(std::to_string(i)));
    }
    for (const CLineList* list : {static_cast<CLineList*>(&errors), static_cast<CLineList*>(&development)}) {
        const QStringList lines = list->Lines();
        ASSERT_EQ(lines.size(), 300);
        EXPECT_EQ(lines.front(), "2");
        EXPECT_EQ(lines.back(), "301");
        EXPECT_EQ(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());
    }
}

}  // namespace
}  // namespace kestrion
