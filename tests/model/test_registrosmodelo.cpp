// The records of the model files, as every reader and writer of them sees
// them: one record a line whatever the line ends, damaged lines as empty
// slots, the models a list offers, and the writer that replaces or adds one
// record and keeps every other byte.
#include "core/PuzzGbl.h"
#include "model/RegistrosModelo.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

// A short format keeps the fixtures readable: 25 name characters, 5 digits,
// CR LF.
const FormatoModelo kCorto{QStringLiteral("ModTan.mlp"), 32};

QString Linea(const QString& nombre, const QString& cifras = QStringLiteral("12345")) {
    return nombre.leftJustified(25, u' ') + cifras;
}

class RegistrosModeloTest : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        PuzzGbl.RutaArchivo = carpeta.path();
    }
    void TearDown() override { PuzzGbl.reset(); }
    QString ruta() const { return carpeta.file(QStringLiteral("ModTan.mlp")); }
    void escribe(const QByteArray& bytes) { plat::writeFile(ruta(), bytes); }
    QByteArray bytes() const { return plat::readFile(ruta()); }
    testing_support::ScratchDir carpeta;
};

TEST_F(RegistrosModeloTest, RecordNIsLineNWhateverTheLineEnds) {
    // CR LF, LF, CR; a short line, a blank name, a long line, a last line
    // without its end.
    const QString texto = Linea("Uno") + "\r\n" + Linea("Dos") + "\n" + Linea("Tres").left(20) + "\r" +
                          Linea("   ") + "\r\n" + Linea("Cinco") + "99\n" + Linea("  Seis  ");
    escribe(plat::toCp1252(texto));
    const RegistrosModelo r(kCorto);
    ASSERT_TRUE(r.leido());
    EXPECT_EQ(r.cuenta(), 6);
    const struct {
        int n;
        bool usable;
        const char* motivo; // part of the reason
    } casos[] = {
        {1, true, ""},          {2, true, ""},           {3, false, "dañado"}, {4, false, "vacío"},
        {5, false, "dañado"},   {6, true, ""},           {0, false, "no existe"}, {7, false, "no existe"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(r.usable(c.n), c.usable);
        EXPECT_TRUE(r.motivoRegistro(c.n).contains(QString::fromUtf8(c.motivo))) << r.motivoRegistro(c.n).toStdString();
        if (c.usable) {
            EXPECT_EQ(r.registro(c.n).size(), 32);
            EXPECT_TRUE(r.registro(c.n).endsWith("\r\n"));
        } else {
            EXPECT_EQ(r.registro(c.n), RegistroVacio(kCorto));
        }
    }
    EXPECT_EQ(r.registro(2), Linea("Dos") + "\r\n");
    EXPECT_EQ(r.usables(), (std::vector<ModeloUsable>{{"Uno", 1}, {"Dos", 2}, {"Seis", 6}}));
    EXPECT_EQ(r.primerHueco(), 4); // the blank name, not the damaged lines
    EXPECT_EQ(RegistroVacio(kCorto), QString(25, u' ') + "00000\r\n");
}

TEST_F(RegistrosModeloTest, AFileThatCannotBeReadHasNoRecordsAndSaysWhy) {
    {
        const RegistrosModelo r(kCorto);
        EXPECT_FALSE(r.leido());
        EXPECT_EQ(r.cuenta(), 0);
        EXPECT_TRUE(r.motivo().contains("error 53")) << r.motivo().toStdString();
        EXPECT_EQ(r.motivoRegistro(1), r.motivo());
        EXPECT_TRUE(r.usables().empty());
        QString motivo;
        EXPECT_EQ(LeeRegistroModelo(kCorto, 1, &motivo), RegistroVacio(kCorto));
        EXPECT_FALSE(motivo.isEmpty());
    }
    // A folder in the file's place, and the name found ignoring case.
    QDir().mkpath(ruta());
    EXPECT_FALSE(RegistrosModelo(kCorto).leido());
    QDir().rmdir(ruta());
    plat::writeFile(carpeta.file("MODTAN.MLP"), plat::toCp1252(Linea("Uno") + "\r\n"));
    EXPECT_EQ(RegistrosModelo(kCorto).usables(), (std::vector<ModeloUsable>{{"Uno", 1}}));
}

TEST_F(RegistrosModeloTest, TheThreeFilesAndTheirRecordLengths) {
    EXPECT_EQ(FormatoModelosJuego(23)->archivo, "ModTan.mlp");
    EXPECT_EQ(FormatoModelosJuego(23)->largo, 126);
    EXPECT_EQ(FormatoModelosJuego(24)->archivo, "ModPen.mlp");
    EXPECT_EQ(FormatoModelosJuego(24)->largo, 452);
    EXPECT_EQ(FormatoModelosJuego(25)->archivo, "ModTai.mlp");
    EXPECT_EQ(FormatoModelosJuego(25)->largo, 452);
    EXPECT_FALSE(FormatoModelosJuego(21));
    EXPECT_EQ(RegistroVacio(FormatoModelosTangram()), QString(25, u' ') + QString(99, u'0') + "\r\n");
}

// ---------------------------------------------------------------- the writer

TEST_F(RegistrosModeloTest, AWriteReplacesOrAddsOneRecordAndKeepsEveryOtherByte) {
    // Other lines end in LF and CR; the last has no end at all.
    const QByteArray antes = plat::toCp1252(Linea("Uno") + "\n" + Linea("Dos") + "\r" + Linea("Tres").left(9) +
                                            "\r\n" + Linea(QString::fromUtf8("Cuatro ñ")));
    const QString nuevo = Linea(QString::fromUtf8("Nuevo é"), "00000");
    struct Caso {
        const char* caso;
        int n;
        QByteArray despues;
    };
    const QByteArray nuevoBytes = plat::toCp1252(nuevo) + "\r\n";
    const Caso casos[] = {
        {"first", 1, nuevoBytes + antes.mid(31)},
        {"the damaged line", 3, antes.left(62) + nuevoBytes + antes.mid(73)},
        {"after the last", 5, antes + "\r\n" + nuevoBytes},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        escribe(antes);
        const ResultadoEscritura r = EscribeRegistroModelo(kCorto, c.n, nuevo);
        EXPECT_TRUE(r.escrito) << r.motivo.toStdString();
        EXPECT_EQ(r.registro, c.n);
        EXPECT_EQ(bytes(), c.despues);
    }
    // Given with its CR LF, the same record.
    escribe(antes);
    EXPECT_TRUE(EscribeRegistroModelo(kCorto, 1, nuevo + "\r\n").escrito);
    EXPECT_EQ(bytes(), nuevoBytes + antes.mid(31));
}

TEST_F(RegistrosModeloTest, ARefusedOrFailedWriteLeavesTheFileAsItWas) {
    const QByteArray antes = plat::toCp1252(Linea("Uno") + "\r\n" + Linea("Dos") + "\r\n");
    const QString nuevo = Linea("Nuevo");
    const struct {
        const char* caso;
        int n;
        QString registro;
    } casos[] = {
        {"record 0", 0, nuevo},
        {"a gap after the last", 4, nuevo},
        {"too short", 1, nuevo.left(29)},
        {"too long", 1, nuevo + "0"},
        {"a line end inside", 1, nuevo.left(10) + "\n" + nuevo.mid(11)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        escribe(antes);
        const ResultadoEscritura r = EscribeRegistroModelo(kCorto, c.n, c.registro);
        EXPECT_FALSE(r.escrito);
        EXPECT_FALSE(r.motivo.isEmpty());
        EXPECT_EQ(bytes(), antes);
    }
    // The disk fills half way through the new file.
    escribe(antes);
    {
        plat::ScopedWriteFault lleno({10, ENOSPC});
        const ResultadoEscritura r = EscribeRegistroModelo(kCorto, 2, nuevo);
        EXPECT_FALSE(r.escrito);
        EXPECT_TRUE(r.motivo.contains("error 61")) << r.motivo.toStdString();
    }
    EXPECT_EQ(bytes(), antes);
    EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temporary left
}

TEST_F(RegistrosModeloTest, TheFirstRecordCreatesTheFile) {
    EXPECT_FALSE(EscribeRegistroModelo(kCorto, 2, Linea("Uno")).escrito);
    EXPECT_FALSE(QFile::exists(ruta()));
    EXPECT_TRUE(EscribeRegistroModelo(kCorto, 1, Linea("Uno")).escrito);
    EXPECT_EQ(bytes(), plat::toCp1252(Linea("Uno") + "\r\n"));
}

TEST(NombreParaRegistro, KeepsWhatTheFileCanHoldTrimmedAndCut) {
    const struct {
        QString nombre, esperado;
    } casos[] = {
        {"  Casa  ", "Casa"},
        {QString::fromUtf8("Pájaro, ñandú"), QString::fromUtf8("Pájaro, ñandú")},
        {"Una figura de treinta letras", "Una figura de treinta let"},
        {"Veinticuatro caracteres  xyz", "Veinticuatro caracteres"}, // cut at 25, then trimmed
        {"Con \"comillas\"", "Con comillas"},
        {"Tab\tretorno\r\nfin", "Tabretornofin"},
        {QString::fromUtf8("Griego Ω ruso Ж €"), QString::fromUtf8("Griego  ruso  €")},
        {"   ", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre.toStdString());
        EXPECT_EQ(NombreParaRegistro(c.nombre), c.esperado);
    }
}

} // namespace
