#pragma once

#include "support/Outcome.h"
#include "support/TestServer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Wire cases made of steps: each step may change the client's settings, then
// fetches one URL. The server (origin or proxy) records what it read; the case
// states the exact request heads, the outcomes and the connection count.
namespace nettest {

// One step: configure (may be empty) gets the client and the server's port.
struct WireStep {
    std::function<void(net::TNetHTTP& client, int port)> configure;
    std::string url;      // "{port}" is filled in
    std::string outcome;  // as Outcome() gives it
};

struct SteppedCase {
    const char* name;
    std::vector<Script> scripts;
    std::vector<WireStep> steps;
    std::vector<std::string> requests;  // "{port}" is filled in
    int connections;
};

// A request head as this client writes it for GET target with the given Host
// value; extra lines (each ending in CR LF) follow the User-Agent line.
inline std::string Head(const std::string& target, const std::string& host, const std::string& extra = "",
                        const std::string& version = "1.1", const std::string& before = "") {
    return "GET " + target + " HTTP/" + version + "\r\n" + before + "Host: " + host +
           "\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\n"
           "User-Agent: Mozilla/3.0 (compatible; Pelmira)\r\n" +
           extra + "\r\n";
}

// Sends the client's requests to the loopback server as its proxy.
inline void ViaProxy(net::TNetHTTP& client, int port) {
    client.ProxyParams.SetProxyServer("127.0.0.1");
    client.ProxyParams.SetProxyPort(port);
}

// Plays c against a fresh server and client with the given slicing.
inline void RunSteppedCase(const SteppedCase& c, Slicing slicing, unsigned seed) {
    SCOPED_TRACE(std::string(c.name) + " / slicing " + std::to_string(static_cast<int>(slicing)) + " seed " +
                 std::to_string(seed));
    TestServer server(c.scripts, slicing, seed);
    std::vector<std::string> outcomes, expectedOutcomes;
    {
        net::TNetHTTP client;
        for (const WireStep& step : c.steps) {
            if (step.configure) step.configure(client, server.Port());
            outcomes.push_back(Outcome(client, WithPort(step.url, server.Port())));
            expectedOutcomes.push_back(step.outcome);
        }
    }
    EXPECT_EQ(outcomes, expectedOutcomes);
    EXPECT_TRUE(server.WaitDone());
    std::vector<std::string> expected;
    for (const std::string& r : c.requests) expected.push_back(WithPort(r, server.Port()));
    EXPECT_EQ(server.Requests(), expected);
    EXPECT_EQ(server.Accepted(), c.connections);
}

// Plays every case whole, in single bytes and in random slices.
inline void RunSteppedCases(const std::vector<SteppedCase>& cases) {
    for (const SteppedCase& c : cases) {
        RunSteppedCase(c, Slicing::slWhole, 0);
        RunSteppedCase(c, Slicing::slSingleBytes, 0);
        RunSteppedCase(c, Slicing::slRandom, 7);
    }
}

}  // namespace nettest
