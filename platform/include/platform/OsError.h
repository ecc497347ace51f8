#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// A failed operating-system call. what() is the system's own error text
// (FormatMessage on Windows, strerror elsewhere), without a trailing period
// removed or added; Code() is the native error number.
class OsError : public std::runtime_error {
public:
    OsError(int code, const std::string& text) : std::runtime_error(text), m_code(code) {}
    int Code() const noexcept { return m_code; }

private:
    int m_code;
};

// The system's text for the most recent failed call on this thread.
std::string LastErrorText();
// The system's text for a given native error number.
std::string ErrorText(int code);
// The most recent native error number on this thread.
int LastErrorCode();

}  // namespace platform
