#include "service/ServicePages.h"

namespace service {

namespace {

constexpr std::string_view kHome = R"(<!DOCTYPE html>
<html lang="en"><head><meta charset="windows-1252"><title>Pelmira</title></head>
<body>
<h1>Pelmira</h1>
<p>Pelmira is a small Windows program that lists the programs installed on your computer and tells you which of them have newer versions.</p>
<p>This server is a Pelmira version service: the program asks it which versions it knows for each installed title.</p>
<ul>
<li><a href="/programs/pelmira.html">Online help</a></li>
<li><a href="/feedback.php">Feedback</a></li>
</ul>
</body></html>
)";

constexpr std::string_view kHelp = R"(<!DOCTYPE html>
<html lang="en"><head><meta charset="windows-1252"><title>Pelmira help</title></head>
<body>
<h1>Pelmira help</h1>
<h2>Scan Local Software</h2>
<p>Reads the programs registered for uninstallation on this computer and lists each with its local version.</p>
<h2>Scan Versions Online</h2>
<p>Asks this service, title by title, which versions it knows: the version in the service's catalogue, the publisher's version and the newest version known from all sources. A version shown in orange is newer than yours; click it to open its download page. A scan covers the first 200 titles and can be run once an hour.</p>
<h2>Settings</h2>
<p>Choose whether your local versions may be reported to the service (they help other users learn about new versions), and set an HTTP proxy if your network needs one.</p>
<p><a href="/">Home</a> &middot; <a href="/feedback.php">Feedback</a></p>
</body></html>
)";

constexpr std::string_view kFeedback = R"(<!DOCTYPE html>
<html lang="en"><head><meta charset="windows-1252"><title>Pelmira feedback</title></head>
<body>
<h1>Feedback</h1>
<p>Found a program whose version Pelmira gets wrong, or one it does not know? Please write to the support address shown on the About page of the program, with the program's name and version as Pelmira lists them.</p>
<p><a href="/">Home</a> &middot; <a href="/programs/pelmira.html">Online help</a></p>
</body></html>
)";

}  // namespace

std::string_view StaticPage(std::string_view path) {
    if (path == "/" || path == "/index.html") return kHome;
    if (path == "/programs/pelmira.html") return kHelp;
    if (path == "/feedback.php") return kFeedback;
    return {};
}

}  // namespace service
