#pragma once

#include "service/VersionService.h"

#include <memory>
#include <string>

namespace service {

// The HTTP/1.1 server in front of a TVersionService: keep-alive connections, one worker
// thread per open connection from a fixed pool, GET and HEAD handed to the service, every
// other method refused with 405, request lines over 8 KiB refused with 414 and request
// bodies over 64 KiB with 413.
class THttpFrontEnd {
public:
    // service must outlive the front end; threads: size of the worker pool.
    THttpFrontEnd(TVersionService& service, int threads);
    ~THttpFrontEnd();
    THttpFrontEnd(const THttpFrontEnd&) = delete;
    THttpFrontEnd& operator=(const THttpFrontEnd&) = delete;

    // Binds host:port (port 0: any free port) and returns the bound port; throws
    // std::runtime_error when the address cannot be bound.
    int Bind(const std::string& host, int port);
    // Serves on the bound address until Stop; returns false when serving failed.
    bool Run();
    // Makes Run return; safe from any thread.
    void Stop();

private:
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};

}  // namespace service
