#include "service/CheckCode.h"
#include "service/Messages.h"
#include "service/ServiceRequest.h"
#include "service/TextCodec.h"

#include <gtest/gtest.h>

namespace {

using namespace service;

using TParams = std::vector<std::pair<std::string, std::string>>;

TEST(ServiceRequest, TargetsAreDecodedAsTheProgramSendsThem) {
    struct Case {
        std::string target;
        std::string path;
        TParams params;
    };
    const Case cases[] = {
        {"/ver/get.php?title=Some%20App&ver=1.0", "/ver/get.php", {{"title", "Some App"}, {"ver", "1.0"}}},
        {"http://versions.pelmira.net/ver/get.php?title=A&ver=1", "/ver/get.php", {{"title", "A"}, {"ver", "1"}}},
        {"HTTP://h:80/ver/get.php?title=A&ver=", "/ver/get.php", {{"title", "A"}, {"ver", ""}}},
        {"http://h", "/", {}},
        // "&" goes out raw in a title: the segment without a key belongs to the title
        {"/ver/get.php?title=AT&T%20Tools&ver=2", "/ver/get.php", {{"title", "AT&T Tools"}, {"ver", "2"}}},
        {"/ver/put.php?type=0&title=A&B=C&ver=1&verold=&vcode=5",
         "/ver/put.php",
         {{"type", "0"}, {"title", "A&B=C"}, {"ver", "1"}, {"verold", ""}, {"vcode", "5"}}},
        {"/ver/get.php?title=Notepad++&ver=8.6", "/ver/get.php", {{"title", "Notepad++"}, {"ver", "8.6"}}},
        {"/ver/get.php?title=%E9t%E9&ver=1", "/ver/get.php", {{"title", "\xE9t\xE9"}, {"ver", "1"}}},
        {"/ver/get.php?title=a%26b&ver=1#frag", "/ver/get.php", {{"title", "a&b"}, {"ver", "1"}}},
        {"/ver/get.php?title=" + std::string(limits::kMaxTitleBytes, 'x') + "&ver=1",
         "/ver/get.php",
         {{"title", std::string(limits::kMaxTitleBytes, 'x')}, {"ver", "1"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.substr(0, 80));
        TServiceRequest r;
        TRequestError e;
        ASSERT_TRUE(ParseServiceTarget(c.target, r, e)) << e.Message;
        EXPECT_EQ(r.Path, c.path);
        EXPECT_EQ(r.Params, c.params);
    }
}

TEST(ServiceRequest, BadTargetsAreRefusedWithTheirReason) {
    std::string manyParams = "/x?";
    for (int i = 0; i < 17; ++i) manyParams += "k" + std::to_string(i) + "=1&";
    struct Case {
        std::string target;
        int status;
        std::string_view message;
    };
    const Case cases[] = {
        {"ver/get.php?title=a", 400, messages::kBadTarget},
        {"*", 400, messages::kBadTarget},
        {"/ver/get.php?title=a%2&ver=1", 400, messages::kBadEncoding},
        {"/ver/get.php?title=a%zz&ver=1", 400, messages::kBadEncoding},
        {"/ver/get.php?title=a&ver=1%", 400, messages::kBadEncoding},
        {"/ver%0A/get.php", 400, messages::kControlCharacter},
        {"/ver/get.php?title=a%00b&ver=1", 400, messages::kControlCharacter},
        {"/ver/get.php?title=" + std::string(limits::kMaxTitleBytes + 1, 'x') + "&ver=1", 400, messages::kTooLong},
        {"/ver/get.php?title=a&ver=" + std::string(limits::kMaxValueBytes + 1, '1'), 400, messages::kTooLong},
        {"/ver/get.php?title=" + std::string(limits::kMaxTargetBytes, 'x'), 414, messages::kTooLong},
        {manyParams, 400, messages::kTooManyParameters},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.substr(0, 80));
        TServiceRequest r;
        TRequestError e;
        EXPECT_FALSE(ParseServiceTarget(c.target, r, e));
        EXPECT_EQ(e.Status, c.status);
        EXPECT_EQ(e.Message, c.message);
    }
}

TEST(CheckCode, SumsBytesTimesPositionsOnTheBaseAndWrapsAt32Bits) {
    // '0'*1 + '|'*2 + 'A'*3 + '|'*4 + '1'*5 + '|'*6 = 1976
    EXPECT_EQ(ComputeCheckCode("0|A|1|", 317), 317 + 1976);
    EXPECT_EQ(ComputeCheckCode("", 317), 317);
    // Bytes count unsigned: 0xE9 is 233, not -23.
    EXPECT_EQ(ComputeCheckCode("\xE9", 100), 100 + 233);
    // 5000 bytes of 0xFF sum to 255 * 5000 * 5001 / 2 = 3188137500, past 2^31: it wraps.
    EXPECT_EQ(ComputeCheckCode(std::string(5000, '\xFF'), 317), -1106829479);
}

TEST(TextCodec, Windows1252RoundTripsThroughUtf8) {
    const std::string all = [] {
        std::string s;
        for (int b = 1; b < 256; ++b) s += static_cast<char>(b);
        return s;
    }();
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80 \xE9"), "\xE2\x82\xAC \xC3\xA9");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x84\xA2 \xE4\xB8\xAD \xC3"), "\x99 ? ?");  // TM, a CJK letter, a cut sequence
}

}  // namespace
