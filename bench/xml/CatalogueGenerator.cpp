#include "CatalogueGenerator.h"

#include "xml/XmlEscape.h"

#include <array>
#include <random>
#include <string_view>

namespace xml_bench {
namespace {

// Texts are windows-1252 bytes: \xE9 e acute, \xFC u diaeresis, \xAE registered, \x99 trade mark.
constexpr std::array<std::string_view, 24> kProducts = {"Mozilla Firefox",
                                                        "Notepad++",
                                                        "7-Zip",
                                                        "VLC media player",
                                                        "Adobe Acrobat Reader",
                                                        "Google Chrome",
                                                        "LibreOffice",
                                                        "GIMP",
                                                        "Microsoft Visual C++ 2015-2022 Redistributable",
                                                        "Java Runtime Environment",
                                                        "Paint.NET",
                                                        "WinSCP",
                                                        "PuTTY",
                                                        "Audacity",
                                                        "Inkscape",
                                                        "KeePass Password Safe",
                                                        "Foxit PDF Reader",
                                                        "IrfanView",
                                                        "TeamViewer",
                                                        "Python",
                                                        "Git",
                                                        "Steam",
                                                        "Caf\xE9 Manager Pro\x99",
                                                        "B\xFCrosoft Office\xAE"};
constexpr std::array<std::string_view, 8> kSuffixes = {"",          " (x64)",  " (64-bit)", " en-US",
                                                       " (x86 de)", " Update", " Runtime",  " - Deutsch"};
constexpr std::array<std::string_view, 12> kCompanies = {"Mozilla",
                                                         "Don Ho",
                                                         "Igor Pavlov",
                                                         "VideoLAN",
                                                         "Adobe Inc.",
                                                         "Google LLC",
                                                         "The Document Foundation",
                                                         "Microsoft Corporation",
                                                         "Oracle Corporation",
                                                         "M\xFCller & S\xF6hne GmbH",
                                                         "Soci\xE9t\xE9 G\xE9n\xE9rale Logiciels",
                                                         ""};

std::string Version(std::mt19937& rng) {
    std::uniform_int_distribution<int> major(1, 130), minor(0, 20), build(0, 9999);
    std::string v = std::to_string(major(rng)) + "." + std::to_string(minor(rng));
    if (rng() % 2 == 0) v += "." + std::to_string(build(rng));
    return v;
}

// A version answer with link markup as the version service sends it.
std::string LinkMarkup(std::mt19937& rng, std::string_view product, bool newer) {
    std::string slug;
    for (const char c : product) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            slug += static_cast<char>(c | 0x20);
    }
    std::string markup = "<a href=\"http://www.example-downloads.com/get/" + slug + ".html\">" + Version(rng) + "</a>";
    if (newer) markup = "<font color=\"ff3300\">" + markup + "</font>";
    return markup;
}

void Field(std::string& out, std::string_view name, std::string_view escapedValue) {
    out += "    <";
    out += name;
    if (escapedValue.empty()) {
        out += "/>\r\n";
        return;
    }
    out += '>';
    out += escapedValue;
    out += "</";
    out += name;
    out += ">\r\n";
}

}  // namespace

std::string GenerateCatalogue(int records, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::string out = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Root>";
    out += records > 0 ? "\r\n" : "";
    for (int i = 0; i < records; ++i) {
        const std::string_view product = kProducts[rng() % kProducts.size()];
        const std::string title = std::string(product) + std::string(kSuffixes[rng() % kSuffixes.size()]);
        const std::string local = Version(rng);
        const bool online = rng() % 3 == 0;
        out += "  <Software>\r\n";
        Field(out, "Title", xml::EscapeText(title));
        Field(out, "Company", xml::EscapeText(kCompanies[rng() % kCompanies.size()]));
        Field(out, "VersionLocal", xml::EscapeText(local));
        if (online) {
            Field(out, "VersionCorvanthelis", xml::EscapeText(LinkMarkup(rng, product, rng() % 2 == 0)));
            Field(out, "VersionPublisher", xml::EscapeText(LinkMarkup(rng, product, false)));
            Field(out, "VersionAll", xml::EscapeText(LinkMarkup(rng, product, rng() % 4 == 0)));
            Field(out, "VersionOld", xml::EscapeText(local));
        } else {
            Field(out, "VersionCorvanthelis", "");
            Field(out, "VersionPublisher", "");
            Field(out, "VersionAll", "");
            Field(out, "VersionOld", "");
        }
        Field(out, "Status", "1");
        out += "  </Software>\r\n";
    }
    out += "</Root>\r\n";
    return out;
}

}  // namespace xml_bench
