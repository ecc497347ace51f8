#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace service {

namespace limits {
inline constexpr std::size_t kMaxTitleBytes = 256;    // decoded title, in bytes
inline constexpr std::size_t kMaxValueBytes = 128;    // any other decoded value, in bytes
inline constexpr std::size_t kMaxParameters = 16;     // parameters per query string
inline constexpr std::size_t kMaxTargetBytes = 4096;  // the whole request target
}  // namespace limits

// A request target cut into its decoded path and query parameters. Values are the bytes
// the client sent (Windows-1252 for the program), percent-decoded; "+" stays "+".
struct TServiceRequest {
    std::string Path;
    std::vector<std::pair<std::string, std::string>> Params;

    // The first value of key, or nullptr.
    const std::string* Find(std::string_view key) const;
};

// Why a target was refused: an HTTP status and the body text.
struct TRequestError {
    int Status = 400;
    std::string_view Message;
};

// Parses an origin-form ("/ver/get.php?...") or absolute-form ("http://host/ver/get.php?...")
// target. The program sends titles unescaped, so a query segment that does not start with
// one of the path's own keys ("title", "ver", ...) followed by "=" belongs to the value before
// it and is joined back with "&" ("title=AT&T Tools" keeps its title). Returns false with
// error filled for a target that is not a path, invalid percent-encoding, a control character
// in a value, too many parameters or an overlong value.
bool ParseServiceTarget(std::string_view target, TServiceRequest& request, TRequestError& error);

}  // namespace service
