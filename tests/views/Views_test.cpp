#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <QImage>
#include <QKeyEvent>
#include <QSet>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>

#include "support/ScriptedUi.h"
#include "ViewTests.h"
#include "views/DGPSStatusView.h"
#include "views/DebugDataView.h"
#include "views/ErrorView.h"
#include "views/NavMsgView.h"
#include "views/QueryView.h"

namespace kestrion {
namespace {

struct ViewCase {
    const char* caption;
    std::function<std::unique_ptr<QWidget>()> make;
    CMessageRecord shown;  // a record the view shows
};

// Every line of a list view and every field of a form view.
QStringList ShownTexts(const QWidget& view)
{
    QStringList texts;
    if (const auto* list = qobject_cast<const QListWidget*>(&view)) {
        for (int row = 0; row < list->count(); ++row) {
            texts.append(list->item(row)->text());
        }
    }
    for (const QLineEdit* field : view.findChildren<QLineEdit*>()) {
        texts.append(field->text());
    }
    return texts;
}

class ViewsTest : public ::testing::Test {
protected:
    QApplication& app = test::ViewApplication();  // before any widget
    ProtocolState protocol;
    fakes::CScriptedUi ui;
    const ViewCase cases[5] = {
        {"Measured Navigation Message View", [this] { return std::make_unique<CNavMsgView>(protocol); },
         test::Decoded({2, 0, 0x3D, 0x09, 0, 0, 0, 0, 0, 0, 0x4C, 0x4B, 0x40, 0, 8, 0, 0, 0, 0, 4, 5})},
        {"Response View", [this] { return std::make_unique<CQueryView>(protocol); }, test::Decoded({11, 136})},
        {"Error Message View", [this] { return std::make_unique<CErrorView>(ui); },
         test::TextRecord("Comm: checksum error", kFaultMarker)},
        {"Development Data View", [] { return std::make_unique<CDebugDataView>(); }, test::TextRecord("locked")},
        {"DGPS Status View", [] { return std::make_unique<CDGPSStatusView>(); },
         test::Decoded({27, 1, 0, 4, 0x93, 0xE0, 100, 3})},
    };
};

TEST_F(ViewsTest, OnlyRecordsChangeWhatAViewShows)
{
    for (const ViewCase& c : cases) {
        SCOPED_TRACE(c.caption);
        const std::unique_ptr<QWidget> widget = c.make();
        auto& view = dynamic_cast<IDocumentView&>(*widget);
        EXPECT_EQ(widget->windowTitle(), c.caption);
        const QStringList before = ShownTexts(*widget);
        view.OnUpdate(UpdateHint::Record, &c.shown);
        const QStringList shown = ShownTexts(*widget);
        EXPECT_NE(shown, before);
        // Settings changed, the source about to open, a missing record: nothing is cleared or added.
        view.OnUpdate(UpdateHint::Restarted, nullptr);
        view.OnUpdate(UpdateHint::Opening, nullptr);
        view.OnUpdate(UpdateHint::Record, nullptr);
        view.OnUpdate(UpdateHint::Restarted, &c.shown);
        EXPECT_EQ(ShownTexts(*widget), shown);
    }
}

TEST_F(ViewsTest, TabReachesEveryFieldOfTheFormViews)
{
    for (const ViewCase& c : cases) {
        SCOPED_TRACE(c.caption);
        const std::unique_ptr<QWidget> widget = c.make();
        const QList<QLineEdit*> fields = widget->findChildren<QLineEdit*>();
        if (fields.isEmpty()) {
            continue;  // a list view: the list is its only control
        }
        widget->show();
        widget->activateWindow();
        QApplication::setActiveWindow(widget.get());
        QSet<QWidget*> reached;
        for (qsizetype press = 0; press < 2 * fields.size(); ++press) {
            QWidget* focus = QApplication::focusWidget();
            if (focus == nullptr) {
                widget->setFocus();
                focus = widget.get();
            }
            reached.insert(QApplication::focusWidget());
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(focus, &tab);
        }
        for (QLineEdit* field : fields) {
            EXPECT_TRUE(reached.contains(field)) << fields.indexOf(field);
        }
    }
}

TEST_F(ViewsTest, EveryViewDrawsAtTwiceThePixels)
{
    for (const ViewCase& c : cases) {
        SCOPED_TRACE(c.caption);
        const std::unique_ptr<QWidget> widget = c.make();
        dynamic_cast<IDocumentView&>(*widget).OnUpdate(UpdateHint::Record, &c.shown);
        widget->resize(420, 300);
        const QPixmap pixmap = widget->grab();
        ASSERT_DOUBLE_EQ(pixmap.devicePixelRatio(), 2.0);
        const QImage image = pixmap.toImage();
        ASSERT_EQ(image.size(), widget->size() * 2);
        // Texts and frames: more than the background colour.
        int drawn = 0;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                drawn += image.pixel(x, y) != image.pixel(1, 1) ? 1 : 0;
            }
        }
        EXPECT_GT(drawn, 200);
    }
}

}  // namespace
}  // namespace kestrion
