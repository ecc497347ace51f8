#include "SampleProducts.h"

#include "service/TitleMatcher.h"

#include <gtest/gtest.h>

namespace {

using service::TTitleMatcher;

const TTitleMatcher& Sample() {
    static const TTitleMatcher matcher(servicetest::SampleProducts());
    return matcher;
}

std::string Found(const TTitleMatcher& m, const char* title, const char* version = "", const char* publisher = "") {
    const auto* p = m.Match(title, version, publisher);
    return p ? p->PackageId : "";
}

TEST(TitleMatcher, RealUninstallTitlesFindTheirProduct) {
    struct Case {
        const char* title;
        const char* version;
        const char* expected;  // "" for no match
    };
    const Case cases[] = {
        {"WinSCP 6.5.6", "6.5.7", "WinSCP.WinSCP"},  // the manifest's stale DisplayName, exactly
        {"WinSCP", "5.17.7", "WinSCP.WinSCP"},       // the program cut the version off
        {"Mullvad VPN 2026.40", "2026.4", "MullvadVPN.MullvadVPN"},
        {"Mullvad VPN 2020.6.0", "", "MullvadVPN.MullvadVPN"},             // an old version in the name
        {"Adobe Acrobat", "26.002.21931", "Adobe.Acrobat.Reader.64-bit"},  // "(64-bit)" dropped by the program
        {"7-Zip 19.00 (x64 edition)", "", "7zip.7zip"},
        {"7-Zip 20.02 alpha (x64)", "", "7zip.7zip"},
        {"Mozilla Firefox 82.0.1 (x64 es-MX)", "", "Mozilla.Firefox"},
        {"VLC media player 3.0.11 (64-bit)", "", "VideoLAN.VLC"},
        {"Wireshark 3.2.2 32-bit", "", "WiresharkFoundation.Wireshark"},
        {"PuTTY release 0.74 (64-bit)", "", "PuTTY.PuTTY"},
        {"TortoiseGit 2.10.0.2 (64 bit)", "", "TortoiseGit.TortoiseGit"},
        {"FileZilla Client 3.51.0", "", "TimKosse.FileZilla.Client"},
        {"WizTree v3.35", "", "AntibodySoftware.WizTree"},
        {"GIT VERSION 2.29.0", "", "Git.Git"},  // letter case
        {"HWiNFO", "", "REALiX.HWiNFO"},        // "®" in the catalogue name
        {"Parsec", "150-101b", "Parsec.Parsec"},
        // release lines: a Python 3.11 package for a 3.11 installation only
        {"Python 3.11.9", "3.11.9150.0", "Python.Python.3.11"},
        {"Python 3.11.4", "3.11.4150.0", "Python.Python.3.11"},
        {"Python 3.12.1", "3.12.1150.0", "Python.Python.3.12"},
        {"Python 3.8.5", "3.8.5150.0", ""},
        {"Python 2.7.18", "", ""},
        {"Microsoft .NET SDK 5.0.100-rc.2.20479.15 (x64)", "", ""},
        {"Mozilla Firefox 78.4.0 ESR (x64 en-US)", "", ""},  // another product
        {"Google Chrome", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(Found(Sample(), c.title, c.version), c.expected);
    }
}

TEST(TitleMatcher, NormalisationDropsArchitectureEditionAndTrailingVersions) {
    struct Case {
        const char* name;
        const char* loose;
        const char* base;
    };
    const Case cases[] = {
        {"Foo Bar (x64) 1.2.3", "foo bar 1.2.3", "foo bar"},
        {"PotPlayer-64 bit", "potplayer", "potplayer"},
        {"HWiNFO\xC2\xAE 64-bit", "hwinfo", "hwinfo"},
        {"Tool: Pro Edition v2", "tool pro edition v2", "tool"},
        {"7-Zip", "7-zip", "7-zip"},
        {"2026", "2026", "2026"},  // the first word always stays
        {"Name [beta] - x86", "name", "name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TTitleMatcher::NormaliseTitle(c.name, false), c.loose);
        EXPECT_EQ(TTitleMatcher::NormaliseTitle(c.name, true), c.base);
    }
}

TEST(TitleMatcher, TiesGoToThePublisherThenTheCloserVersionThenCatalogueOrder) {
    auto product = [](const char* id, const char* publisher, const char* version) {
        service::TProduct p;
        p.PackageId = id;
        p.Name = "Foo Tool";
        p.Publisher = publisher;
        p.Version = version;
        return p;
    };
    TTitleMatcher m({product("A.Foo", "Alpha Soft", "2.0"), product("B.Foo", "Beta Corp.", "3.1")});
    EXPECT_EQ(Found(m, "Foo Tool"), "A.Foo");
    EXPECT_EQ(Found(m, "Foo Tool", "", "Beta Corp"), "B.Foo");
    EXPECT_EQ(Found(m, "Foo Tool", "3.0.1"), "B.Foo");
    EXPECT_EQ(Found(m, "Foo Tool", "3.0.1", "alpha soft ltd"), "A.Foo");
}

}  // namespace
