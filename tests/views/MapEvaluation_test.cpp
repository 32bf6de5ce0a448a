// The map view's part in an evaluation: the newest fix as origin and accuracy reference, the
// CEP circles around the origin, and the track export.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QXmlStreamReader>

#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "ViewTests.h"
#include "dialogs/MapPreferencesDialog.h"
#include "views/MapView.h"

namespace kestrion {
namespace {

using D = CMapPreferencesDialog;

class MapEvaluationTest : public ::testing::Test {
protected:
    // A view on the settings, its recorder told that the data source opened.
    void Open(const std::string& ini)
    {
        WriteText(m_folder.Path() / "demo.ini", ini);
        view = std::make_unique<CMapView>(profile, ui, protocol, recorder);
        Deliver(UpdateHint::Opening, nullptr);
    }
    void Deliver(UpdateHint hint, const CMessageRecord* record)
    {
        recorder.OnUpdate(hint, record);
        view->OnUpdate(hint, record);
    }
    void DeliverFixes(int count)
    {
        for (int i = 0; i < count; ++i) {
            const CMessageRecord fix = test::FixAt(static_cast<uint32_t>(100 * i), i % 9 - 4, i % 7 - 3);
            Deliver(UpdateHint::Record, &fix);
        }
    }
    std::string Setting(const char* section, const char* key) const { return profile.GetString(section, key, "none"); }

    QApplication& app = test::ViewApplication();
    CTempFolder m_folder;
    fakes::CScriptedUi ui;
    ProtocolState protocol;
    CProfile profile{m_folder.Path() / "demo.ini"};
    CFixRecorder recorder{profile, ui, [] { return false; }};
    std::unique_ptr<CMapView> view;
};

TEST_F(MapEvaluationTest, UseCurrentPositionMakesTheNewestFixTheOriginAndTheReference)
{
    Open("[Map View]\nScale=1\n");
    bool enabled = true;
    ui.onDialog = [&](CDialogForm& dialog) {
        enabled = dialog.Control(D::kUseCurrent).enabled;
        return false;
    };
    view->EditPreferences();
    EXPECT_FALSE(enabled);  // no fix yet

    DeliverFixes(3);
    const CMessageRecord newest = test::FixAt(900, 1000, -500);  // about 0.00904 N, 0.00449 W
    Deliver(UpdateHint::Record, &newest);
    ui.onDialog = [&](CDialogForm& dialog) {
        enabled = dialog.Control(D::kUseCurrent).enabled;
        dialog.Click(D::kUseCurrent);
        EXPECT_EQ(dialog.Text(D::kLatitude).substr(0, 5), "0.009");
        EXPECT_EQ(dialog.Text(D::kLongitude).substr(0, 6), "-0.004");
        EXPECT_TRUE(dialog.Control(D::kReference).visible);
        return dialog.Ok();
    };
    view->EditPreferences();
    EXPECT_TRUE(enabled);
    EXPECT_EQ(Setting("Map View", "Lat").substr(0, 5), "0.009");
    EXPECT_EQ(Setting("Statistics", "Ref Lat").substr(0, 5), "0.009");
    EXPECT_EQ(Setting("Statistics", "Ref Lon").substr(0, 6), "-0.004");
    EXPECT_NE(Setting("Statistics", "Ref Alt"), "none");
    // The figures are measured against it at once.
    EXPECT_EQ(recorder.Figures().kind, ReferenceKind::Fixed);
    EXPECT_EQ(recorder.Figures().count, 4U);
}

TEST_F(MapEvaluationTest, CepCirclesSurroundTheOriginOnlyWhenAskedAndItIsTheReference)
{
    struct Case {
        const char* ini;
        bool circles;
    } const cases[] = {
        {"[Map View]\nCEP Circles=1\n[Statistics]\nRef Lat=0\nRef Lon=0\n", true},
        {"[Statistics]\nRef Lat=0\nRef Lon=0\n", false},              // not asked: the picture as ever
        {"[Map View]\nCEP Circles=1\n[Statistics]\nRef Lat=0.01\nRef Lon=0\n", false},  // elsewhere
        {"[Map View]\nCEP Circles=1\n", false},                      // the running mean
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        Open(c.ini);
        DeliverFixes(40);
        EXPECT_EQ(view->Canvas().Cep(), CepCircles{});  // not per fix
        test::RunEventsFor(CMapView::kCepRefreshMs * 2);
        const AccuracyFigures figures = recorder.Figures();
        if (c.circles) {
            // At the default scale of two pixels a metre.
            EXPECT_EQ(view->Canvas().Cep(), CepCirclesOf(figures.cep50, figures.cep95, 2.0));
            EXPECT_GT(view->Canvas().Cep().cep95, view->Canvas().Cep().cep50);
        } else {
            EXPECT_EQ(view->Canvas().Cep(), CepCircles{});
        }
    }
}

TEST_F(MapEvaluationTest, ExportTrackWritesAReadableGpxOfTheFixesSinceTheOpening)
{
    Open("");
    view->ExportAction()->trigger();
    EXPECT_EQ(ui.boxes, std::vector<std::string>{"No fixes to export: none has arrived since the data source opened."});

    DeliverFixes(12);
    const std::string path = (m_folder.Path() / "drive.gpx").string();
    ui.files.push_back(path);
    view->ExportAction()->trigger();
    EXPECT_EQ(ui.boxes.size(), 1U);
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int points = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("trkpt")) {
            ++points;
            EXPECT_NEAR(xml.attributes().value("lat").toDouble(), 0, 1e-3);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(points, 12);

    const std::string unwritable = (m_folder.Path() / "no such folder" / "drive.kml").string();
    ui.files.push_back(unwritable);
    view->ExportAction()->trigger();
    ASSERT_EQ(ui.boxes.size(), 2U);
    EXPECT_EQ(ui.boxes.back().rfind("Cannot write " + unwritable + ": ", 0), 0U) << ui.boxes.back();
}

}  // namespace
}  // namespace kestrion
