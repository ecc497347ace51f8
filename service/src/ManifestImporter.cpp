#include "service/ManifestImporter.h"

#include "service/VersionOrder.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>

namespace service {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxNote = 200;
constexpr std::int64_t kProgressEvery = 1000;

// A scalar field as text; empty when absent or not a scalar.
std::string Scalar(const YAML::Node& map, const char* key) {
    const YAML::Node n = map[key];
    if (!n || !n.IsScalar()) return {};
    std::string s = n.Scalar();
    // Keep every value on one line with single blanks.
    std::string out;
    bool blank = false;
    for (char c : s) {
        if (static_cast<unsigned char>(c) <= 32) {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

void AddUnique(std::vector<std::string>& list, const std::string& value) {
    if (!value.empty() && std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

// What one folder's manifests say about one package version.
struct TFolderData {
    std::string Id, Version, Name, Publisher, PackageUrl, PublisherUrl, Note, InstallerUrl, EntryPublisher;
    std::vector<std::string> DisplayNames, DisplayVersions;
    bool HasLocale = false;
};

void ReadEntries(const YAML::Node& entries, TFolderData& d) {
    if (!entries || !entries.IsSequence()) return;
    for (const auto& e : entries) {
        if (!e.IsMap()) continue;
        AddUnique(d.DisplayNames, Scalar(e, "DisplayName"));
        AddUnique(d.DisplayVersions, Scalar(e, "DisplayVersion"));
        if (d.EntryPublisher.empty()) d.EntryPublisher = Scalar(e, "Publisher");
    }
}

void ReadInstallerPart(const YAML::Node& doc, TFolderData& d) {
    ReadEntries(doc["AppsAndFeaturesEntries"], d);
    if (d.InstallerUrl.empty()) d.InstallerUrl = Scalar(doc, "InstallerUrl");
    const YAML::Node installers = doc["Installers"];
    if (!installers || !installers.IsSequence()) return;
    for (const auto& i : installers) {
        if (!i.IsMap()) continue;
        ReadEntries(i["AppsAndFeaturesEntries"], d);
        if (d.InstallerUrl.empty()) d.InstallerUrl = Scalar(i, "InstallerUrl");
    }
}

void ReadLocalePart(const YAML::Node& doc, TFolderData& d) {
    d.HasLocale = true;
    d.Name = Scalar(doc, "PackageName");
    d.Publisher = Scalar(doc, "Publisher");
    d.PackageUrl = Scalar(doc, "PackageUrl");
    d.PublisherUrl = Scalar(doc, "PublisherUrl");
    d.Note = Scalar(doc, "ShortDescription");
    if (d.Note.size() > kMaxNote) d.Note.resize(kMaxNote);
}

}  // namespace

TManifestImporter::TManifestImporter(std::function<void(const std::string&)> log) : m_log(std::move(log)) {}

void TManifestImporter::Log(const std::string& line) const {
    if (m_log) m_log(line);
}

void TManifestImporter::ImportTree(const fs::path& root) {
    // Depth first with an explicit stack, folders in name order, symbolic links not followed.
    std::vector<fs::path> pending{root};
    if (!fs::is_directory(root))
        throw fs::filesystem_error("not a folder", root, std::make_error_code(std::errc::not_a_directory));
    while (!pending.empty()) {
        fs::path folder = std::move(pending.back());
        pending.pop_back();
        std::vector<fs::path> files, folders;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const auto& entry = *it;
            if (entry.is_symlink()) continue;
            if (entry.is_directory())
                folders.push_back(entry.path());
            else if (entry.is_regular_file() && entry.path().extension() == ".yaml")
                files.push_back(entry.path());
        }
        if (ec) {
            ++m_stats.Skipped;
            Log("skipped " + folder.string() + ": " + ec.message());
            continue;
        }
        std::sort(files.begin(), files.end());
        std::sort(folders.begin(), folders.end(), std::greater<>());
        if (!files.empty()) ImportFolder(folder, files);
        for (auto& f : folders) pending.push_back(std::move(f));
    }
}

void TManifestImporter::ImportFolder(const fs::path& folder, const std::vector<fs::path>& files) {
    ++m_stats.Folders;
    TFolderData d;
    for (const auto& file : files) {
        ++m_stats.Manifests;
        try {
            YAML::Node doc = YAML::LoadFile(file.string());
            if (!doc.IsMap()) throw YAML::Exception(YAML::Mark::null_mark(), "not a mapping");
            std::string type = Scalar(doc, "ManifestType");
            std::string id = Scalar(doc, "PackageIdentifier");
            std::string version = Scalar(doc, "PackageVersion");
            if (id.empty() || version.empty())
                throw YAML::Exception(YAML::Mark::null_mark(), "no PackageIdentifier or PackageVersion");
            if (d.Id.empty()) {
                d.Id = id;
                d.Version = version;
            } else if (d.Id != id || d.Version != version) {
                throw YAML::Exception(YAML::Mark::null_mark(), "another package than the rest of its folder");
            }
            if (type == "installer") {
                ReadInstallerPart(doc, d);
            } else if (type == "defaultLocale") {
                ReadLocalePart(doc, d);
            } else if (type == "singleton" || type == "merged") {
                ReadInstallerPart(doc, d);
                ReadLocalePart(doc, d);
            }
            // "version" and other-locale manifests add nothing the catalogue keeps.
        } catch (const YAML::Exception& e) {
            ++m_stats.Skipped;
            Log("skipped " + file.string() + ": " + e.what());
        }
    }
    if (m_stats.Folders % kProgressEvery == 0)
        Log("read " + std::to_string(m_stats.Folders) + " folders, " + std::to_string(m_stats.Manifests) +
            " manifests, " + std::to_string(m_products.size()) + " packages");
    if (d.Id.empty()) return;
    if (!d.HasLocale || d.Name.empty()) {
        ++m_stats.Skipped;
        Log("skipped " + folder.string() + ": no default-locale manifest with a PackageName");
        return;
    }
    auto it = m_products.find(d.Id);
    if (it != m_products.end() && CompareVersions(d.Version, it->second.Version) <= 0) return;
    TProduct p;
    p.PackageId = d.Id;
    p.Name = d.Name;
    p.Publisher = d.EntryPublisher.empty() ? d.Publisher : d.EntryPublisher;
    p.DisplayNames = d.DisplayNames;
    p.Version = d.Version;
    p.DisplayVersions = d.DisplayVersions;
    p.DownloadPage = !d.PackageUrl.empty() ? d.PackageUrl : !d.PublisherUrl.empty() ? d.PublisherUrl : d.InstallerUrl;
    p.PublisherPage = !d.PublisherUrl.empty() ? d.PublisherUrl : d.PackageUrl;
    p.Note = d.Note;
    m_products[d.Id] = std::move(p);
}

std::vector<TProduct> TManifestImporter::Products() const {
    std::vector<TProduct> out;
    out.reserve(m_products.size());
    for (const auto& [id, p] : m_products) out.push_back(p);
    return out;
}

}  // namespace service
