#pragma once

#include <string_view>

namespace service::messages {

// Plain-text bodies of the refusals; each names what was wrong.
inline constexpr std::string_view kNotFound = "Not found: this service answers /ver/get.php and /ver/put.php.";
inline constexpr std::string_view kMethodNotAllowed = "Method not allowed: only GET is served.";
inline constexpr std::string_view kBadTarget = "Bad request: the request target is not a path.";
inline constexpr std::string_view kBadEncoding = "Bad request: invalid percent-encoding.";
inline constexpr std::string_view kControlCharacter = "Bad request: a parameter holds a control character.";
inline constexpr std::string_view kTooLong = "Bad request: a parameter is too long.";
inline constexpr std::string_view kTooManyParameters = "Bad request: too many parameters.";
inline constexpr std::string_view kMissingTitle = "Bad request: the parameter title is missing or empty.";
inline constexpr std::string_view kMissingVer = "Bad request: the parameter ver is missing.";
inline constexpr std::string_view kMissingReportVer = "Bad request: the parameter ver is missing or empty.";
inline constexpr std::string_view kBadType = "Bad request: the parameter type must be 0 or 1.";
inline constexpr std::string_view kMissingVerold = "Bad request: the parameter verold is missing.";
inline constexpr std::string_view kBadVcode = "Bad request: the parameter vcode must be a decimal integer.";
inline constexpr std::string_view kWrongVcode = "Forbidden: the check code does not match the report.";
inline constexpr std::string_view kReportStored = "OK: report stored.";
inline constexpr std::string_view kReportKnown = "OK: report already known.";
inline constexpr std::string_view kReportLimit = "Too many requests: the report limit for your address is reached.";
inline constexpr std::string_view kReportMaintenance = "Service unavailable: the service is down for maintenance.";
inline constexpr std::string_view kStorageFailure = "Internal error: the storage failed.";

// Notices shown by the program (the marker is added when the reply is composed).
inline constexpr std::string_view kRateLimitNotice =
    "You have sent more version queries than this service answers per hour. Please scan again in an hour.";
inline constexpr std::string_view kMaintenanceNotice =
    "The version service is down for maintenance. Please try again later.";

}  // namespace service::messages
