#include "net/NetAntiFreeze.h"
#include "net/Messages.h"
#include "net/NetExceptions.h"

#include <atomic>

namespace net {
namespace {

std::atomic<TNetAntiFreeze*> g_instance{nullptr};

}  // namespace

TNetAntiFreeze::TNetAntiFreeze(platform::IMessageProcessor& processor)
    : m_processor(processor), m_mainThread(std::this_thread::get_id()) {
    TNetAntiFreeze* expected = nullptr;
    if (!g_instance.compare_exchange_strong(expected, this)) throw ENetException(messages::kOnlyOneAntiFreeze);
}

TNetAntiFreeze::~TNetAntiFreeze() {
    TNetAntiFreeze* expected = this;
    g_instance.compare_exchange_strong(expected, nullptr);
}

bool TNetAntiFreeze::InUse() {
    const TNetAntiFreeze* a = g_instance.load();
    return a != nullptr && a->Active && a->m_mainThread == std::this_thread::get_id();
}

int TNetAntiFreeze::CurrentIdleTimeOut() {
    const TNetAntiFreeze* a = g_instance.load();
    return a != nullptr && a->IdleTimeOut > 0 ? a->IdleTimeOut : limits::kDefaultIdleTimeOutMs;
}

void TNetAntiFreeze::DoProcess(bool idle) {
    TNetAntiFreeze* a = g_instance.load();
    if (a == nullptr || a->m_mainThread != std::this_thread::get_id() || !a->Active) return;
    if (!idle && a->OnlyWhenIdle) return;
    if (a->ApplicationHasPriority) {
        a->m_processor.ProcessMessages();
    } else {
        a->m_processor.HandleMessage();
    }
}

}  // namespace net
