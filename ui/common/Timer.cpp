#include "ui/Timer.h"

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/WindowSystem.h"

namespace ui {

TTimer::TTimer(TForm& owner) : m_owner(owner), m_peer(owner.System().CreateTimerPeer(*this)) {}

TTimer::~TTimer() = default;

void TTimer::SetInterval(unsigned milliseconds) {
    if (milliseconds == m_interval) return;
    m_interval = milliseconds;
    m_peer->Changed();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    m_peer->Changed();
}

void TTimer::Fire() {
    if (!m_enabled || m_interval == 0) return;
    m_owner.Application().Guard([&] {
        if (OnTimer) OnTimer(*this);
    });
}

}  // namespace ui
