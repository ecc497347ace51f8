#include "widgets/DrawHtml.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace widgets {

namespace {

using ui::TColor;
using ui::TFont;
using ui::TPoint;
using ui::TRect;
using ui::TSize;

// The colour names a "color" value may use, with their #RRGGBB text: "transparent"
// first, then the extended colour keywords in alphabetical order (one spelling each).
constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 141> kColorNames{{
    {u"transparent", u"#FFFFFF"},
    {u"aliceblue", u"#F0F8FF"},
    {u"antiquewhite", u"#FAEBD7"},
    {u"aqua", u"#00FFFF"},
    {u"aquamarine", u"#7FFFD4"},
    {u"azure", u"#F0FFFF"},
    {u"beige", u"#F5F5DC"},
    {u"bisque", u"#FFE4C4"},
    {u"black", u"#000000"},
    {u"blanchedalmond", u"#FFEBCD"},
    {u"blue", u"#0000FF"},
    {u"blueviolet", u"#8A2BE2"},
    {u"brown", u"#A52A2A"},
    {u"burlywood", u"#DEB887"},
    {u"cadetblue", u"#5F9EA0"},
    {u"chartreuse", u"#7FFF00"},
    {u"chocolate", u"#D2691E"},
    {u"coral", u"#FF7F50"},
    {u"cornflowerblue", u"#6495ED"},
    {u"cornsilk", u"#FFF8DC"},
    {u"crimson", u"#DC143C"},
    {u"cyan", u"#00FFFF"},
    {u"darkblue", u"#00008B"},
    {u"darkcyan", u"#008B8B"},
    {u"darkgoldenrod", u"#B8860B"},
    {u"darkgray", u"#A9A9A9"},
    {u"darkgreen", u"#006400"},
    {u"darkkhaki", u"#BDB76B"},
    {u"darkmagenta", u"#8B008B"},
    {u"darkolivegreen", u"#556B2F"},
    {u"darkorange", u"#FF8C00"},
    {u"darkorchid", u"#9932CC"},
    {u"darkred", u"#8B0000"},
    {u"darksalmon", u"#E9967A"},
    {u"darkseagreen", u"#8FBC8B"},
    {u"darkslateblue", u"#483D8B"},
    {u"darkslategray", u"#2F4F4F"},
    {u"darkturquoise", u"#00CED1"},
    {u"darkviolet", u"#9400D3"},
    {u"deeppink", u"#FF1493"},
    {u"deepskyblue", u"#00BFFF"},
    {u"dimgray", u"#696969"},
    {u"dodgerblue", u"#1E90FF"},
    {u"firebrick", u"#B22222"},
    {u"floralwhite", u"#FFFAF0"},
    {u"forestgreen", u"#228B22"},
    {u"fuchsia", u"#FF00FF"},
    {u"gainsboro", u"#DCDCDC"},
    {u"ghostwhite", u"#F8F8FF"},
    {u"gold", u"#FFD700"},
    {u"goldenrod", u"#DAA520"},
    {u"gray", u"#808080"},
    {u"green", u"#008000"},
    {u"greenyellow", u"#ADFF2F"},
    {u"honeydew", u"#F0FFF0"},
    {u"hotpink", u"#FF69B4"},
    {u"indianred", u"#CD5C5C"},
    {u"indigo", u"#4B0082"},
    {u"ivory", u"#FFFFF0"},
    {u"khaki", u"#F0E68C"},
    {u"lavender", u"#E6E6FA"},
    {u"lavenderblush", u"#FFF0F5"},
    {u"lawngreen", u"#7CFC00"},
    {u"lemonchiffon", u"#FFFACD"},
    {u"lightblue", u"#ADD8E6"},
    {u"lightcoral", u"#F08080"},
    {u"lightcyan", u"#E0FFFF"},
    {u"lightgoldenrodyellow", u"#FAFAD2"},
    {u"lightgreen", u"#90EE90"},
    {u"lightgrey", u"#D3D3D3"},
    {u"lightpink", u"#FFB6C1"},
    {u"lightsalmon", u"#FFA07A"},
    {u"lightseagreen", u"#20B2AA"},
    {u"lightskyblue", u"#87CEFA"},
    {u"lightslategray", u"#778899"},
    {u"lightsteelblue", u"#B0C4DE"},
    {u"lightyellow", u"#FFFFE0"},
    {u"lime", u"#00FF00"},
    {u"limegreen", u"#32CD32"},
    {u"linen", u"#FAF0E6"},
    {u"magenta", u"#FF00FF"},
    {u"maroon", u"#800000"},
    {u"mediumaquamarine", u"#66CDAA"},
    {u"mediumblue", u"#0000CD"},
    {u"mediumorchid", u"#BA55D3"},
    {u"mediumpurple", u"#9370DB"},
    {u"mediumseagreen", u"#3CB371"},
    {u"mediumslateblue", u"#7B68EE"},
    {u"mediumspringgreen", u"#00FA9A"},
    {u"mediumturquoise", u"#48D1CC"},
    {u"mediumvioletred", u"#C71585"},
    {u"midnightblue", u"#191970"},
    {u"mintcream", u"#F5FFFA"},
    {u"mistyrose", u"#FFE4E1"},
    {u"moccasin", u"#FFE4B5"},
    {u"navajowhite", u"#FFDEAD"},
    {u"navy", u"#000080"},
    {u"oldlace", u"#FDF5E6"},
    {u"olive", u"#808000"},
    {u"olivedrab", u"#6B8E23"},
    {u"orange", u"#FFA500"},
    {u"orangered", u"#FF4500"},
    {u"orchid", u"#DA70D6"},
    {u"palegoldenrod", u"#EEE8AA"},
    {u"palegreen", u"#98FB98"},
    {u"paleturquoise", u"#AFEEEE"},
    {u"palevioletred", u"#DB7093"},
    {u"papayawhip", u"#FFEFD5"},
    {u"peachpuff", u"#FFDAB9"},
    {u"peru", u"#CD853F"},
    {u"pink", u"#FFC0CB"},
    {u"plum", u"#DDA0DD"},
    {u"powderblue", u"#B0E0E6"},
    {u"purple", u"#800080"},
    {u"red", u"#FF0000"},
    {u"rosybrown", u"#BC8F8F"},
    {u"royalblue", u"#4169E1"},
    {u"saddlebrown", u"#8B4513"},
    {u"salmon", u"#FA8072"},
    {u"sandybrown", u"#F4A460"},
    {u"seagreen", u"#2E8B57"},
    {u"seashell", u"#FFF5EE"},
    {u"sienna", u"#A0522D"},
    {u"silver", u"#C0C0C0"},
    {u"skyblue", u"#87CEEB"},
    {u"slateblue", u"#6A5ACD"},
    {u"slategray", u"#708090"},
    {u"snow", u"#FFFAFA"},
    {u"springgreen", u"#00FF7F"},
    {u"steelblue", u"#4682B4"},
    {u"tan", u"#D2B48C"},
    {u"teal", u"#008080"},
    {u"thistle", u"#D8BFD8"},
    {u"tomato", u"#FF6347"},
    {u"turquoise", u"#40E0D0"},
    {u"violet", u"#EE82EE"},
    {u"wheat", u"#F5DEB3"},
    {u"white", u"#FFFFFF"},
    {u"whitesmoke", u"#F5F5F5"},
    {u"yellow", u"#FFFF00"},
    {u"yellowgreen", u"#9ACD32"},
}};

// Lower-cases A to Z only, as tag and attribute names are compared.
std::u16string LowerAscii(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return out;
}

enum class TTagKind { tkLink, tkBold, tkBreak, tkFont, tkItalic, tkUnderline, tkOther };

TTagKind TagKindOf(std::u16string_view name) {
    const std::u16string lower = LowerAscii(name);
    if (lower == u"a") return TTagKind::tkLink;
    if (lower == u"b") return TTagKind::tkBold;
    if (lower == u"br") return TTagKind::tkBreak;
    if (lower == u"font") return TTagKind::tkFont;
    if (lower == u"i") return TTagKind::tkItalic;
    if (lower == u"u") return TTagKind::tkUnderline;
    return TTagKind::tkOther;
}

// A decimal integer with an optional sign and nothing else; false when the
// text is not one (or lies outside the font sizes the markup may set).
bool ReadFontSize(std::u16string_view text, int& size) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    if (i == text.size()) return false;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') return false;
        value = value * 10 + (text[i] - u'0');
        if (value > kMaxHtmlFontSize) return false;
    }
    if (negative) value = -value;
    if (value < 1) return false;
    size = static_cast<int>(value);
    return true;
}

// Receives what the walk draws; the walk itself keeps the layout.
class IHtmlSink {
public:
    virtual ~IHtmlSink() = default;
    // A non-empty run at pen (canvas coordinates) in font (colour as drawn).
    virtual void Run(TPoint pen, const TFont& font, std::u16string_view text) = 0;
    // A line break; moved tells whether the pen went down.
    virtual void Break(bool moved) = 0;
};

// One pass over the markup; see DrawHtml.h for the rules.
void Walk(ui::ICanvas& canvas, const TRect& rect, std::u16string_view text, const TFont& start, THtmlInfo& info,
          THtmlMode mode, TPoint point, IHtmlSink* sink) {
    const bool draw = mode == THtmlMode::hmDraw;
    info = THtmlInfo{};
    const int penLeft = rect.left + 2;
    int x = penLeft;
    int y = rect.top + 1;
    int lineHeight = 0;
    bool inTag = false;
    bool inQuotes = false;
    bool closing = false;
    bool readingName = false;
    bool readingValue = false;
    std::u16string run;
    std::u16string tagName;
    std::u16string attrName;
    std::u16string attrValue;
    int linkLeft = 0;
    int linkTop = 0;
    TFont font = start;
    std::vector<TFont> saved;

    // Empty texts take no room: a break after an empty run adds nothing.
    auto extentOf = [&](std::u16string_view s) { return s.empty() ? TSize{} : canvas.TextExtent(s, font); };
    auto endRun = [&] {
        const TSize extent = extentOf(run);
        if (draw && sink != nullptr && !run.empty()) {
            TFont shown = font;
            if (shown.color == kHtmlNoneColor) shown.color = start.color;
            sink->Run({x, y}, shown, run);
        }
        x += extent.cx;
        info.Width = std::max(info.Width, x);
        lineHeight = std::max(lineHeight, extent.cy);
    };
    auto applyTag = [&](TTagKind kind) {
        if (kind == TTagKind::tkBreak) {
            if (sink != nullptr) sink->Break(lineHeight > 0);
            y += lineHeight;
            lineHeight = 0;
            x = penLeft;
            return;
        }
        if (closing) {
            // Closing tags are not matched by name: each restores the latest saved state.
            if (!saved.empty()) {
                font = saved.back();
                saved.pop_back();
            }
            return;
        }
        saved.push_back(font);
        switch (kind) {
            case TTagKind::tkLink:
                font.style |= ui::fsUnderline;
                font.color = ui::Rgb(0, 0, 255);
                linkLeft = x - rect.left;
                linkTop = y - rect.top;
                break;
            case TTagKind::tkBold:
                font.style |= ui::fsBold;
                break;
            case TTagKind::tkItalic:
                font.style |= ui::fsItalic;
                break;
            case TTagKind::tkUnderline:
                font.style |= ui::fsUnderline;
                break;
            default:
                break;
        }
    };
    auto applyAttribute = [&](TTagKind kind) {
        if (kind != TTagKind::tkFont) return;
        std::u16string_view value = attrValue;
        if (!value.empty() && value.front() == u'"') value.remove_prefix(1);
        if (!value.empty() && value.back() == u'"') value.remove_suffix(1);
        const std::u16string name = LowerAscii(attrName);
        if (name == u"color") {
            font.color = HtmlColor(value);
        } else if (name == u"name") {
            font.face = std::u16string(value);
        } else if (name == u"size") {
            // A size that is no decimal integer is ignored: the cell keeps its size.
            int size = 0;
            if (ReadFontSize(value, size)) {
                font.size = size;
                font.pixelHeight = 0;
            }
        }
    };
    auto endTagPart = [&] {
        const TTagKind kind = TagKindOf(tagName);
        if (readingValue)
            applyAttribute(kind);
        else
            applyTag(kind);
        return kind;
    };

    for (const char16_t c : text) {
        if (!inTag) {
            if (c == u'<' && !inQuotes) {
                endRun();
                run.clear();
                tagName.clear();
                inTag = true;
            } else {
                run.push_back(c);
            }
            continue;
        }
        switch (c) {
            case u'>': {
                const TTagKind kind = endTagPart();
                inTag = false;
                closing = false;
                readingName = false;
                readingValue = false;
                if (!draw && kind == TTagKind::tkLink) {
                    const int right = x - rect.left;
                    const int bottom = y + lineHeight - rect.top;
                    if (point.x >= linkLeft && point.x < right && point.y >= linkTop && point.y < bottom)
                        info.Href = attrValue;
                    if (!info.Href.empty() && info.Href.front() == u'"') info.Href.erase(0, 1);
                    if (!info.Href.empty() && info.Href.back() == u'"') info.Href.pop_back();
                }
                continue;
            }
            case u' ':
                if (inQuotes) break;
                endTagPart();
                attrName.clear();
                attrValue.clear();
                readingValue = false;
                readingName = true;
                continue;
            case u'=':
                readingValue = true;
                readingName = false;
                attrValue.clear();
                continue;
            case u'/':
                if (inQuotes) break;
                closing = true;
                continue;
            case u'"':
                inQuotes = !inQuotes;
                break;
            default:
                break;
        }
        if (readingValue)
            attrValue.push_back(c);
        else if (readingName)
            attrName.push_back(c);
        else
            tagName.push_back(c);
    }
    endRun();
    info.Height = y - rect.top + (run.empty() ? extentOf(tagName).cy : extentOf(run).cy);
}

class TCanvasSink : public IHtmlSink {
public:
    explicit TCanvasSink(ui::ICanvas& canvas) : m_canvas(canvas) {}
    void Run(TPoint pen, const TFont& font, std::u16string_view text) override {
        m_canvas.TextOut(pen, text, font, ui::clNone);
    }
    void Break(bool) override {}

private:
    ui::ICanvas& m_canvas;
};

class TRunSink : public IHtmlSink {
public:
    explicit TRunSink(const TRect& rect) : m_rect(rect) {}
    void Run(TPoint pen, const TFont& font, std::u16string_view text) override {
        m_runs.push_back({{pen.x - m_rect.left, pen.y - m_rect.top}, font, std::u16string(text)});
    }
    void Break(bool) override {}
    std::vector<THtmlRun>& Runs() { return m_runs; }

private:
    TRect m_rect;
    std::vector<THtmlRun> m_runs;
};

// Collects the drawn text; sizes do not matter, so any metrics will do.
class TTextSink : public IHtmlSink {
public:
    void Run(TPoint, const TFont&, std::u16string_view text) override { m_text.append(text); }
    void Break(bool moved) override {
        if (moved) m_text.push_back(u' ');
    }
    std::u16string& Text() { return m_text; }

private:
    std::u16string m_text;
};

// Fixed metrics for layouts that only need the order of runs and breaks.
class TUnitCanvas : public ui::ICanvas {
public:
    void FillRect(const TRect&, TColor) override {}
    void FrameRect(const TRect&, TColor) override {}
    void InvertRect(const TRect&) override {}
    void Rectangle(const TRect&, const ui::TPen&, const ui::TBrush&) override {}
    void Ellipse(const TRect&, const ui::TPen&, const ui::TBrush&) override {}
    void Polygon(std::span<const TPoint>, const ui::TPen&, const ui::TBrush&) override {}
    void Line(TPoint, TPoint, const ui::TPen&) override {}
    void TextOut(TPoint, std::u16string_view, const TFont&, TColor) override {}
    void DrawText(const TRect&, std::u16string_view, const TFont&, ui::TTextFlags) override {}
    TSize TextExtent(std::u16string_view text, const TFont&) override { return {static_cast<int>(text.size()), 1}; }
    void PushClip(const TRect&) override {}
    void PushViewport(const TRect&) override {}
    void PopClip() override {}
    TRect ClipRect() const override { return {}; }
};

}  // namespace

void DrawHtml(ui::ICanvas& canvas, const TRect& rect, std::u16string_view text, const TFont& font, THtmlInfo& info,
              THtmlMode mode, TPoint point) {
    TCanvasSink sink(canvas);
    Walk(canvas, rect, text, font, info, mode, point, &sink);
}

std::vector<THtmlRun> HtmlRuns(ui::ICanvas& canvas, const TRect& rect, std::u16string_view text, const TFont& font) {
    TRunSink sink(rect);
    THtmlInfo info;
    Walk(canvas, rect, text, font, info, THtmlMode::hmDraw, {}, &sink);
    return std::move(sink.Runs());
}

std::u16string HtmlPlainText(std::u16string_view text) {
    TUnitCanvas canvas;
    TTextSink sink;
    THtmlInfo info;
    Walk(canvas, {0, 0, 0, 0}, text, TFont{}, info, THtmlMode::hmDraw, {}, &sink);
    return std::move(sink.Text());
}

TColor HtmlColor(std::u16string_view value) {
    const std::u16string lower = LowerAscii(value);
    for (const auto& [name, hex] : kColorNames) {
        if (lower == name) {
            value = hex;
            break;
        }
    }
    // The first character is dropped whatever it is (normally "#").
    if (value.empty()) return kHtmlNoneColor;
    const std::u16string_view digits = value.substr(1);
    if (digits.empty() || digits.size() > 8) return kHtmlNoneColor;
    std::uint32_t v = 0;
    for (const char16_t c : digits) {
        unsigned d = 0;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else
            return kHtmlNoneColor;
        v = (v << 4) | d;
    }
    // RRGGBB as written; the system's packed order is blue-green-red.
    return ui::Rgb((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

}  // namespace widgets
