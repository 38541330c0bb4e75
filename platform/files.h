// The program's files: Windows-1252 text with CR LF line ends on disk,
// QString in memory. Every write replaces the file through a temporary file
// in the same folder and a rename, so a write that fails leaves the previous
// file exactly as it was. Failures throw RuntimeError with the runtime's
// error number (table at runtimeErrorForErrno()).
//
// Paths use '/'; folder arguments end with '/' (one is added when missing).
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace plat {

// ---- Windows-1252 -----------------------------------------------------------

// Every UTF-16 unit becomes exactly one byte, so texts keep their length:
// characters outside the code page (surrogate halves included) become '?'.
// U+0081, U+008D, U+008F, U+0090 and U+009D, which the code page leaves
// unassigned, stand for the bytes of the same value.
QByteArray toCp1252(const QString& text);
QString fromCp1252(const QByteArray& bytes);

// ---- Error numbers ------------------------------------------------------------

// The runtime error number for a failed system call:
//   ENOENT                   53 file not found, or 76 path not found when the
//                            folder of `path` is missing too (53 without a path)
//   ENOTDIR, ELOOP           76 path not found
//   EACCES, EPERM, EROFS,
//   EISDIR                   75 path/file access error
//   EBUSY, ETXTBSY           70 permission denied (in use)
//   ENOSPC, EDQUOT, EFBIG    61 disk full
//   EIO                      57 device I/O error
//   EEXIST                   58 file already exists
//   EMFILE, ENFILE           67 too many files
//   ENAMETOOLONG, EINVAL     52 bad file name or number
//   ENXIO, ENODEV            68 device unavailable
//   ENOMEM                    7 out of memory
//   anything else            75 path/file access error
int runtimeErrorForErrno(int savedErrno, const QString& path = QString());
// The same for a Qt file operation: the errno saved right after the failing
// call decides when it is known (not 0); otherwise the error kind does:
// ResourceError and ResizeError 61; PermissionsError 70; OpenError,
// AbortError, RemoveError and RenameError 75; read, write, fatal, time-out,
// position, copy and unspecified errors 57; NoError 0.
int runtimeErrorFor(QFileDevice::FileError error, int savedErrno, const QString& path = QString());

// ---- Whole files ------------------------------------------------------------

// The most a read takes in, by kind of file. A larger file is refused, so that
// a damaged or foreign file never exhausts memory or holds the program.
constexpr qint64 kMaxSettingsFile = qint64(4) << 20; // settings, puzzle states, saved puzzles
constexpr qint64 kMaxDataFile = qint64(64) << 20;    // model files, solutions, the history
constexpr qint64 kMaxPictureFile = qint64(64) << 20; // a picture file, before decoding

// The bytes of a file. Only a regular file is read, and it is opened without
// waiting, so a FIFO or a device in its place never blocks: such a file, a
// folder or a file larger than maxBytes throws 75; a missing file 53 (76 when
// its folder is missing); other failures by the table.
QByteArray readFile(const QString& path, qint64 maxBytes = kMaxDataFile);
// The lines of a text, split at CR LF, LF or CR; the last line may lack its
// end. An empty text has no lines. Every reader of the program's text files
// splits its lines by this one rule.
QStringList splitLines(const QString& text);
// The same for bytes, line by line, the line ends left out.
QList<QByteArray> splitLines(const QByteArray& bytes);
// The lines of a text file (Windows-1252), split by splitLines().
QStringList readLines(const QString& path, qint64 maxBytes = kMaxDataFile);

// Replaces the file with the bytes (creating it when missing). Written to a
// temporary file in the same folder, flushed to disk, then renamed over the
// target; an existing file keeps its permissions. A file the player made
// read-only (no write permission at all) is not replaced: 75. A symbolic link
// to a regular file is written through: the temporary file goes beside the
// linked file and is renamed over it, and the link stays. A dangling link or a
// link to anything but a regular file is refused (75) and left as it is. On
// failure the temporary file is removed and the old file is untouched.
void writeFile(const QString& path, const QByteArray& bytes);
// Each line followed by CR LF.
void writeLines(const QString& path, const QStringList& lines);
// Adds lines at the end (creating the file when missing) in one write to the
// file opened for appending; the old bytes are never rewritten. When the old
// content does not end with a line end, CR LF is put first so that the new
// line starts on its own line. A write that fails part way is cut back, so the
// file keeps exactly its old bytes. A read-only file or anything but a regular
// file is refused (75); a symbolic link is followed as writeFile() does.
void appendLines(const QString& path, const QStringList& lines);

// Replaces `to` with a copy of `from`.
void copyFile(const QString& from, const QString& to);
// Deletes a file (53 when missing, 75 for a folder).
void removeFile(const QString& path);

// ---- Copies kept aside --------------------------------------------------------

// How many older copies of a damaged or unreadable file are kept: ".bak",
// then ".bak2" ... ".bak5"; the oldest is dropped.
constexpr int kBackupCopies = 5;
// Moves the file (whatever it is: a rename needs no read permission) to
// path + ".bak", the older copies shifted one place first. Returns the
// ".bak" path; throws as a rename fails.
QString moveAside(const QString& path);
// Copies the file to path + ".bak" the same way, the file left where it is.
QString copyAside(const QString& path);

// ---- Temporary files ----------------------------------------------------------

// Whether a file name is one this program's writes give their temporary
// files: "." + the written file's name + "." + the random part + ".tmp", the
// random part a 32-bit number in lower-case base 36, the written name either
// "probe" (the writability probe) or one matching a pattern of ownNames
// (wildcards, without regard to case).
bool isOwnTemporaryName(const QString& name, const QStringList& ownNames);
// Removes the temporary files this program's writes leave in the folder when
// killed before their rename (names as isOwnTemporaryName() takes them) that
// are older than maxAgeSeconds. Returns how many went. Nothing else is
// touched.
int removeStaleTemporaries(const QString& folder, const QStringList& ownNames, int maxAgeSeconds = 60);
// Creates a folder (75 when something of that name exists, 76 when its parent
// is missing).
void createFolder(const QString& path);

// ---- Quoted lines -------------------------------------------------------------

// One text field as a line of a quoted-line file: the text between double
// quotes. Inner quotes are kept as they are; unquoteLine() gives them back.
QString quoteField(const QString& text);
// The text of a one-field line: leading blanks and tabs skipped; a line that
// starts with a quote gives what lies between it and the last quote of the
// line (to the end when there is no other), untouched. A line without the
// opening quote is read as an unquoted field: up to the first comma, with
// surrounding blanks removed.
QString unquoteLine(const QString& line);
// The fields of a comma-separated line: split at commas outside double
// quotes; blanks around a field are dropped; a quoted field loses its quotes.
QStringList splitFields(const QString& line);

// ---- Fixed-length records -----------------------------------------------------
//
// A file of records of one length in characters; record n (from 1) starts at
// character (n - 1) x length. The record's text is all of it, including a
// CR LF at its end when the file's records carry one.

// The text cut or padded with blanks to the length.
QString padRecord(const QString& text, int length);
// Records in the file; a short last record counts. A missing file throws 53.
int recordCount(const QString& path, int recordLength);
// Record n (1-based), padded with blanks when the file ends inside it; an
// empty string when it lies past the end of the file. n < 1 throws 63,
// length < 1 throws 59.
QString readRecord(const QString& path, int recordLength, int n);
// Every record of the file, in order.
QStringList readRecords(const QString& path, int recordLength);
// Writes record n (cut or padded to the length), replacing the file as
// writeFile() does. n may be at most one past the last record (the file is
// created when missing and n is 1); a gap would leave records of undefined
// content and throws 63.
void writeRecord(const QString& path, int recordLength, int n, const QString& record);

// ---- Names --------------------------------------------------------------------

// folder + the existing entry that matches name without regard to case (ASCII
// and the accented letters of Latin-1 and Windows-1252), else folder + name as
// given, the spelling to create. An exact match is preferred; among several
// matches the first in name order is taken. The name may hold several
// components separated by '/' or '\', each matched in turn.
QString findFileCaseInsensitive(const QString& folder, const QString& name);
// Whether a file (not a folder) of that name exists, without regard to case.
bool fileExists(const QString& folder, const QString& name);
bool folderExists(const QString& path);
// The folder with a '/' at its end.
QString asFolder(const QString& folder);

// ---- Writability --------------------------------------------------------------

// Whether a file can be created in the folder: creates one and removes it.
bool folderIsWritable(const QString& folder);
// Replaces the probe for tests (the test user may be allowed everything);
// an empty function restores it.
void setFolderWritableOverrideForTests(std::function<bool(const QString& folder)> probe);

// ---- Failure injection for tests ----------------------------------------------

// Makes the next writes fail like a full disk or a broken device: after
// `afterBytes` bytes of a replacement file are written, the write fails with
// errno `errnoValue`. Stays until cleared with std::nullopt.
struct WriteFault {
    qint64 afterBytes;
    int errnoValue;
};
void setWriteFaultForTests(std::optional<WriteFault> fault);

class ScopedWriteFault {
public:
    explicit ScopedWriteFault(WriteFault f) { setWriteFaultForTests(f); }
    ~ScopedWriteFault() { setWriteFaultForTests(std::nullopt); }
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

// Makes every read of one file (readFile() and what reads through it) fail
// as opening it would with errno `errnoValue`: a file without read
// permission (EACCES) for a test that runs as root too. Stays until cleared
// with std::nullopt.
struct ReadFault {
    QString path;
    int errnoValue;
};
void setReadFaultForTests(std::optional<ReadFault> fault);

class ScopedReadFault {
public:
    explicit ScopedReadFault(ReadFault f) { setReadFaultForTests(std::move(f)); }
    ~ScopedReadFault() { setReadFaultForTests(std::nullopt); }
    ScopedReadFault(const ScopedReadFault&) = delete;
    ScopedReadFault& operator=(const ScopedReadFault&) = delete;
};

} // namespace plat
