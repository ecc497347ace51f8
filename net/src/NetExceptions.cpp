#include "net/NetExceptions.h"
#include "net/Messages.h"

#include "platform/MessageText.h"
#include "platform/Sockets.h"

namespace net {
namespace {

std::string SocketMessage(int code) {
    return platform::FillMessage(messages::kSocketErrorFormat, {std::to_string(code), SocketErrorText(code)});
}

}  // namespace

ENetSocketError::ENetSocketError(int errorCode) : ENetException(SocketMessage(errorCode)), m_code(errorCode) {}

std::string SocketErrorText(int errorCode) {
    for (const messages::SocketErrorEntry& e : messages::kSocketErrorTexts) {
        if (e.code == errorCode) return e.text;
    }
    return {};
}

void CheckSocketResult(int errorCode) {
    if (errorCode == 0) return;
    if (errorCode == platform::kNotASocket) throw ENetNotASocket();
    throw ENetSocketError(errorCode);
}

void EnsureSocketStack() {
    const platform::SocketStartup s = platform::StartSockets();
    switch (s.kind) {
        case platform::SocketStartup::ssOk:
            return;
        case platform::SocketStartup::ssLibraryMissing: {
            std::string message = platform::FillMessage(messages::kLoadLibraryFailed, {s.name});
            if (!s.systemText.empty()) message += ": " + s.systemText;
            throw ENetException(message);
        }
        case platform::SocketStartup::ssFunctionMissing:
            throw ENetException(platform::FillMessage(messages::kBindFunctionFailed, {s.name}));
        case platform::SocketStartup::ssStartupFailed:
            throw ENetException(messages::kWinsockInitFailed);
    }
}

}  // namespace net
