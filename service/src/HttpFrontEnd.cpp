#include "service/HttpFrontEnd.h"

#include "service/Messages.h"

#include <httplib.h>

#include <stdexcept>

namespace service {

namespace {

constexpr std::size_t kMaxBody = 64 * 1024;
constexpr std::size_t kKeepAliveRequests = 100'000;
// Connections the kernel may queue before they are accepted (the library asks for 5 only,
// which makes a burst of new clients wait for retransmitted handshakes).
constexpr int kListenBacklog = 1024;

void Apply(const TServiceReply& reply, httplib::Response& res) {
    res.status = reply.Status;
    if (reply.MethodNotAllowed) res.set_header("Allow", "GET, HEAD");
    res.set_content(reply.Body, reply.ContentType.c_str());
}

}  // namespace

struct THttpFrontEnd::TImpl {
    httplib::Server Server;
    socket_t ListenSocket = INVALID_SOCKET;
};

THttpFrontEnd::THttpFrontEnd(TVersionService& service, int threads) : m_impl(std::make_unique<TImpl>()) {
    auto& server = m_impl->Server;
    server.set_socket_options([impl = m_impl.get()](socket_t sock) {
        httplib::default_socket_options(sock);
        impl->ListenSocket = sock;
    });
    // Replies go out in two writes (head, body); without this the second waits for an ACK.
    server.set_tcp_nodelay(true);
    server.new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<std::size_t>(threads)); };
    server.set_keep_alive_max_count(kKeepAliveRequests);
    server.set_payload_max_length(kMaxBody);
    // GET and HEAD go to the service before routing, with the target exactly as sent.
    server.set_pre_routing_handler([&service](const httplib::Request& req, httplib::Response& res) {
        if (req.method != "GET" && req.method != "HEAD") return httplib::Server::HandlerResponse::Unhandled;
        Apply(service.Handle(req.method, req.target, req.remote_addr), res);
        return httplib::Server::HandlerResponse::Handled;
    });
    auto refuse = [&service](const httplib::Request& req, httplib::Response& res) {
        Apply(service.Handle(req.method, req.target, req.remote_addr), res);
    };
    server.Post(".*", refuse);
    server.Put(".*", refuse);
    server.Patch(".*", refuse);
    server.Delete(".*", refuse);
    server.Options(".*", refuse);
    // Refusals the library makes itself (bad request line, 414, 413) get a text too.
    server.set_error_handler(httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
        if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
        std::string text = res.status == 414   ? std::string(messages::kTooLong)
                           : res.status == 413 ? "Payload too large."
                           : res.status == 404 ? std::string(messages::kNotFound)
                                               : "Bad request.";
        res.set_content(text + "\r\n", "text/plain; charset=windows-1252");
        return httplib::Server::HandlerResponse::Handled;
    }));
}

THttpFrontEnd::~THttpFrontEnd() { Stop(); }

int THttpFrontEnd::Bind(const std::string& host, int port) {
    auto& server = m_impl->Server;
    int bound = port == 0 ? server.bind_to_any_port(host) : (server.bind_to_port(host, port) ? port : -1);
    if (bound <= 0) throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port));
    // Listening again on a listening socket only changes its backlog.
    if (m_impl->ListenSocket != INVALID_SOCKET) ::listen(m_impl->ListenSocket, kListenBacklog);
    return bound;
}

bool THttpFrontEnd::Run() { return m_impl->Server.listen_after_bind(); }

void THttpFrontEnd::Stop() { m_impl->Server.stop(); }

}  // namespace service
