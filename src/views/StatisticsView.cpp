#include "views/StatisticsView.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "protocol/MessageRecord.h"

namespace kestrion {

CStatisticsView::CStatisticsView(CFixRecorder& recorder, QWidget* parent)
    : QWidget(parent),
      m_recorder(recorder),
      m_interest(recorder, kNeedEverything),
      m_canvas(new CStatisticsCanvas([this] {
          return StatisticsData{m_recorder.Figures(), m_recorder.ScatterPoints(), m_estimates};
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

void CStatisticsView::OnUpdate(UpdateHint hint, const CMessageRecord* record)
{
    if (hint == UpdateHint::Record && record != nullptr) {
        if (const ReceiverEpoch* epoch = m_receiver.Take(*record)) {
            ShowEpoch(*epoch);
        }
    } else if (hint == UpdateHint::SourceEnded) {
        if (const ReceiverEpoch* epoch = m_receiver.Finish()) {
            ShowEpoch(*epoch);
        }
    } else if (hint == UpdateHint::Opening || hint == UpdateHint::Restarted) {
        if (hint == UpdateHint::Opening) {
            m_receiver.Reset();
            m_estimates = {};
        }
        m_canvas->Refresh();
    }
}

void CStatisticsView::ShowEpoch(const ReceiverEpoch& epoch)
{
    if (!epoch.truth) {
        m_estimates = epoch.estimates;
        m_canvas->MarkStale();
    }
}

}  // namespace kestrion
