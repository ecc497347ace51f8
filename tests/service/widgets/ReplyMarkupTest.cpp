// Every reply the service gives, cut into its three values as the program cuts it, widened
// as the program widens it, and drawn and hit-tested by the grid's own markup routine.
#include "SampleProducts.h"

#include "platform/CodePage.h"
#include "service/CheckCode.h"
#include "service/SqliteStorage.h"
#include "service/TextCodec.h"
#include "service/VersionService.h"
#include "ui/headless/RecordingCanvas.h"
#include "widgets/DrawHtml.h"

#include <gtest/gtest.h>

namespace {

using namespace service;

const ui::TRect kCell{0, 0, 120, 16};  // a version column is 120 pixels wide

std::string Trim(std::string s) {
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.pop_back();
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.erase(s.begin());
    return s;
}

// The program's cut: the first value from the fixed position after "[VerCorvanthelis]"
// up to "[VerPublisher]", then up to "[VerAll]", then to the end; each trimmed.
std::vector<std::string> Cut(const std::string& body) {
    std::string r = Trim(body);
    auto p = r.find("[VerPublisher]"), a = r.find("[VerAll]");
    EXPECT_EQ(r.rfind("[VerCorvanthelis]", 0), 0u);
    EXPECT_GE(r.size(), 40u);
    EXPECT_TRUE(p != std::string::npos && a != std::string::npos && p < a) << r;
    if (p == std::string::npos || a == std::string::npos || p > a) return {"", "", ""};
    return {Trim(r.substr(17, p - 17)), Trim(r.substr(p + 14, a - p - 14)), Trim(r.substr(a + 8))};
}

// What the grid shows for one value: the drawn runs, and the link under the middle of the
// first run and past the end of the text.
struct TDrawn {
    std::vector<widgets::THtmlRun> Runs;
    std::u16string HrefOnText, HrefPastEnd;
};

TDrawn Draw(const std::string& value) {
    std::u16string text = platform::AnsiToUtf16(value);
    ui::headless::TRecordingCanvas canvas;
    ui::TFont font;
    font.color = ui::clBlack;
    TDrawn d;
    d.Runs = widgets::HtmlRuns(canvas, kCell, text, font);
    widgets::THtmlInfo info;
    if (!d.Runs.empty()) {
        widgets::DrawHtml(canvas, kCell, text, font, info, widgets::THtmlMode::hmMeasure, {d.Runs[0].pen.x + 3, 5});
        d.HrefOnText = info.Href;
    }
    widgets::THtmlInfo past;
    widgets::DrawHtml(canvas, kCell, text, font, past, widgets::THtmlMode::hmMeasure, {119, 5});
    d.HrefPastEnd = past.Href;
    return d;
}

// The link target written in a value's markup ("" when none).
std::string MarkupTarget(const std::string& value) {
    auto at = value.find("<a href=\"");
    if (at == std::string::npos) return {};
    at += 9;
    return value.substr(at, value.find('"', at) - at);
}

TEST(ReplyMarkup, EveryCatalogueReplyDrawsOneVersionWithItsLinkAndColour) {
    TSqliteStorage storage(":memory:");
    storage.PutProducts(servicetest::SampleProducts());
    TVersionService svc(storage, TServiceSettings{});
    int drawn = 0;
    for (const auto& p : servicetest::SampleProducts()) {
        for (const char* local : {"0.0.1", ""}) {
            SCOPED_TRACE(p.PackageId + " local " + local);
            bool newer = *local != 0;
            auto values = Cut(svc.AnswerQuery(Utf8ToCp1252(p.Name), local));
            ASSERT_EQ(values.size(), 3u);
            for (int column = 0; column < 3; ++column) {
                TDrawn d = Draw(values[static_cast<std::size_t>(column)]);
                ASSERT_EQ(d.Runs.size(), 1u) << values[static_cast<std::size_t>(column)];
                const auto& run = d.Runs[0];
                EXPECT_EQ(run.pen.x, 2);
                EXPECT_EQ(run.font.color, newer ? ui::Rgb(255, 51, 0) : ui::Rgb(0, 0, 255));
                EXPECT_TRUE(run.font.style & ui::fsUnderline);
                std::string target = MarkupTarget(values[static_cast<std::size_t>(column)]);
                EXPECT_EQ(platform::Utf16ToAnsi(d.HrefOnText), target);
                EXPECT_TRUE(d.HrefPastEnd.empty());
                if (column < 2)
                    EXPECT_EQ(target.rfind("http", 0), 0u);  // a page the browser opens
                else
                    EXPECT_EQ(target.find("http://"), std::string::npos);  // a message to show
                ++drawn;
            }
        }
    }
    EXPECT_EQ(drawn, 150 * 2 * 3);
}

TEST(ReplyMarkup, UnknownReportedAndNoticeRepliesDrawAsTheProgramExpects) {
    TSqliteStorage storage(":memory:");
    TServiceSettings settings;
    settings.ReportThreshold = 2;
    std::int64_t now = 1'800'000'000;
    TVersionService svc(storage, settings, [&] { return now; });
    auto report = [&](const char* client) {
        std::string check = "0|Foo Tool|2.0|";
        std::string target = "/ver/put.php?type=0&title=Foo%20Tool&ver=2.0&verold=&vcode=" +
                             std::to_string(ComputeCheckCode(check, PELMIRA_VCODE_BASE));
        ASSERT_EQ(svc.Handle("GET", target, client).Status, 200);
    };
    auto unknown = Cut(svc.AnswerQuery("Foo Tool", "1.0"));
    for (const auto& v : unknown) EXPECT_TRUE(Draw(v).Runs.empty());
    report("10.0.0.1");
    report("10.0.0.2");
    now += 61;  // past the lookup cache
    auto known = Cut(svc.AnswerQuery("Foo Tool", "1.0"));
    TDrawn all = Draw(known[2]);
    ASSERT_EQ(all.Runs.size(), 1u);
    EXPECT_EQ(all.Runs[0].text, u"2.0");
    EXPECT_EQ(all.Runs[0].font.color, ui::Rgb(255, 51, 0));
    EXPECT_EQ(all.HrefOnText, u"Newest version reported by users: 2.0|Reported by 2 different computers");

    settings.Maintenance = true;
    TVersionService closed(storage, settings);
    auto notice = Cut(closed.Handle("GET", "/ver/get.php?title=Foo&ver=1", "10.0.0.1").Body);
    EXPECT_EQ(notice[0].rfind("[Notice:] ", 0), 0u);
}

}  // namespace
