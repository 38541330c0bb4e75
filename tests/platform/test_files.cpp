// Text files in Windows-1252, safe replacement, records, names and errors.
#include "platform/errors.h"
#include "platform/files.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace plat;
using testing_support::ScratchDir;

namespace {

using testing_support::errorNumberOf;
using testing_support::readBytes;
using testing_support::writeBytes;

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST(Cp1252, FullTableRoundTrips) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const QString text = fromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toCp1252(text), all);

    struct Case {
        unsigned char byte;
        char16_t unicode;
    };
    const Case cases[] = {{0x80, 0x20AC}, {0x81, 0x0081}, {0x84, 0x201E}, {0x8A, 0x0160}, {0x8C, 0x0152},
                          {0x8D, 0x008D}, {0x8E, 0x017D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x93, 0x201C},
                          {0x96, 0x2013}, {0x97, 0x2014}, {0x9D, 0x009D}, {0x9F, 0x0178}, {0xA0, 0x00A0},
                          {0xD1, 0x00D1}, {0xFF, 0x00FF}};
    for (const Case& c : cases) EXPECT_EQ(text[c.byte].unicode(), c.unicode) << int(c.byte);
}

TEST(Cp1252, CharactersOutsideBecomeQuestionMarks) {
    // U+0080 is not the euro's byte; Cyrillic, CJK and a surrogate pair are
    // outside; each UTF-16 unit gives one byte so lengths are kept.
    const QString text = QString::fromUtf16(u"a\u0080\u0416\u4E2D\U0001F600\u20AC");
    EXPECT_EQ(toCp1252(text), QByteArray("a?????\x80", 7));
}

TEST(TextFiles, SpanishTextGoesToDiskAsWindows1252WithCrLf) {
    ScratchDir dir;
    const QString path = dir.file("t.txt");
    writeLines(path, {QString::fromUtf8("¿Ñandú?")});
    EXPECT_EQ(readBytes(path), QByteArray("\xBF\xD1\x61\x6E\x64\xFA\x3F\x0D\x0A"));
    EXPECT_EQ(readLines(path), QStringList{QString::fromUtf8("¿Ñandú?")});
}

TEST(TextFiles, ReadersAcceptEveryLineEnd) {
    ScratchDir dir;
    struct Case {
        QByteArray bytes;
        QStringList lines;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}}, {"a\nb\n", {"a", "b"}},   {"a\nb", {"a", "b"}},       {"a\rb\r", {"a", "b"}},
        {"", {}},                   {"\r\n", {""}},            {"a\r\n\r\nb", {"a", "", "b"}}, {"x\n\n", {"x", ""}},
    };
    for (const Case& c : cases) {
        writeBytes(dir.file("l.txt"), c.bytes);
        EXPECT_EQ(readLines(dir.file("l.txt")), c.lines) << c.bytes.toStdString();
    }
}

TEST(TextFiles, ReadErrorsCarryTheRuntimeNumbers) {
    ScratchDir dir;
    writeBytes(dir.file("plain"), "x");
    QDir().mkdir(dir.file("sub"));
    EXPECT_EQ(errorNumberOf([&] { readLines(dir.file("missing.ini")); }), err::kFileNotFound);
    EXPECT_EQ(errorNumberOf([&] { readLines(dir.file("nofolder/missing.ini")); }), err::kPathNotFound);
    EXPECT_EQ(errorNumberOf([&] { readLines(dir.file("plain/under-a-file")); }), err::kPathNotFound);
    EXPECT_EQ(errorNumberOf([&] { readLines(dir.file("sub")); }), err::kPathFileAccessError);
    EXPECT_EQ(errorNumberOf([&] { readLines(QString()); }), err::kBadFileNameOrNumber);
}

TEST(SafeWrite, FailureHalfWayLeavesTheOldFileByteForByte) {
    ScratchDir dir;
    const QString path = dir.file("Tsl2134.ini");
    const QByteArray old("\"old content\"\r\n\"second line\"\r\n");
    writeBytes(path, old);
    ::chmod(QFile::encodeName(path).constData(), 0640);

    struct Case {
        int errnoValue;
        int number;
    };
    const Case cases[] = {{ENOSPC, err::kDiskFull}, {EIO, err::kDeviceIoError}, {EDQUOT, err::kDiskFull}};
    for (const Case& c : cases) {
        ScopedWriteFault fault({10, c.errnoValue});
        EXPECT_EQ(errorNumberOf([&] { writeLines(path, {"new content that is longer", "more"}); }), c.number);
        EXPECT_EQ(readBytes(path), old);
        EXPECT_EQ(folderEntries(dir.path()), QStringList{"Tsl2134.ini"}) << "temporary file left behind";
    }
    // Through the other writers too.
    {
        ScopedWriteFault fault({0, ENOSPC});
        EXPECT_EQ(errorNumberOf([&] { appendLines(path, {"x"}); }), err::kDiskFull);
        EXPECT_EQ(errorNumberOf([&] { writeRecord(path, 15, 1, "abc"); }), err::kDiskFull);
        EXPECT_EQ(readBytes(path), old);
    }
    // Without the fault the replacement succeeds and keeps the permissions.
    writeLines(path, {"new"});
    EXPECT_EQ(readBytes(path), QByteArray("new\r\n"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(folderEntries(dir.path()), QStringList{"Tsl2134.ini"});
}

TEST(SafeWrite, WriteErrorsCarryTheRuntimeNumbers) {
    ScratchDir dir;
    writeBytes(dir.file("plain"), "keep");
    QDir().mkdir(dir.file("sub"));
    EXPECT_EQ(errorNumberOf([&] { writeLines(dir.file("plain/x.ini"), {"a"}); }), err::kPathNotFound);
    EXPECT_EQ(errorNumberOf([&] { writeLines(dir.file("nofolder/x.ini"), {"a"}); }), err::kPathNotFound);
    EXPECT_EQ(errorNumberOf([&] { writeLines(dir.file("sub"), {"a"}); }), err::kPathFileAccessError);
    EXPECT_EQ(readBytes(dir.file("plain")), QByteArray("keep"));
}

// Every writer, through a link in place of its file: a link to a regular file
// the player can write is written through (the target gets the bytes, the
// link stays a link); a dangling link or a link to anything else is a failed
// write that leaves the link and what it points at as they were.
TEST(SafeWrite, SymbolicLinksAreWrittenThroughOrRefused) {
    enum class Destino { Archivo, SoloLectura, Colgante, Carpeta, Cadena };
    struct Escritor {
        const char* nombre;
        std::function<void(const QString&)> escribe;
        QByteArray esperado; // the target's bytes after a write over "old\r\n"
    };
    const Escritor escritores[] = {
        {"writeFile", [](const QString& p) { writeFile(p, "new\r\n"); }, "new\r\n"},
        {"writeLines", [](const QString& p) { writeLines(p, {"new"}); }, "new\r\n"},
        {"appendLines", [](const QString& p) { appendLines(p, {"new"}); }, "old\r\nnew\r\n"},
        {"writeRecord", [](const QString& p) { writeRecord(p, 5, 2, "new\r\n"); }, "old\r\nnew\r\n"},
        {"copyFile", [](const QString& p) { copyFile(p + ".src", p); }, "new\r\n"},
    };
    const Destino destinos[] = {Destino::Archivo, Destino::SoloLectura, Destino::Colgante, Destino::Carpeta,
                                Destino::Cadena};
    for (const Escritor& w : escritores) {
        for (const Destino d : destinos) {
            SCOPED_TRACE(std::string(w.nombre) + " " + std::to_string(int(d)));
            ScratchDir dir;
            QDir().mkdir(dir.file("otra"));
            const QString real = dir.file("otra/real.ini");
            const QString link = dir.file("Tsl34.ini");
            writeBytes(link + ".src", "new\r\n");
            switch (d) {
            case Destino::Archivo: writeBytes(real, "old\r\n"); break;
            case Destino::SoloLectura:
                writeBytes(real, "old\r\n");
                ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0444), 0);
                break;
            case Destino::Colgante: break;
            case Destino::Carpeta: QDir().mkdir(real); break;
            case Destino::Cadena:
                writeBytes(real, "old\r\n");
                ASSERT_TRUE(QFile::link(real, dir.file("otra/medio.ini")));
                break;
            }
            ASSERT_TRUE(QFile::link(d == Destino::Cadena ? dir.file("otra/medio.ini") : real, link));
            const bool atraviesa = d == Destino::Archivo || d == Destino::Cadena;
            if (atraviesa) {
                w.escribe(link);
                EXPECT_EQ(readBytes(real), w.esperado);
                EXPECT_EQ(folderEntries(dir.file("otra")).filter(".tmp"), QStringList());
            } else {
                // A record past the end of a missing file is refused first (63).
                EXPECT_NE(errorNumberOf([&] { w.escribe(link); }), 0);
                if (d == Destino::SoloLectura) {
                    EXPECT_EQ(readBytes(real), QByteArray("old\r\n"));
                }
                if (d == Destino::Carpeta) {
                    EXPECT_TRUE(QFileInfo(real).isDir());
                }
                if (d == Destino::Colgante) {
                    EXPECT_FALSE(QFileInfo::exists(real));
                }
            }
            EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link was replaced";
            // Dangling links listed too.
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                                 QDir::Name),
                      (QStringList{"Tsl34.ini", "Tsl34.ini.src", "otra"}));
        }
    }
}

TEST(AppendLines, AddsToTheEndAndCreatesTheFile) {
    ScratchDir dir;
    const QString path = dir.file("Tesel34.his");
    appendLines(path, {"\"a\",1"});
    appendLines(path, {"\"b\",2"});
    EXPECT_EQ(readBytes(path), QByteArray("\"a\",1\r\n\"b\",2\r\n"));
    // A last line without its end is closed first.
    writeBytes(path, "one");
    appendLines(path, {"two"});
    EXPECT_EQ(readBytes(path), QByteArray("one\r\ntwo\r\n"));
}

TEST(FileOperations, CopyRemoveAndCreateFolder) {
    ScratchDir dir;
    writeBytes(dir.file("a"), "\x01\x02\xFF");
    copyFile(dir.file("a"), dir.file("b"));
    EXPECT_EQ(readBytes(dir.file("b")), QByteArray("\x01\x02\xFF"));
    EXPECT_EQ(errorNumberOf([&] { copyFile(dir.file("none"), dir.file("c")); }), err::kFileNotFound);
    removeFile(dir.file("b"));
    EXPECT_FALSE(QFile::exists(dir.file("b")));
    EXPECT_EQ(errorNumberOf([&] { removeFile(dir.file("b")); }), err::kFileNotFound);
    createFolder(dir.file("Archivo/"));
    EXPECT_TRUE(folderExists(dir.file("Archivo")));
    EXPECT_EQ(errorNumberOf([&] { createFolder(dir.file("Archivo")); }), err::kPathFileAccessError);
    EXPECT_EQ(errorNumberOf([&] { createFolder(dir.file("x/y")); }), err::kPathNotFound);
    EXPECT_EQ(errorNumberOf([&] { removeFile(dir.file("Archivo")); }), err::kPathFileAccessError);
}

TEST(QuotedLines, FieldsRoundTripThroughAFile) {
    ScratchDir dir;
    const QString path = dir.file("q.ini");
    const QStringList fields = {"21-1050", "", " ", "say \"hi\", twice", QString(125, u' ')};
    QStringList lines;
    for (const QString& f : fields) lines << quoteField(f);
    writeLines(path, lines);
    QStringList back;
    for (const QString& l : readLines(path)) back << unquoteLine(l);
    EXPECT_EQ(back, fields);
}

TEST(QuotedLines, UnquoteRules) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {{"\"abc\"", "abc"},   {"  \"abc\"  ", "abc"}, {"\"a\"b\"", "a\"b"}, {"\"open", "open"},
                          {"plain, rest", "plain"}, {"  plain  ", "plain"}, {"\"\"", ""},       {"", ""}};
    for (const Case& c : cases) EXPECT_EQ(unquoteLine(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
}

TEST(QuotedLines, SplitFieldsOfARecordLine) {
    EXPECT_EQ(splitFields(R"("05/03/2024","09:07:02",21,"a, b.bmp", 640 ,-1,12.5,"")"),
              (QStringList{"05/03/2024", "09:07:02", "21", "a, b.bmp", "640", "-1", "12.5", ""}));
    EXPECT_EQ(splitFields("1"), QStringList{"1"});
    EXPECT_EQ(splitFields(" \"x\" ,2"), (QStringList{"x", "2"}));
}

TEST(Records, ReadAndWriteByNumber) {
    ScratchDir dir;
    const QString path = dir.file("ModTan.mlp");
    const int len = 126;
    const QString empty = QString(25, u' ') + QString(99, u'0') + "\r\n";
    const QString fig = padRecord(QString::fromUtf8("Cisne"), 25) + QString(99, u'1') + "\r\n";
    writeRecord(path, len, 1, empty);
    writeRecord(path, len, 2, empty);
    writeRecord(path, len, 3, fig);
    EXPECT_EQ(readBytes(path).size(), 3 * len);
    EXPECT_EQ(readBytes(path).mid(2 * len, 5), QByteArray("Cisne"));
    EXPECT_EQ(readBytes(path).mid(3 * len - 2), QByteArray("\r\n"));
    EXPECT_EQ(recordCount(path, len), 3);
    EXPECT_EQ(readRecord(path, len, 3), fig);
    EXPECT_EQ(readRecord(path, len, 4), QString());
    EXPECT_EQ(readRecords(path, len), (QStringList{empty, empty, fig}));
    // Each record is also a line of the file.
    EXPECT_EQ(readLines(path).size(), 3);

    // Replacing record 2 leaves the others; a gap is refused.
    writeRecord(path, len, 2, fig);
    EXPECT_EQ(readRecords(path, len), (QStringList{empty, fig, fig}));
    EXPECT_EQ(errorNumberOf([&] { writeRecord(path, len, 5, fig); }), err::kBadRecordNumber);
    EXPECT_EQ(errorNumberOf([&] { readRecord(path, len, 0); }), err::kBadRecordNumber);
    EXPECT_EQ(errorNumberOf([&] { readRecord(path, 0, 1); }), err::kBadRecordLength);
    EXPECT_EQ(errorNumberOf([&] { readRecord(dir.file("none"), len, 1); }), err::kFileNotFound);
}

TEST(Records, ShortLastRecordAndAccentedText) {
    ScratchDir dir;
    const QString path = dir.file("r");
    writeBytes(path, "abcdefgh");
    EXPECT_EQ(recordCount(path, 5), 2);
    EXPECT_EQ(readRecord(path, 5, 2), "fgh  ");
    writeRecord(path, 5, 3, QString::fromUtf8("Ñú"));
    EXPECT_EQ(readBytes(path), QByteArray("abcdefgh  \xD1\xFA   "));
    EXPECT_EQ(padRecord("abcdef", 3), "abc");
    EXPECT_EQ(padRecord("ab", 4), "ab  ");
}

TEST(Names, FoundWithoutRegardToCase) {
    ScratchDir dir;
    writeBytes(dir.file("TSL34.INI"), "x");
    QDir().mkdir(dir.file("ARCHIVO"));
    writeBytes(dir.file("ARCHIVO/ModTan.MLP"), "x");
    writeBytes(dir.file(QString::fromUtf8("ÑANDÚ.BMP")), "x");

    struct Case {
        QString asked;
        QString found;
    };
    const Case cases[] = {
        {"Tsl34.ini", "TSL34.INI"},
        {"tsl34.ini", "TSL34.INI"},
        {"Archivo/modtan.mlp", "ARCHIVO/ModTan.MLP"},
        {"Archivo\\ModTan.mlp", "ARCHIVO/ModTan.MLP"},
        {QString::fromUtf8("ñandú.bmp"), QString::fromUtf8("ÑANDÚ.BMP")},
        {"Tsl2134.ini", "Tsl2134.ini"},       // nothing there: the spelling to create
        {"Archivo/Tesel34.CSE", "ARCHIVO/Tesel34.CSE"},
        {"Nada/Tesel34.CSE", "Nada/Tesel34.CSE"},
    };
    for (const Case& c : cases) EXPECT_EQ(findFileCaseInsensitive(dir.path(), c.asked), dir.path() + c.found) << c.asked.toStdString();

    // Without the trailing '/' on the folder.
    QString folder = dir.path();
    folder.chop(1);
    EXPECT_EQ(findFileCaseInsensitive(folder, "tsl34.ini"), dir.path() + "TSL34.INI");

    EXPECT_TRUE(fileExists(dir.path(), "Tsl34.ini"));
    EXPECT_FALSE(fileExists(dir.path(), "Tsl2134.ini"));
    EXPECT_FALSE(fileExists(dir.path(), "archivo")); // a folder is not a file

    // An exact spelling wins over another that differs only in case.
    writeBytes(dir.file("Tsl34.ini"), "y");
    EXPECT_EQ(findFileCaseInsensitive(dir.path(), "Tsl34.ini"), dir.path() + "Tsl34.ini");
    EXPECT_EQ(findFileCaseInsensitive(dir.path(), "TSL34.INI"), dir.path() + "TSL34.INI");
}

TEST(ErrorTable, SystemErrorsToRuntimeNumbers) {
    ScratchDir dir;
    struct Case {
        int e;
        int number;
    };
    const Case cases[] = {{ENOENT, 53}, {ENOTDIR, 76}, {EACCES, 75}, {EPERM, 75},  {EROFS, 75},  {EISDIR, 75},
                          {EBUSY, 70},  {ETXTBSY, 70}, {ENOSPC, 61}, {EDQUOT, 61}, {EFBIG, 61},  {EIO, 57},
                          {EEXIST, 58}, {EMFILE, 67},  {ENFILE, 67}, {ENAMETOOLONG, 52},         {EINVAL, 52},
                          {ENODEV, 68}, {ENOMEM, 7},   {EPIPE, 75},  {0, 0}};
    for (const Case& c : cases) EXPECT_EQ(runtimeErrorForErrno(c.e), c.number) << c.e;
    EXPECT_EQ(runtimeErrorForErrno(ENOENT, dir.file("x.ini")), 53);
    EXPECT_EQ(runtimeErrorForErrno(ENOENT, dir.file("nofolder/x.ini")), 76);

    EXPECT_EQ(runtimeErrorFor(QFileDevice::NoError, 0), 0);
    EXPECT_EQ(runtimeErrorFor(QFileDevice::WriteError, ENOSPC), 61);
    EXPECT_EQ(runtimeErrorFor(QFileDevice::ResourceError, 0), 61);
    EXPECT_EQ(runtimeErrorFor(QFileDevice::OpenError, 0), 75);
    EXPECT_EQ(runtimeErrorFor(QFileDevice::PermissionsError, 0), 70);
    EXPECT_EQ(runtimeErrorFor(QFileDevice::ReadError, 0), 57);
}

TEST(Writability, ProbeCreatesAndRemovesAFile) {
    ScratchDir dir;
    EXPECT_TRUE(folderIsWritable(dir.path()));
    EXPECT_TRUE(folderEntries(dir.path()).isEmpty());
    EXPECT_FALSE(folderIsWritable(dir.file("missing/")));
    writeBytes(dir.file("plain"), "x");
    EXPECT_FALSE(folderIsWritable(dir.file("plain/")));

    setFolderWritableOverrideForTests([&](const QString& f) { return f != dir.path(); });
    EXPECT_FALSE(folderIsWritable(dir.path()));
    EXPECT_TRUE(folderIsWritable(dir.file("missing/")));
    setFolderWritableOverrideForTests({});
    EXPECT_TRUE(folderIsWritable(dir.path()));
}

// ---- bounded reads, read-only files, appends, copies kept aside -----------------

TEST(BoundedRead, AnythingButARegularFileOrAFileOverTheBoundIsRefusedAtOnce) {
    ScratchDir dir;
    const QString fifo = dir.file("Tsl34.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    // No writer ever comes: a blocking open would hang here.
    EXPECT_EQ(errorNumberOf([&] { readFile(fifo); }), 75);
    EXPECT_EQ(errorNumberOf([&] { readLines(fifo); }), 75);
    EXPECT_EQ(errorNumberOf([&] { readFile("/dev/zero"); }), 75);
    QDir().mkpath(dir.file("carpeta"));
    EXPECT_EQ(errorNumberOf([&] { readFile(dir.file("carpeta")); }), 75);

    writeBytes(dir.file("grande"), QByteArray(1000, 'x'));
    EXPECT_EQ(readFile(dir.file("grande"), 1000).size(), 1000);
    EXPECT_EQ(errorNumberOf([&] { readFile(dir.file("grande"), 999); }), 75);
    EXPECT_EQ(errorNumberOf([&] { readFile(dir.file("falta")); }), 53);
}

// A file the reader may not open fails with the same number whether the
// file layer refuses it (so that it fails for root too) or, for a user that
// permissions bind, its mode does; other files still read.
TEST(BoundedRead, AFileWithoutReadPermissionIsRefusedWith75) {
    ScratchDir dir;
    const QString cerrado = dir.file("ModTan.mlp"), abierto = dir.file("ModPen.mlp");
    writeBytes(cerrado, "x\r\n");
    writeBytes(abierto, "y\r\n");
    {
        ScopedReadFault falla({cerrado, EACCES});
        EXPECT_EQ(errorNumberOf([&] { readFile(cerrado); }), 75);
        EXPECT_EQ(errorNumberOf([&] { readLines(cerrado); }), 75);
        EXPECT_EQ(readFile(abierto), "y\r\n");
    }
    EXPECT_EQ(readFile(cerrado), "x\r\n");
    if (::geteuid() == 0) return; // mode 000 does not bind the superuser
    ASSERT_EQ(::chmod(QFile::encodeName(cerrado).constData(), 0), 0);
    EXPECT_EQ(errorNumberOf([&] { readFile(cerrado); }), 75);
    ::chmod(QFile::encodeName(cerrado).constData(), 0644);
}

TEST(LineEnds, OneRuleForEveryReader) {
    struct Case {
        const char* text;
        QStringList lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}}, {"a\nb", {"a", "b"}},       {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}}, {"a\n\rb", {"a", "", "b"}}, {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(splitLines(QString::fromLatin1(c.text)), c.lines);
        QStringList fromBytes;
        for (const QByteArray& b : splitLines(QByteArray(c.text))) fromBytes << QString::fromLatin1(b);
        EXPECT_EQ(fromBytes, c.lines);
    }
}

TEST(ReadOnly, AFileWithoutWritePermissionIsNeitherReplacedNorAppended) {
    ScratchDir dir;
    const QString path = dir.file("Tesel34.his");
    writeBytes(path, "viejo\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    EXPECT_EQ(errorNumberOf([&] { writeLines(path, {"nuevo"}); }), 75);
    EXPECT_EQ(errorNumberOf([&] { appendLines(path, {"nuevo"}); }), 75);
    EXPECT_EQ(readBytes(path), QByteArray("viejo\r\n"));
    EXPECT_EQ(folderEntries(dir.path()), QStringList{"Tesel34.his"});
}

TEST(AppendLines, AFailedAppendLeavesTheOldBytesExactly) {
    ScratchDir dir;
    const QString path = dir.file("Tesel34.his");
    writeBytes(path, "uno\r\ndos");
    {
        ScopedWriteFault fault({4, ENOSPC});
        EXPECT_EQ(errorNumberOf([&] { appendLines(path, {"tres tres tres"}); }), 61);
    }
    EXPECT_EQ(readBytes(path), QByteArray("uno\r\ndos"));
    EXPECT_EQ(errorNumberOf([&] { appendLines(dir.path(), {"x"}); }), 75);
}

TEST(CopiesAside, MovingAsideKeepsFiveOlderCopiesAndDropsTheOldest) {
    ScratchDir dir;
    const QString path = dir.file("Tsl2134.ini");
    for (int k = 1; k <= 7; ++k) {
        writeBytes(path, QByteArray::number(k));
        EXPECT_EQ(moveAside(path), path + ".bak");
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_EQ(readBytes(path + ".bak"), "7");
    EXPECT_EQ(readBytes(path + ".bak2"), "6");
    EXPECT_EQ(readBytes(path + ".bak5"), "3");
    EXPECT_FALSE(QFile::exists(path + ".bak6"));
    // A file nobody may read moves all the same.
    writeBytes(path, "8");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0), 0);
    moveAside(path);
    EXPECT_EQ(QFileInfo(path + ".bak").size(), 1);
    EXPECT_EQ(readBytes(path + ".bak2"), "7");
    // A copy leaves the file where it is.
    writeBytes(path, "9");
    EXPECT_EQ(copyAside(path), path + ".bak");
    EXPECT_EQ(readBytes(path), "9");
    EXPECT_EQ(readBytes(path + ".bak"), "9");
}

TEST(Temporaries, OnlyThisProgramsOldLeftoversAreRemoved) {
    ScratchDir dir;
    const auto make = [&](const QString& name, int ageSeconds) {
        writeBytes(dir.file(name), "x");
        const QDateTime when = QDateTime::currentDateTime().addSecs(-ageSeconds);
        QFile f(dir.file(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
    };
    struct Case {
        const char* name;
        int ageSeconds;
        bool removed;
    };
    const Case cases[] = {
        {".Tsl34.ini.k3x9a1.tmp", 120, true},    // a write killed before its rename
        {".tsl2134.INI.0.tmp", 120, true},       // the file's name in another case
        {".Casa vieja.puz.1z141z3.tmp", 120, true}, // a saved puzzle, the largest random part
        {".probe.1abc.tmp", 300, true},          // a writability probe
        {".Tesel34.his.zz9.tmp", 10, false},     // a write that may still be running
        {".notas.borrador.tmp", 600, false},     // the player's own draft
        {".Tsl34.ini.borrador.tmp", 600, false}, // no random part of ours (too long)
        {".Tsl34.ini.1z141z4.tmp", 600, false},  // past 32 bits
        {".Tsl34.ini.01.tmp", 600, false},       // a leading zero
        {".Tsl34.ini.K3X9.tmp", 600, false},     // upper case
        {".Tsl34.ini.tmp", 600, false},          // no random part at all
        {".notas.txt.k3x9.tmp", 600, false},     // not a file of the program
        {"Tsl34.ini.k3x9.tmp", 600, false},      // not hidden
        {"notas.tmp", 600, false},
        {".Tsl34.ini", 600, false},              // not a temporary file
    };
    QStringList left;
    for (const Case& c : cases) {
        make(QString::fromUtf8(c.name), c.ageSeconds);
        if (!c.removed) left << QString::fromUtf8(c.name);
    }
    const QStringList own{"Tsl34.ini", "Tsl2134.ini", "Tesel34.his", "*.puz"};
    EXPECT_EQ(removeStaleTemporaries(dir.path(), own), 4);
    left.sort();
    EXPECT_EQ(folderEntries(dir.path()), left);
    EXPECT_EQ(removeStaleTemporaries(dir.file("no-existe/"), own), 0);
}
