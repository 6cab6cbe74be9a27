#pragma once

#include <stdexcept>
#include <string>

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
    using QebError::QebError;
};

}  // namespace qeb::core
