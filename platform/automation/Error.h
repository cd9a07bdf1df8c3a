#pragma once

#include <QString>
#include <cstdint>
#include <exception>
#include <string>

namespace automation {

// A failed automation call: an error number and its description, as a late-bound
// call on an automation object would raise it.
class Error : public std::exception {
public:
    Error(int32_t number, QString description);

    int32_t number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    int32_t number_;
    QString description_;
    std::string what_;
};

// Error numbers used across the object models.
namespace errors {
constexpr int32_t CannotCreateObject = 429; // no running instance / class not available
constexpr int32_t NotSupported = 438;       // object doesn't support this property or method
constexpr int32_t InvalidArgument = 5;      // invalid procedure call or argument
constexpr int32_t ObjectDeleted =
    static_cast<int32_t>(0x80040208u); // the object was deleted from the map
constexpr int32_t ItemNotFound =
    static_cast<int32_t>(0x80040201u); // no item with that index or name
constexpr int32_t FileError = 53;      // file not found or unreadable
constexpr int32_t Overflow = 6;
constexpr int32_t DivisionByZero = 11;
// the remote server machine does not exist or is unavailable: Calc closed, a database
// that stopped answering
constexpr int32_t ServerUnavailable = 462;
} // namespace errors

} // namespace automation
