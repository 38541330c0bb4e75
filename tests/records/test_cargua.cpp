// The load and save window over a scratch "Archivo" folder: names that are
// refused, the listing, the enabling of the action button per mode, the
// overwrite warning, deleting, the figure store, failures told, and loading
// through the window.
#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "core/ui/mensajes.h"
#include "model/EstadoPuzzle.h"
#include "model/Juego.h"
#include "platform/files.h"
#include "platform/sound.h"
#include "platform/ui/textboxview.h"
#include "records/cargua.h"
#include "resources/resources.h"
#include "tests/support/fixtures.h"

#include <QFile>
#include <QFileInfo>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <vector>

namespace {

using testing_support::readBytes;
using testing_support::writeBytes;

struct MensajeVisto {
    QString titulo, texto;
    int lineas = 0, tipo = 0, ayuda = 0;
};

class CarguaTest : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        mesa.reset();
        InicializaTablas();
        teselaro::initResources();
        plat::setSoundPlayer(&sonidos);
        PuzzGbl.SonidoActivo = true;
        PuzzGbl.AnchoMesa = 1024;
        PuzzGbl.AltoMesa = 768;
        PuzzGbl.RutaPrograma = carpeta.path();
        PuzzGbl.RutaArchivo = carpeta.path() + QStringLiteral("Archivo/");
        plat::createFolder(PuzzGbl.RutaArchivo);
        InstalaEstadoPuzzle();
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            mensajes.push_back({titulo, texto, PuzzGbl.NroLineasMensaje, PuzzGbl.TipoMensaje, PuzzGbl.AyudaMensaje});
            PuzzGbl.RespuestaMensaje = true;
        });
        escribe(QStringLiteral("a.puz"), "uno");
        escribe(QStringLiteral("B.PUZ"), "dos");
    }
    void TearDown() override {
        ventana.reset();
        plat::setWriteFaultForTests(std::nullopt);
        plat::setSoundPlayer(nullptr);
        RegistraPresentadorMensaje(nullptr);
        InstalaServiciosEstadoPuzzle({});
        mesa.reset();
        PuzzGbl.reset();
    }
    void escribe(const QString& nombre, const QByteArray& bytes) { writeBytes(PuzzGbl.RutaArchivo + nombre, bytes); }
    QByteArray lee(const QString& nombre) const { return readBytes(PuzzGbl.RutaArchivo + nombre); }
    bool existe(const QString& nombre) const { return QFileInfo::exists(PuzzGbl.RutaArchivo + nombre); }
    // The window opened in a mode, as the option panel opens it.
    cargua& abre(int modo) {
        PuzzGbl.CarGuaModo = std::int16_t(modo);
        ventana = std::make_unique<cargua>();
        ventana->Form_Load();
        sonidos.clear();
        return *ventana;
    }
    QStringList lista() const {
        QStringList l;
        for (int i = 0; i < ventana->Lis_CarGua.ListCount(); ++i) l << ventana->Lis_CarGua.List(i);
        return l;
    }
    int botonesOidos() const {
        int n = 0;
        for (const auto& c : sonidos.calls())
            n += c.kind == plat::RecordingSoundPlayer::Call::Kind::Play && c.clip == teselaro::soundResource(9);
        return n;
    }
    QString aviso() const { return ventana->Tex_Mensaje->text(); }

    testing_support::ScratchDir carpeta;
    plat::RecordingSoundPlayer sonidos;
    std::vector<MensajeVisto> mensajes;
    std::unique_ptr<cargua> ventana;
};

const QString kAviso = QString::fromUtf8(
    "Ya existe un archivo con ese nombre. Pulse el botón Guardar para sobreescribirlo o indique otro nombre para "
    "archivar el puzzle actual.");

// ------------------------------------------------------------------ names

TEST(NombresPuzzle, PathsControlCharactersAndReservedSignsAreRefused) {
    const struct {
        QString nombre;
        bool valido;
    } casos[] = {
        {QStringLiteral("../x"), false}, {QStringLiteral("a/b"), false},     {QStringLiteral("."), false},
        {QStringLiteral(".."), false},   {QStringLiteral(".oculto"), false}, {QStringLiteral("a\tb"), false},
        {QStringLiteral("x:y"), false},  {QStringLiteral("a\\b"), false},    {QStringLiteral("\"x\""), false},
        {QStringLiteral("a*"), false},   {QStringLiteral("a?"), false},      {QStringLiteral("<a>"), false},
        {QStringLiteral("a|b"), false},  {QString(), false},                 {QStringLiteral("Mi puzzle"), true},
        {QString(25, QChar(0xF1)), true}, {QStringLiteral("v1.2"), true},
    };
    for (const auto& c : casos) EXPECT_EQ(NombrePuzzleValido(c.nombre), c.valido) << c.nombre.toStdString();
}

TEST_F(CarguaTest, TheListHoldsTheSavedPuzzlesInOrderAndLeavesOtherFilesOut) {
    escribe(QStringLiteral("c.Puz"), "tres");
    escribe(QStringLiteral(".oculto.puz"), "x");
    escribe(QStringLiteral("x:y.puz"), "x");
    escribe(QStringLiteral("notas.txt"), "x");
    escribe(QStringLiteral(".puz"), "x");
    plat::createFolder(PuzzGbl.RutaArchivo + QStringLiteral("carpeta.puz"));
    abre(1);
    EXPECT_EQ(lista(), (QStringList{QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("c")}));
}

// ---------------------------------------------------------- opening, modes

TEST_F(CarguaTest, EachModeHasItsTitleInstructionAndActionButtonAllDisabled) {
    const struct {
        int modo;
        const char* titulo;
        plat::Surface cargua::*accion;
    } casos[] = {
        {1, " Cargar un puzzle archivado", &cargua::Pic_BotCargar},
        {2, " Archivar el puzzle actual", &cargua::Pic_BotGuardar},
        {3, " Borrar un puzzle archivado", &cargua::Pic_BotBorrar},
        {4, " Guardar como modelo de Tangram", &cargua::Pic_BotGuardar},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.modo);
        cargua& v = abre(c.modo);
        EXPECT_EQ(v.Tex_Titulo->text(), QString::fromUtf8(c.titulo));
        EXPECT_EQ(v.pos(), QPoint(312, 202));
        for (plat::Surface* b : {&v.Pic_BotCargar, &v.Pic_BotGuardar, &v.Pic_BotBorrar}) {
            EXPECT_EQ(b->visible(), b == &(v.*c.accion)) << b->name().toStdString();
            EXPECT_FALSE(cargua::activo(*b));
        }
        EXPECT_EQ((v.*c.accion).left(), 176);
        EXPECT_EQ((v.*c.accion).top(), 365 - 62);
        EXPECT_EQ(v.Pic_BotSalir.left(), 386 - 63);
        EXPECT_EQ(v.Pic_BotGuardar.toolTip(),
                  c.modo == 4 ? QStringLiteral(" Guardar el modelo actual ") : QStringLiteral(" Guardar el puzzle actual "));
        EXPECT_EQ(v.Tex_CarGua.top(), 50 + 54 + 16);
    }
}

TEST_F(CarguaTest, LoadingAndDeletingEnableExactlyWhileTheNameIsASavedPuzzle) {
    for (int modo : {1, 3}) {
        SCOPED_TRACE(modo);
        cargua& v = abre(modo);
        plat::Surface& accion = modo == 1 ? v.Pic_BotCargar : v.Pic_BotBorrar;
        const struct {
            const char* nombre;
            bool activo;
        } pasos[] = {{"a", true}, {"A", true}, {"ab", false}, {" b ", true}, {"B", true}, {"c", false}, {"", false},
                     {"../a", false}};
        for (const auto& p : pasos) {
            v.escribeNombre(QString::fromUtf8(p.nombre));
            EXPECT_EQ(cargua::activo(accion), p.activo) << p.nombre;
        }
        EXPECT_EQ(aviso(), TextoNombreNoValido()) << "a refused name is explained";
        v.escribeNombre(QStringLiteral("a"));
        EXPECT_NE(aviso(), TextoNombreNoValido()) << "and the instruction comes back";
    }
}

TEST_F(CarguaTest, SavingKeepsBlankAndRefusedNamesDisabledAndTrimsTheName) {
    cargua& v = abre(2);
    for (const char* nombre : {"", "   ", ".oculto", "a/b", "x:y"}) {
        v.escribeNombre(QString::fromUtf8(nombre));
        EXPECT_FALSE(cargua::activo(v.Pic_BotGuardar)) << nombre;
        v.Pic_BotGuardar_Click();
        EXPECT_FALSE(v.cerrada());
    }
    EXPECT_EQ(aviso(), TextoNombreNoValido());
    v.escribeNombre(QStringLiteral("  Gato  "));
    EXPECT_TRUE(cargua::activo(v.Pic_BotGuardar));
    EXPECT_EQ(v.nombreActual(), QStringLiteral("Gato"));
    v.Pic_BotGuardar_Click();
    EXPECT_TRUE(v.cerrada());
    EXPECT_TRUE(existe(QStringLiteral("Gato.puz")));
    EXPECT_FALSE(lee(QStringLiteral("Gato.puz")).isEmpty());
    EXPECT_EQ(botonesOidos(), 6) << "every press sounds first";
}

// The name holds 25 characters however it comes: typed key by key or pasted
// in one piece, what lies beyond is not taken, and the file saved carries the
// 25 characters.
TEST_F(CarguaTest, TheSaveNameHoldsTwentyFiveCharactersTypedOrPasted) {
    const QString largo = QString(85, QChar(u'x')).replace(0, 3, QStringLiteral("Avi"));
    const QString esperado = largo.left(25);
    for (const bool pegado : {false, true}) {
        SCOPED_TRACE(pegado ? "pasted" : "typed");
        QFile::remove(PuzzGbl.RutaArchivo + esperado + ".puz");
        cargua& v = abre(2);
        v.show();
        QLineEdit* vista = v.vistaNombre();
        if (pegado) {
            vista->insert(largo); // what a paste does
            Q_EMIT vista->textEdited(vista->text());
        } else {
            for (const QChar c : largo) {
                QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(vista, &e);
            }
        }
        EXPECT_EQ(vista->text(), esperado);
        EXPECT_EQ(v.nombreActual(), esperado);
        v.Pic_BotGuardar_Click();
        EXPECT_TRUE(v.cerrada());
        EXPECT_TRUE(existe(esperado + ".puz"));
    }
}

TEST_F(CarguaTest, AnExistingNameIsWarnedOnceThenOverwritten) {
    cargua& v = abre(2);
    v.escribeNombre(QStringLiteral("b")); // B.PUZ, whatever the case
    v.Pic_BotGuardar_Click();
    EXPECT_FALSE(v.cerrada());
    EXPECT_TRUE(v.avisoSobrescribir());
    EXPECT_EQ(aviso(), kAviso);
    EXPECT_EQ(lee(QStringLiteral("B.PUZ")), QByteArray("dos"));

    // A change of the name takes the warning back.
    v.escribeNombre(QStringLiteral("bx"));
    EXPECT_FALSE(v.avisoSobrescribir());
    EXPECT_NE(aviso(), kAviso);
    v.escribeNombre(QStringLiteral("b"));
    v.Tex_CarGua_KeyPress(13); // Enter presses save: the warning again
    EXPECT_FALSE(v.cerrada());
    v.Tex_CarGua_KeyPress(13); // and the second press overwrites
    EXPECT_TRUE(v.cerrada());
    EXPECT_NE(lee(QStringLiteral("B.PUZ")), QByteArray("dos"));
    EXPECT_FALSE(existe(QStringLiteral("b.puz"))) << "the file keeps its spelling";
}

TEST_F(CarguaTest, ADoubleClickWarnsAndASecondDoubleClickDoesNotOverwrite) {
    cargua& v = abre(2);
    ASSERT_EQ(lista(), (QStringList{QStringLiteral("a"), QStringLiteral("B")}));
    for (int vez = 0; vez < 2; ++vez) {
        v.eligeElemento(0);
        v.Lis_CarGua_DblClick();
    }
    EXPECT_FALSE(v.cerrada());
    EXPECT_TRUE(v.avisoSobrescribir());
    EXPECT_EQ(lee(QStringLiteral("a.puz")), QByteArray("uno"));
    v.Pic_BotGuardar_Click();
    EXPECT_TRUE(v.cerrada()) << "the save button confirms the warned name";
}

TEST_F(CarguaTest, DeletingRemovesTheFileRefreshesTheListAndEmptiesTheName) {
    cargua& v = abre(3);
    v.eligeElemento(1);
    EXPECT_EQ(v.Tex_CarGua.text(), QStringLiteral("B"));
    ASSERT_TRUE(cargua::activo(v.Pic_BotBorrar));
    v.Tex_CarGua_KeyPress(13); // Enter does not delete
    EXPECT_TRUE(existe(QStringLiteral("B.PUZ")));
    v.Pic_BotBorrar_Click();
    EXPECT_FALSE(existe(QStringLiteral("B.PUZ")));
    EXPECT_EQ(lista(), QStringList{QStringLiteral("a")});
    EXPECT_EQ(v.Tex_CarGua.text(), QString());
    EXPECT_FALSE(cargua::activo(v.Pic_BotBorrar));
    EXPECT_FALSE(v.cerrada());
    EXPECT_TRUE(mensajes.empty());
}

TEST_F(CarguaTest, AFailedDeleteIsToldAndKeepsTheListAndTheName) {
    cargua& v = abre(3);
    v.escribeNombre(QStringLiteral("a"));
    ASSERT_TRUE(cargua::activo(v.Pic_BotBorrar));
    // The file goes behind the window's back (another program), so the
    // deletion finds nothing to delete.
    QFile::remove(PuzzGbl.RutaArchivo + QStringLiteral("a.puz"));
    v.Pic_BotBorrar_Click();
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].titulo, QStringLiteral("Borrar un puzzle archivado"));
    EXPECT_EQ(mensajes[0].texto, QStringLiteral("No se ha podido borrar el puzzle archivado a."));
    EXPECT_EQ(mensajes[0].lineas, 1);
    EXPECT_EQ(mensajes[0].tipo, 1);
    EXPECT_EQ(lista(), (QStringList{QStringLiteral("a"), QStringLiteral("B")}));
    EXPECT_EQ(v.Tex_CarGua.text(), QStringLiteral("a"));
    EXPECT_FALSE(v.cerrada());
}

TEST_F(CarguaTest, AFailedSaveIsToldAndTheWindowStaysOpen) {
    cargua& v = abre(2);
    v.escribeNombre(QStringLiteral("b"));
    v.Pic_BotGuardar_Click(); // warned
    {
        plat::ScopedWriteFault fallo({0, ENOSPC});
        v.Pic_BotGuardar_Click();
    }
    EXPECT_FALSE(v.cerrada());
    EXPECT_EQ(lee(QStringLiteral("B.PUZ")), QByteArray("dos"));
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].titulo, QStringLiteral("Archivar el puzzle actual"));
    EXPECT_EQ(mensajes[0].texto, QStringLiteral("No se ha podido archivar el puzzle actual con el nombre b."));
    EXPECT_EQ(mensajes[0].lineas, 1);
    EXPECT_EQ(mensajes[0].ayuda, 2500);
    v.Pic_BotGuardar_Click(); // the fault gone, the same press now writes
    EXPECT_TRUE(v.cerrada());
}

// ------------------------------------------------------------- loading

TEST_F(CarguaTest, LoadingReadsTheMatchingFileAndADisabledPressClosesWithoutLoading) {
    cargua& v = abre(1);
    v.escribeNombre(QStringLiteral("zz"));
    PuzzGbl.CambioCosmetico = true;
    v.Pic_BotCargar_Click();
    EXPECT_TRUE(v.cerrada());
    EXPECT_FALSE(PuzzGbl.CambioCosmetico);
    EXPECT_TRUE(mensajes.empty()) << "nothing was read";

    cargua& w = abre(1);
    w.escribeNombre(QStringLiteral("b"));
    w.Lis_CarGua_DblClick(); // nothing picked in the list: no load
    EXPECT_FALSE(w.cerrada());
    w.Tex_CarGua_KeyPress(13);
    EXPECT_TRUE(w.cerrada());
    // "B.PUZ" was read: what it holds is no puzzle, and the player is told so.
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].titulo, QStringLiteral("Cargar un puzzle archivado"));
    EXPECT_TRUE(mensajes[0].texto.contains(QStringLiteral("archivado B."))) << mensajes[0].texto.toStdString();
}

TEST_F(CarguaTest, ADamagedSavedPuzzleIsExplainedAndChangesNothing) {
    auto& g = PuzzGbl;
    g.TipoJuego = 22;
    g.PiezasLado = 3;
    escribe(QStringLiteral("roto.puz"), "\"esto no es un puzzle\"\r\n");
    const QString estado = RutaEstadoJuego(22);
    writeBytes(estado, "estado anterior");
    const auto piezas = g.Piezas;
    cargua& v = abre(1);
    v.escribeNombre(QStringLiteral("roto"));
    v.Pic_BotCargar_Click();
    EXPECT_TRUE(v.cerrada());
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].titulo, QStringLiteral("Cargar un puzzle archivado"));
    EXPECT_EQ(readBytes(estado), QByteArray("estado anterior"));
    EXPECT_EQ(g.TipoJuego, 22);
    EXPECT_EQ(g.Piezas, piezas);
}

// ------------------------------------------------------------- figure store

void Figura() {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 1;
    g.AnchoMesa = 800;
    g.AltoMesa = 600;
    ASSERT_TRUE(CalculaGeometriaPuzzle());
    g.Piezas.assign(8, RegistroPieza{});
    for (int p = 1; p <= 7; ++p) {
        auto& r = g.Piezas[std::size_t(p)];
        r.X = std::int16_t(300 + 20 * p);
        r.Y = std::int16_t(200 + 10 * p);
        r.Giro = std::int16_t(p % 8);
        r.Volteo = p == 7 ? 1 : 0;
    }
}

TEST_F(CarguaTest, TheFigureIsStoredAsANewModelWithoutMovingThePieces) {
    Figura();
    const auto piezas = PuzzGbl.Piezas;
    for (int vez = 1; vez <= 2; ++vez) {
        cargua& v = abre(4);
        EXPECT_EQ(v.Lis_CarGua.ListCount(), vez - 1) << "the list holds the stored figures";
        v.escribeNombre(QStringLiteral(" Barco "));
        ASSERT_TRUE(cargua::activo(v.Pic_BotGuardar));
        v.Tex_CarGua_KeyPress(13);
        EXPECT_TRUE(v.cerrada());
        EXPECT_EQ(PuzzGbl.Piezas, piezas);
    }
    const QStringList lineas = plat::readLines(PuzzGbl.RutaArchivo + QStringLiteral("ModTan.mlp"));
    ASSERT_EQ(lineas.size(), 2) << "a repeated name adds a second record";
    EXPECT_TRUE(lineas[0].startsWith(QStringLiteral("Barco                    ")));
    EXPECT_EQ(lineas[0], lineas[1]);
    // The stored box starts at the board origin.
    int x = 9999, y = 9999;
    for (int p = 0; p < 7; ++p) {
        x = std::min(x, lineas[0].mid(25 + 10 * p, 4).toInt());
        y = std::min(y, lineas[0].mid(29 + 10 * p, 4).toInt());
    }
    EXPECT_EQ(x, PuzzGbl.OrigenX);
    EXPECT_EQ(y, PuzzGbl.OrigenY);
}

TEST_F(CarguaTest, AFailedFigureStoreIsToldAndTheWindowStaysOpen) {
    Figura();
    escribe(QStringLiteral("ModTan.mlp"), "");
    cargua& v = abre(4);
    v.escribeNombre(QStringLiteral("Barco"));
    {
        plat::ScopedWriteFault fallo({0, ENOSPC});
        v.Pic_BotGuardar_Click();
    }
    EXPECT_FALSE(v.cerrada());
    EXPECT_EQ(lee(QStringLiteral("ModTan.mlp")), QByteArray());
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].titulo, QStringLiteral("Guardar como modelo de Tangram"));
    EXPECT_EQ(mensajes[0].texto, QStringLiteral("No se ha podido guardar el modelo de Tangram Barco."));

    // A figure whose places do not fit the record's four digits is refused the same way.
    mensajes.clear();
    PuzzGbl.Piezas[3].X = 32000;
    v.Pic_BotGuardar_Click();
    EXPECT_FALSE(v.cerrada());
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].titulo, QStringLiteral("Guardar como modelo de Tangram"));
}

TEST_F(CarguaTest, OnlyTheWindowsButtonsCloseIt) {
    cargua& v = abre(2);
    v.reject();
    EXPECT_FALSE(v.cerrada());
    EXPECT_FALSE(v.close());
    v.Pic_BotSalir_MouseDown(1, 0, 5, 5);
    EXPECT_TRUE(v.cerrada());
    EXPECT_EQ(botonesOidos(), 1);
}

} // namespace
