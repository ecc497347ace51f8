#pragma once

// What the window framework offers to code that blocks the window thread (the
// HTTP client's waits): processing the window's pending messages, so timers,
// painting and clicks go on while a network call waits. The window framework's
// application object implements it; the HTTP client's anti-freeze calls it.
namespace platform {

class IMessageProcessor {
public:
    virtual ~IMessageProcessor() = default;
    // Handles every message that is pending now, then returns.
    virtual void ProcessMessages() = 0;
    // Handles one message if one is pending; returns whether one was handled.
    virtual bool HandleMessage() = 0;
};

}  // namespace platform
