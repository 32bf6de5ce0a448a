#pragma once
// The playback toolbar: while a recorded file plays it offers the speed, pausing and resuming
// the source (the views' "&Pause Display" is another matter), one second at a time while
// paused, and the position as text and as a slider to seek with. Hidden otherwise. The speed
// chosen is stored in the settings ("Playback", "Speed") and given to each recording opened.
#include <functional>

#include <QTimer>
#include <QToolBar>

class QComboBox;
class QLabel;
class QSlider;

namespace kestrion {

class CEngine;
class IReplayControl;

class CPlaybackBar : public QToolBar {
public:
    static constexpr int kRefreshMs = 200;

    // `afterAction` runs after each change the user makes, as after a menu command.
    CPlaybackBar(CEngine& engine, std::function<void()> afterAction, QWidget* parent = nullptr);

    // Shown with the recording's state, or hidden when none plays; also every kRefreshMs.
    void Refresh();

    QComboBox* SpeedBox() const { return m_speed; }
    QAction* PauseAction() const { return m_pause; }
    QAction* StepAction() const { return m_step; }
    QSlider* Slider() const { return m_slider; }
    QLabel* PositionLabel() const { return m_position; }

private:
    IReplayControl* Replay() const;
    void ChooseSpeed(int index);
    void SetPaused(bool paused);
    void StepSecond();
    void SeekToSlider();
    void AfterAction();
    // The stored speed, once for each recording that starts playing.
    void ApplyStoredSpeed(IReplayControl& replay);

    CEngine& m_engine;
    std::function<void()> m_afterAction;
    QComboBox* m_speed;
    QAction* m_pause;
    QAction* m_step;
    QSlider* m_slider;
    QLabel* m_position;
    QTimer m_refresh;
    bool m_refreshing = false;  // the controls are being set, not the user
    IReplayControl* m_speedGiven = nullptr;  // the recording the stored speed was given to
};

}  // namespace kestrion
