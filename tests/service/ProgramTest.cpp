// pelmira-service as a child process: first start fills a new database with the sample,
// serves the program's client, stops on SIGTERM; options and configuration errors.
#include "TempDir.h"

#include "net/NetHTTP.h"
#include "service/ServiceSettings.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>

namespace {

// A running pelmira-service whose standard error is read line by line.
class TChild {
public:
    explicit TChild(const std::vector<std::string>& args) {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(fds[1], 2);
            ::close(fds[0]);
            std::vector<char*> argv{const_cast<char*>(std::getenv("PELMIRA_SERVICE"))};
            for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        m_err = ::fdopen(fds[0], "r");
    }
    ~TChild() {
        if (m_pid > 0) Stop();
        if (m_err) std::fclose(m_err);
    }
    // The next line of standard error ("" at its end).
    std::string Line() {
        char buffer[512];
        return std::fgets(buffer, sizeof buffer, m_err) ? std::string(buffer) : std::string();
    }
    // Sends SIGTERM and returns the exit status.
    int Stop() {
        ::kill(m_pid, SIGTERM);
        return Wait();
    }
    // Waits for the end and returns the exit status (-1 after a signal).
    int Wait() {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
    FILE* m_err = nullptr;
};

class ServiceProgram : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("PELMIRA_SERVICE")) GTEST_SKIP() << "PELMIRA_SERVICE is not set";
    }
    testing_support::TempDir m_dir;
};

TEST_F(ServiceProgram, FirstStartServesTheSampleFromANewDatabaseAndStopsOnSigterm) {
    const std::string db = m_dir.Join("service.sqlite");
    for (int start = 0; start < 2; ++start) {
        TChild child({"--listen", "127.0.0.1:0", "--db", db});
        std::string line = child.Line();
        if (start == 0) {
            EXPECT_EQ(line, "pelmira-service: new database filled with the sample catalogue (150 products)\n");
            line = child.Line();
        }
        std::smatch m;
        ASSERT_TRUE(std::regex_search(line, m, std::regex("serving 150 products on 127\\.0\\.0\\.1:([0-9]+)"))) << line;
        net::TNetHTTP client;
        std::string body = client.Get("http://127.0.0.1:" + m[1].str() + "/ver/get.php?title=KeePass&ver=2.50");
        EXPECT_EQ(body.rfind("[VerCorvanthelis]<a href=", 0), 0u);
        EXPECT_NE(body.find("ff3300"), std::string::npos);
        client.Disconnect();
        EXPECT_EQ(child.Stop(), 0);
        EXPECT_EQ(child.Line(), "pelmira-service: stopped\n");
    }
}

TEST_F(ServiceProgram, BadOptionsAndConfigurationStopWithTheirReason) {
    std::ofstream(m_dir.Join("bad.conf")) << "# comment\nlisten = 127.0.0.1:8080\nrate_limt = 5\n";
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--listen", "localhost"}, "pelmira-service: listen address must be ADDR:PORT, not 'localhost'\n"},
        {{"--port", "1"}, "pelmira-service: unknown argument '--port' (see --help)\n"},
        {{"--config", m_dir.Join("bad.conf")},
         "pelmira-service: " + m_dir.Join("bad.conf") + ":3: unknown key rate_limt\n"},
        {{"import"}, "pelmira-service: import needs a folder or catalogue file (see --help)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        TChild child(c.args);
        EXPECT_EQ(child.Line(), c.message);
        EXPECT_EQ(child.Wait(), 2);
    }
}

TEST(ServiceSettings, TheConfigurationFileSetsEveryKey) {
    testing_support::TempDir dir;
    std::ofstream(dir.Join("s.conf")) << "listen = [::1]:9000\ndb = /var/lib/v.sqlite\nthreads = 8\nrate_limit = 0\n"
                                         "report_threshold = 5\nmaintenance = on\nmaintenance_notice = Back soon\n"
                                         "rate_limit_notice = Slow down\n";
    service::TServiceSettings s;
    service::LoadSettingsFile(dir.Join("s.conf"), s);
    EXPECT_EQ(s.ListenHost, "::1");
    EXPECT_EQ(s.ListenPort, 9000);
    EXPECT_EQ(s.Database, "/var/lib/v.sqlite");
    EXPECT_EQ(s.Threads, 8);
    EXPECT_EQ(s.RateLimit, 0);
    EXPECT_EQ(s.ReportThreshold, 5);
    EXPECT_TRUE(s.Maintenance);
    EXPECT_EQ(s.MaintenanceNotice, "Back soon");
    EXPECT_EQ(s.RateLimitNotice, "Slow down");
    for (const char* bad : {"threads = 0\n", "rate_limit = -1\n", "maintenance = maybe\n", "listen = 1.2.3.4:70000\n",
                            "no equals sign\n"}) {
        std::ofstream(dir.Join("b.conf")) << bad;
        EXPECT_THROW(service::LoadSettingsFile(dir.Join("b.conf"), s), service::EServiceSettings) << bad;
    }
}

}  // namespace
