#include "platform/errors.h"

namespace plat {

RuntimeError::RuntimeError(int number, const QString& description)
    : std::runtime_error(("error " + QString::number(number) + ": " +
                          (description.isEmpty() ? errorDescription(number) : description))
                             .toStdString()),
      number_(number),
      description_(description.isEmpty() ? errorDescription(number) : description) {}

QString errorDescription(int number) {
    switch (number) {
    case err::kOverflow: return QStringLiteral("Overflow");
    case err::kOutOfMemory: return QStringLiteral("Out of memory");
    case err::kSubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case err::kDivisionByZero: return QStringLiteral("Division by zero");
    case err::kTypeMismatch: return QStringLiteral("Type mismatch");
    case err::kBadFileNameOrNumber: return QStringLiteral("Bad file name or number");
    case err::kFileNotFound: return QStringLiteral("File not found");
    case err::kBadFileMode: return QStringLiteral("Bad file mode");
    case err::kFileAlreadyOpen: return QStringLiteral("File already open");
    case err::kDeviceIoError: return QStringLiteral("Device I/O error");
    case err::kFileAlreadyExists: return QStringLiteral("File already exists");
    case err::kBadRecordLength: return QStringLiteral("Bad record length");
    case err::kDiskFull: return QStringLiteral("Disk full");
    case err::kInputPastEndOfFile: return QStringLiteral("Input past end of file");
    case err::kBadRecordNumber: return QStringLiteral("Bad record number");
    case err::kTooManyFiles: return QStringLiteral("Too many files");
    case err::kDeviceUnavailable: return QStringLiteral("Device unavailable");
    case err::kPermissionDenied: return QStringLiteral("Permission denied");
    case err::kDiskNotReady: return QStringLiteral("Disk not ready");
    case err::kPathFileAccessError: return QStringLiteral("Path/File access error");
    case err::kPathNotFound: return QStringLiteral("Path not found");
    case err::kInvalidPropertyValue: return QStringLiteral("Invalid property value");
    case err::kInvalidPicture: return QStringLiteral("Invalid picture");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

} // namespace plat
