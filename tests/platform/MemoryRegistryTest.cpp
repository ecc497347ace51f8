#include "platform/CodePage.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegistryError.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using platform::MemoryRegistry;
using platform::RegistryError;
using platform::TRegistryView;
using Names = std::vector<std::string>;

// A regedit export as the version 5 format writes it: CR LF line ends,
// expandable and multi strings as UTF-16LE hex, long hex data continued.
const char* const kExport5 =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zeta]\r\n"
    "\"DisplayName\"=\"Zeta \\\"Quoted\\\" C:\\\\Tools\\\\\"\r\n"
    "\"InstallLocation\"=hex(2):25,00,50,00,46,00,25,00,5c,00,5a,00,\\\r\n"
    "  00,00\r\n"
    "\"EstimatedSize\"=dword:0000a1f0\r\n"
    "\"Blob\"=hex:01,02,03\r\n"
    "\"Nothing\"=hex:\r\n"
    "\"Multi\"=hex(7):41,00,00,00,42,00,00,00,00,00\r\n"
    "@=\"default text\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Alpha]\r\n"
    "; a comment line\r\n"
    "\"displayname\"=\"Alpha\"\r\n"
    "\"EmptyExpand\"=hex(2):00,00\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Ignored]\r\n"
    "\"DisplayName\"=\"not machine-wide\"\r\n";

std::string Utf16LeWithBom(const std::string& ascii) {
    std::string out("\xFF\xFE", 2);
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

constexpr const char* kUninstall = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

TEST(MemoryRegistry, ReadsVersion5ExportsInEveryEncoding) {
    const std::string utf8Bom = std::string("\xEF\xBB\xBF") + kExport5;
    for (const std::string& bytes : {std::string(kExport5), Utf16LeWithBom(kExport5), utf8Bom}) {
        const auto reg = MemoryRegistry::FromExportText(bytes);
        EXPECT_EQ(reg->Views(), std::vector<TRegistryView>{TRegistryView::rvOnly});
        ASSERT_TRUE(reg->OpenKey(kUninstall));
        EXPECT_EQ(reg->GetKeyNames(), (Names{"Zeta", "Alpha"}));  // the export's order

        ASSERT_TRUE(reg->OpenKey(std::string(kUninstall) + "\\zeta"));  // key names ignore case
        EXPECT_EQ(reg->GetValueNames(),
                  (Names{"DisplayName", "InstallLocation", "EstimatedSize", "Blob", "Nothing", "Multi", ""}));
        EXPECT_EQ(reg->ReadString("DisplayName"), "Zeta \"Quoted\" C:\\Tools\\");
        EXPECT_EQ(reg->ReadString("installlocation"), "%PF%\\Z");  // unexpanded, up to the NUL
        EXPECT_EQ(reg->ReadString(""), "default text");
        EXPECT_EQ(reg->ReadString("Nothing"), "");  // no data reads as empty whatever the type
        EXPECT_EQ(reg->ReadString("Missing"), "");

        ASSERT_TRUE(reg->OpenKey(std::string(kUninstall) + "\\Alpha"));
        EXPECT_EQ(reg->GetValueNames(), (Names{"displayname", "EmptyExpand"}));
        EXPECT_EQ(reg->ReadString("DisplayName"), "Alpha");
        EXPECT_EQ(reg->ReadString("EmptyExpand"), "");

        EXPECT_FALSE(reg->OpenKey("\\Software\\Ignored"));
    }
}

TEST(MemoryRegistry, NonStringValuesFailWithTheirName) {
    const auto reg = MemoryRegistry::FromExportText(kExport5);
    ASSERT_TRUE(reg->OpenKey(std::string(kUninstall) + "\\Zeta"));
    for (const char* name : {"EstimatedSize", "Blob", "Multi"}) {
        try {
            reg->ReadString(name);
            ADD_FAILURE() << name << " read as text";
        } catch (const RegistryError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Invalid data type for '") + name + "'");
        }
    }
    EXPECT_EQ(std::string(RegistryError::FailedToGetData("X").what()), "Failed to get data for 'X'");
}

TEST(MemoryRegistry, Regedit4ExportsHoldEightBitHexText) {
    const std::string text =
        "REGEDIT4\n\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\n"
        "\"Path\"=hex(2):43,3a,5c,e9,00\n"
        "\"Name\"=\"Caf\xE9\"\n";
    const auto reg = MemoryRegistry::FromExportText(text);
    ASSERT_TRUE(reg->OpenKey("SOFTWARE\\Test"));
    EXPECT_EQ(reg->ReadString("Path"), "C:\\\xE9");
    EXPECT_EQ(reg->ReadString("Name"), "Caf\xE9");
    ASSERT_TRUE(reg->OpenKey("\\SOFTWARE"));
    EXPECT_EQ(reg->GetKeyNames(), Names{"Test"});
}

TEST(MemoryRegistry, ExportsOf64BitWindowsShowTwoViews) {
    const std::string text =
        "Windows Registry Editor Version 5.00\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\App]\n\"Bits\"=\"64\"\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Vendor\\App]\n\"Bits\"=\"32\"\n";
    const auto reg = MemoryRegistry::FromExportText(text);
    EXPECT_EQ(reg->Views(), (std::vector<TRegistryView>{TRegistryView::rv64, TRegistryView::rv32}));
    reg->SetView(TRegistryView::rv64);
    ASSERT_TRUE(reg->OpenKey("\\SOFTWARE\\Vendor\\App"));
    EXPECT_EQ(reg->ReadString("Bits"), "64");
    reg->SetView(TRegistryView::rv32);
    EXPECT_EQ(reg->GetValueNames(), Names{});  // changing the view closed the key
    ASSERT_TRUE(reg->OpenKey("\\SOFTWARE\\Vendor\\App"));
    EXPECT_EQ(reg->ReadString("Bits"), "32");
    ASSERT_TRUE(reg->OpenKey("\\SOFTWARE\\WOW6432Node\\Vendor\\App"));  // not redirected twice
    EXPECT_EQ(reg->ReadString("Bits"), "32");
}

TEST(MemoryRegistry, FailedOpenClosesThePreviousKey) {
    const auto reg = MemoryRegistry::FromExportText(kExport5);
    ASSERT_TRUE(reg->OpenKey(kUninstall));
    EXPECT_FALSE(reg->OpenKey("\\SOFTWARE\\Missing"));
    EXPECT_TRUE(reg->GetKeyNames().empty());
    EXPECT_EQ(reg->ReadString("DisplayName"), "");
    EXPECT_FALSE(reg->OpenKey("\\SOFTWARE\\Missing"));  // opening never creates
}

TEST(MemoryRegistry, BrokenExportsAreRefusedWithTheLine) {
    struct Case {
        std::string text;
        std::string message;
    };
    const std::string h = "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\K]\n";
    const Case cases[] = {
        {"", "Cannot read registry export \"t.reg\": the file is empty"},
        {"hello\n", "Cannot read registry export \"t.reg\" at line 1: not a registry export"},
        {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\K\n",
         "Cannot read registry export \"t.reg\" at line 2: unclosed key name"},
        {h + "\"A\"=\"unclosed\n", "Cannot read registry export \"t.reg\" at line 3: malformed string value"},
        {h + "\"A\"=dword:123456789\n", "Cannot read registry export \"t.reg\" at line 3: malformed dword"},
        {h + "\"A\"=hex:1g\n", "Cannot read registry export \"t.reg\" at line 3: malformed hex data"},
        {h + "\"A\"=hex(zz):00\n", "Cannot read registry export \"t.reg\" at line 3: malformed value type"},
        {h + "\"A\" \"B\"\n", "Cannot read registry export \"t.reg\" at line 3: missing \"=\""},
        {h + "\"A\"=qword:1\n", "Cannot read registry export \"t.reg\" at line 3: unknown value form"},
        {h + "\"A=\"x\"\n", "Cannot read registry export \"t.reg\" at line 3: missing \"=\""},
    };
    for (const Case& c : cases) {
        try {
            MemoryRegistry::FromExportText(c.text, "t.reg");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const RegistryError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.text;
        }
    }
}

TEST(MemoryRegistry, LoadsExportFilesAndReportsMissingOnes) {
    testing_support::TempDir tmp;
    const std::string path = tmp.Join("m.reg");
    std::ofstream(path, std::ios::binary) << Utf16LeWithBom(kExport5);
    const auto reg = MemoryRegistry::FromExportFile(path);
    ASSERT_TRUE(reg->OpenKey(kUninstall));
    EXPECT_EQ(reg->GetKeyNames().size(), 2u);
    EXPECT_ANY_THROW(MemoryRegistry::FromExportFile(tmp.Join("missing.reg")));
}

}  // namespace
