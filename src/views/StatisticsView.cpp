#include "views/StatisticsView.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "protocol/MessageRecord.h"
#include "protocol/Mid.h"

namespace kestrion {

CStatisticsView::CStatisticsView(CFixRecorder& recorder, QWidget* parent)
    : QWidget(parent),
      m_recorder(recorder),
      m_canvas(new CStatisticsCanvas([&recorder] {
          return StatisticsData{recorder.Figures(), recorder.Collector().FixErrors()};
      })),
      m_reset(new QPushButton("Reset"))
{
    setWindowTitle(kCaption);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 4, 6, 4);
    buttons->addWidget(m_reset);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(buttons);
    layout->addWidget(m_canvas, 1);
    connect(m_reset, &QPushButton::clicked, this, [this] {
        m_recorder.Reset();
        m_canvas->Refresh();
    });
}

void CStatisticsView::OnUpdate(int hint, const CMessageRecord* record)
{
    if (hint == kHintRecord && record != nullptr) {
        if (record->type == MID_MeasuredNavigation) {
            m_canvas->MarkStale();
        }
    } else if (hint == kHintOpening || hint == kHintRestarted) {
        m_canvas->Refresh();
    }
}

}  // namespace kestrion
