#pragma once

#include <string_view>

namespace service {

// The small HTML page served at path ("/", "/index.html", "/programs/pelmira.html" for the
// help, "/feedback.php" for feedback), or an empty view when there is none.
std::string_view StaticPage(std::string_view path);

}  // namespace service
