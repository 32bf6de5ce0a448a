#include "views/MapStatusBar.h"

#include <span>

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace kestrion {
namespace {

using Bar = CMapStatusBar;

// A field with its label (none when empty) and the characters of its longest text.
struct FieldPlace {
    const char* label;
    Bar::Field field;
    int characters;
};

// The fix, the satellites and the position, one line each.
constexpr FieldPlace kFixLine[] = {
    {"GPS Time:", Bar::kTime, 10}, {"Week:", Bar::kWeek, 5}, {"", Bar::kValidity, 11}, {"DOP:", Bar::kDop, 5},
};
constexpr FieldPlace kSatelliteLine[] = {
    {"Mode:", Bar::kMode, 23}, {"Fix:", Bar::kFix, 3}, {"SVs Used in Fix:", Bar::kSvList, 36},
};
constexpr FieldPlace kPositionLine[] = {
    {"Lat:", Bar::kLatitude, 10}, {"Lon:", Bar::kLongitude, 10}, {"Alt:", Bar::kAltitude, 8},
    {"Hdg: \xB1", Bar::kHeading, 4},  {"Vel:", Bar::kSpeed, 9},
};

// Wide enough for the longest text, with the frame and the edit's inner margins.
void FitWidth(QLineEdit& field, int characters)
{
    const QMargins margins = field.textMargins() + field.contentsMargins();
    const int frame = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &field);
    constexpr int kInnerMargins = 2 * 2;
    const int text = field.fontMetrics().horizontalAdvance(QString(characters, QChar('0')));
    field.setFixedWidth(text + margins.left() + margins.right() + 2 * frame + kInnerMargins);
}

}  // namespace

CMapStatusBar::CMapStatusBar(QWidget* parent) : QWidget(parent)
{
    auto* lines = new QVBoxLayout(this);
    const std::span<const FieldPlace> kLines[] = {kFixLine, kSatelliteLine, kPositionLine};
    for (const std::span<const FieldPlace> fields : kLines) {
        auto* line = new QHBoxLayout;
        for (const FieldPlace& place : fields) {
            if (*place.label != '\0') {
                line->addWidget(new QLabel(QString::fromLatin1(place.label)));
            }
            QLineEdit* field = m_fields.Add(place.field);
            FitWidth(*field, place.characters);
            line->addWidget(field);
        }
        if (fields.data() == kPositionLine) {
            auto* clear = new QPushButton("Clear");
            connect(clear, &QPushButton::clicked, this, &CMapStatusBar::clearRequested);
            line->addWidget(clear);
        }
        line->addStretch();
        lines->addLayout(line);
    }
}

void CMapStatusBar::ShowFix(const MapFixTexts& texts)
{
    const std::pair<Field, const std::string&> fields[] = {
        {kTime, texts.time}, {kWeek, texts.week}, {kValidity, texts.validity}, {kDop, texts.dop},
        {kMode, texts.mode}, {kFix, texts.fix},   {kSvList, texts.svs},
    };
    for (const auto& [field, text] : fields) {
        m_fields.Set(field, text);
    }
}

void CMapStatusBar::ShowPosition(const MapPositionTexts& texts)
{
    const std::pair<Field, const std::string&> fields[] = {
        {kLatitude, texts.latitude}, {kLongitude, texts.longitude}, {kAltitude, texts.altitude},
        {kHeading, texts.heading},   {kSpeed, texts.speed},
    };
    for (const auto& [field, text] : fields) {
        m_fields.Set(field, text);
    }
}

}  // namespace kestrion
