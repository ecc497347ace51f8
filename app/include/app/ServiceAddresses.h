#pragma once

#include <string>
#include <string_view>

// The addresses the program opens or asks: the version service's host (a
// build-time setting) with the pages on it, the donation page and the support
// address.
namespace app {

// The version service's host name, fixed when the program is built.
std::string_view ServiceHost();

// "http://" + host + path, for a path that starts with "/".
std::string ServiceUrl(std::string_view path);

// The product's home page, the help page and the feedback page on the service host.
std::string HomePageUrl();
std::string HelpPageUrl();
std::string FeedbackPageUrl();
// The donation page of the outside payment service.
std::string DonationPageUrl();
// The support e-mail address, and the "mailto:" link to it.
std::string_view SupportAddress();
std::string SupportMailLink();

}  // namespace app
