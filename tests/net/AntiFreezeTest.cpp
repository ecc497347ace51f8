// The anti-freeze: waits of the main thread hand turns to the message processor.
#include "support/Outcome.h"
#include "support/TestServer.h"

#include "net/NetAntiFreeze.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

using namespace nettest;

const char kOk5[] = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

// Counts turns and runs an optional handler inside each, as a window would.
class CountingProcessor : public platform::IMessageProcessor {
public:
    void ProcessMessages() override {
        ++all;
        if (handler) handler();
    }
    bool HandleMessage() override {
        ++one;
        if (handler) handler();
        return true;
    }
    int all = 0;
    int one = 0;
    std::function<void()> handler;
};

TEST(AntiFreeze, SilentServerWaitHandsTurnsToTheWindowAndItsHandlersRun) {
    TestServer server({{Read(), Pause(900), Send(kOk5), Hold()}});
    CountingProcessor processor;
    net::TNetAntiFreeze antiFreeze(processor);
    bool stopRequested = false;
    processor.handler = [&] {
        if (processor.all == 2) stopRequested = true;  // what "Stop Scan" does: set a flag
    };
    net::TNetHTTP client;
    EXPECT_EQ(Outcome(client, server.Url("/")), "body:hello");
    // 900 ms of silence in 250 ms slices, plus the connect's own slice.
    EXPECT_GE(processor.all, 3);
    EXPECT_LE(processor.all, 12);
    EXPECT_EQ(processor.one, 0);
    EXPECT_TRUE(stopRequested);
}

TEST(AntiFreeze, HandlesOneMessagePerTurnWithoutPriorityAndNothingWhenInactive) {
    TestServer server({{Read(), Pause(600), Send(kOk5), Read(), Pause(600), Send(kOk5), Hold()}});
    CountingProcessor processor;
    net::TNetAntiFreeze antiFreeze(processor);
    antiFreeze.ApplicationHasPriority = false;
    net::TNetHTTP client;
    EXPECT_EQ(Outcome(client, server.Url("/")), "body:hello");
    EXPECT_EQ(processor.all, 0);
    EXPECT_GE(processor.one, 2);
    const int before = processor.one;
    antiFreeze.Active = false;
    EXPECT_EQ(Outcome(client, server.Url("/")), "body:hello");
    EXPECT_EQ(processor.one, before);
}

TEST(AntiFreeze, SendsOfferTurnsThatCountOnlyWhenNotOnlyIdle) {
    TestServer server({{Read(), Send(kOk5), Read(), Send(kOk5), Hold()}});
    CountingProcessor processor;
    net::TNetAntiFreeze antiFreeze(processor);
    net::TNetHTTP client;
    EXPECT_EQ(Outcome(client, server.Url("/")), "body:hello");
    const int idleOnly = processor.all;
    antiFreeze.OnlyWhenIdle = false;
    EXPECT_EQ(Outcome(client, server.Url("/")), "body:hello");
    // The reused connection needs no connect; the send and the readable wait now both count.
    EXPECT_GE(processor.all - idleOnly, 2);
}

TEST(AntiFreeze, OtherThreadsDoNotPump) {
    TestServer server({{Read(), Pause(600), Send(kOk5), Hold()}});
    CountingProcessor processor;
    net::TNetAntiFreeze antiFreeze(processor);
    std::string outcome;
    std::thread worker([&] {
        net::TNetHTTP client;
        outcome = Outcome(client, server.Url("/"));
    });
    worker.join();
    EXPECT_EQ(outcome, "body:hello");
    EXPECT_EQ(processor.all, 0);
}

TEST(AntiFreeze, AHandlerAbortsTheWaitingRequestWithoutAResend) {
    struct Case {
        const char* name;
        Script script;
        int firstGets;  // requests answered before the one that is aborted
        bool sent;      // the aborted request reaches the server first
    };
    const Case cases[] = {
        // The abort lands in the connect's own turn.
        {"while connecting", {Hold()}, 0, false},
        // A silent service on a fresh connection.
        {"while the reply waits", {Read(), Hold()}, 0, true},
        // A kept-alive connection closed under a request is normally resent; an abort is not.
        {"on a reused connection", {Read(), Send(kOk5), Read(), Hold()}, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestServer server({c.script, {Read(), Send(kOk5), Hold()}});
        CountingProcessor processor;
        net::TNetAntiFreeze antiFreeze(processor);
        net::TNetHTTP client;
        for (int i = 0; i < c.firstGets; ++i) EXPECT_EQ(Outcome(client, server.Url("/")), "body:hello");
        EXPECT_FALSE(client.Busy());
        client.Abort();  // no request runs: the kept-alive connection stays
        processor.handler = [&] {
            EXPECT_TRUE(client.Busy());
            if (!c.sent || static_cast<int>(server.Requests().size()) > c.firstGets) client.Abort();
        };
        EXPECT_EQ(Outcome(client, server.Url("/")), "ENetRequestAborted: Request aborted.");
        EXPECT_FALSE(client.Busy());
        EXPECT_EQ(static_cast<int>(server.Requests().size()), c.firstGets + (c.sent ? 1 : 0));
        // The client works again afterwards, on a new connection; a resend of the
        // aborted request would have taken that second connection's script.
        processor.handler = nullptr;
        EXPECT_EQ(Outcome(client, server.Url("/")), "body:hello");
        EXPECT_EQ(server.Accepted(), 2);
    }
}

TEST(AntiFreeze, OnlyOneMayExist) {
    CountingProcessor processor;
    net::TNetAntiFreeze first(processor);
    try {
        net::TNetAntiFreeze second(processor);
        FAIL() << "no exception";
    } catch (const net::ENetException& e) {
        EXPECT_STREQ(e.what(), "Only one TNetAntiFreeze can exist per application.");
    }
    EXPECT_TRUE(net::TNetAntiFreeze::InUse());
}

}  // namespace
