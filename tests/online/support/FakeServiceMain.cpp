// pelmira-fake-service: the scripted version service as a process, for runs of
// the real program (under Wine) pointed at it through the proxy setting.
//
//   pelmira-fake-service [--port N] [--log FILE] [--notice TEXT] [--hold TITLE]
//
// Prints "port N" once it listens, then serves until SIGINT or SIGTERM, and
// prints "connections N" (the TCP connections it accepted) when it ends. Every
// query gets the three sections; titles whose length is odd get a newer version
// (the colour "ff3300") in the all-sources value. --notice answers every query
// with that notice; --hold keeps the query for TITLE unanswered for 60 seconds.
// --log appends each request, one a line, as it arrives: the milliseconds since
// the start and the request target.
#include "FakeVersionService.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) { g_stop = true; }

std::string VersionsFor(const std::string& title, const std::string& version) {
    const bool newer = title.size() % 2 == 1;
    const std::string all = newer ? "<font color=\"#ff3300\">" + version + ".1</font>" : version;
    return "[VerCorvanthelis]<a href=\"http://example.invalid/dl\">" + version + "</a>\r\n[VerPublisher]" + version +
           "\r\n[VerAll]" + all + "\r\n";
}

}  // namespace

int main(int argc, char** argv) {
    int port = 0;
    std::string logPath, notice, hold;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--port") {
            port = std::atoi(argv[i + 1]);
        } else if (key == "--log") {
            logPath = argv[i + 1];
        } else if (key == "--notice") {
            notice = argv[i + 1];
        } else if (key == "--hold") {
            hold = argv[i + 1];
        } else {
            std::fprintf(stderr, "unknown option %s\n", key.c_str());
            return 2;
        }
    }
    std::mutex logMutex;
    const auto started = std::chrono::steady_clock::now();
    std::FILE* log = logPath.empty() ? nullptr : std::fopen(logPath.c_str(), "a");
    auto service = std::make_unique<onlinetest::FakeVersionService>(
        [&](const std::string& target) {
            if (log != nullptr) {
                std::lock_guard<std::mutex> lock(logMutex);
                const auto ms =
                    std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started)
                        .count();
                std::fprintf(log, "%lld %s\n", static_cast<long long>(ms), target.c_str());
                std::fflush(log);
            }
            onlinetest::FakeReply reply;
            if (onlinetest::TargetPath(target) != "/ver/get.php") {
                reply.body = "OK";
                return reply;
            }
            const std::string title = onlinetest::QueryValue(target, "title");
            if (!hold.empty() && title == hold) reply.holdMs = 60000;
            reply.body = notice.empty() ? VersionsFor(title, onlinetest::QueryValue(target, "ver"))
                                        : "[VerCorvanthelis][Notice:] " + notice + "[VerPublisher][VerAll]";
            return reply;
        },
        port);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::printf("port %d\n", service->Port());
    std::fflush(stdout);
    while (!g_stop) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::printf("connections %d\n", service->Connections());
    std::fflush(stdout);
    service.reset();  // its threads may still log until they are joined
    if (log != nullptr) std::fclose(log);
    return 0;
}
