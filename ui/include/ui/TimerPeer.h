#pragma once

namespace ui {

// The window-system side of a timer.
class ITimerPeer {
public:
    virtual ~ITimerPeer() = default;
    // The timer's interval or enabled flag changed; the peer restarts or stops its clock.
    virtual void Changed() = 0;
};

}  // namespace ui
