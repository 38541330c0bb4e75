// The settings window's model list without widgets: the items, the choice of
// a model, the previews of pentomino boards and Taipei layouts, and the
// deletion of a Tangram figure.
#include "personalise/personal.h"

#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "model/EstadoPuzzle.h"
#include "model/RegistrosModelo.h"
#include "tests/imaging/puzzle_fixtures.h"
#include "tests/personalise/ventana_fixture.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QFile>

#include <deque>
#include <gtest/gtest.h>

namespace {

constexpr plat::Color kRojoAviso = 0x000080;

QByteArray Tangram(const QString& nombre) {
    return (nombre.leftJustified(25, u' ') + QString(99, u'0') + QStringLiteral("\r\n")).toLatin1();
}

// A Taipei record: `filas` rows of `columnas` cells, the first `llenas` rows
// holding stacks of `alto` tiles.
QByteArray Taipei(const QString& nombre, int filas, int columnas, int niveles, int llenas, int alto) {
    QString alturas;
    for (int r = 1; r <= filas; ++r)
        for (int c = 1; c <= columnas; ++c) alturas += QChar(u'0' + (r <= llenas ? alto : 0));
    const QString r = nombre.leftJustified(25, u' ') +
                      QStringLiteral("%1%2%3").arg(filas, 2, 10, QChar(u'0')).arg(columnas, 2, 10, QChar(u'0')).arg(niveles) +
                      QStringLiteral("0000") + alturas.leftJustified(352, u'0') + QString(64, u'0') +
                      QStringLiteral("\r\n");
    return r.toLatin1();
}

class ModelosPersonalTest : public ::testing::Test {
protected:
    void SetUp() override {
        puzzle_test::PreparaProgramaEn(carpeta.path());
        auto& g = PuzzGbl;
        g.SaltoLinea = QStringLiteral("\r\n");
        g.TAN_ModoJuego = 2;
        g.ColorFondo = 0x102030;
        puzzle_test::PonMesa(1024, 768);
        RegistraPresentadorMensaje([this](const QString& t, const QString& texto) {
            titulos << t;
            textos << texto;
            bool si = true;
            if (!respuestas.empty()) {
                si = respuestas.front();
                respuestas.pop_front();
            }
            PuzzGbl.RespuestaMensaje = PuzzGbl.TipoMensaje == 1 || si;
        });
        InstalaEstadoPuzzle();
    }
    void TearDown() override {
        DestruyeVentanaPersonal();
        RegistraPresentadorMensaje(nullptr);
        puzzle_test::Reinicia();
    }
    Personal& Abre(std::int16_t juego) {
        PuzzGbl.TipoJuego = juego;
        Personal& p = CreaVentanaPersonal();
        p.Form_Load();
        titulos.clear();
        textos.clear();
        return p;
    }
    QString Archivo(const char* nombre) const { return PuzzGbl.RutaArchivo + QString::fromLatin1(nombre); }
    QStringList Textos(const Personal& p) const {
        QStringList l;
        for (int i = 0; i < p.Lis_Modelos.ListCount(); ++i) l << p.Lis_Modelos.List(i);
        return l;
    }
    // Selects item i the way the player does.
    void Elige(Personal& p, int i) {
        p.Lis_Modelos.setListIndex(-1);
        p.Lis_Modelos.setListIndex(i);
    }

    testing_support::ScratchDir carpeta;
    QStringList titulos, textos;
    std::deque<bool> respuestas;
};

// ---------------------------------------------------------------- Tangram list

class TangramListaTest : public ModelosPersonalTest {
protected:
    void SetUp() override {
        ModelosPersonalTest::SetUp();
        contenido = Tangram("Zeta") + Tangram("  alfa  ") + Tangram("Beta") + Tangram("");
        testing_support::writeBytes(Archivo("ModTan.mlp"), contenido);
    }
    QByteArray contenido;
};

TEST_F(TangramListaTest, ItemsAreTrimmedNamesSortedIgnoringCaseWithTheirRecordNumbers) {
    PuzzGbl.NroModelo = 3;
    Personal& p = Abre(23);
    EXPECT_EQ(Textos(p), (QStringList{"alfa", "Beta", "Zeta"}));
    EXPECT_EQ(p.Lis_Modelos.ItemData(0), 2);
    EXPECT_EQ(p.Lis_Modelos.ItemData(1), 3);
    EXPECT_EQ(p.Lis_Modelos.ItemData(2), 1);
    EXPECT_EQ(p.Lis_Modelos.ListIndex(), 1);

    Elige(p, 0);
    EXPECT_EQ(PuzzGbl.NroModelo, 2);
    EXPECT_EQ(PuzzGbl.NombreModelo, QStringLiteral("alfa"));
    EXPECT_TRUE(PuzzGbl.SeleccionValida);
}

TEST_F(TangramListaTest, TheDKeyDeletesTheChosenFigureOnceAccepted) {
    Personal& p = Abre(23);
    Elige(p, 1); // Beta, record 3
    int tecla = 'D';
    respuestas = {false};
    p.Lis_Modelos_KeyPress(tecla);
    ASSERT_EQ(titulos, QStringList{QStringLiteral("Borrar modelo de Tangram")});
    EXPECT_EQ(textos[0], QString::fromUtf8("Va a eliminar el modelo de Tangram con el nombre:\r\n\r\nBeta\r\n\r\n"
                                           "Pulse el botón Aceptar para borrar el modelo. Si pulsa el botón "
                                           "Cancelar no se borrará."));
    EXPECT_EQ(PuzzGbl.NroLineasMensaje, 7);
    EXPECT_EQ(PuzzGbl.AyudaMensaje, 4010);
    EXPECT_EQ(testing_support::readBytes(Archivo("ModTan.mlp")), contenido) << "cancelled: nothing written";
    EXPECT_EQ(Textos(p).size(), 3);

    tecla = 'd';
    p.Lis_Modelos_KeyPress(tecla);
    QByteArray esperado = contenido;
    esperado.replace(2 * 126, 126, RegistroVacio(FormatoModelosTangram()).toLatin1());
    EXPECT_EQ(testing_support::readBytes(Archivo("ModTan.mlp")), esperado) << "only record 3 is emptied";
    EXPECT_EQ(Textos(p), (QStringList{"alfa", "Zeta"}));
    EXPECT_EQ(p.Lis_Modelos.ListIndex(), 0);
    EXPECT_EQ(PuzzGbl.NroModelo, 2) << "the first item is chosen";
}

TEST_F(TangramListaTest, TheDKeyDoesNothingWithoutAChoiceOrOutsideTangram) {
    Personal& p = Abre(23);
    p.Lis_Modelos.setListIndex(-1);
    int tecla = 'D';
    p.Lis_Modelos_KeyPress(tecla);
    tecla = 'x';
    Elige(p, 0);
    p.Lis_Modelos_KeyPress(tecla);
    EXPECT_TRUE(titulos.isEmpty());
    DestruyeVentanaPersonal();

    testing_support::writeBytes(Archivo("ModPen.mlp"), QByteArray());
    Personal& q = Abre(24);
    tecla = 'D';
    q.Lis_Modelos_KeyPress(tecla);
    EXPECT_TRUE(titulos.isEmpty());
    EXPECT_EQ(testing_support::readBytes(Archivo("ModTan.mlp")), contenido);
}

TEST_F(TangramListaTest, ADeletionThatCannotBeWrittenIsToldAndKeepsTheList) {
    Personal& p = Abre(23);
    Elige(p, 2); // Zeta, record 1
    // The file shrank behind the window's back: record 1 is there, but the
    // item chosen now points past the end.
    p.Lis_Modelos.setItemData(2, 9);
    int tecla = 'D';
    p.Lis_Modelos_KeyPress(tecla);
    ASSERT_EQ(titulos.size(), 2);
    EXPECT_TRUE(textos[1].startsWith(QStringLiteral("No se ha borrado el modelo")));
    EXPECT_EQ(Textos(p).size(), 3);
    EXPECT_EQ(testing_support::readBytes(Archivo("ModTan.mlp")), contenido);
}

TEST_F(TangramListaTest, DeletingTheLastFigureLeavesTheListEmptyAndNothingChosen) {
    testing_support::writeBytes(Archivo("ModTan.mlp"), Tangram("Sola"));
    Personal& p = Abre(23);
    Elige(p, 0);
    int tecla = 'D';
    p.Lis_Modelos_KeyPress(tecla);
    EXPECT_EQ(p.Lis_Modelos.ListCount(), 0);
    EXPECT_EQ(p.Lis_Modelos.ListIndex(), -1);
    EXPECT_FALSE(PuzzGbl.SeleccionValida);
    p.Lis_Modelos_KeyPress(tecla);
    EXPECT_EQ(titulos.size(), 1) << "an empty list asks nothing";
}

// ---------------------------------------------------------------- previews

TEST_F(ModelosPersonalTest, ATangramFigureChosenIsDrawnInThePreview) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(TESELARO_BINARY_DIR "/generated/Archivo/ModTan.mlp"), Archivo("ModTan.mlp")));
    auto& g = PuzzGbl;
    g.ColorPieza = 0x40A0E0;
    CalculaColoresDerivados();
    Personal& p = Abre(23);
    ASSERT_GE(p.Lis_Modelos.ListCount(), 2);
    plat::Surface& s = p.Pic_MostrarImagen;
    std::vector<QImage> vistas;
    for (int i : {0, 1}) {
        SCOPED_TRACE(p.Lis_Modelos.List(i).toStdString());
        s.setBackColor(plat::Color(g.ColorFondo));
        s.cls();
        Elige(p, i);
        EXPECT_EQ(g.NroModelo, p.Lis_Modelos.ItemData(i));
        EXPECT_TRUE(g.SeleccionValida);
        EXPECT_EQ(mesa.Pic_FonTamReal.scaleWidth(), g.AnchoImagen + 2 * g.OrigenX);
        EXPECT_EQ(mesa.Pic_FonTamReal.scaleHeight(), g.AltoImagen + 2 * g.OrigenY);
        const int pintados = s.scaleWidth() * s.scaleHeight() - testing_support::countColor(s, plat::Color(g.ColorFondo));
        EXPECT_GT(pintados, s.scaleWidth() * s.scaleHeight() / 20) << "the figure drawn over the background";
        vistas.push_back(s.image().copy());
    }
    EXPECT_NE(vistas[0], vistas[1]) << "each figure its own drawing";
}

TEST_F(ModelosPersonalTest, APentominoBoardIsCentredInTheTwentyTwoBySixteenArea) {
    const struct {
        int filas, columnas, ox, oy;
    } casos[] = {{16, 22, 0, 0}, {6, 10, 66, 55}};
    for (auto [ancho, alto] : {std::pair{800, 600}, std::pair{1024, 768}}) {
        puzzle_test::PonMesa(ancho, alto);
        for (const auto& c : casos) {
            SCOPED_TRACE(testing::Message() << ancho << " x " << alto << ", " << c.columnas << " x " << c.filas);
            testing_support::writeBytes(Archivo("ModPen.mlp"), QByteArray());
            Personal& p = Abre(24);
            auto& g = PuzzGbl;
            g.FilasTablero = std::int16_t(c.filas);
            g.ColumnasTablero = std::int16_t(c.columnas);
            g.PEN_Modelo = {};
            for (int r = 1; r <= c.filas; ++r)
                for (int k = 1; k <= c.columnas; ++k) g.PEN_Modelo[r][k] = true;
            g.SeleccionValida = false;
            p.PEN_DibujaMuestraModelo();
            const plat::Surface& s = p.Pic_MostrarImagen;
            EXPECT_EQ(s.point(c.ox, c.oy), 0xE0E0E0) << "the first cell's corner";
            EXPECT_EQ(s.point(c.ox + 5, c.oy + 5), 0x808080);
            EXPECT_EQ(s.point(c.ox + 11 * c.columnas, c.oy + 11 * c.filas), 0xE0E0E0) << "the last cell's corner";
            if (c.ox > 0) {
                EXPECT_EQ(s.point(c.ox - 1, c.oy - 1), 0x102030) << "the background around";
            }
            EXPECT_TRUE(g.SeleccionValida);
            DestruyeVentanaPersonal();
        }
    }
}

TEST_F(ModelosPersonalTest, TheTaipeiSizeTextRightAlignsItsCountsAndNamesTheLevels) {
    EXPECT_EQ(TextoMuestraTaipei(8, 12, 1), QStringLiteral(" 8 filas x 12 columnas x 1 nivel "));
    EXPECT_EQ(TextoMuestraTaipei(12, 9, 3), QStringLiteral("12 filas x  9 columnas x 3 niveles "));
}

// Where the writing of the warning's second line starts in the red box, or -1.
int InicioSegundaLinea(const plat::Surface& s) {
    for (int x = 45; x < 198; ++x)
        for (int y = 89; y < 105; ++y)
            if (s.point(x, y) != kRojoAviso) return x;
    return -1;
}

TEST_F(ModelosPersonalTest, ATaipeiLayoutIsPreviewedAndOneThatDoesNotFitOrCannotBeDealtIsRefused) {
    const struct {
        const char* nombre;
        int filas, columnas, niveles, llenas, alto;
        int ancho, altoMesa;
        bool usable;
        int segundaLinea; // where the warning's second line starts: 57 too tall, 64 too wide, 0 damaged
    } casos[] = {
        {"Cabe", 8, 9, 2, 8, 2, 800, 600, true, -1},
        {"Cabe grande", 8, 9, 2, 8, 2, 1024, 768, true, -1},
        {"Alta", 12, 12, 1, 12, 1, 1024, 768, false, 57},
        {"Ancha", 8, 18, 1, 8, 1, 800, 600, false, 64},
        {"Alta y ancha", 12, 18, 1, 8, 1, 800, 600, false, 57},
        {"Le falta una", 8, 9, 2, 8, 2, 1024, 768, false, 0},
        {"Seis niveles", 4, 6, 6, 4, 6, 1024, 768, false, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        QByteArray registro = Taipei(QString::fromLatin1(c.nombre), c.filas, c.columnas, c.niveles, c.llenas, c.alto);
        if (QByteArray(c.nombre) == "Le falta una") registro[34] = '1'; // 143 tiles
        testing_support::writeBytes(Archivo("ModTai.mlp"), registro);
        puzzle_test::PonMesa(c.ancho, c.altoMesa);
        PuzzGbl.NroModelo = 1;
        Personal& p = Abre(25);
        Elige(p, 0);
        EXPECT_EQ(PuzzGbl.NroModelo, 1);
        EXPECT_EQ(PuzzGbl.NombreModelo, QString::fromLatin1(c.nombre));
        EXPECT_EQ(PuzzGbl.SeleccionValida, c.usable);
        const plat::Surface& s = p.Pic_MostrarImagen;
        EXPECT_EQ(s.point(45, 66) == kRojoAviso, !c.usable) << "the red box";
        if (c.segundaLinea > 0) {
            const int x = InicioSegundaLinea(s);
            EXPECT_GE(x, c.segundaLinea);
            EXPECT_LT(x, c.segundaLinea + 5);
        }
        if (c.usable) {
            // The first tile of the top level, drawn last, in ivory.
            EXPECT_EQ(testing_support::countColor(s, 0xBEEBFD) > 0, true);
        }
        DestruyeVentanaPersonal();
    }
}

TEST_F(ModelosPersonalTest, APentominoBoardWithoutStoredSolutionsCannotBeChosen) {
    // A board of one cell row, with no solutions stored and none in SolPen.
    QString r = QStringLiteral("Sin soluciones").leftJustified(25, u' ') + QStringLiteral("0305") +
                QStringLiteral("0000");
    QString celdas;
    for (int f = 1; f <= 16; ++f)
        for (int k = 1; k <= 22; ++k) celdas += (f <= 3 && k <= 5) ? u'1' : u'0';
    r += celdas + QString(65, u'0') + QStringLiteral("\r\n");
    testing_support::writeBytes(Archivo("ModPen.mlp"), r.toLatin1());
    testing_support::writeBytes(Archivo("SolPen.mlp"), QByteArray());
    Personal& p = Abre(24);
    Elige(p, 0);
    EXPECT_FALSE(PuzzGbl.SeleccionValida);
    EXPECT_EQ(p.Pic_MostrarImagen.point(45, 66), kRojoAviso);
    EXPECT_EQ(InicioSegundaLinea(p.Pic_MostrarImagen) > 44, true);
}

} // namespace
