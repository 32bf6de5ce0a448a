#include "evaluation/AccuracyReference.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "evaluation/AccuracyText.h"

namespace kestrion {
namespace {

AccuracyReference Load(const std::string& ini, bool truth, std::string& problem)
{
    CTempFolder folder;
    WriteText(folder.Path() / "k.ini", ini);
    return LoadAccuracyReference(CProfile(folder.Path() / "k.ini"), truth, problem);
}

TEST(AccuracyReference, TruthThenTheFixedPointThenTheRunningMean)
{
    std::string problem;
    const std::string fixed = "[Statistics]\nRef Lat=51.5\nRef Lon=-0.25\nRef Alt=45.5\n";
    EXPECT_EQ(Load(fixed, true, problem).kind, ReferenceKind::Truth);
    const AccuracyReference reference = Load(fixed, false, problem);
    EXPECT_EQ(reference.kind, ReferenceKind::Fixed);
    EXPECT_DOUBLE_EQ(reference.fixed.latitude, 51.5);
    EXPECT_DOUBLE_EQ(reference.fixed.longitude, -0.25);
    EXPECT_DOUBLE_EQ(reference.fixed.height, 45.5);
    EXPECT_DOUBLE_EQ(Load("[Statistics]\nRef Lat=1\nRef Lon=2\n", false, problem).fixed.height, 0.0);
    EXPECT_EQ(Load("[Statistics]\nRef Lat=1\n", false, problem).kind, ReferenceKind::RunningMean);
    EXPECT_TRUE(problem.empty());
}

TEST(AccuracyReference, AValueThatIsNoCoordinateFallsBackToTheMeanAndSaysSo)
{
    std::string problem;
    EXPECT_EQ(Load("[Statistics]\nRef Lat=91\nRef Lon=2\n", false, problem).kind, ReferenceKind::RunningMean);
    EXPECT_EQ(problem, "Statistics: \"Ref Lat\" is not a number from -90 to 90: \"91\"");
    Load("[Statistics]\nRef Lat=1\nRef Lon=2\nRef Alt=12m\n", false, problem);
    EXPECT_EQ(problem, "Statistics: \"Ref Alt\" is not a number from -100000 to 100000: \"12m\"");
}

TEST(AccuracyReference, TheFiguresTextNamesTheReference)
{
    AccuracyFigures figures;
    figures.count = 2;
    figures.cep50 = 1.5;
    figures.east.mean = -1e-12;  // what a mean about itself comes to
    figures.up.mean = -0.25;
    const std::string text = AccuracyText(figures);
    EXPECT_EQ(text.substr(0, text.find('\n')), "Reference: running mean of the fixes (0.00000000, 0.00000000, 0.00 m)");
    EXPECT_NE(text.find("\nCEP50: 1.500 m\n"), std::string::npos);
    EXPECT_NE(text.find("\nMean E/N/U: 0.000 / 0.000 / -0.250 m\n"), std::string::npos);
    figures.kind = ReferenceKind::Truth;
    figures.unmatched = 3;
    EXPECT_NE(AccuracyText(figures).find("Reference: truth\nFixes: 2 (without truth: 3)\n"), std::string::npos);
}

}  // namespace
}  // namespace kestrion
