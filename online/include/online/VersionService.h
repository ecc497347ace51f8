#pragma once

#include "net/NetHTTP.h"

#include <cstdint>
#include <string>
#include <string_view>

// The version service's two requests: the version query and the version
// report, each a GET on the service's host. Texts are 8-bit in the ANSI code
// page; neither request shows anything to the user.
namespace online {

// The version service's host name, as built into the program.
std::string_view ServiceHost();

// Sets a version client's defaults: cookies allowed, Accept "text/html, */*",
// no basic authentication towards the server, hoForceEncodeParams, and the
// largest reply body accepted.
void PrepareVersionClient(net::TNetHTTP& client);

// text with every byte that is not an unreserved URL character (letters,
// digits, "-", ".", "_", "~") written as "%" and two upper-case hex digits;
// a space becomes "%20".
std::string EncodeQueryValue(std::string_view text);

// The query URL for title and version, both encoded.
std::string QueryURL(std::string_view title, std::string_view version);

// "0" when no old version is known, "1" otherwise.
std::string ReportType(std::string_view oldVersion);
// The report's check text: type, title, version and old version joined by "|", unencoded.
std::string ReportCheckText(std::string_view title, std::string_view version, std::string_view oldVersion);
// The check code of a check text: the shared base value plus every byte's
// unsigned value times its 1-based position, wrapping around in 32 bits.
std::int32_t ReportCheckCode(std::string_view checkText);
// The report URL: type, encoded title, version and old version, and the check code.
std::string ReportURL(std::string_view title, std::string_view version, std::string_view oldVersion);

// Asks the service through client which versions it knows for title at
// version. Returns the trimmed reply when it holds "[VerCorvanthelis]" and is
// at least 40 characters long; "" for every other outcome (text that is not
// single-byte, a failed or aborted request, an oversized body). Never throws.
std::string QueryVersions(net::TNetHTTP& client, const std::string& title, const std::string& version);

// Reports through client that title is installed at version (formerly at
// oldVersion). Nothing is sent for text that is not single-byte, an empty
// version or one equal to oldVersion. Returns whether the request completed
// without an error; the reply is not looked at. Never throws.
bool ReportVersion(net::TNetHTTP& client, const std::string& title, const std::string& version,
                   const std::string& oldVersion);

}  // namespace online
