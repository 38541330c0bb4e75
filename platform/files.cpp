#include "platform/files.h"

#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

// Bytes 0x80..0x9F; the five unassigned ones keep their own value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeChar(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
    for (int k = 0; k < 32; ++k)
        if (kHigh[k] == u) return static_cast<char>(0x80 + k);
    return '?';
}

std::optional<WriteFault> g_fault;
std::optional<ReadFault> g_readFault;
std::function<bool(const QString&)> g_writableProbe;

QByteArray nativePath(const QString& path) { return QFile::encodeName(path); }

[[noreturn]] void fail(int savedErrno, const QString& path) {
    throw RuntimeError(runtimeErrorForErrno(savedErrno, path));
}

bool parentExists(const QString& path) {
    const QFileInfo fi(path);
    return QFileInfo(fi.absolutePath()).isDir();
}

// write() of all bytes, honouring the injected fault.
bool writeAll(int fd, const QByteArray& bytes, int* savedErrno) {
    qint64 done = 0;
    const qint64 total = bytes.size();
    while (done < total) {
        qint64 chunk = total - done;
        if (g_fault) {
            const qint64 allowed = g_fault->afterBytes - done;
            if (allowed <= 0) {
                *savedErrno = g_fault->errnoValue;
                return false;
            }
            chunk = std::min(chunk, allowed);
        }
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(chunk));
        if (n < 0) {
            if (errno == EINTR) continue;
            *savedErrno = errno;
            return false;
        }
        done += n;
    }
    return true;
}

// Creates a file of a new name, stem + a random part + ".tmp", for writing
// only. Returns its descriptor, or -1 with errno set; a name that exists
// already is tried again with another random part, up to 100 times.
int createUnique(const QString& stem, mode_t mode, QByteArray* name) {
    for (int attempt = 0;; ++attempt) {
        *name = nativePath(stem + QString::number(QRandomGenerator::global()->generate(), 36) +
                           QStringLiteral(".tmp"));
        const int fd = ::open(name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST || attempt >= 100) return fd;
    }
}

} // namespace

// ---- Windows-1252 -----------------------------------------------------------

QByteArray toCp1252(const QString& text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) out[i] = encodeChar(text[i].unicode());
    return out;
}

QString fromCp1252(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : static_cast<char16_t>(b));
    }
    return out;
}

// ---- Error numbers ------------------------------------------------------------

int runtimeErrorForErrno(int savedErrno, const QString& path) {
    switch (savedErrno) {
    case 0: return 0;
    case ENOENT:
        return !path.isEmpty() && !parentExists(path) ? err::kPathNotFound : err::kFileNotFound;
    case ENOTDIR:
    case ELOOP: return err::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return err::kPathFileAccessError;
    case EBUSY:
    case ETXTBSY: return err::kPermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return err::kDiskFull;
    case EIO: return err::kDeviceIoError;
    case EEXIST: return err::kFileAlreadyExists;
    case EMFILE:
    case ENFILE: return err::kTooManyFiles;
    case ENAMETOOLONG:
    case EINVAL: return err::kBadFileNameOrNumber;
    case ENXIO:
    case ENODEV: return err::kDeviceUnavailable;
    case ENOMEM: return err::kOutOfMemory;
    default: return err::kPathFileAccessError;
    }
}

int runtimeErrorFor(QFileDevice::FileError error, int savedErrno, const QString& path) {
    if (error == QFileDevice::NoError) return 0;
    if (savedErrno != 0) return runtimeErrorForErrno(savedErrno, path);
    switch (error) {
    case QFileDevice::ResourceError:
    case QFileDevice::ResizeError: return err::kDiskFull;
    case QFileDevice::PermissionsError: return err::kPermissionDenied;
    case QFileDevice::OpenError:
    case QFileDevice::AbortError:
    case QFileDevice::RemoveError:
    case QFileDevice::RenameError: return err::kPathFileAccessError;
    default: return err::kDeviceIoError;
    }
}

// ---- Whole files ------------------------------------------------------------

QByteArray readFile(const QString& path, qint64 maxBytes) {
    if (path.isEmpty()) throw RuntimeError(err::kBadFileNameOrNumber);
    if (g_readFault && QDir::cleanPath(g_readFault->path) == QDir::cleanPath(path)) fail(g_readFault->errnoValue, path);
    // Without waiting: a FIFO opened for reading would hold the program until
    // some writer came along.
    const int fd = ::open(nativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) fail(errno, path);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > maxBytes) {
        const int e = errno;
        const bool refused = e == 0 || !S_ISREG(st.st_mode) || st.st_size > maxBytes;
        ::close(fd);
        if (refused) throw RuntimeError(err::kPathFileAccessError);
        fail(e, path);
    }
    QByteArray out;
    if (st.st_size > 0) out.reserve(static_cast<qsizetype>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            fail(e, path);
        }
        if (n == 0) break;
        out.append(buf, n);
        // The file grew while it was read: still bounded.
        if (out.size() > maxBytes) {
            ::close(fd);
            throw RuntimeError(err::kPathFileAccessError);
        }
    }
    ::close(fd);
    return out;
}

namespace {
template <typename Text, typename Out>
Out splitAtLineEnds(const Text& text) {
    Out lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = text[i];
        if (c == '\n' || c == '\r') {
            lines << text.mid(start, i - start);
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < n) lines << text.mid(start);
    return lines;
}
} // namespace

QStringList splitLines(const QString& text) { return splitAtLineEnds<QString, QStringList>(text); }

QList<QByteArray> splitLines(const QByteArray& bytes) {
    return splitAtLineEnds<QByteArray, QList<QByteArray>>(bytes);
}

QStringList readLines(const QString& path, qint64 maxBytes) {
    return splitLines(fromCp1252(readFile(path, maxBytes)));
}

namespace {

// What stands at a path about to be written: nothing, a regular file (with its
// mode), or a symbolic link (never followed). A folder, a read-only file or
// anything else fails here.
struct Existing {
    bool exists = false;
    bool link = false;
    mode_t mode = 0;
    off_t size = 0;
};

Existing checkWritable(const QString& path) {
    Existing ex;
    struct stat st {};
    if (::lstat(nativePath(path).constData(), &st) != 0) {
        if (errno == ENOENT) return ex;
        fail(errno, path);
    }
    ex.exists = true;
    if (S_ISLNK(st.st_mode)) {
        ex.link = true;
        return ex;
    }
    if (S_ISDIR(st.st_mode)) fail(EISDIR, path);
    // A file nobody may write (the player made it read-only) is left alone,
    // even by a user the system would let through.
    if (S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0) fail(EACCES, path);
    if (S_ISREG(st.st_mode) && ::access(nativePath(path).constData(), W_OK) != 0) fail(errno, path);
    ex.mode = st.st_mode;
    ex.size = st.st_size;
    return ex;
}

// The file a symbolic link stands for, through any chain of links, when it is
// a regular file: writes go there, so the link and the files it joins stay as
// they are. A dangling link or one to anything else (a folder, a device) is
// refused (75); a loop of links fails like a missing path (76).
QString linkedFile(const QString& link) {
    char* resolved = ::realpath(nativePath(link).constData(), nullptr);
    if (!resolved) {
        const int e = errno;
        if (e == ENOENT) throw RuntimeError(err::kPathFileAccessError);
        fail(e, link);
    }
    const QString target = QFile::decodeName(QByteArray(resolved));
    ::free(resolved);
    struct stat st {};
    if (::stat(nativePath(target).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        throw RuntimeError(err::kPathFileAccessError);
    return target;
}

void syncFolder(const QString& folder) {
    const int dirFd = ::open(nativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

} // namespace

void writeFile(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) throw RuntimeError(err::kBadFileNameOrNumber);
    const Existing old = checkWritable(path);
    // Written through to the linked file: beside it and renamed over it.
    if (old.link) return writeFile(linkedFile(path), bytes);
    const QByteArray nativeTarget = nativePath(path);

    const QFileInfo fi(path);
    const QString folder = fi.absolutePath() + u'/';
    QByteArray tempName;
    const int fd = createUnique(folder + u'.' + fi.fileName() + u'.', 0666, &tempName);
    if (fd < 0) {
        const int e = errno;
        // The folder is what is missing when the temporary file cannot be made.
        throw RuntimeError(e == ENOENT ? err::kPathNotFound : runtimeErrorForErrno(e, path));
    }

    int e = 0;
    bool ok = writeAll(fd, bytes, &e);
    // A regular file keeps its permissions; a new file, or one replacing a
    // link or a special file, gets the ordinary ones.
    if (ok && old.exists && S_ISREG(old.mode) && ::fchmod(fd, old.mode & 07777) != 0) ok = (e = errno, false);
    if (ok && ::fsync(fd) != 0) ok = (e = errno, false);
    if (::close(fd) != 0 && ok) ok = (e = errno, false);
    if (ok && ::rename(tempName.constData(), nativeTarget.constData()) != 0) ok = (e = errno, false);
    if (!ok) {
        ::unlink(tempName.constData());
        fail(e, path);
    }
    // Make the rename itself durable; a failure here loses nothing.
    syncFolder(folder);
}

namespace {
QByteArray encodeLines(const QStringList& lines) {
    QByteArray out;
    for (const QString& l : lines) {
        out += toCp1252(l);
        out += "\r\n";
    }
    return out;
}
} // namespace

void writeLines(const QString& path, const QStringList& lines) { writeFile(path, encodeLines(lines)); }

void appendLines(const QString& path, const QStringList& lines) {
    if (path.isEmpty()) throw RuntimeError(err::kBadFileNameOrNumber);
    const Existing old = checkWritable(path);
    // Added to the linked file itself; the link stays.
    if (old.link) return appendLines(linkedFile(path), lines);
    if (old.exists && !S_ISREG(old.mode)) throw RuntimeError(err::kPathFileAccessError);

    const int fd = ::open(nativePath(path).constData(),
                          O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) fail(errno, path);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int e = errno;
        ::close(fd);
        if (e != 0 && S_ISREG(st.st_mode)) fail(e, path);
        throw RuntimeError(err::kPathFileAccessError);
    }
    QByteArray bytes;
    if (st.st_size > 0) {
        char last = 0;
        if (::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n' && last != '\r') bytes = "\r\n";
    }
    bytes += encodeLines(lines);
    int e = 0;
    bool ok = writeAll(fd, bytes, &e);
    if (ok && ::fsync(fd) != 0) ok = (e = errno, false);
    if (!ok && ::ftruncate(fd, st.st_size) != 0) {
        // Nothing more to do: the reader skips a cut last line.
    }
    if (::close(fd) != 0 && ok) ok = (e = errno, false);
    if (!ok) fail(e, path);
}

void copyFile(const QString& from, const QString& to) { writeFile(to, readFile(from)); }

void removeFile(const QString& path) {
    if (::unlink(nativePath(path).constData()) != 0) fail(errno, path);
}

namespace {
QString backupName(const QString& path, int k) {
    return path + (k == 1 ? QStringLiteral(".bak") : QStringLiteral(".bak") + QString::number(k));
}

// Frees the ".bak" name: each older copy moves one place on, the oldest goes.
QString shiftBackups(const QString& path) {
    ::unlink(nativePath(backupName(path, kBackupCopies)).constData());
    for (int k = kBackupCopies - 1; k >= 1; --k) {
        const QByteArray from = nativePath(backupName(path, k));
        struct stat st {};
        if (::lstat(from.constData(), &st) == 0) ::rename(from.constData(), nativePath(backupName(path, k + 1)).constData());
    }
    return backupName(path, 1);
}
} // namespace

QString moveAside(const QString& path) {
    const QString bak = shiftBackups(path);
    if (::rename(nativePath(path).constData(), nativePath(bak).constData()) != 0) fail(errno, path);
    return bak;
}

QString copyAside(const QString& path) {
    const QByteArray bytes = readFile(path);
    const QString bak = shiftBackups(path);
    writeFile(bak, bytes);
    return bak;
}

namespace {
// Whether the text is a random part as createUnique() spells it: a 32-bit
// number in base 36, lower case, without leading zeros.
bool isRandomPart(const QString& part) {
    if (part.isEmpty() || part.size() > 7 || (part.size() > 1 && part[0] == u'0')) return false;
    for (const QChar c : part)
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z'))) return false;
    bool ok = false;
    const qulonglong value = part.toULongLong(&ok, 36);
    return ok && value <= 0xFFFFFFFFull;
}
} // namespace

bool isOwnTemporaryName(const QString& name, const QStringList& ownNames) {
    // "." + the written file's name + "." + the random part + ".tmp".
    if (!name.startsWith(u'.') || !name.endsWith(QStringLiteral(".tmp"))) return false;
    const QString inner = name.mid(1, name.size() - 5);
    const qsizetype dot = inner.lastIndexOf(u'.');
    if (dot <= 0 || !isRandomPart(inner.mid(dot + 1))) return false;
    const QString written = inner.left(dot);
    if (written == QStringLiteral("probe")) return true;
    for (const QString& pattern : ownNames) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(written).hasMatch()) return true;
    }
    return false;
}

int removeStaleTemporaries(const QString& folder, const QStringList& ownNames, int maxAgeSeconds) {
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QDateTime limit = QDateTime::currentDateTimeUtc().addSecs(-maxAgeSeconds);
    int removed = 0;
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& fi : entries) {
        if (fi.isSymLink() || !fi.isFile() || !isOwnTemporaryName(fi.fileName(), ownNames)) continue;
        if (fi.lastModified().toUTC() >= limit) continue;
        if (::unlink(nativePath(fi.absoluteFilePath()).constData()) == 0) ++removed;
    }
    return removed;
}

void createFolder(const QString& path) {
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/')) p.chop(1);
    if (::mkdir(nativePath(p).constData(), 0777) != 0) {
        const int e = errno;
        throw RuntimeError(e == EEXIST ? err::kPathFileAccessError
                           : e == ENOENT ? err::kPathNotFound
                                         : runtimeErrorForErrno(e, p));
    }
}

// ---- Quoted lines -------------------------------------------------------------

QString quoteField(const QString& text) { return u'"' + text + u'"'; }

QString unquoteLine(const QString& line) {
    qsizetype i = 0;
    while (i < line.size() && (line[i] == u' ' || line[i] == u'\t')) ++i;
    if (i < line.size() && line[i] == u'"') {
        const qsizetype last = line.lastIndexOf(u'"');
        return last > i ? line.mid(i + 1, last - i - 1) : line.mid(i + 1);
    }
    const qsizetype comma = line.indexOf(u',', i);
    return line.mid(i, comma < 0 ? -1 : comma - i).trimmed();
}

QStringList splitFields(const QString& line) {
    QStringList fields;
    QString current;
    bool inQuotes = false;
    bool quoted = false;
    auto finish = [&] {
        fields << (quoted ? current : current.trimmed());
        current.clear();
        quoted = false;
    };
    for (const QChar c : line) {
        if (inQuotes) {
            if (c == u'"') inQuotes = false;
            else current += c;
        } else if (c == u'"') {
            // A quote opens a field only at its start; text before it is blanks.
            if (current.trimmed().isEmpty() && !quoted) {
                current.clear();
                inQuotes = true;
                quoted = true;
            } else {
                current += c;
            }
        } else if (c == u',') {
            finish();
        } else if (!quoted) {
            current += c; // text after a closing quote is dropped
        }
    }
    finish();
    return fields;
}

// ---- Fixed-length records -----------------------------------------------------

namespace {
void checkRecordArgs(int recordLength, int n) {
    if (recordLength < 1) throw RuntimeError(err::kBadRecordLength);
    if (n < 1) throw RuntimeError(err::kBadRecordNumber);
}
} // namespace

QString padRecord(const QString& text, int length) {
    if (length <= 0) return QString();
    return text.size() >= length ? text.left(length) : text + QString(length - text.size(), u' ');
}

int recordCount(const QString& path, int recordLength) {
    checkRecordArgs(recordLength, 1);
    const qint64 size = readFile(path).size();
    return static_cast<int>((size + recordLength - 1) / recordLength);
}

QString readRecord(const QString& path, int recordLength, int n) {
    checkRecordArgs(recordLength, n);
    const QByteArray data = readFile(path);
    const qint64 offset = static_cast<qint64>(n - 1) * recordLength;
    if (offset >= data.size()) return QString();
    return padRecord(fromCp1252(data.mid(offset, recordLength)), recordLength);
}

QStringList readRecords(const QString& path, int recordLength) {
    checkRecordArgs(recordLength, 1);
    const QByteArray data = readFile(path);
    QStringList out;
    for (qint64 offset = 0; offset < data.size(); offset += recordLength)
        out << padRecord(fromCp1252(data.mid(offset, recordLength)), recordLength);
    return out;
}

void writeRecord(const QString& path, int recordLength, int n, const QString& record) {
    checkRecordArgs(recordLength, n);
    QByteArray data;
    if (QFileInfo::exists(path)) data = readFile(path);
    const qint64 count = (data.size() + recordLength - 1) / recordLength;
    if (n > count + 1) throw RuntimeError(err::kBadRecordNumber);
    const qint64 offset = static_cast<qint64>(n - 1) * recordLength;
    if (data.size() < offset) data.append(offset - data.size(), ' ');
    const QByteArray bytes = toCp1252(padRecord(record, recordLength));
    data.replace(offset, std::min<qint64>(recordLength, data.size() - offset), bytes);
    writeFile(path, data);
}

// ---- Names --------------------------------------------------------------------

QString asFolder(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/')) return folder;
    return folder + u'/';
}

namespace {

QString folded(const QString& s) {
    QString out = s;
    for (QChar& c : out) {
        if (c.unicode() < 0x80) {
            if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 0x20);
        } else {
            c = c.toLower();
        }
    }
    return out;
}

// The entry of dir matching part without regard to case; empty when none.
QString matchEntry(const QString& dir, const QString& part) {
    if (QFileInfo::exists(dir + part)) return part;
    const QString key = folded(part);
    const QStringList entries = QDir(dir.isEmpty() ? QStringLiteral(".") : dir)
                                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                               QDir::Name);
    for (const QString& e : entries)
        if (e.size() == part.size() && folded(e) == key) return e;
    return QString();
}

} // namespace

QString findFileCaseInsensitive(const QString& folder, const QString& name) {
    QString current = asFolder(folder);
    const QStringList parts = QString(name).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
    bool found = true;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (found) {
            const QString hit = matchEntry(current, parts[i]);
            found = !hit.isEmpty();
            current += found ? hit : parts[i];
        } else {
            current += parts[i];
        }
        if (i + 1 < parts.size()) current += u'/';
    }
    return current;
}

bool fileExists(const QString& folder, const QString& name) {
    const QFileInfo fi(findFileCaseInsensitive(folder, name));
    return fi.exists() && !fi.isDir();
}

bool folderExists(const QString& path) { return QFileInfo(path).isDir(); }

// ---- Writability --------------------------------------------------------------

bool folderIsWritable(const QString& folder) {
    if (g_writableProbe) return g_writableProbe(folder);
    const QString dir = asFolder(folder.isEmpty() ? QStringLiteral(".") : folder);
    QByteArray probe;
    const int fd = createUnique(dir + QStringLiteral(".probe."), 0600, &probe);
    if (fd < 0) return false;
    const bool wrote = ::write(fd, "x", 1) == 1;
    const bool closed = ::close(fd) == 0;
    const bool removed = ::unlink(probe.constData()) == 0;
    return wrote && closed && removed;
}

void setFolderWritableOverrideForTests(std::function<bool(const QString& folder)> probe) {
    g_writableProbe = std::move(probe);
}

void setWriteFaultForTests(std::optional<WriteFault> fault) { g_fault = fault; }

void setReadFaultForTests(std::optional<ReadFault> fault) { g_readFault = std::move(fault); }

} // namespace plat
