# Compiler settings shared by every target of the project.
add_library(pelmira_options INTERFACE)

if(MSVC)
  target_compile_options(pelmira_options INTERFACE /W4 /permissive- /utf-8)
  if(PELMIRA_WERROR)
    target_compile_options(pelmira_options INTERFACE /WX)
  endif()
else()
  target_compile_options(pelmira_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
    -Woverloaded-virtual -Wimplicit-fallthrough -Wold-style-cast)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # gcc 12 reports false -Wrestrict positives inside libstdc++'s string code.
    target_compile_options(pelmira_options INTERFACE -Wno-restrict)
  endif()
  if(PELMIRA_WERROR)
    target_compile_options(pelmira_options INTERFACE -Werror)
  endif()
endif()

if(WIN32)
  # Unicode Win32 API everywhere; program text is converted at the boundary.
  target_compile_definitions(pelmira_options INTERFACE
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  if(MINGW)
    # pelmira.exe must need no DLL beyond Windows' own.
    target_link_options(pelmira_options INTERFACE -static -static-libgcc -static-libstdc++)
  endif()
endif()

if(PELMIRA_SANITIZE)
  target_compile_options(pelmira_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(pelmira_options INTERFACE -fsanitize=address,undefined)
endif()

# pelmira_add_fuzzer(NAME SOURCES ... LIBS ...): a libFuzzer target built with
# clang, AddressSanitizer and UndefinedBehaviorSanitizer.
function(pelmira_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endfunction()

if(PELMIRA_FUZZ)
  # The libraries under test get coverage instrumentation for libFuzzer.
  target_compile_options(pelmira_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(pelmira_options INTERFACE -fsanitize=address,undefined)
endif()

# The version service the program talks to, and the base value of the check
# code its reports carry (the service checks it, so both sides must agree).
set(PELMIRA_SERVICE_HOST "versions.pelmira.net" CACHE STRING
    "Host name of the version service (also serves the home, help and feedback pages)")
set(PELMIRA_VCODE_BASE "317" CACHE STRING
    "Base value of the version report's check code: three decimal digits, shared with the service")
if(NOT PELMIRA_VCODE_BASE MATCHES "^[1-9][0-9][0-9]$")
  message(FATAL_ERROR "PELMIRA_VCODE_BASE must be three decimal digits, not '${PELMIRA_VCODE_BASE}'")
endif()
if(NOT PELMIRA_SERVICE_HOST MATCHES "^[A-Za-z0-9.-]+$")
  message(FATAL_ERROR "PELMIRA_SERVICE_HOST must be a plain host name, not '${PELMIRA_SERVICE_HOST}'")
endif()
# Targets that need either value link this and read the two macros.
add_library(pelmira_service_config INTERFACE)
target_compile_definitions(pelmira_service_config INTERFACE
  PELMIRA_SERVICE_HOST="${PELMIRA_SERVICE_HOST}" PELMIRA_VCODE_BASE=${PELMIRA_VCODE_BASE})
