#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace qeb::core {

// Base of the program's own errors; what() is the text the user sees.
class QebError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that should have been a number.
class ConversionError : public QebError {
public:
    using QebError::QebError;
};

// A file that could not be created, opened, read, written or renamed.
class FileError : public QebError {
public:
    using QebError::QebError;
};

// The serial port refused an operation.
class SerialError : public QebError {
public:
    explicit SerialError(const std::string& message, std::string hint = {})
        : QebError(message), m_hint(std::move(hint)) {}
    // How the user can put it right, or empty. Kept apart from the message, which stays the
    // program's fixed text.
    const std::string& Hint() const { return m_hint; }
    // What the error box shows: the message, and the hint on a line of its own.
    std::string Shown() const {
        return m_hint.empty() ? std::string(what()) : std::string(what()) + "\n" + m_hint;
    }

private:
    std::string m_hint;
};

}  // namespace qeb::core
