#pragma once
// The framework's exception family. Misuse and failed file or stream work raise one of these;
// the message is the text a user or a log sees.

#include <exception>
#include <string>

namespace framework {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : m_message(std::move(message)) {}
    const std::string& Message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

// Conversions of text to numbers and dates, and Format mismatches.
class EConvertError : public Exception {
    using Exception::Exception;
};
// Index out of range, operations a list does not allow.
class EListError : public Exception {
    using Exception::Exception;
};
class EStringListError : public EListError {
    using EListError::EListError;
};
// Operating-system file errors outside streams.
class EInOutError : public Exception {
public:
    EInOutError(std::string message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
    int ErrorCode;
};
class EStreamError : public Exception {
    using Exception::Exception;
};
class EFileStreamError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFOpenError : public EFileStreamError {
    using EFileStreamError::EFileStreamError;
};
class EFCreateError : public EFileStreamError {
    using EFileStreamError::EFileStreamError;
};
class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFilerError : public EStreamError {
    using EStreamError::EStreamError;
};
class EInvalidImage : public EFilerError {
    using EFilerError::EFilerError;
};
class EClassNotFound : public EFilerError {
    using EFilerError::EFilerError;
};
// Component naming and ownership misuse.
class EComponentError : public Exception {
    using Exception::Exception;
};
// Published-property access by name: unknown, read-only, or a value of the wrong kind.
class EPropertyError : public Exception {
    using Exception::Exception;
};
class EPropertyConvertError : public Exception {
    using Exception::Exception;
};
class EInvalidOperation : public Exception {
    using Exception::Exception;
};
class EInvalidPointer : public Exception {
    using Exception::Exception;
};
class EInvalidGraphic : public Exception {
    using Exception::Exception;
};
class EInvalidGraphicOperation : public Exception {
    using Exception::Exception;
};
// A resource of that name is not in the program.
class EResNotFound : public Exception {
    using Exception::Exception;
};
class EOutOfResources : public Exception {
    using Exception::Exception;
};
class EIniFileException : public Exception {
    using Exception::Exception;
};
class EEncodingError : public Exception {
    using Exception::Exception;
};
// Floating-point work without a valid result, such as rounding a value beyond the integer range.
class EMathError : public Exception {
    using Exception::Exception;
};
class EInvalidOp : public EMathError {
    using EMathError::EMathError;
};
class EZeroDivide : public EMathError {
    using EMathError::EMathError;
};

}  // namespace framework
