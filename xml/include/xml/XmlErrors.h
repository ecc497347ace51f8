#pragma once

#include <exception>
#include <string>

// Errors of the XML subsystem. what() is the exact text the user sees.
namespace xml {

// A failure carrying a message; also thrown itself for a bad node name.
class EGeneralError : public std::exception {
public:
    explicit EGeneralError(std::string message) : m_message(std::move(message)) {}
    // The user-visible message.
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

// A structural fault of a document being read or written.
class EXmlError : public EGeneralError {
public:
    using EGeneralError::EGeneralError;
};

// An unsupported encoding or a stream that did not take all bytes.
class EXmlStreamError : public EGeneralError {
public:
    using EGeneralError::EGeneralError;
};

// A file that could not be created (or put in place of the previous one).
class EFCreateError : public EGeneralError {
public:
    using EGeneralError::EGeneralError;
};

// A file that could not be opened for reading.
class EFOpenError : public EGeneralError {
public:
    using EGeneralError::EGeneralError;
};

}  // namespace xml
