#include "dialogs/widgets/FormDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "support/QtTestApp.h"
#include "support/ScriptedUi.h"
#include "WidgetActions.h"

namespace kestrion {
namespace {

// One control of every kind, with rules that touch every state a control has.
class CSampleForm : public CDialogForm {
public:
    enum Id {
        kOptions = 1,
        kEnable,
        kMode,
        kCount,
        kLimits,
        kRatio,
        kName,
        kBrowse,
        kNotes,
        kKind,
        kPort,
        kPicks,
        kInfo,
    };

    explicit CSampleForm(IUserInterface& ui) : CDialogForm(ui, "Sample", "&Send")
    {
        AddGroup(kOptions, "&Options");
        AddCheck(kEnable, "&Enable", kOptions);
        AddRadio(kMode, "Mode", {"&Fast", "&Slow", "&Off"}, kOptions);
        AddIntEdit(kCount, "&Count:", "sec", 1, 10, kOptions);
        AddGroup(kLimits, "Limits");
        AddDecimalEdit(kRatio, "Ratio:", "", 0.5, 2, kLimits);
        AddTextEdit(kName, "&Name:");
        AddButton(kBrowse, "&Browse...");
        AddMultiLineEdit(kNotes, "Notes:");
        AddDropList(kKind, "&Kind:", {"A", "B", "C"});
        AddComboEdit(kPort, "&Port:", {"COM1", "COM2"});
        AddSelectList(kPicks, "Picks:", {"x", "y", "z"});
        AddStatic(kInfo, "Ready");
        SetValue(kMode, -1);
        SetInt(kCount, 5);
        SetText(kName, "first");
        SetText(kNotes, "one\ntwo");
        SetText(kPort, "/dev/ttyS0");
        Edit(kPicks).selected[2] = true;
        Enable(kCount, false);
        SetFocus(kName);
    }

    void OfferCancel(bool on) { EnableCancel(on); }
    bool cancels = true;
    int doubleClicks = 0;

protected:
    void OnClicked(int id) override
    {
        if (id == kEnable) {
            Enable(kCount, Checked(kEnable));
        } else if (id == kMode) {
            Show(kNotes, Value(kMode) != 2);
        } else if (id == kBrowse) {
            SetText(kName, "chosen");
            Edit(kPort).items.push_back("COM3");
        }
    }
    void OnChosen(int id) override { SetText(kInfo, "Kind " + Text(id)); }
    void OnRightDoubleClick() override
    {
        ++doubleClicks;
        EnableButton(kMode, 1, false);
        SetTitle("Sample (expert)");
    }
    bool OnOk() override { return ReadControls() && (!Text(kName).empty() || Refuse(kName, "Name?")); }
    bool OnCancel() override { return cancels; }
};

using S = CSampleForm;

class FormDialogTest : public ::testing::Test {
protected:

    template <typename W>
    W* Field(int id) const
    {
        return qobject_cast<W*>(m_dialog.Widgets().Of(id)->field);
    }
    QLabel* Label(int id) const { return m_dialog.Widgets().Of(id)->label; }
    QAbstractButton* Radio(int button) const { return m_dialog.Widgets().Of(S::kMode)->buttons->button(button); }
    void Show() { ASSERT_TRUE(test::ShowDialog(m_dialog)); }

    QApplication& m_application = test::TestApplication();
    fakes::CScriptedUi m_ui;
    S m_form{m_ui};
    CFormDialog m_dialog{m_form};
};

TEST_F(FormDialogTest, EveryControlGetsItsWidgetCaptionAndUnit)
{
    EXPECT_EQ(m_dialog.windowTitle(), "Sample");
    EXPECT_EQ(m_dialog.OkButton()->text(), "&Send");
    EXPECT_TRUE(m_dialog.OkButton()->isDefault());
    EXPECT_EQ(m_dialog.CancelButton()->text(), "Cancel");
    EXPECT_EQ(Field<QGroupBox>(S::kOptions)->title(), "&Options");
    EXPECT_EQ(Field<QCheckBox>(S::kEnable)->text(), "&Enable");
    EXPECT_EQ(Field<QGroupBox>(S::kMode)->title(), "Mode");
    EXPECT_EQ(Radio(2)->text(), "&Off");
    EXPECT_TRUE(Field<QComboBox>(S::kPort)->isEditable());
    EXPECT_FALSE(Field<QComboBox>(S::kKind)->isEditable());
    EXPECT_EQ(Field<QListWidget>(S::kPicks)->selectionMode(), QAbstractItemView::MultiSelection);
    // Captions lead to their fields, mnemonics and all.
    for (const auto& [id, caption] : {std::pair{S::kCount, "&Count:"}, {S::kName, "&Name:"}, {S::kKind, "&Kind:"},
                                      {S::kPort, "&Port:"}, {S::kNotes, "Notes:"}, {S::kPicks, "Picks:"}}) {
        ASSERT_NE(Label(id), nullptr) << caption;
        EXPECT_EQ(Label(id)->text(), caption);
        EXPECT_EQ(Label(id)->buddy(), m_dialog.Widgets().Of(id)->field) << caption;
    }
    EXPECT_EQ(m_dialog.Widgets().Of(S::kCount)->unit->text(), "sec");
    EXPECT_EQ(m_dialog.Widgets().Of(S::kRatio)->unit, nullptr);
    EXPECT_EQ(m_dialog.Widgets().Of(99), nullptr);
}

TEST_F(FormDialogTest, OpeningValuesAreShown)
{
    EXPECT_EQ(m_dialog.Widgets().Of(S::kMode)->buttons->checkedButton(), nullptr);
    EXPECT_EQ(Field<QLineEdit>(S::kName)->text(), "first");
    EXPECT_EQ(Field<QLineEdit>(S::kCount)->text(), "5");
    EXPECT_FALSE(Field<QLineEdit>(S::kCount)->isEnabled());
    EXPECT_FALSE(Label(S::kCount)->isEnabled());
    EXPECT_FALSE(m_dialog.Widgets().Of(S::kCount)->unit->isEnabled());
    EXPECT_EQ(Field<QPlainTextEdit>(S::kNotes)->toPlainText(), "one\ntwo");
    EXPECT_EQ(Field<QComboBox>(S::kKind)->currentIndex(), -1);
    EXPECT_EQ(Field<QComboBox>(S::kPort)->currentText(), "/dev/ttyS0");
    const QListWidget* picks = Field<QListWidget>(S::kPicks);
    EXPECT_EQ(std::vector<bool>({picks->item(0)->isSelected(), picks->item(1)->isSelected(),
                                 picks->item(2)->isSelected()}),
              std::vector<bool>({false, false, true}));
    Show();
    EXPECT_EQ(m_dialog.focusWidget(), Field<QLineEdit>(S::kName));
}

TEST_F(FormDialogTest, UserActionsReachTheFormAndItsRulesShowAtOnce)
{
    Show();
    test::ClickBox(Field<QCheckBox>(S::kEnable));
    EXPECT_TRUE(m_form.Checked(S::kEnable));
    EXPECT_TRUE(Field<QLineEdit>(S::kCount)->isEnabled());
    EXPECT_TRUE(Label(S::kCount)->isEnabled());

    test::ClickBox(Radio(2));
    EXPECT_EQ(m_form.Value(S::kMode), 2);
    EXPECT_TRUE(Field<QPlainTextEdit>(S::kNotes)->isHidden());
    EXPECT_TRUE(Label(S::kNotes)->isHidden());

    Field<QLineEdit>(S::kCount)->clear();
    QTest::keyClicks(Field<QLineEdit>(S::kCount), "7");
    EXPECT_EQ(m_form.Text(S::kCount), "7");

    Field<QComboBox>(S::kKind)->setFocus();
    QTest::keyClick(Field<QComboBox>(S::kKind), Qt::Key_Down);
    EXPECT_EQ(m_form.Text(S::kKind), "A");
    EXPECT_EQ(Field<QLabel>(S::kInfo)->text(), "Kind A");

    Field<QComboBox>(S::kPort)->lineEdit()->clear();
    QTest::keyClicks(Field<QComboBox>(S::kPort), "CO");
    EXPECT_EQ(m_form.Text(S::kPort), "CO");
    EXPECT_EQ(Field<QComboBox>(S::kPort)->count(), 2);

    Field<QListWidget>(S::kPicks)->item(0)->setSelected(true);
    EXPECT_EQ(m_form.Control(S::kPicks).selected, std::vector<bool>({true, false, true}));

    QTest::keyClicks(Field<QPlainTextEdit>(S::kNotes), "!");
    EXPECT_EQ(m_form.Text(S::kNotes), "!one\ntwo");

    // A button's rule changes a text and a list's items; what the user typed stays.
    QTest::mouseClick(Field<QPushButton>(S::kBrowse), Qt::LeftButton);
    EXPECT_EQ(Field<QLineEdit>(S::kName)->text(), "chosen");
    EXPECT_EQ(Field<QComboBox>(S::kPort)->count(), 3);
    EXPECT_EQ(Field<QComboBox>(S::kPort)->currentText(), "CO");
}

TEST_F(FormDialogTest, TabLeavesTheMultiLineEditForTheNextControl)
{
    Show();
    Field<QPlainTextEdit>(S::kNotes)->setFocus();
    QTest::keyClick(Field<QPlainTextEdit>(S::kNotes), Qt::Key_Tab);
    EXPECT_EQ(m_dialog.focusWidget(), Field<QComboBox>(S::kKind));
    EXPECT_EQ(m_form.Text(S::kNotes), "one\ntwo");
    QTest::keyClick(Field<QComboBox>(S::kKind), Qt::Key_Backtab);
    EXPECT_EQ(m_dialog.focusWidget(), Field<QPlainTextEdit>(S::kNotes));
}

TEST_F(FormDialogTest, RefusedOkKeepsTheDialogOpenWithTheFocusOnTheField)
{
    Show();
    Field<QLineEdit>(S::kRatio)->setText("3");
    QTest::keyClicks(Field<QLineEdit>(S::kRatio), "0");
    QTest::mouseClick(m_dialog.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(m_dialog.isVisible());
    EXPECT_EQ(m_ui.boxes, std::vector<std::string>{"Please enter a number between 0.5 and 2."});
    EXPECT_EQ(m_dialog.focusWidget(), Field<QLineEdit>(S::kRatio));
    EXPECT_EQ(Field<QLineEdit>(S::kRatio)->selectedText(), "30");

    QTest::keyClicks(Field<QLineEdit>(S::kRatio), "1.5");
    QTest::keyClick(Field<QLineEdit>(S::kRatio), Qt::Key_Return);
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
}

TEST_F(FormDialogTest, CancelEscapeAndTheCloseBoxCloseOnlyWhenTheFormAllows)
{
    Show();
    m_form.cancels = false;
    QTest::keyClick(&m_dialog, Qt::Key_Escape);
    m_dialog.close();
    EXPECT_TRUE(m_dialog.isVisible());

    m_form.cancels = true;
    m_form.OfferCancel(false);
    test::ClickBox(Field<QCheckBox>(S::kEnable));
    EXPECT_FALSE(m_dialog.CancelButton()->isEnabled());
    QTest::keyClick(&m_dialog, Qt::Key_Escape);
    EXPECT_TRUE(m_dialog.isVisible());

    m_form.OfferCancel(true);
    m_dialog.close();
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
}

TEST_F(FormDialogTest, ARightDoubleClickOnTheDialogGoesToTheForm)
{
    Show();
    QTest::mouseDClick(&m_dialog, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(m_form.doubleClicks, 0);
    QTest::mouseDClick(&m_dialog, Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_EQ(m_form.doubleClicks, 1);
    EXPECT_FALSE(Radio(1)->isEnabled());
    EXPECT_TRUE(Radio(0)->isEnabled());
    EXPECT_EQ(m_dialog.windowTitle(), "Sample (expert)");
}

TEST_F(FormDialogTest, RowsJoinWhereDeclaredTogetherAndHiddenRowsTakeNoRoom)
{
    Show();
    const auto middle = [](QWidget* widget) { return widget->mapTo(widget->window(), widget->rect().center()); };
    // Boxes declared one after another stand side by side; a button sits beside the edit it follows.
    EXPECT_EQ(Field<QGroupBox>(S::kOptions)->y(), Field<QGroupBox>(S::kLimits)->y());
    EXPECT_LT(Field<QGroupBox>(S::kOptions)->x(), Field<QGroupBox>(S::kLimits)->x());
    EXPECT_NEAR(middle(Field<QPushButton>(S::kBrowse)).y(), middle(Field<QLineEdit>(S::kName)).y(), 2);
    EXPECT_GT(middle(Field<QPushButton>(S::kBrowse)).x(), middle(Field<QLineEdit>(S::kName)).x());

    // The dialog shrinks by the hidden row.
    const int height = m_dialog.height();
    test::ClickBox(Radio(2));
    test::SettleLayouts();
    EXPECT_LE(m_dialog.height(), height - Field<QPlainTextEdit>(S::kNotes)->height() - Label(S::kNotes)->height());
}

}  // namespace
}  // namespace kestrion
