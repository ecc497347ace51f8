# The parts of the HTTP client that stand on their own: HTTP dates, base64,
# the cookie store and the authentication schemes. The client links this library.
set(PELMIRA_NETEXT_DIR ${CMAKE_CURRENT_LIST_DIR})
add_library(pelmira_netext STATIC
  ${PELMIRA_NETEXT_DIR}/HttpDate.cpp
  ${PELMIRA_NETEXT_DIR}/Base64.cpp
  ${PELMIRA_NETEXT_DIR}/CookieClock.cpp
  ${PELMIRA_NETEXT_DIR}/CookieText.cpp
  ${PELMIRA_NETEXT_DIR}/NetscapeCookie.cpp
  ${PELMIRA_NETEXT_DIR}/CookieRFC2109.cpp
  ${PELMIRA_NETEXT_DIR}/CookieRFC2965.cpp
  ${PELMIRA_NETEXT_DIR}/CookieList.cpp
  ${PELMIRA_NETEXT_DIR}/Cookies.cpp
  ${PELMIRA_NETEXT_DIR}/CookieManager.cpp
  ${PELMIRA_NETEXT_DIR}/AuthenticationParams.cpp
  ${PELMIRA_NETEXT_DIR}/Authentication.cpp
  ${PELMIRA_NETEXT_DIR}/BasicAuthentication.cpp
  ${PELMIRA_NETEXT_DIR}/AuthenticationRegistry.cpp
  ${PELMIRA_NETEXT_DIR}/AuthenticationState.cpp)
target_include_directories(pelmira_netext PUBLIC ${PELMIRA_NETEXT_DIR}/include)
target_link_libraries(pelmira_netext PUBLIC pelmira_platform pelmira_options)
