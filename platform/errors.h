// Run-time errors carry the number the player sees in messages such as
// "CID ERROR 53". Procedures that trap errors catch RuntimeError.
#pragma once

#include <QString>
#include <stdexcept>

namespace plat {

namespace err {
constexpr int kOverflow = 6;
constexpr int kOutOfMemory = 7;
constexpr int kSubscriptOutOfRange = 9;
constexpr int kDivisionByZero = 11;
constexpr int kTypeMismatch = 13;
constexpr int kBadFileNameOrNumber = 52;
constexpr int kFileNotFound = 53;
constexpr int kBadFileMode = 54;
constexpr int kFileAlreadyOpen = 55;
constexpr int kDeviceIoError = 57;
constexpr int kFileAlreadyExists = 58;
constexpr int kBadRecordLength = 59;
constexpr int kDiskFull = 61;
constexpr int kInputPastEndOfFile = 62;
constexpr int kBadRecordNumber = 63;
constexpr int kTooManyFiles = 67;
constexpr int kDeviceUnavailable = 68;
constexpr int kPermissionDenied = 70;
constexpr int kDiskNotReady = 71;
constexpr int kPathFileAccessError = 75;
constexpr int kPathNotFound = 76;
constexpr int kInvalidPropertyValue = 380;
constexpr int kInvalidPicture = 481;
} // namespace err

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number, const QString& description = QString());
    int number() const { return number_; }
    QString description() const { return description_; }

private:
    int number_;
    QString description_;
};

// The runtime's own description of an error number ("Overflow", "File not found", ...).
QString errorDescription(int number);

} // namespace plat
