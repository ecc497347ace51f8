#include "net/NetExceptions.h"
#include "net/NetURI.h"

#include <gtest/gtest.h>

namespace {

using net::TNetURI;

struct SplitCase {
    const char* url;
    const char* protocol;
    const char* user;
    const char* password;
    const char* host;
    const char* port;
    const char* path;
    const char* document;
    const char* params;
    const char* bookmark;
};

TEST(URI, SplitsEveryPart) {
    const SplitCase cases[] = {
        {"http://host/ver/get.php?title=a%20b&ver=1", "http", "", "", "host", "", "/ver/", "get.php",
         "?title=a%20b&ver=1", ""},
        {"http://host", "http", "", "", "host", "", "/", "", "", ""},
        {"http://host:8080/", "http", "", "", "host", "8080", "/", "", "", ""},
        {"http://u:p@host/a/b/c.html", "http", "u", "p", "host", "", "/a/b/", "c.html", "", ""},
        {"http://:p@host/", "http", "", "", "host", "", "/", "", "", ""},
        {"http://u@host/", "http", "u", "", "host", "", "/", "", "", ""},
        {"http://host/doc#frag", "http", "", "", "host", "", "/", "doc", "", "frag"},
        {"http://host/q?a=1#x", "http", "", "", "host", "", "/", "q", "?a=1", "x"},
        {"http://host/a/b=c/d", "http", "", "", "host", "", "/a/", "b", "=c/d", ""},
        {"http://[::1]:81/x", "http", "", "", "::1", "81", "/", "x", "", ""},
        {"http:\\\\host\\a\\b.txt", "http", "", "", "host", "", "/a/", "b.txt", "", ""},
        {"../up/doc?x", "", "", "", "", "", "../up/", "doc", "?x", ""},
        {"doc.html", "", "", "", "", "", "", "doc.html", "", ""},
        {"a/doc.html#top", "", "", "", "", "", "a/", "doc.html", "", "top"},
        {"ftp://h:21/f", "ftp", "", "", "h", "21", "/", "f", "", ""},
    };
    for (const SplitCase& c : cases) {
        const TNetURI u(c.url);
        SCOPED_TRACE(c.url);
        EXPECT_EQ(u.Protocol, c.protocol);
        EXPECT_EQ(u.Username, c.user);
        EXPECT_EQ(u.Password, c.password);
        EXPECT_EQ(u.Host, c.host);
        EXPECT_EQ(u.Port, c.port);
        EXPECT_EQ(u.Path, c.path);
        EXPECT_EQ(u.Document, c.document);
        EXPECT_EQ(u.Params, c.params);
        EXPECT_EQ(u.Bookmark, c.bookmark);
    }
    EXPECT_EQ(TNetURI("http://[::1]/").IPVersion, platform::IpVersion::ipV6);
    EXPECT_EQ(TNetURI("http://h/").IPVersion, platform::IpVersion::ipV4);
}

TEST(URI, JoinsWithChosenPartsAndDropsPort80) {
    const TNetURI u("http://u:p@h:80/a/b?c#d");
    using net::TNetURIBookmark;
    using net::TNetURIUserInfo;
    EXPECT_EQ(u.Join(TNetURIUserInfo::uiExclude, TNetURIBookmark::bmExclude), "http://h/a/b?c");
    EXPECT_EQ(u.Join(TNetURIUserInfo::uiInclude, TNetURIBookmark::bmInclude), "http://u:p@h/a/b?c#d");
    EXPECT_EQ(TNetURI("http://h:8080/x").Join(TNetURIUserInfo::uiExclude, TNetURIBookmark::bmExclude),
              "http://h:8080/x");
    EXPECT_EQ(TNetURI("http://u@h/").Join(TNetURIUserInfo::uiInclude, TNetURIBookmark::bmExclude), "http://u@h/");

    TNetURI noProtocol("/x");
    noProtocol.Host = "h";
    try {
        noProtocol.Join(TNetURIUserInfo::uiExclude, TNetURIBookmark::bmExclude);
        FAIL() << "no exception";
    } catch (const net::ENetURIException& e) {
        EXPECT_STREQ(e.what(), "Protocol field is empty");
    }
    TNetURI noHost("/x");
    noHost.Protocol = "http";
    try {
        noHost.Join(TNetURIUserInfo::uiExclude, TNetURIBookmark::bmExclude);
        FAIL() << "no exception";
    } catch (const net::ENetURIException& e) {
        EXPECT_STREQ(e.what(), "Host field is empty");
    }
}

TEST(URI, MergePathResolvesAgainstTheCurrentPath) {
    struct Case {
        const char* base;
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"/a/b/", "/x/", "/x/"},          {"/a/b/", "c/", "/a/b/c/"}, {"/a/b/", "", "/a/b/"},
        {"/a/b/", "../c/", "/a/c/"},      {"/a/", "../../c/", "/c/"}, {"/a/b", "c", "/a/b/c"},
        {"/a//b/", "c//d/", "/a/b/c/d/"}, {"", "c/", "/c/"},          {"/", "..", "/"},
    };
    for (const Case& c : cases) {
        TNetURI uri;
        uri.Path = c.base;
        uri.MergePath(c.path);
        EXPECT_EQ(uri.Path, c.expected) << c.base << " + " << c.path;
    }
}

}  // namespace
