#include "net/Authentication.h"

namespace net {

void TAuthentication::SetPassword(const std::string& password) { m_params.SetValue("Password", password); }

void TAuthentication::SetUsername(const std::string& username) { m_params.SetValue("Username", username); }

}  // namespace net
