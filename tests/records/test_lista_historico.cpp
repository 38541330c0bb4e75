// The history as the window lists it: the records of the current game read
// from a file of mixed games with damaged lines, the four orders, the open
// failures and their messages.
#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "platform/files.h"
#include "records/ListaHistorico.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <gtest/gtest.h>

#include <vector>

namespace {

using testing_support::ScratchDir;

struct Visto {
    QString titulo, texto;
    int lineas, tipo;
};

// One line of the file, of the game and with the fields the orders use.
QString linea(int juego, const char* archivo, const char* modelo, double grado, int segundos, const char* jugador,
              int rotulo = 1, const char* fecha = "01/02/2024") {
    RegistroHistorico r;
    r.Fecha = QString::fromUtf8(fecha);
    r.Hora = QStringLiteral("10:00:00");
    r.TipoJuego = std::int16_t(juego);
    r.ArchivoImagen = QString::fromUtf8(archivo);
    r.CarpetaImagen = QStringLiteral("/img/");
    r.NombreModelo = QString::fromUtf8(modelo);
    r.NroPiezas = 16;
    r.ZoomImagen = 100;
    r.GradoDificultad = float(grado);
    r.SegundosCronometro = segundos;
    r.TipoRotulo = std::int16_t(rotulo);
    r.NombreJugador = plat::padRecord(QString::fromUtf8(jugador), 9);
    return LineaHistorico(r);
}

class ListaHistoricoTest : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        PuzzGbl.RutaPrograma = dir.path();
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            vistos.push_back({titulo, texto, PuzzGbl.NroLineasMensaje, PuzzGbl.TipoMensaje});
            PuzzGbl.RespuestaMensaje = true;
        });
    }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        PuzzGbl.reset();
    }
    void escribe(const QStringList& lineas) { plat::writeLines(dir.file(QStringLiteral("Tesel34.his")), lineas); }

    // The sequence of one field of the listed records, in list order.
    template <class F>
    static QStringList secuencia(const ListaHistorico& l, F campo) {
        QStringList s;
        for (std::int32_t i : l.Lis_Ordenar) s << campo(l.Historico[std::size_t(i)]);
        return s;
    }
    static QStringList fechas(const ListaHistorico& l) {
        return secuencia(l, [](const RegistroHistorico& r) { return r.Fecha.trimmed(); });
    }

    ScratchDir dir;
    std::vector<Visto> vistos;
};

// A jigsaw history of six records among other games' lines and damaged ones;
// the date field tells them apart.
QStringList historiaMixta() {
    return {
        linea(21, "Gato grande.jpg", "", 40.0, 300, "Ana", 1, "r1"),
        linea(22, "x.jpg", "", 10, 10, "Ana", 1, "otro"),
        linea(21, "gato.jpg", "", 40.0, 100, "ana", 1, "r2"),
        QStringLiteral("\"roto\",\"10:00:00\",veintiuno,\"a.jpg\""), // game unreadable: left out
        linea(21, "Playa, \"Ñandú\".jpg", "", 60.0, 50, "Íñigo", 1, "r3"),
        QStringLiteral("\"r4\",\"10:00:00\",21,\"Mar.jpg\",\"/img/\",\"\",640"), // stops short: blanks and 0
        linea(25, "", "Dragón", 70, 5, "Ana", 1, "otro"),
        linea(21, "Gato.jpg", "", 60.0, 200, "Bea", 1, "r5"),
        QString(),
        linea(21, "aaa.jpg", "", 40.0, 100, "Bea", 1, "r6"),
    };
}

TEST_F(ListaHistoricoTest, KeepsTheGamesOwnRecordsFromFreshSlots) {
    escribe(historiaMixta());
    PuzzGbl.TipoJuego = 21;
    ListaHistorico l;
    EXPECT_EQ(CargaHistorico(l, 1), 0);
    EXPECT_TRUE(vistos.empty());
    EXPECT_EQ(l.UltimoHistorico, 5);
    EXPECT_EQ(fechas(l), (QStringList{"r1", "r2", "r3", "r4", "r5", "r6"}));
    const RegistroHistorico& corta = l.Historico[3];
    EXPECT_EQ(corta.ArchivoImagen, "Mar.jpg");
    EXPECT_EQ(corta.AnchoBmp, 640);
    // What the short line never reached is blank or zero, not the game
    // record read before it.
    EXPECT_EQ(corta.AltoBmp, 0);
    EXPECT_EQ(corta.SegundosCronometro, 0);
    EXPECT_EQ(corta.NombreJugador, QString(9, QChar(u' ')));
    EXPECT_EQ(l.Historico[2].ArchivoImagen, QString::fromUtf8("Playa, 'Ñandú'.jpg"));
    EXPECT_EQ(l.Historico[2].NombreJugador, QString::fromUtf8("Íñigo    "));
}

TEST_F(ListaHistoricoTest, TheFourOrders) {
    escribe(historiaMixta());
    PuzzGbl.TipoJuego = 21;
    struct Caso {
        int orden;
        QStringList esperadas;
    };
    const Caso casos[] = {
        {1, {"r1", "r2", "r3", "r4", "r5", "r6"}},
        // Names ignoring case, the hardest first (r4 has a blank name and 0 difficulty).
        {2, {"r4", "r1", "r2", "r5", "r6", "r3"}},
        // Backgrounds ignoring case, hardest first within one ("gato.jpg" and
        // "Gato.jpg" are one background).
        {3, {"r6", "r1", "r5", "r2", "r4", "r3"}},
        // Hardest first, then the fastest; r2 and r6 are equal and keep file order.
        {4, {"r3", "r5", "r2", "r6", "r1", "r4"}},
    };
    for (const Caso& c : casos) {
        ListaHistorico l;
        CargaHistorico(l, c.orden);
        EXPECT_EQ(fechas(l), c.esperadas) << c.orden;
    }
}

TEST_F(ListaHistoricoTest, SlidingBackgroundsSortByCodeBeforePictures) {
    escribe({
        linea(22, "Arbol.jpg", "", 50, 10, "Ana", 1, "imagen"),
        linea(22, "zzz.jpg", "", 50, 10, "Ana", 3, "letras"),
        linea(22, "Zorro.jpg", "", 50, 10, "Ana", 1, "zorro"),
        linea(22, "", "", 50, 10, "Ana", 2, "numeros"),
    });
    PuzzGbl.TipoJuego = 22;
    ListaHistorico l;
    CargaHistorico(l, 3);
    EXPECT_EQ(fechas(l), (QStringList{"numeros", "letras", "imagen", "zorro"}));
}

TEST_F(ListaHistoricoTest, TangramSortsByModel) {
    escribe({
        linea(23, "x.jpg", "Gato grande", 40, 10, "Ana", 1, "grande"),
        linea(23, "x.jpg", "Gato", 60, 10, "Ana", 1, "gato"),
        linea(23, "a.jpg", "Barco", 50, 10, "Ana", 1, "barco"),
    });
    PuzzGbl.TipoJuego = 23;
    ListaHistorico l;
    CargaHistorico(l, 3);
    // A shorter name comes first whatever the difficulties behind it.
    EXPECT_EQ(fechas(l), (QStringList{"barco", "gato", "grande"}));
}

TEST_F(ListaHistoricoTest, LargeCountsAndTimesKeepTheirOrder) {
    QStringList lineas;
    for (int i = 0; i < 10050; ++i) lineas << linea(24, "", "Tablero", 50, 1000000 + (i % 3) * 500000, "Ana", 1,
                                                  QString::number(i).toLatin1().constData());
    escribe(lineas);
    PuzzGbl.TipoJuego = 24;
    ListaHistorico l;
    CargaHistorico(l, 1);
    ASSERT_EQ(l.UltimoHistorico, 10049);
    for (std::int32_t i = 0; i < 10050; ++i) ASSERT_EQ(l.Lis_Ordenar[std::size_t(i)], i);
    // Times past 999,999 seconds still sort as numbers.
    CargaHistorico(l, 4);
    for (std::size_t i = 1; i < l.Lis_Ordenar.size(); ++i) {
        const auto& a = l.Historico[std::size_t(l.Lis_Ordenar[i - 1])];
        const auto& b = l.Historico[std::size_t(l.Lis_Ordenar[i])];
        ASSERT_LE(a.SegundosCronometro, b.SegundosCronometro) << i;
        if (a.SegundosCronometro == b.SegundosCronometro) {
            ASSERT_LT(l.Lis_Ordenar[i - 1], l.Lis_Ordenar[i]);
        }
    }
}

TEST_F(ListaHistoricoTest, OtherGamesOnlyIsAnEmptyListWithoutMessage) {
    escribe({linea(22, "a.jpg", "", 50, 10, "Ana"), linea(25, "", "Dragón", 50, 10, "Ana")});
    PuzzGbl.TipoJuego = 21;
    ListaHistorico l;
    EXPECT_EQ(CargaHistorico(l, 1), 0);
    EXPECT_TRUE(vistos.empty());
    EXPECT_EQ(l.UltimoHistorico, -1);
    EXPECT_TRUE(l.Lis_Ordenar.empty());
}

TEST_F(ListaHistoricoTest, OpenFailuresAreToldAndLeaveNothingBehind) {
    PuzzGbl.TipoJuego = 21;
    struct Caso {
        const char* que;
        int error;
        const char* texto;
        int lineas;
    };
    const Caso casos[] = {
        {"missing", 53,
         "No se encuentra el fichero Histórico. Se creará de nuevo la próxima vez que termine de resolver un puzzle.",
         2},
        {"folder missing", 76, "HIS ERROR 76: No existe el fichero Histórico", 1},
        {"a folder in its place", 75, "HIS ERROR 75", 1},
    };
    for (const Caso& c : casos) {
        ScratchDir otra;
        const QString ruta = QString::fromUtf8(c.que) == "folder missing" ? otra.file("no/") : otra.path();
        if (c.error == 75) QDir().mkpath(otra.file("Tesel34.his"));
        PuzzGbl.RutaPrograma = ruta;
        // A list read before the file went must not stay on show.
        ListaHistorico l;
        l.Historico.resize(3);
        l.Lis_Ordenar = {0, 1, 2};
        l.UltimoHistorico = 2;
        vistos.clear();
        EXPECT_EQ(CargaHistorico(l, 2), c.error) << c.que;
        EXPECT_EQ(PuzzGbl.ErrorFichero, c.error) << c.que;
        EXPECT_EQ(l.UltimoHistorico, -1) << c.que;
        EXPECT_TRUE(l.Lis_Ordenar.empty() && l.Historico.empty()) << c.que;
        ASSERT_EQ(vistos.size(), 1u) << c.que;
        EXPECT_EQ(vistos[0].titulo, QString::fromUtf8("Error leyendo el fichero histórico"));
        EXPECT_EQ(vistos[0].texto, QString::fromUtf8(c.texto));
        EXPECT_EQ(vistos[0].lineas, c.lineas);
        EXPECT_EQ(vistos[0].tipo, 1);
    }
}

} // namespace
