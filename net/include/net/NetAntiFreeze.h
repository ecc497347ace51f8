#pragma once

#include "net/Limits.h"

#include "platform/MessageProcessor.h"

#include <thread>

namespace net {

// Keeps the window responsive while a network call blocks its thread: at every
// wait slice the transport offers a turn, and a turn on the thread that created
// the anti-freeze (the main thread) lets the message processor handle the
// window's pending messages. At most one instance exists per process.
class TNetAntiFreeze {
public:
    // Registers the process's anti-freeze on the calling (main) thread; throws
    // ENetException "Only one TNetAntiFreeze can exist per application." when one exists.
    explicit TNetAntiFreeze(platform::IMessageProcessor& processor);
    // Unregisters it.
    ~TNetAntiFreeze();
    TNetAntiFreeze(const TNetAntiFreeze&) = delete;
    TNetAntiFreeze& operator=(const TNetAntiFreeze&) = delete;

    // Whether turns process messages at all.
    bool Active = true;
    // Handle all pending messages in a turn (else at most one).
    bool ApplicationHasPriority = true;
    // The wait slice in milliseconds.
    int IdleTimeOut = limits::kDefaultIdleTimeOutMs;
    // Process messages only in turns offered after a slice without data.
    bool OnlyWhenIdle = true;

    // Whether waits on the calling thread use the anti-freeze: an instance exists,
    // is Active, and the caller is its main thread.
    static bool InUse();
    // The instance's IdleTimeOut, or the default when there is none.
    static int CurrentIdleTimeOut();
    // Offers a turn; idle tells whether the wait slice ended without data.
    static void DoProcess(bool idle);

private:
    platform::IMessageProcessor& m_processor;
    std::thread::id m_mainThread;
};

}  // namespace net
