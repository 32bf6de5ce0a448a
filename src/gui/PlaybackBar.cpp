#include "gui/PlaybackBar.h"

#include <algorithm>

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include "app/Engine.h"
#include "app/PlaybackPosition.h"
#include "dialogs/widgets/QtText.h"
#include "platform/Settings.h"

namespace kestrion {
namespace {

QString SpeedLabel(ReplaySpeed speed)
{
    switch (speed) {
    case ReplaySpeed::Fastest: return "As fast as possible";
    case ReplaySpeed::Fixed: return "Fixed rate";
    default: return QString::fromUtf8("×") + ToQt(ReplaySpeedText(speed));
    }
}

int IndexOf(ReplaySpeed speed)
{
    return static_cast<int>(std::find(kReplaySpeeds.begin(), kReplaySpeeds.end(), speed) - kReplaySpeeds.begin());
}

}  // namespace

CPlaybackBar::CPlaybackBar(CEngine& engine, std::function<void()> afterAction, QWidget* parent)
    : QToolBar("Playback", parent),
      m_engine(engine),
      m_afterAction(std::move(afterAction)),
      m_speed(new QComboBox(this)),
      m_slider(new QSlider(Qt::Horizontal, this)),
      m_position(new QLabel(this))
{
    setObjectName("playback");
    setMovable(false);
    setFloatable(false);
    for (const ReplaySpeed speed : kReplaySpeeds) {
        m_speed->addItem(SpeedLabel(speed));
    }
    m_speed->setToolTip("Playback speed");
    addWidget(m_speed);
    m_pause = addAction("Pause Playback");
    m_pause->setCheckable(true);
    m_step = addAction("Step 1 s");
    m_step->setEnabled(false);
    m_slider->setRange(0, kSliderSteps);
    m_slider->setMinimumWidth(200);
    addWidget(m_slider);
    addWidget(m_position);

    connect(m_speed, &QComboBox::activated, this, [this](int index) { ChooseSpeed(index); });
    connect(m_pause, &QAction::toggled, this, [this](bool on) { SetPaused(on); });
    connect(m_step, &QAction::triggered, this, [this] { StepSecond(); });
    connect(m_slider, &QSlider::sliderReleased, this, [this] { SeekToSlider(); });
    connect(m_slider, &QSlider::valueChanged, this, [this] {
        // Clicks beside the handle and keys move at once; a drag seeks when released.
        if (!m_refreshing && !m_slider->isSliderDown()) {
            SeekToSlider();
        }
    });
    connect(&m_refresh, &QTimer::timeout, this, [this] { Refresh(); });
    m_refresh.start(kRefreshMs);
    Refresh();
}

IReplayControl* CPlaybackBar::Replay() const
{
    CFeedDoc* document = m_engine.DataSourceOpen() ? m_engine.CurrentDocument() : nullptr;
    return document != nullptr ? document->Replay() : nullptr;
}

void CPlaybackBar::Refresh()
{
    IReplayControl* replay = Replay();
    setVisible(replay != nullptr);
    if (replay == nullptr) {
        m_speedGiven = nullptr;
        return;
    }
    ApplyStoredSpeed(*replay);
    m_refreshing = true;
    const ReplayPosition position = replay->Position();
    m_speed->setCurrentIndex(IndexOf(replay->Speed()));
    {
        const QSignalBlocker blocker(m_pause);
        m_pause->setChecked(replay->Paused());
    }
    m_step->setEnabled(replay->Paused());
    if (!m_slider->isSliderDown()) {
        m_slider->setValue(SliderStepOf(position));
    }
    m_position->setText(ToQt(PlaybackPositionText(position)));
    m_refreshing = false;
}

void CPlaybackBar::ChooseSpeed(int index)
{
    if (index >= 0 && index < int(kReplaySpeeds.size())) {
        const ReplaySpeed speed = kReplaySpeeds[static_cast<size_t>(index)];
        if (IReplayControl* replay = Replay()) {
            replay->SetSpeed(speed);
        }
        Settings settings;
        settings.playbackSpeed = ReplaySpeedValue(speed);
        settings.SavePlaybackSpeed(m_engine.Services().Profile());
    }
    AfterAction();
}

void CPlaybackBar::ApplyStoredSpeed(IReplayControl& replay)
{
    if (m_speedGiven == &replay) {
        return;
    }
    m_speedGiven = &replay;
    Settings settings;
    settings.LoadPlaybackSpeed(m_engine.Services().Profile());
    replay.SetSpeed(ReplaySpeedFromText(settings.playbackSpeed).value_or(ReplaySpeed::Normal));
}

void CPlaybackBar::SetPaused(bool paused)
{
    if (IReplayControl* replay = Replay()) {
        if (paused) {
            replay->Pause();
        } else {
            replay->Resume();
        }
    }
    AfterAction();
}

void CPlaybackBar::StepSecond()
{
    if (IReplayControl* replay = Replay()) {
        replay->StepSecond();  // at the end of a text file the data source closes
    }
    AfterAction();
}

void CPlaybackBar::SeekToSlider()
{
    if (IReplayControl* replay = Replay()) {
        m_engine.CurrentDocument()->SeekReplay(PositionOfStep(m_slider->value(), replay->Position().total));
    }
    AfterAction();
}

void CPlaybackBar::AfterAction()
{
    if (m_afterAction) {
        m_afterAction();
    }
    Refresh();
}

}  // namespace kestrion
