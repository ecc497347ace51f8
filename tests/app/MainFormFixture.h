#pragma once

#include "app/MainForm.h"

#include "TempDir.h"
#include "platform/MemoryRegistry.h"
#include "ui/Application.h"
#include "ui/headless/HeadlessWindowSystem.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace app::test {

// The main window on the headless backend, keeping its files in a fresh
// folder and scanning an in-memory registry that the test fills. The window
// is created on demand, so a test can prepare the folder first.
class MainFormFixture : public ::testing::Test {
protected:
    static constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

    MainFormFixture() : app(system) { app.SetTitle("Pelmira"); }

    // Creates (once) and shows the window, which runs FormCreate and FormShow.
    TMainForm& Form() {
        if (m_form == nullptr) {
            m_form = &app.CreateForm<TMainForm>(Folder(), [this] {
                ++registriesMade;
                auto copy = std::make_unique<platform::MemoryRegistry>();
                for (const auto& [key, name, value] : entries) copy->SetValue(key, name, platform::rtString, value);
                return copy;
            });
            m_form->Show();
        }
        return *m_form;
    }

    // The data folder, ending in the separator.
    std::string Folder() const { return dir.Path() + platform::PathSeparator(); }
    std::string VersPath() const { return dir.Join("vers.xml"); }
    std::string SettingsPath() const { return dir.Join("settings.xml"); }

    // Adds an uninstall entry with a display name, publisher and version.
    void AddProgram(const std::string& key, const std::string& name, const std::string& publisher,
                    const std::string& version) {
        entries.push_back({kUninstall + key, "DisplayName", name});
        entries.push_back({kUninstall + key, "Publisher", publisher});
        entries.push_back({kUninstall + key, "DisplayVersion", version});
    }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // text escaped for XML character data.
    static std::string Escaped(const std::string& text) {
        std::string out;
        for (char c : text) {
            if (c == '<')
                out += "&lt;";
            else if (c == '>')
                out += "&gt;";
            else if (c == '&')
                out += "&amp;";
            else
                out += c;
        }
        return out;
    }

    // A vers.xml record with the given title and online values.
    static std::string Record(const std::string& title, const std::string& corv = "", const std::string& pub = "",
                              const std::string& all = "") {
        return "<Software><Title>" + title + "</Title><Company>Co</Company><VersionLocal>1.0</VersionLocal>" +
               "<VersionCorvanthelis>" + Escaped(corv) + "</VersionCorvanthelis><VersionPublisher>" + Escaped(pub) +
               "</VersionPublisher><VersionAll>" + Escaped(all) + "</VersionAll><VersionOld></VersionOld>" +
               "<Status>1</Status></Software>";
    }
    void WriteCatalogue(const std::string& records) {
        WriteFile(VersPath(), "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Root>" + records + "</Root>\r\n");
    }

    // The texts of the plain message boxes shown so far.
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& box : system.MessageBoxes()) texts.push_back(box.text);
        return texts;
    }

    struct TEntry {
        std::string key, name, value;
    };

    testing_support::TempDir dir;
    ui::headless::THeadlessWindowSystem system;
    ui::TApplication app;
    std::vector<TEntry> entries;
    int registriesMade = 0;

private:
    TMainForm* m_form = nullptr;
};

}  // namespace app::test
