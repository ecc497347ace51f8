#pragma once

#include "inventory/ScanObserver.h"

#include "platform/Registry.h"
#include "xml/XmlDocument.h"

#include <string>
#include <string_view>

namespace inventory {

// The machine's uninstall key, under HKEY_LOCAL_MACHINE.
inline constexpr std::string_view kUninstallKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Builds a fresh catalogue from the uninstall entries of every view of the
// registry (64-bit view first on 64-bit Windows), carrying the online values
// over from the first record of the same title in catalogue (may be null or
// rootless), and saves it readable to versPath. Returns the number of records
// written. Throws platform::RegistryError for a value of a wrong type or an
// unreadable one, EScanError when the uninstall key opens in no view, and the
// XML writer's errors; in every such case versPath is left as it was.
int ScanLocalSoftware(platform::Registry& registry, const xml::TXmlDocument* catalogue, const std::string& versPath,
                      IScanObserver* observer = nullptr);

}  // namespace inventory
