#pragma once

#include "service/StorageRecords.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace service {

// Counts of one import.
struct TImportStats {
    std::int64_t Folders = 0;    // folders that held manifests
    std::int64_t Manifests = 0;  // manifest files read
    std::int64_t Skipped = 0;    // manifest files or folders skipped as broken
};

// Reads a tree of package manifests in the public winget-pkgs layout (one folder per package
// version holding a version, an installer and locale manifests, or one singleton manifest)
// and keeps, per package, the newest version. Folders are read one at a time, so trees of
// any size stream through; a broken manifest or folder is skipped with one log line.
// From the manifests: PackageIdentifier, PackageVersion, PackageName, Publisher, PackageUrl,
// PublisherUrl, ShortDescription (the note) and InstallerUrl, and the DisplayName, Publisher
// and DisplayVersion of every AppsAndFeaturesEntries item (at the top of the installer
// manifest or per installer).
class TManifestImporter {
public:
    // log receives progress and skip lines (without line end); may be empty.
    explicit TManifestImporter(std::function<void(const std::string&)> log = {});

    // Reads every manifest under root. Throws std::filesystem::filesystem_error when root
    // cannot be listed.
    void ImportTree(const std::filesystem::path& root);
    // The newest version of every package read so far, ordered by PackageId.
    std::vector<TProduct> Products() const;
    // Counts of what was read.
    const TImportStats& Stats() const { return m_stats; }

private:
    void ImportFolder(const std::filesystem::path& folder, const std::vector<std::filesystem::path>& files);
    void Log(const std::string& line) const;

    std::function<void(const std::string&)> m_log;
    std::map<std::string, TProduct> m_products;
    TImportStats m_stats;
};

}  // namespace service
