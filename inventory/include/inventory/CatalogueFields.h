#pragma once

#include <string_view>

// Names of the software catalogue's file, elements and fields.
namespace inventory {

// The catalogue's file name, in the folder of the program's executable.
inline constexpr std::string_view kCatalogueFileName = "vers.xml";
// The root element and the element of one record.
inline constexpr std::string_view kRootName = "Root";
inline constexpr std::string_view kRecordName = "Software";

// Record fields, in the order the local scan writes them.
inline constexpr std::string_view kFieldTitle = "Title";
inline constexpr std::string_view kFieldCompany = "Company";
inline constexpr std::string_view kFieldVersionLocal = "VersionLocal";
inline constexpr std::string_view kFieldVersionCorvanthelis = "VersionCorvanthelis";
inline constexpr std::string_view kFieldVersionPublisher = "VersionPublisher";
inline constexpr std::string_view kFieldVersionAll = "VersionAll";
inline constexpr std::string_view kFieldVersionOld = "VersionOld";
inline constexpr std::string_view kFieldStatus = "Status";

}  // namespace inventory
