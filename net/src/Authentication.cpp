#include "net/Authentication.h"

namespace net {

void TNetAuthentication::SetPassword(const std::string& password) { m_params.SetValue("Password", password); }

void TNetAuthentication::SetUsername(const std::string& username) { m_params.SetValue("Username", username); }

}  // namespace net
