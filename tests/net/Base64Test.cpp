#include <gtest/gtest.h>

#include <string>

#include "net/Base64.h"

namespace {

TEST(Base64, EncodesWithStandardAlphabetAndPadding) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {":", "Og=="},
        {"u:p", "dTpw"},
        {"Aladdin:open sesame", "QWxhZGRpbjpvcGVuIHNlc2FtZQ=="},
        {std::string("\xfb\xff\xbf", 3), "+/+/"},
        {std::string("\0\0\0", 3), "AAAA"},
        {std::string("\xe4:\xf6", 3), "5Dr2"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(net::EncodeBase64(in), out) << in;
}

TEST(Base64, LongInputIsOneRunWithoutLineBreaks) {
    std::string input;
    for (int i = 0; i < 300; ++i) input += static_cast<char>(i);
    const std::string encoded = net::EncodeBase64(input);
    EXPECT_EQ(encoded.size(), 400u);
    EXPECT_EQ(encoded.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"),
              std::string::npos);
    EXPECT_EQ(encoded.substr(0, 8), "AAECAwQF");
}

}  // namespace
