#pragma once

#include "net/NetExceptions.h"
#include "net/NetHTTP.h"
#include "net/NetMemoryStream.h"

#include <string>

namespace nettest {

// What one Get ended with: "body:" + the body bytes, or "ClassName: message".
inline std::string Outcome(net::TNetCustomHTTP& client, const std::string& url) {
    try {
        return "body:" + client.Get(url);
    } catch (const net::ENetException& e) {
        return std::string(e.ClassName()) + ": " + e.what();
    }
}

}  // namespace nettest
