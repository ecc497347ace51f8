#include "inventory/LocalScan.h"
#include "inventory/CatalogueFields.h"
#include "inventory/CommonFuction.h"
#include "inventory/ScanError.h"
#include "inventory/TextRules.h"

#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

namespace inventory {
namespace {

constexpr std::string_view kDisplayName = "DisplayName";
constexpr std::string_view kPublisher = "Publisher";
constexpr std::string_view kDisplayVersion = "DisplayVersion";
constexpr std::array<std::string_view, 6> kLocationValues = {"InstallLocation", "InstallPath", "Inno Setup: App Path",
                                                             "Readme",          "DisplayIcon", "UninstallString"};

constexpr std::string_view kFilterPublisher = "Microsoft Corporation";
constexpr std::array<std::string_view, 2> kFilterWords = {"Hotfix", "Windows"};
constexpr std::array<std::string_view, 6> kVersionNoise = {"build", "beta", "a", "b", "v", "."};
constexpr std::string_view kSkipExeText = "un";
// An install folder with this many executables or more is not searched.
constexpr std::size_t kMaxExeCandidates = 10;

// The online values a record carries over from the previous catalogue.
struct OnlineValues {
    std::string corvanthelis;
    std::string publisher;
    std::string all;
    std::string old;
};

// The first record of each title in the previous catalogue, built once per
// scan on first use, so the carry-over costs one hash lookup per entry and
// finds exactly the record a pass from index 0 would find.
class CarryOverIndex {
public:
    explicit CarryOverIndex(const xml::TXmlDocument* catalogue)
        : m_root(catalogue == nullptr ? nullptr : catalogue->RootElement()) {}

    OnlineValues Find(const std::string& title) {
        if (m_root == nullptr) return {};
        if (!m_built) Build();
        const auto it = m_first.find(title);
        if (it == m_first.end()) return {};
        const xml::TXmlNode* record = m_root->Child(it->second);
        return OnlineValues{record->ReadText(kFieldVersionCorvanthelis, ""),
                            record->ReadText(kFieldVersionPublisher, ""), record->ReadText(kFieldVersionAll, ""),
                            record->ReadText(kFieldVersionOld, "")};
    }

private:
    void Build() {
        m_built = true;
        const int count = m_root->ChildCount();
        m_first.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) m_first.emplace(m_root->Child(i)->ReadText(kFieldTitle, ""), i);
    }

    const xml::TXmlNode* m_root;
    bool m_built = false;
    std::unordered_map<std::string, int> m_first;
};

// Removes the parenthesised group from the first "(" to the last ")", with
// the blank before it when blanks surround it, and trims.
std::string CleanParentheses(const std::string& title) {
    if (!ContainsText(title, "(") || !ContainsText(title, ")")) return title;
    const int open = static_cast<int>(title.find('(')) + 1;
    const int close = LastPos(")", title);
    if (close < open) return TrimText(title);
    const std::string group = TrimText(
        std::string_view(title).substr(static_cast<std::size_t>(open - 1), static_cast<std::size_t>(close - open + 1)));
    const std::string spaced = " " + group + " ";
    const std::string removed = ContainsText(title, spaced) ? " " + group : group;
    return TrimText(RemoveAllIgnoreCase(title, removed));
}

bool IsFilteredOut(const std::string& title, const std::string& publisher) {
    if (publisher != kFilterPublisher) return false;
    for (std::string_view word : kFilterWords) {
        if (ContainsText(title, word)) return true;
    }
    return false;
}

// The title's last word when it looks like a version number, else "".
std::string VersionFromTitle(const std::string& title) {
    if (!ContainsText(title, " ")) return {};
    const std::string version = TrimText(std::string_view(title).substr(static_cast<std::size_t>(LastPos(" ", title))));
    std::string test = version;
    for (std::string_view noise : kVersionNoise) test = RemoveAllIgnoreCase(test, noise);
    return IsFloatText(test) ? version : std::string();
}

// The file version of the first executable in the install folder that is
// not an uninstaller, or "" when there is none.
std::string VersionFromInstallDir(platform::Registry& registry) {
    std::string location;
    // Only the candidates up to the first non-empty one are read: a later one
    // of a wrong type does not matter.
    for (std::string_view name : kLocationValues) {
        location = registry.ReadString(name);
        if (!location.empty()) break;
    }
    location = ExtractInstallDir(location);
    if (location.empty() || !platform::DirectoryExists(location)) return {};
    const std::vector<std::string> names = ListExeFiles(location);
    if (names.size() >= kMaxExeCandidates) return {};
    for (const std::string& name : names) {
        if (ContainsText(LowerAscii(name), kSkipExeText)) continue;
        std::string version = GetFileVersionText(location + "\\" + name);
        if (!version.empty()) return version;
    }
    return {};
}

// Writes the record's fields in their fixed order. On a new element every
// WriteText (defaults written) adds its field, so adding each field directly
// gives the same element without searching the fields added so far.
void AppendRecord(xml::TXmlNode& root, const std::string& title, const std::string& publisher,
                  const std::string& version, const OnlineValues& online) {
    xml::TXmlNode* record = root.AddChild(kRecordName);
    record->AddChild(kFieldTitle)->SetText(title);
    record->AddChild(kFieldCompany)->SetText(publisher);
    record->AddChild(kFieldVersionLocal)->SetText(version);
    record->AddChild(kFieldVersionCorvanthelis)->SetText(online.corvanthelis);
    record->AddChild(kFieldVersionPublisher)->SetText(online.publisher);
    record->AddChild(kFieldVersionAll)->SetText(online.all);
    record->AddChild(kFieldVersionOld)->SetText(online.old);
    record->AddChild(kFieldStatus)->SetText("1");
}

// Reads one uninstall entry of the open view and appends its record; an
// entry that cannot be opened, has no display name or is filtered out adds
// nothing.
void ScanEntry(platform::Registry& registry, const std::string& entryName, CarryOverIndex& carryOver,
               xml::TXmlNode& root) {
    if (!registry.OpenKey(std::string(kUninstallKey) + "\\" + entryName)) return;
    std::optional<std::string> displayName;
    for (const std::string& name : registry.GetValueNames()) {
        // Upper-casing keeps the length, so only names of the same length can match.
        if (name.size() == kDisplayName.size() && platform::AnsiSameText(name, kDisplayName)) {
            displayName = name;
            break;
        }
    }
    if (!displayName) return;
    std::string title = CleanParentheses(registry.ReadString(*displayName));

    const std::string publisher = registry.ReadString(kPublisher);
    if (IsFilteredOut(title, publisher)) return;

    std::string version = registry.ReadString(kDisplayVersion);
    if (version.empty()) version = VersionFromTitle(title);
    if (version.empty()) version = VersionFromInstallDir(registry);

    if (!version.empty() && title.size() >= version.size() && title.ends_with(version))
        title = TrimText(std::string_view(title).substr(0, title.size() - version.size()));

    AppendRecord(root, title, publisher, version, carryOver.Find(title));
}

}  // namespace

int ScanLocalSoftware(platform::Registry& registry, const xml::TXmlDocument* catalogue, const std::string& versPath,
                      IScanObserver* observer) {
    xml::TXmlDocument scratch(kRootName);
    if (observer != nullptr) observer->ScanStarting();
    xml::TXmlNode& root = *scratch.RootElement();
    CarryOverIndex carryOver(catalogue);
    // The accessor's key is closed however the scan ends.
    struct KeyCloser {
        platform::Registry& registry;
        ~KeyCloser() { registry.CloseKey(); }
    } closer{registry};

    // Both halves of the machine-wide registry, 64-bit first: installers of
    // 32-bit programs register in the 32-bit view.
    bool anyView = false;
    for (const platform::TRegistryView view : registry.Views()) {
        registry.SetView(view);
        if (!registry.OpenKey(kUninstallKey)) continue;
        anyView = true;
        const std::vector<std::string> entries = registry.GetKeyNames();
        for (const std::string& entry : entries) ScanEntry(registry, entry, carryOver, root);
    }
    // Without the uninstall key there is nothing to scan; saving an empty
    // catalogue would throw away the user's known versions.
    if (!anyView) throw EScanError::UninstallKeyMissing(kUninstallKey);

    scratch.SetOutputStyle(xml::osReadable);
    scratch.SaveFile(versPath);
    return root.ChildCount();
}

}  // namespace inventory
