#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/AuthenticationRegistry.h"
#include "net/AuthenticationState.h"
#include "net/BasicAuthentication.h"

namespace {

using net::TNetAuthenticationCredentials;
using net::TNetAuthenticationRegistry;
using net::TNetAuthenticationState;
using net::TNetBasicAuthentication;

constexpr int kMaxAuthRetries = 3;

TEST(BasicAuthentication, HeaderValueIsBase64OfTrimmedCredentials) {
    const struct {
        const char* user;
        const char* password;
        const char* value;
    } cases[] = {
        {"u", "p", "Basic dTpw"},
        {"", "", "Basic Og=="},
        {"  u ", "\tp  ", "Basic dTpw"},
        {"Aladdin", "open sesame", "Basic QWxhZGRpbjpvcGVuIHNlc2FtZQ=="},
        {"user", "pa:ss", "Basic dXNlcjpwYTpzcw=="},
        {"\xe4", "\xf6", "Basic 5Dr2"},
        {"", "secret", "Basic OnNlY3JldA=="},
    };
    for (const auto& c : cases) {
        TNetBasicAuthentication basic;
        basic.SetUsername(c.user);
        basic.SetPassword(c.password);
        EXPECT_EQ(basic.Authentication(), c.value) << c.user << ":" << c.password;
    }
}

TEST(BasicAuthentication, ParametersCompareNamesIgnoringCase) {
    TNetBasicAuthentication basic;
    basic.SetUsername(" u ");
    EXPECT_EQ(basic.Params().Name(0), "Username");
    EXPECT_EQ(basic.Params().Value("USERNAME"), "u");
    basic.Params().SetValue("username", "v");
    EXPECT_EQ(basic.Username(), "v");
    EXPECT_EQ(basic.Params().Count(), 1u);
    basic.SetUsername("");
    EXPECT_EQ(basic.Params().Count(), 0u);
    EXPECT_EQ(basic.Username(), "");
}

TEST(BasicAuthentication, StepReadsRealmAndWantsAUserName) {
    TNetBasicAuthentication basic;
    basic.SetChallenges({"Digest realm=\"other\"", "Basic realm=\"pelmira service\", charset=\"UTF-8\""});
    EXPECT_EQ(basic.Next(), net::wnAskTheProgram);
    EXPECT_EQ(basic.Realm(), "pelmira service");
    EXPECT_EQ(basic.Params().Value("charset"), "\"UTF-8\"");
    basic.SetUsername("u");
    EXPECT_EQ(basic.Next(), net::wnDoRequest);
    EXPECT_EQ(basic.CurrentStep(), 0);
    EXPECT_EQ(basic.Steps(), 1);
    EXPECT_FALSE(basic.KeepAlive());
}

TEST(BasicAuthentication, ChallengeCannotChooseTheCredentials) {
    TNetBasicAuthentication basic;
    basic.SetUsername("u");
    basic.SetPassword("p");
    basic.SetChallenges({"Basic realm=\"x\", username=evil, Password=evil"});
    EXPECT_EQ(basic.Next(), net::wnDoRequest);
    EXPECT_EQ(basic.Authentication(), "Basic dTpw");
}

std::unique_ptr<net::TNetAuthentication> MakeBasic() { return std::make_unique<TNetBasicAuthentication>(); }

TEST(AuthenticationRegistry, KnowsBasicAndRefusesASecondRegistration) {
    TNetAuthenticationRegistry& registry = TNetAuthenticationRegistry::Instance();
    EXPECT_TRUE(registry.IsRegistered("Basic"));
    EXPECT_TRUE(registry.IsRegistered("BASIC"));
    EXPECT_FALSE(registry.IsRegistered("Negotiate"));
    EXPECT_NE(dynamic_cast<TNetBasicAuthentication*>(registry.Create("basic").get()), nullptr);
    EXPECT_EQ(registry.Create("NTLM"), nullptr);
    try {
        registry.Register("basic", "TOtherBasic", MakeBasic);
        ADD_FAILURE() << "second registration accepted";
    } catch (const net::ENetException& e) {
        // Part of the client's exception family, so the tool prints its class.
        EXPECT_STREQ(e.ClassName(), "ENetAlreadyRegisteredAuthenticationMethod");
        EXPECT_STREQ(e.what(),
                     "This authentication method is already registered with class name TNetBasicAuthentication.");
    }
}

// A scheme that has gone through all of its steps at once, to see what a
// disconnection does with such an object.
class FinishedScheme : public net::TNetAuthentication {
public:
    static inline int resets = 0;
    net::TNetAuthWhatsNext Next() override { return net::wnDoRequest; }
    void Reset() override { ++resets; }
    std::string Authentication() override { return "Finished"; }
    bool KeepAlive() const override { return true; }
};

std::unique_ptr<net::TNetAuthentication> MakeFinished() { return std::make_unique<FinishedScheme>(); }

TEST(AuthenticationRegistry, LocalRegistryTakesNewSchemes) {
    TNetAuthenticationRegistry registry;
    registry.Register("Finished", "FinishedScheme", MakeFinished);
    EXPECT_NE(dynamic_cast<FinishedScheme*>(registry.Create("finished").get()), nullptr);
    EXPECT_FALSE(TNetAuthenticationRegistry::Instance().IsRegistered("Finished"));
    registry.Unregister("FINISHED");
    EXPECT_FALSE(registry.IsRegistered("Finished"));
}

TEST(ProxyAuthorization, BasicCredentialsGoOnlyToAProxy) {
    TNetAuthenticationState proxy(net::atProxy);
    const TNetAuthenticationCredentials on{"u", "p", true};
    // A direct request must not carry the proxy password to the origin server.
    EXPECT_EQ(proxy.HeaderValue(on, net::rtDirect), "");
    EXPECT_EQ(proxy.Object(), nullptr);
    EXPECT_EQ(proxy.HeaderValue(on, net::rtViaProxy), "Basic dTpw");
    EXPECT_EQ(proxy.HeaderValue(on, net::rtViaProxy), "Basic dTpw");
    EXPECT_EQ(proxy.HeaderValue(on, net::rtDirect), "");
    EXPECT_EQ(proxy.HeaderValue({"", "", true}, net::rtViaProxy), "Basic dTpw");  // the kept object wins

    TNetAuthenticationState fresh(net::atProxy);
    EXPECT_EQ(fresh.HeaderValue({"u", "p", false}, net::rtViaProxy), "");
    EXPECT_EQ(fresh.HeaderValue({"", "", true}, net::rtViaProxy), "Basic Og==");
    EXPECT_EQ(fresh.HeaderValue({" u ", " p ", true}, net::rtViaProxy), "Basic Og==");
    TNetAuthenticationState blanks(net::atProxy);
    EXPECT_EQ(blanks.HeaderValue({" u ", " p ", true}, net::rtViaProxy), "Basic dTpw");
}

TEST(ProxyAuthorization, ChangedPasswordCountsOnlyAfterTheProxyChanges) {
    TNetAuthenticationState proxy(net::atProxy);
    TNetAuthenticationCredentials credentials{"u", "p", true};
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "Basic dTpw");
    credentials.Password = "q";
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "Basic dTpw");
    credentials.BasicAuthentication = false;
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "Basic dTpw");
    proxy.Discard();  // the proxy server or port changed value
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "");
    credentials.BasicAuthentication = true;
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "Basic dTpx");
}

TEST(ProxyAuthorization, ChangedPasswordBeforeAnyProxyRequestIsUsed) {
    TNetAuthenticationState proxy(net::atProxy);
    TNetAuthenticationCredentials credentials{"u", "p", true};
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtDirect), "");
    credentials.Password = "q";
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "Basic dTpx");
}

TEST(ProxyAuthorization, ChallengeNamingBasicLeavesEmptyCredentials) {
    TNetAuthenticationState proxy(net::atProxy);
    TNetAuthenticationCredentials credentials{"u", "p", false};
    EXPECT_EQ(proxy.Challenge({"Basic realm=\"proxy\""}, credentials, kMaxAuthRetries), net::caRefuse);
    EXPECT_EQ(proxy.Retries(), 1);
    ASSERT_NE(dynamic_cast<TNetBasicAuthentication*>(proxy.Object()), nullptr);
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "Basic Og==");
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtDirect), "");
    credentials.BasicAuthentication = true;
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "Basic Og==");
    proxy.Discard();
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "Basic dTpw");
}

TEST(ProxyAuthorization, ChallengeNamingAnUnknownSchemeChangesNothing) {
    TNetAuthenticationState proxy(net::atProxy);
    TNetAuthenticationCredentials credentials{"u", "p", false};
    const std::vector<std::vector<std::string>> challenges = {
        {"Negotiate", "Basic realm=\"proxy\""}, {"NTLM abc"}, {}, {""}, {"Basics realm=x"}};
    for (const auto& c : challenges) {
        EXPECT_EQ(proxy.Challenge(c, credentials, kMaxAuthRetries), net::caRefuse);
        EXPECT_EQ(proxy.Object(), nullptr);
        proxy.ResetRetries();
    }
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "");
}

TEST(ProxyAuthorization, HandlerSuppliesCredentialsWithinTheRetryLimit) {
    TNetAuthenticationState proxy(net::atProxy);
    int asked = 0;
    proxy.SetHandler([&asked](net::TNetAuthentication&, TNetAuthenticationCredentials& c) {
        ++asked;
        c.Username = "asked";
        c.Password = "pw";
        return true;
    });
    TNetAuthenticationCredentials credentials;
    EXPECT_EQ(proxy.Challenge({"Basic realm=\"p\""}, credentials, kMaxAuthRetries), net::caRetry);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(credentials.Username, "asked");
    EXPECT_EQ(credentials.Password, "pw");
    EXPECT_FALSE(credentials.BasicAuthentication);
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "Basic YXNrZWQ6cHc=");
    // With a user name the handler is not asked again.
    EXPECT_EQ(proxy.Challenge({"Basic realm=\"p\""}, credentials, kMaxAuthRetries), net::caRetry);
    EXPECT_EQ(proxy.Challenge({"Basic realm=\"p\""}, credentials, kMaxAuthRetries), net::caRetry);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(proxy.Challenge({"Basic realm=\"p\""}, credentials, kMaxAuthRetries), net::caRefuse);
    EXPECT_EQ(proxy.Retries(), 3);
    proxy.ResetRetries();
    EXPECT_EQ(proxy.Challenge({"Basic realm=\"p\""}, credentials, kMaxAuthRetries), net::caRetry);
}

TEST(ProxyAuthorization, HandlerMayRefuse) {
    TNetAuthenticationState proxy(net::atProxy);
    proxy.SetHandler([](net::TNetAuthentication&, TNetAuthenticationCredentials&) { return false; });
    TNetAuthenticationCredentials credentials;
    EXPECT_EQ(proxy.Challenge({"Basic"}, credentials, kMaxAuthRetries), net::caRefuse);
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "Basic Og==");
}

TEST(ProxyAuthorization, AnswerLeavesCountingAndResettingToTheCaller) {
    TNetAuthenticationState proxy(net::atProxy);
    int asked = 0;
    proxy.SetHandler([&asked](net::TNetAuthentication&, TNetAuthenticationCredentials&) { return ++asked > 0; });
    TNetAuthenticationCredentials credentials{"u", "p", false};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(proxy.Answer({"Basic realm=\"p\""}, credentials), net::caRetry);
    EXPECT_EQ(proxy.Retries(), 0);
    EXPECT_EQ(asked, 0);  // a user name needs no question
    EXPECT_EQ(proxy.HeaderValue(credentials, net::rtViaProxy), "Basic dTpw");
}

TEST(ServerAuthorization, ChallengeWithoutPasswordIsRefusedAndLeavesEmptyCredentials) {
    TNetAuthenticationState server(net::atServer);
    TNetAuthenticationCredentials request;
    EXPECT_EQ(server.HeaderValue(request, net::rtDirect), "");
    EXPECT_EQ(server.Challenge({"Negotiate", "Basic realm=\"srv\""}, request, kMaxAuthRetries), net::caRefuse);
    ASSERT_NE(dynamic_cast<TNetBasicAuthentication*>(server.Object()), nullptr);
    // The server's line goes out on every route, also through a proxy.
    EXPECT_EQ(server.HeaderValue(request, net::rtDirect), "Basic Og==");
    EXPECT_EQ(server.HeaderValue(request, net::rtViaProxy), "Basic Og==");
}

TEST(ServerAuthorization, ChallengeNamingNoKnownSchemeIsRefused) {
    TNetAuthenticationState server(net::atServer);
    TNetAuthenticationCredentials request{"u", "p", false};
    EXPECT_EQ(server.Challenge({"Negotiate", "NTLM"}, request, kMaxAuthRetries), net::caRefuse);
    EXPECT_EQ(server.Object(), nullptr);
    EXPECT_EQ(server.HeaderValue(request, net::rtDirect), "");
}

TEST(ServerAuthorization, CredentialsFromTheUrlAnswerABasicChallenge) {
    TNetAuthenticationState server(net::atServer);
    TNetAuthenticationCredentials request{"u", "p", false};
    EXPECT_EQ(server.Challenge({"Basic realm=\"srv\""}, request, kMaxAuthRetries), net::caRetry);
    const auto* basic = dynamic_cast<TNetBasicAuthentication*>(server.Object());
    ASSERT_NE(basic, nullptr);
    EXPECT_EQ(basic->Realm(), "srv");
    EXPECT_EQ(server.HeaderValue(request, net::rtDirect), "Basic dTpw");
    EXPECT_EQ(server.Challenge({"Basic realm=\"srv\""}, request, kMaxAuthRetries), net::caRetry);
    EXPECT_EQ(server.Challenge({"Basic realm=\"srv\""}, request, kMaxAuthRetries), net::caRetry);
    EXPECT_EQ(server.Challenge({"Basic realm=\"srv\""}, request, kMaxAuthRetries), net::caRefuse);
}

TEST(ServerAuthorization, PasswordWithoutUserNameNeedsAHandler) {
    TNetAuthenticationState server(net::atServer);
    TNetAuthenticationCredentials request{"", " p ", false};
    EXPECT_EQ(server.Challenge({"Basic realm=\"srv\""}, request, kMaxAuthRetries), net::caRefuse);
    server.SetHandler([](net::TNetAuthentication& scheme, TNetAuthenticationCredentials& c) {
        EXPECT_EQ(static_cast<TNetBasicAuthentication&>(scheme).Realm(), "srv");
        c.Username = "who";
        return true;
    });
    EXPECT_EQ(server.Challenge({"Basic realm=\"srv\""}, request, kMaxAuthRetries), net::caRetry);
    EXPECT_EQ(request.Username, "who");
    EXPECT_TRUE(request.BasicAuthentication);
    EXPECT_EQ(server.HeaderValue(request, net::rtDirect), "Basic d2hvOnA=");
}

TEST(ServerAuthorization, BlankPasswordWithoutHandlerIsRefused) {
    TNetAuthenticationState server(net::atServer);
    TNetAuthenticationCredentials request{"u", "  ", false};
    EXPECT_EQ(server.Challenge({"Basic realm=\"srv\""}, request, kMaxAuthRetries), net::caRefuse);
}

TEST(Disconnection, FinishedObjectsAreFreedOrResetAndBasicSurvives) {
    TNetAuthenticationRegistry registry;
    registry.Register("Finished", "FinishedScheme", MakeFinished);
    TNetAuthenticationCredentials credentials{"u", "p", false};

    TNetAuthenticationState server(net::atServer, registry);
    ASSERT_EQ(server.Challenge({"Finished"}, credentials, kMaxAuthRetries), net::caRetry);
    server.Disconnected();
    EXPECT_EQ(server.Object(), nullptr);

    TNetAuthenticationState proxy(net::atProxy, registry);
    proxy.SetHandler([](net::TNetAuthentication&, TNetAuthenticationCredentials&) { return true; });
    ASSERT_EQ(proxy.Challenge({"Finished"}, credentials, kMaxAuthRetries), net::caRetry);
    FinishedScheme::resets = 0;
    proxy.Disconnected();
    ASSERT_NE(proxy.Object(), nullptr);
    EXPECT_EQ(FinishedScheme::resets, 1);

    TNetAuthenticationState basicServer(net::atServer, registry);
    EXPECT_EQ(basicServer.HeaderValue({"u", "p", true}, net::rtDirect), "Basic dTpw");
    basicServer.Disconnected();
    EXPECT_EQ(basicServer.HeaderValue({"", "", false}, net::rtDirect), "Basic dTpw");
}

}  // namespace
