// The four model files the program ships, as laid out beside it: every record
// of its length and ending in CR LF, digits where numbers go, names the file
// can hold, empty slots exactly the empty record, and every model one that
// the game's reader accepts.
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "model/Pentominos.h"
#include "model/RegistrosModelo.h"
#include "model/Tangram.h"
#include "model/TaipeiModelo.h"
#include "platform/files.h"
#include "tests/support/fixtures.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

const QString kArchivo = QStringLiteral(TESELARO_BINARY_DIR "/generated/Archivo/");

bool SoloCifras(const QByteArray& b) {
    return std::all_of(b.begin(), b.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Characters 1-25 as a name: Windows-1252, printable, no double quotes.
bool NombreValido(const QByteArray& nombre) {
    for (char c : nombre) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '"' || u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D)
            return false;
    }
    return true;
}

// The file cut in records of `largo` bytes, each checked for its CR LF.
std::vector<QByteArray> Registros(const QString& archivo, int largo) {
    const QByteArray datos = testing_support::readBytes(kArchivo + archivo);
    std::vector<QByteArray> r;
    EXPECT_FALSE(datos.isEmpty()) << archivo.toStdString() << ": build the data targets";
    EXPECT_EQ(datos.size() % largo, 0) << archivo.toStdString();
    for (qsizetype i = 0; i + largo <= datos.size(); i += largo) {
        const QByteArray reg = datos.mid(i, largo);
        EXPECT_TRUE(reg.endsWith("\r\n")) << archivo.toStdString() << " record " << r.size() + 1;
        EXPECT_FALSE(reg.left(largo - 2).contains('\r') || reg.left(largo - 2).contains('\n'))
            << archivo.toStdString() << " record " << r.size() + 1;
        r.push_back(reg);
    }
    return r;
}

TEST(ArchivosEnviados, EveryRecordHasItsFormatAndEveryModelIsAccepted) {
    InicializaTablas();
    auto& g = PuzzGbl;
    g.RutaArchivo = kArchivo;
    const struct {
        const FormatoModelo& f;
    } formatos[] = {{FormatoModelosTangram()}, {FormatoModelosPentominos()}, {FormatoModelosTaipei()}};
    std::map<QString, int> modelos;
    for (const auto& [f] : formatos) {
        SCOPED_TRACE(f.archivo.toStdString());
        const std::vector<QByteArray> registros = Registros(f.archivo, f.largo);
        int n = 0;
        for (const QByteArray& reg : registros) {
            ++n;
            SCOPED_TRACE(testing::Message() << "record " << n);
            const QByteArray nombre = reg.left(25);
            EXPECT_TRUE(NombreValido(nombre));
            EXPECT_TRUE(SoloCifras(reg.mid(25, f.largo - 27)));
            if (nombre.trimmed().isEmpty()) {
                EXPECT_EQ(QString::fromLatin1(reg), RegistroVacio(f)) << "an empty slot is the empty record";
                continue;
            }
            ++modelos[f.archivo];
            const QString registro = plat::fromCp1252(reg);
            if (&f == &FormatoModelosTangram()) {
                const ModeloTangram m = TAN_AnalizaRegistro(registro);
                EXPECT_TRUE(m.valido) << m.motivo.toStdString();
            } else if (&f == &FormatoModelosPentominos()) {
                const ModeloPentomino m = PEN_AnalizaModelo(std::int16_t(n));
                EXPECT_TRUE(m.motivo.isEmpty()) << m.motivo.toStdString();
                EXPECT_GE(m.numSoluciones(), 1);
            } else {
                const ModeloTaipei m = TAI_InterpretaModelo(registro);
                EXPECT_TRUE(m.motivo.isEmpty()) << m.motivo.toStdString();
                const DisposicionTaipei& d = m.disposicion;
                // Some layouts are for screens larger than 1024 x 768; none is beyond 1280 x 1024.
                EXPECT_EQ(TAI_AjusteEnMesa(d.filas, d.columnas, d.niveles, 1280, 1024), AjusteTaipei::Cabe);
            }
        }
        // The readers list exactly the named records.
        EXPECT_EQ(int(RegistrosModelo(f).usables().size()), modelos[f.archivo]);
    }
    EXPECT_GE(modelos[FormatoModelosPentominos().archivo], 1);
    EXPECT_GE(modelos[FormatoModelosTaipei().archivo], 1);

    // The Tangram figures, then two empty slots for the player's own.
    const std::vector<QByteArray> tangram = Registros(QStringLiteral("ModTan.mlp"), 126);
    ASSERT_GE(tangram.size(), 22u);
    EXPECT_GE(modelos[FormatoModelosTangram().archivo], 20);
    for (std::size_t i = 0; i < tangram.size(); ++i)
        EXPECT_EQ(tangram[i].left(25).trimmed().isEmpty(), i + 2 >= tangram.size()) << "record " << i + 1;

    // The solutions: lines of 76 characters and CR LF, digits, each of a
    // board of the file and no more of one board than its count.
    const QByteArray soluciones = testing_support::readBytes(kArchivo + QStringLiteral("SolPen.mlp"));
    ASSERT_FALSE(soluciones.isEmpty());
    ASSERT_EQ(soluciones.size() % 78, 0);
    const std::vector<QByteArray> tableros = Registros(QStringLiteral("ModPen.mlp"), 452);
    std::map<int, int> porTablero;
    for (qsizetype i = 0; i < soluciones.size(); i += 78) {
        const QByteArray l = soluciones.mid(i, 78);
        ASSERT_TRUE(l.endsWith("\r\n")) << "line " << i / 78 + 1;
        ASSERT_TRUE(SoloCifras(l.left(76))) << "line " << i / 78 + 1;
        const int modelo = l.left(2).toInt();
        ASSERT_GE(modelo, 1);
        ASSERT_LE(modelo, int(tableros.size()));
        ++porTablero[modelo];
    }
    for (auto [modelo, cuenta] : porTablero)
        EXPECT_LE(cuenta, tableros[std::size_t(modelo - 1)].mid(29, 4).toInt()) << "board " << modelo;
}

} // namespace
