#include "MainFormFixture.h"

#include "app/ConnectionSettings.h"
#include "app/DataFolder.h"
#include "platform/CodePage.h"
#ifndef _WIN32
#include "platform/PortableFileSystem.h"
#endif

#include <gmock/gmock.h>

#include <filesystem>

namespace app::test {
namespace {

std::string SettingsFile(const std::string& inner) {
    return "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Root>" + inner + "</Root>\r\n";
}

std::string Settings(const std::string& auth, const std::string& host, const std::string& port,
                     const std::string& user = "u", const std::string& node = "Settings") {
    return SettingsFile("<" + node + "><allowsuploadingversions>no</allowsuploadingversions><authentication>" + auth +
                        "</authentication><host>" + host + "</host><password>pw</password><port>" + port +
                        "</port><userid>" + user + "</userid><version>svSocks5</version></" + node + ">");
}

TEST_F(MainFormFixture, SettingsFileFillsTheInspectorAndBothClients) {
    WriteFile(SettingsPath(), Settings("True", "proxy.example", "8080"));
    TMainForm& form = Form();
    EXPECT_EQ(form.CheckBoxItem1.Value(), u"no");
    EXPECT_EQ(form.ComboBoxItem1.Value(), u"True");
    EXPECT_EQ(form.TextItem3.Value(), u"8080");
    EXPECT_EQ(form.ComboBoxItem2.Value(), u"svSocks5");
    for (net::TNetHTTP* http : {&form.NetHTTP1, &form.NetHTTP2}) {
        EXPECT_TRUE(http->ProxyParams.BasicAuthentication);
        EXPECT_EQ(http->ProxyParams.ProxyServer(), "proxy.example");
        EXPECT_EQ(http->ProxyParams.ProxyPort(), 8080);
        EXPECT_EQ(http->ProxyParams.ProxyUsername, "u");
        EXPECT_EQ(http->ProxyParams.ProxyPassword, "pw");
    }
}

TEST_F(MainFormFixture, BasicAuthenticationNeedsTrueInExactlyThatCase) {
    for (const char* word : {"true", "TRUE", " True", "False"}) {
        ui::headless::THeadlessWindowSystem localSystem;
        ui::TApplication localApp(localSystem);
        WriteFile(SettingsPath(), Settings(word, "p", "1"));
        auto& form =
            localApp.CreateForm<TMainForm>(Folder(), [] { return std::make_unique<platform::MemoryRegistry>(); });
        EXPECT_FALSE(form.NetHTTP1.ProxyParams.BasicAuthentication) << word;
        EXPECT_FALSE(form.NetHTTP2.ProxyParams.BasicAuthentication) << word;
        EXPECT_EQ(form.NetHTTP2.ProxyParams.ProxyServer(), "p") << word;
    }
}

TEST_F(MainFormFixture, UnconvertiblePortStopsApplyingPartWay) {
    WriteFile(SettingsPath(), Settings("True", "proxy.example", "80a", "user"));
    TMainForm& form = Form();
    const auto& p1 = form.NetHTTP1.ProxyParams;
    const auto& p2 = form.NetHTTP2.ProxyParams;
    EXPECT_TRUE(p1.BasicAuthentication);
    EXPECT_TRUE(p2.BasicAuthentication);
    EXPECT_EQ(p1.ProxyServer(), "proxy.example");
    EXPECT_EQ(p1.ProxyPassword, "pw");
    EXPECT_EQ(p1.ProxyPort(), 0);
    EXPECT_EQ(p1.ProxyUsername, "");
    EXPECT_EQ(p2.ProxyServer(), "");
    EXPECT_EQ(p2.ProxyPassword, "");
    EXPECT_THAT(Messages(), ::testing::IsEmpty());
}

TEST_F(MainFormFixture, EmptyPortKeepsThePortsAsTheyAre) {
    WriteFile(SettingsPath(), Settings("", "proxy.example", ""));
    TMainForm& form = Form();
    EXPECT_EQ(form.NetHTTP1.ProxyParams.ProxyPort(), 0);
    form.TextItem3.SetValue(u"3128");
    form.Button2Click();
    form.TextItem3.SetValue(u"");
    form.Button2Click();
    EXPECT_EQ(form.NetHTTP1.ProxyParams.ProxyPort(), 3128);
    EXPECT_EQ(form.NetHTTP2.ProxyParams.ProxyPort(), 3128);
}

TEST_F(MainFormFixture, RootWithoutSettingsKeepsTheLayoutValuesAndAppliesNothing) {
    // A root without children loads silently; a file without any root is the
    // reader's error, reported by the window's default error report.
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {SettingsFile(""), {}},
        {"<?xml version=\"1.0\"?>\r\n<!-- none -->\r\n", {"No root element found in xml"}},
    };
    for (const auto& [file, messages] : cases) {
        ui::headless::THeadlessWindowSystem localSystem;
        ui::TApplication localApp(localSystem);
        WriteFile(SettingsPath(), file);
        auto& form =
            localApp.CreateForm<TMainForm>(Folder(), [] { return std::make_unique<platform::MemoryRegistry>(); });
        EXPECT_EQ(form.CheckBoxItem1.Value(), u"yes");
        EXPECT_EQ(form.NetHTTP1.ProxyParams.ProxyServer(), "");
        std::vector<std::string> shown;
        for (const auto& box : localSystem.MessageBoxes()) shown.push_back(box.text);
        EXPECT_EQ(shown, messages);
    }
}

TEST_F(MainFormFixture, AnotherFirstChildNameIsReadAndWritten) {
    WriteFile(SettingsPath(), Settings("", "old.proxy", "81", "u", "Options"));
    TMainForm& form = Form();
    EXPECT_EQ(form.TextItem1.Value(), u"old.proxy");
    form.TextItem1.SetValue(u"new.proxy");
    form.Button2Click();
    const std::string saved = ReadFile(SettingsPath());
    EXPECT_NE(saved.find("<Options>"), std::string::npos);
    EXPECT_NE(saved.find("<host>new.proxy</host>"), std::string::npos);
    EXPECT_EQ(saved.find("<Settings>"), std::string::npos);
}

TEST_F(MainFormFixture, OkWritesTheSettingsFileReadableAndAppliesIt) {
    TMainForm& form = Form();
    form.Settings1Click();
    form.TextItem1.SetValue(u"proxy.lan");
    form.TextItem3.SetValue(u"$1F90");
    form.CheckBoxItem1.SetValue(u"Yes");
    system.Click(form.Button2);
    EXPECT_EQ(form.pagPages.PageIndex(), 0);
    EXPECT_EQ(ReadFile(SettingsPath()),
              "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Root>\r\n  <Settings>\r\n"
              "    <allowsuploadingversions>no</allowsuploadingversions>\r\n    <authentication/>\r\n"
              "    <host>proxy.lan</host>\r\n    <password/>\r\n    <port>$1F90</port>\r\n    <userid/>\r\n"
              "    <version/>\r\n  </Settings>\r\n</Root>\r\n");
    EXPECT_EQ(form.NetHTTP2.ProxyParams.ProxyPort(), 8080);
}

TEST_F(MainFormFixture, CancelKeepsTypedValuesAndChangesNothingElse) {
    TMainForm& form = Form();
    form.Settings1Click();
    form.TextItem1.SetValue(u"typed.proxy");
    system.Click(form.Button3);
    EXPECT_EQ(form.pagPages.PageIndex(), 0);
    EXPECT_EQ(form.TextItem1.Value(), u"typed.proxy");
    EXPECT_EQ(form.NetHTTP1.ProxyParams.ProxyServer(), "");
    EXPECT_FALSE(platform::FileExists(SettingsPath()));
    form.Button2Click();
    EXPECT_NE(ReadFile(SettingsPath()).find("<host>typed.proxy</host>"), std::string::npos);
}

TEST_F(MainFormFixture, PrivacyChoiceReachesTheOnlineScanThroughTheDocument) {
    TMainForm& form = Form();
    EXPECT_EQ(ReadSetting(*form.SettingsDocument(), "AllowsUploadingVersions"), "yes");
    form.CheckBoxItem1.SetValue(u"no");
    EXPECT_EQ(ReadSetting(*form.SettingsDocument(), "allowsuploadingversions"), "yes") << "only OK stores it";
    form.Button2Click();
    EXPECT_EQ(ReadSetting(*form.SettingsDocument(), "allowsuploadingversions"), "no");
}

// --- where the files live

class DataFolderTest : public ::testing::Test {
protected:
    // Makes the executable's folder refuse new files: through the portable
    // platform's hook natively (tests run as root, which ignores permissions),
    // and on Windows by naming a folder that does not exist.
    std::string RefusingExeDir() {
#ifdef _WIN32
        return exeDir.Join("missing");
#else
        platform::portable::SetWriteRefusedDir(exeDir.Path());
        return exeDir.Path();
#endif
    }
#ifndef _WIN32
    ~DataFolderTest() override { platform::portable::SetWriteRefusedDir(""); }
#endif
    testing_support::TempDir exeDir;
    testing_support::TempDir appData;
};

TEST_F(DataFolderTest, WritableExecutableFolderIsUsedAndLeftClean) {
    EXPECT_EQ(ChooseDataFolder(exeDir.Path(), appData.Path()), exeDir.Join(""));
    EXPECT_TRUE(std::filesystem::is_empty(exeDir.FsPath())) << "the probe file is removed";
    EXPECT_TRUE(std::filesystem::is_empty(appData.FsPath()));
}

TEST_F(DataFolderTest, RefusingExecutableFolderMovesTheFilesToLocalAppData) {
    const std::string refusing = RefusingExeDir();
    EXPECT_FALSE(CanCreateFilesIn(refusing));
    const std::string chosen = ChooseDataFolder(refusing, appData.Path());
    EXPECT_EQ(chosen, appData.Join("Pelmira") + platform::PathSeparator());
    EXPECT_TRUE(platform::DirectoryExists(appData.Join("Pelmira")));

    // The window reads and writes both files there, and names the folder on its about page.
    ui::headless::THeadlessWindowSystem system;
    ui::TApplication app(system);
    auto& form = app.CreateForm<TMainForm>(chosen, [] { return std::make_unique<platform::MemoryRegistry>(); });
    form.Button2Click();
    EXPECT_TRUE(platform::FileExists(chosen + "settings.xml"));
    EXPECT_NE(form.DataFolderLabel.Text().find(platform::AnsiToUtf16(chosen)), std::u16string::npos);
}

TEST_F(DataFolderTest, NeitherFolderWritableFallsBackToTheExecutableFolder) {
    const std::string refusing = RefusingExeDir();
    const std::string expected = refusing + platform::PathSeparator();
    EXPECT_EQ(ChooseDataFolder(refusing, ""), expected);
    EXPECT_EQ(ChooseDataFolder(refusing, appData.Join("missing") + platform::PathSeparator() + "deeper"), expected);
}

}  // namespace
}  // namespace app::test
