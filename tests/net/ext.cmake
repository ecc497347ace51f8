# Tests of the cookie store, HTTP dates, base64 and the authentication schemes.
pelmira_add_test(netext_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/HttpDateTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Base64Test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CookieParseTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CookieStoreTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AuthenticationTest.cpp
  LIBS pelmira_netext)
