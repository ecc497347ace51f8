#pragma once

#include <string_view>

// Every text the online version check shows or sends, defined once.
namespace online::messages {

// The hour lock refuses a scan.
inline constexpr std::string_view kHourLock =
    "Doing a full version scan requires much server resource. Please wait an hour to scan again.";
// The question before a scan.
inline constexpr std::string_view kScanQuestion =
    "Scan will take several minutes to finish. Are you sure you want to scan now?";
// The question's second line for more records than a scan covers: prefix, the
// number of records, suffix (after a carriage return).
inline constexpr std::string_view kScanQuestionMoreBefore = "(The first 200 software titles of your ";
inline constexpr std::string_view kScanQuestionMoreAfter = " software programs will be scanned.)";
// The status lights' hints while idle and while a scan runs.
inline constexpr std::string_view kLightIdleHint = "Not connected";
inline constexpr std::string_view kLightScanningHint = "Scanning";
// The info panel while a title is queried: prefix, number, middle, count, separator, title.
inline constexpr std::string_view kProgressBefore = "Checking ";
inline constexpr std::string_view kProgressOf = " of ";
inline constexpr std::string_view kProgressTitle = ": ";
// A local scan asked for while an online scan runs.
inline constexpr std::string_view kLocalScanRefused =
    "An online version scan is running. Stop it or wait until it ends, then scan the local software.";

// The tags and markers of a version query reply.
inline constexpr std::string_view kTagCorvanthelis = "[VerCorvanthelis]";
inline constexpr std::string_view kTagPublisher = "[VerPublisher]";
inline constexpr std::string_view kTagAll = "[VerAll]";
inline constexpr std::string_view kNoticeMarker = "[Notice:]";
// The colour text inside a value that marks a newer version.
inline constexpr std::string_view kNewerColour = "ff3300";

}  // namespace online::messages
