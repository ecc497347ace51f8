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
