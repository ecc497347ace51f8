#include "SampleProducts.h"

#include "service/CheckCode.h"
#include "service/Messages.h"
#include "service/SqliteStorage.h"
#include "service/TextCodec.h"
#include "service/VersionService.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

using namespace service;

// A service over an in-memory database with the sample catalogue and a clock the test moves.
struct Fixture {
    explicit Fixture(TServiceSettings settings = {}) : storage(":memory:") {
        storage.PutProducts(servicetest::SampleProducts());
        svc = std::make_unique<TVersionService>(storage, settings, [this] { return now.load(); });
    }
    TServiceReply Get(const std::string& target, const std::string& client = "10.0.0.1") {
        return svc->Handle("GET", target, client);
    }
    std::atomic<std::int64_t> now{1'800'000'000};
    TSqliteStorage storage;
    std::unique_ptr<TVersionService> svc;
};

std::string Report(const std::string& type, const std::string& title, const std::string& ver, const std::string& verold,
                   int delta = 0) {
    std::int32_t code = ComputeCheckCode(type + "|" + title + "|" + ver + "|" + verold, PELMIRA_VCODE_BASE) + delta;
    auto escape = [](std::string s) {
        for (std::size_t at = s.find(' '); at != std::string::npos; at = s.find(' ', at)) s.replace(at, 1, "%20");
        return s;
    };
    return "/ver/put.php?type=" + type + "&title=" + escape(title) + "&ver=" + escape(ver) +
           "&verold=" + escape(verold) + "&vcode=" + std::to_string(code);
}

const std::string kEmptyReply = "[VerCorvanthelis]\r\n[VerPublisher]\r\n[VerAll]\r\n";

TEST(VersionService, RepliesCarryTheExactBytesForNewerEqualAndUnknownTitles) {
    Fixture f;
    struct Case {
        const char* target;
        std::string body;
    };
    const Case cases[] = {
        {"/ver/get.php?title=7-Zip&ver=24.08",
         "[VerCorvanthelis]<a href=\"https://7-zip.org/download.html\"><font color=\"#ff3300\" "
         "href=\"https://7-zip.org/download.html\">26.03</font></a>\r\n"
         "[VerPublisher]<a href=\"https://7-zip.org/\"><font color=\"#ff3300\" "
         "href=\"https://7-zip.org/\">26.03</font></a>\r\n"
         "[VerAll]<a href=\"Newest version known from all sources: 26.03|Product: 7-Zip (7zip.7zip)|Source: the "
         "version catalogue of this service\"><font color=\"#ff3300\" href=\"Newest version known from all sources: "
         "26.03|Product: 7-Zip (7zip.7zip)|Source: the version catalogue of this service\">26.03</font></a>\r\n"},
        {"/ver/get.php?title=WinSCP&ver=6.5.7",
         "[VerCorvanthelis]<a href=\"https://winscp.net/\">6.5.7</a>\r\n"
         "[VerPublisher]<a href=\"https://winscp.net/\">6.5.7</a>\r\n"
         "[VerAll]<a href=\"Newest version known from all sources: 6.5.7|Product: WinSCP (WinSCP.WinSCP)|Source: "
         "the version catalogue of this service\">6.5.7</a>\r\n"},
        {"/ver/get.php?title=No%20Such%20Program&ver=1.0", kEmptyReply},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        TServiceReply r = f.Get(c.target);
        EXPECT_EQ(r.Status, 200);
        EXPECT_EQ(r.ContentType, "text/plain; charset=windows-1252");
        EXPECT_EQ(r.Body, c.body);
    }
    EXPECT_GE(kEmptyReply.size() - 2, 40u);  // the program trims and wants 40 characters
}

TEST(VersionService, EveryProductIsNewerThanAnOldVersionAndNeverThanAVersionTheCatalogueKnows) {
    Fixture f;
    for (const auto& p : servicetest::SampleProducts()) {
        SCOPED_TRACE(p.PackageId);
        std::vector<std::string> known = p.DisplayVersions;
        known.push_back(p.Version);
        for (const auto& v : known) {
            std::string body = f.svc->AnswerQuery(Utf8ToCp1252(p.Name), v);
            EXPECT_EQ(body.find("ff3300"), std::string::npos) << v;
        }
        std::string old = f.svc->AnswerQuery(Utf8ToCp1252(p.Name), "0.0.1");
        EXPECT_EQ(old.rfind("[VerCorvanthelis]<a href=", 0), 0u);
        auto publisher = old.find("[VerPublisher]"), all = old.find("[VerAll]");
        ASSERT_NE(publisher, std::string::npos);
        ASSERT_NE(all, std::string::npos);
        EXPECT_LT(publisher, all);
        EXPECT_NE(old.substr(0, publisher).find("ff3300"), std::string::npos);
    }
}

TEST(VersionService, ReportsWithTheRightCheckCodeAreStoredOnce) {
    Fixture f;
    struct Case {
        std::string target;
        int status;
        std::string_view body;
        std::int64_t reports;
    };
    const Case cases[] = {
        {Report("0", "Foo Tool", "1.0", ""), 200, messages::kReportStored, 1},
        {Report("0", "Foo Tool", "1.0", ""), 200, messages::kReportKnown, 1},
        {Report("1", "Foo Tool", "1.1", "1.0"), 200, messages::kReportStored, 2},
        {Report("1", "Foo Tool", "1.2", "1.1", 1), 403, messages::kWrongVcode, 2},
        {Report("1", "Foo Tool", "1.2", "1.1", -1), 403, messages::kWrongVcode, 2},
        {Report("2", "Foo Tool", "1.2", "1.1"), 400, messages::kBadType, 2},
        {Report("0", "", "1.2", ""), 400, messages::kMissingTitle, 2},
        {Report("0", "Foo Tool", "", ""), 400, messages::kMissingReportVer, 2},
        {"/ver/put.php?type=0&title=A&ver=1&vcode=1", 400, messages::kMissingVerold, 2},
        {"/ver/put.php?type=0&title=A&ver=1&verold=&vcode=1x", 400, messages::kBadVcode, 2},
        {"/ver/put.php?type=0&title=A&ver=1&verold=&vcode=99999999999", 400, messages::kBadVcode, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        TServiceReply r = f.Get(c.target);
        EXPECT_EQ(r.Status, c.status);
        EXPECT_EQ(r.Body, std::string(c.body) + "\r\n");
        EXPECT_EQ(f.storage.ReportCount(), c.reports);
    }
}

TEST(VersionService, AReportedVersionOfAnUnknownTitleShowsOnlyAfterEnoughClients) {
    TServiceSettings settings;
    settings.ReportThreshold = 3;
    Fixture f(settings);
    const std::string query = "/ver/get.php?title=Foo%20Tool&ver=1.0";
    ASSERT_EQ(f.Get(Report("0", "Foo Tool", "2.0", ""), "10.0.0.1").Status, 200);
    ASSERT_EQ(f.Get(Report("0", "Foo Tool", "2.0", ""), "10.0.0.2").Status, 200);
    ASSERT_EQ(f.Get(Report("0", "Foo Tool", "9.9", ""), "10.0.0.2").Status, 200);  // one client alone
    EXPECT_EQ(f.Get(query).Body, kEmptyReply);
    ASSERT_EQ(f.Get(Report("0", "Foo Tool", "2.0", ""), "10.0.0.3").Status, 200);
    f.now += 61;  // past the reported-version cache
    EXPECT_EQ(f.Get(query).Body,
              "[VerCorvanthelis]\r\n[VerPublisher]\r\n[VerAll]<a href=\"Newest version reported by users: "
              "2.0|Reported by 3 different computers\"><font color=\"#ff3300\" href=\"Newest version reported by "
              "users: 2.0|Reported by 3 different computers\">2.0</font></a>\r\n");
}

TEST(VersionService, NoticesAnswerClientsOverTheLimitAndEveryoneInMaintenance) {
    TServiceSettings settings;
    settings.RateLimit = 5;
    Fixture f(settings);
    const std::string query = "/ver/get.php?title=7-Zip&ver=26.03";
    const std::string notice = std::string("[VerCorvanthelis][Notice:] ") + std::string(messages::kRateLimitNotice) +
                               "\r\n[VerPublisher]\r\n[VerAll]\r\n";
    for (int i = 0; i < 5; ++i) EXPECT_EQ(f.Get(query).Body.find("[Notice:]"), std::string::npos) << i;
    EXPECT_EQ(f.Get(query).Body, notice);
    EXPECT_EQ(f.Get(query, "10.0.0.2").Body.find("[Notice:]"), std::string::npos);  // another client
    f.now += 3600;                                                                  // the next hour
    EXPECT_EQ(f.Get(query).Body.find("[Notice:]"), std::string::npos);

    settings.Maintenance = true;
    settings.MaintenanceNotice = "Back at 10:00 [VerAll] \xE2\x82\xAC";
    Fixture m(settings);
    EXPECT_EQ(m.Get(query).Body,
              "[VerCorvanthelis][Notice:] Back at 10:00 VerAll \x80\r\n[VerPublisher]\r\n[VerAll]\r\n");
    TServiceReply r = m.Get(Report("0", "Foo", "1.0", ""));
    EXPECT_EQ(r.Status, 503);
    EXPECT_EQ(m.storage.ReportCount(), 0);
}

TEST(VersionService, InstancesOnOneStorageShareTheRateLimit) {
    TSqliteStorage storage(":memory:");
    storage.PutProducts(servicetest::SampleProducts());
    TServiceSettings settings;
    settings.RateLimit = 4;
    std::int64_t now = 1'800'000'000;
    TVersionService a(storage, settings, [&] { return now; }), b(storage, settings, [&] { return now; });
    const std::string query = "/ver/get.php?title=7-Zip&ver=1";
    for (int i = 0; i < 4; ++i, ++now) {
        TVersionService& s = i % 2 ? b : a;
        EXPECT_EQ(s.Handle("GET", query, "10.0.0.9").Body.find("[Notice:]"), std::string::npos) << i;
    }
    EXPECT_NE(a.Handle("GET", query, "10.0.0.9").Body.find("[Notice:]"), std::string::npos);
    ++now;
    EXPECT_NE(b.Handle("GET", query, "10.0.0.9").Body.find("[Notice:]"), std::string::npos);
}

TEST(VersionService, BadRequestsGetAClearRefusalAndStoreNothing) {
    Fixture f;
    struct Case {
        const char* method;
        std::string target;
        int status;
        std::string_view body;
    };
    const Case cases[] = {
        {"POST", "/ver/get.php?title=a&ver=1", 405, messages::kMethodNotAllowed},
        {"DELETE", "/ver/put.php", 405, messages::kMethodNotAllowed},
        {"GET", "/ver/get.php?ver=1", 400, messages::kMissingTitle},
        {"GET", "/ver/get.php?title=&ver=1", 400, messages::kMissingTitle},
        {"GET", "/ver/get.php?title=a", 400, messages::kMissingVer},
        {"GET", "/ver/get.php?title=a%2x&ver=1", 400, messages::kBadEncoding},
        {"GET", "/ver/put.php?type=0&title=" + std::string(300, 'a') + "&ver=1&verold=&vcode=1", 400,
         messages::kTooLong},
        {"GET", "/nothing.php", 404, messages::kNotFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.substr(0, 60));
        TServiceReply r = f.svc->Handle(c.method, c.target, "10.0.0.1");
        EXPECT_EQ(r.Status, c.status);
        EXPECT_EQ(r.Body, std::string(c.body) + "\r\n");
        EXPECT_EQ(r.MethodNotAllowed, c.status == 405);
    }
    EXPECT_EQ(f.storage.ReportCount(), 0);
}

TEST(VersionService, ServesTheHomeHelpAndFeedbackPages) {
    Fixture f;
    for (const char* path : {"/", "/programs/pelmira.html", "/feedback.php"}) {
        TServiceReply r = f.Get(path);
        EXPECT_EQ(r.Status, 200) << path;
        EXPECT_EQ(r.ContentType, "text/html; charset=windows-1252");
        EXPECT_EQ(r.Body.rfind("<!DOCTYPE html>", 0), 0u) << path;
    }
}

}  // namespace
