#include "app/ServiceAddresses.h"

#ifndef PELMIRA_SERVICE_HOST
#error "PELMIRA_SERVICE_HOST comes from the pelmira_service_config target"
#endif

namespace app {

namespace {

constexpr std::string_view kHelpPath = "/programs/pelmira.html";
constexpr std::string_view kFeedbackPath = "/feedback.php";
constexpr std::string_view kDonationPage = "https://liberapay.com/Pelmira/donate";
constexpr std::string_view kSupportAddress = "support@pelmira.net";

}  // namespace

std::string_view ServiceHost() { return PELMIRA_SERVICE_HOST; }

std::string ServiceUrl(std::string_view path) {
    std::string url = "http://";
    url += ServiceHost();
    url += path;
    return url;
}

std::string HomePageUrl() { return ServiceUrl("/"); }
std::string HelpPageUrl() { return ServiceUrl(kHelpPath); }
std::string FeedbackPageUrl() { return ServiceUrl(kFeedbackPath); }
std::string DonationPageUrl() { return std::string(kDonationPage); }
std::string_view SupportAddress() { return kSupportAddress; }
std::string SupportMailLink() { return "mailto:" + std::string(kSupportAddress); }

}  // namespace app
