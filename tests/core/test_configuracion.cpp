// The settings file, the defaults road of the state files and the colours,
// with a recording stand-in for the puzzle-state format.
#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "platform/files.h"
#include "tests/support/fixtures.h"
#include "tests/support/registro.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class Configuracion : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        mesa.reset();
        testing_support::BorraAnotadas();
        PuzzGbl.RutaPrograma = carpeta.path();
        PuzzGbl.RutaImagenes = carpeta.path() + "Imagenes/";
        RegistraPresentadorMensaje([this](const QString& t, const QString& x) {
            textos << x;
            testing_support::Anota("Mensaje " + t);
            // What was on disk when the player was told.
            enDisco = QFile::exists(carpeta.file("Tsl34.ini"));
            PuzzGbl.RespuestaMensaje = true;
        });
        ServiciosEstadoPuzzle s;
        s.compone = [] {
            testing_support::Anota("compone");
            return QStringList{"estado", QString::number(PuzzGbl.NroPiezas)};
        };
        s.comprueba = [this](const QByteArray& b, std::int16_t juego) {
            testing_support::Anota(QString("comprueba %1").arg(juego));
            return b.contains("bueno") ? QString() : QString("dañado");
        };
        s.juegoComprobado = [this] { return juegoDelArchivo; };
        s.aplica = [this] {
            testing_support::Anota("aplica");
            PuzzGbl.TipoJuego = juegoDelArchivo;
        };
        s.iniciaGrabadora = [] { testing_support::Anota("IniciaGrabadora"); };
        s.puzzleNuevo = [] { testing_support::Anota("puzzleNuevo"); };
        InstalaServiciosEstadoPuzzle(s);
    }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        InstalaServiciosEstadoPuzzle({});
        mesa.reset();
        PuzzGbl.reset();
    }

    testing_support::ScratchDir carpeta;
    QStringList textos;
    bool enDisco = false;
    std::int16_t juegoDelArchivo = 0;
};

TEST_F(Configuracion, SettingsLineFieldsAreReadAndMadeValid) {
    const AjustesGlobales previos{23, true, 70, true, 1};
    struct Caso {
        const char* linea;
        AjustesGlobales esperado;
    } casos[] = {
        {"2 -1050-11", {21, true, 50, true, 1}}, // game 2 is out of range
        {"22 0150 02", {22, false, 50, false, 2}}, // speed 150
        {"23-1000 03", {23, true, 0, false, 2}}, // speed 0 stays, list mode 3
        {"241 0501 1", {24, true, 50, true, 1}},  // "1 " is true
        {"  0 050   ", {23, false, 50, true, 1}}, // blanks keep their values
        {"250 0", {25, false, 0, true, 1}},      // a short line: the rest keeps its values
        {"ab-1xyz-1z", {23, true, 70, true, 1}},  // not numbers
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.linea);
        EXPECT_EQ(ValidaAjustes(LeeLineaConfiguracion(c.linea, previos)), c.esperado);
    }
    EXPECT_EQ(ComponeLineaConfiguracion({24, true, 7, false, 1}), QString("24-1007" "0 1") + QString(115, ' '));
}

TEST_F(Configuracion, AFirstStartWritesTheDefaultsThenSaysSo) {
    PuzzGbl.VelocidadJuego = 50; // the splash's
    LeeConfiguracion();
    EXPECT_EQ(plat::readFile(carpeta.file("Tsl34.ini")), QByteArray("\"210 0500 2") + QByteArray(115, ' ') + "\"\r\n");
    EXPECT_EQ(PuzzGbl.ErrorFichero, 53);
    EXPECT_EQ(PuzzGbl.TipoJuego, 21);
    EXPECT_EQ(PuzzGbl.ListaMovimientos, 2);
    ASSERT_EQ(textos.size(), 1);
    EXPECT_TRUE(enDisco);
    EXPECT_EQ(textos[0], QString::fromUtf8("No  se  encuentra  el  fichero de inicialización  Tsl34.ini .  Se ha  "
                                           "procedido  a  crearlo  automáticamente  con  los  valores establecidos "
                                           "por defecto."));
    // Read back on the next start, without a word.
    textos.clear();
    PuzzGbl.TipoJuego = 0;
    LeeConfiguracion();
    EXPECT_EQ(PuzzGbl.TipoJuego, 21);
    EXPECT_EQ(PuzzGbl.ErrorFichero, 0);
    EXPECT_TRUE(textos.isEmpty());
}

TEST_F(Configuracion, ASettingsFileThatIsAFolderIsMovedAsideAndReportedByNumber) {
    QDir().mkpath(carpeta.file("TSL34.INI"));
    LeeConfiguracion();
    ASSERT_EQ(textos.size(), 1);
    EXPECT_EQ(textos[0], "IDC ERROR 75\r\nEl archivo Tsl34.ini no se ha podido leer; se ha apartado como " +
                             carpeta.file("TSL34.INI") +
                             ".bak y se ha vuelto a crear con los valores establecidos por defecto.");
    EXPECT_TRUE(QFileInfo(carpeta.file("TSL34.INI.bak")).isDir());
    EXPECT_TRUE(QFileInfo(carpeta.file("Tsl34.ini")).isFile());
}

TEST_F(Configuracion, AFailedWriteKeepsTheOldFileAndSaysSo) {
    const QByteArray viejo = "\"231 0500 1\"\r\n";
    plat::writeFile(carpeta.file("tsl34.ini"), viejo);
    {
        plat::ScopedWriteFault fallo({5, ENOSPC});
        EXPECT_FALSE(GuardaConfiguracion());
        PuzzGbl.TipoJuego = 23;
        EXPECT_FALSE(GuardaPuzzleJuego());
    }
    EXPECT_EQ(plat::readFile(carpeta.file("tsl34.ini")), viejo);
    EXPECT_FALSE(QFile::exists(carpeta.file("Tsl2334.ini")));
    EXPECT_TRUE(GuardaConfiguracion());
    EXPECT_NE(plat::readFile(carpeta.file("tsl34.ini")), viejo);
}

TEST_F(Configuracion, AMissingTangramStateGivesTheDefaultsAndAPuzzle) {
    PuzzGbl.TipoJuego = 23;
    const QString ruta = carpeta.file("Tsl2334.ini");
    LeePuzzleJuego(ruta);
    EXPECT_EQ(testing_support::Anotadas(),
              QStringList({"Mensaje Error en la carga de datos iniciales", "IniciaGrabadora", "puzzleNuevo",
                           "compone"}));
    EXPECT_EQ(textos[0], QString::fromUtf8("No se encuentra el archivo de inicialización ") + ruta +
                             QString::fromUtf8(". Se ha  procedido  a  crearlo automáticamente  con  los  valores "
                                               "establecidos por defecto."));
    EXPECT_EQ(PuzzGbl.NroPiezas, 7);
    EXPECT_EQ(PuzzGbl.NroModelo, 1);
    EXPECT_EQ(PuzzGbl.TAN_ModoJuego, 2);
    EXPECT_EQ(PuzzGbl.ColorLineas, 0xFFFFFF);
    EXPECT_EQ(PuzzGbl.NombreJugador, QString("MiNombre "));
    EXPECT_EQ(plat::readFile(ruta), QByteArray("\"estado\"\r\n\"7\"\r\n"));
}

TEST_F(Configuracion, AMissingJigsawStateAsksForAPicture) {
    PuzzGbl.TipoJuego = 21;
    LeePuzzleJuego(carpeta.file("Tsl2134.ini"));
    EXPECT_EQ(mesa.llamadasBoton(), 1);
    EXPECT_EQ(mesa.ultimaLlamadaBoton().indice, 2);
    EXPECT_EQ(mesa.Pic_FonTamModi.width(), 320);
    EXPECT_EQ(mesa.Pic_FonTamModi.height(), 240);
    EXPECT_TRUE(mesa.Pic_FonTamModi.hasPicture());
    EXPECT_EQ(PuzzGbl.CarpetaImagen, carpeta.path() + "Imagenes/");
    EXPECT_TRUE(PuzzGbl.MuestraVisible);
    EXPECT_FALSE(testing_support::Anotadas().contains("puzzleNuevo"));
    EXPECT_TRUE(QFile::exists(carpeta.file("Tsl2134.ini")));
}

TEST_F(Configuracion, AStateThatCannotBeWrittenIsSaid) {
    PuzzGbl.TipoJuego = 24;
    plat::ScopedWriteFault fallo({0, EIO});
    LeePuzzleJuego(carpeta.file("Tsl2434.ini"));
    ASSERT_EQ(textos.size(), 2);
    EXPECT_EQ(textos[1], "No se ha podido crear el archivo " + carpeta.file("Tsl2434.ini") + ".");
}

TEST_F(Configuracion, SavedPuzzlesThatCannotBeReadChangeNothing) {
    PuzzGbl.TipoJuego = 22;
    plat::writeFile(carpeta.file("roto.puz"), "\"malo\"\r\n");
    for (const char* nombre : {"roto.puz", "falta.puz"}) {
        SCOPED_TRACE(nombre);
        textos.clear();
        LeePuzzleJuego(carpeta.file(nombre));
        ASSERT_EQ(textos.size(), 1);
        EXPECT_EQ(textos[0], QString("No se ha podido cargar el puzzle archivado %1. El puzzle actual no se ha modificado.")
                                 .arg(QFileInfo(nombre).completeBaseName()));
        EXPECT_FALSE(testing_support::Anotadas().contains("aplica"));
        EXPECT_FALSE(testing_support::Anotadas().contains("compone")) << "no state written";
        EXPECT_FALSE(QFile::exists(carpeta.file("Tsl2234.ini")));
    }
    // The quiet loader tells by its flag only.
    CargaPuzzleArchivo(carpeta.file("roto.puz"));
    EXPECT_FALSE(PuzzGbl.CargaCorrecta);
    plat::writeFile(carpeta.file("Tesel34.CSE"), "\"bueno\"\r\n");
    juegoDelArchivo = 22;
    CargaPuzzleArchivo(carpeta.file("tesel34.cse"));
    EXPECT_TRUE(PuzzGbl.CargaCorrecta);
}

TEST_F(Configuracion, ASavedPuzzleOfAnotherGameWritesTheLeftGameFirst) {
    PuzzGbl.TipoJuego = 22;
    plat::writeFile(carpeta.file("otro.puz"), "\"bueno\"\r\n");
    juegoDelArchivo = 25;
    LeePuzzleJuego(carpeta.file("otro.puz"));
    const QStringList l = testing_support::Anotadas();
    EXPECT_EQ(l, QStringList({"comprueba 0", "compone", "aplica"}));
    EXPECT_TRUE(QFile::exists(carpeta.file("Tsl2234.ini")));
    EXPECT_EQ(PuzzGbl.TipoJuego, 25);
}

TEST_F(Configuracion, StateFilesAreFoundWhateverTheirCase) {
    PuzzGbl.TipoJuego = 25;
    plat::writeFile(carpeta.file("TSL2534.INI"), "\"bueno\"\r\n");
    juegoDelArchivo = 25;
    LeePuzzleJuego(carpeta.file("Tsl2534.ini"));
    EXPECT_EQ(testing_support::Anotadas(), QStringList({"comprueba 25", "aplica"}));
    EXPECT_TRUE(textos.isEmpty());
}

TEST_F(Configuracion, QuotedLinesKeepInnerQuotesAndPathsOutsideTheCodePage) {
    const QStringList lineas{"", QString::fromUtf8("/fotos/Łódź/"), "a\"b.png", " ", QString::fromUtf8("Łukasz \"x\"")};
    const QByteArray b = ComponeArchivoEstado(lineas);
    EXPECT_TRUE(b.contains(QString::fromUtf8("Łódź").toUtf8()));
    EXPECT_TRUE(b.contains("\"?ukasz \"x\"\"\r\n")); // not a picture line: the code page, '?' for what it lacks
    QStringList esperado = lineas;
    esperado[4] = "?ukasz \"x\"";
    EXPECT_EQ(LeeLineasEstado(b), esperado);
    QByteArray soloLf = b;
    soloLf.replace("\r\n", "\n");
    EXPECT_EQ(LeeLineasEstado(soloLf), esperado);
    // A Windows-1252 path stays Windows-1252 both ways.
    const QByteArray cp = ComponeArchivoEstado({QString::fromUtf8("/Imágenes/")});
    EXPECT_EQ(cp, QByteArray("\"/Im\xe1genes/\"\r\n"));
    EXPECT_EQ(LeeLineasEstado(cp), QStringList{QString::fromUtf8("/Imágenes/")});
}

TEST_F(Configuracion, DerivedColours) {
    struct Caso {
        std::int32_t fondo, pieza, lineas, fondoClaro, fondoOscuro;
    } casos[] = {
        {0x800000, 0x8000, 0xFFFFFF, 0xA82828, 0x580000},
        {0x000000, 0xFFFFFF, 0xC0C0C0, 0x282828, 0x000000},
        {0xFFFFFF, 0x000000, 0xC0C0C0, 0xFFFFFF, 0xD7D7D7},
        {0x0000C0, 0, 0xFFFFFF, 0x2828E8, 0x000098}, // red 192: brightness 51
        {0x00C000, 0, 0xFFFFFF, 0x28E828, 0x009800}, // green 192: brightness 128, still white
        {0x00C100, 0, 0x000000, 0x28E928, 0x009900}, // green 193: brightness 129
        {0xF0F0F0, 0, 0x000000, 0xFFFFFF, 0xC8C8C8},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.fondo);
        PuzzGbl.ColorFondo = c.fondo;
        PuzzGbl.ColorPieza = c.pieza;
        CalculaColoresDerivados();
        EXPECT_EQ(PuzzGbl.ColorLineas, c.lineas);
        EXPECT_EQ(PuzzGbl.ColorFondoClaro, c.fondoClaro);
        EXPECT_EQ(PuzzGbl.ColorFondoOscuro, c.fondoOscuro);
    }
    PuzzGbl.ColorPieza = 0x8000;
    CalculaColoresDerivados();
    EXPECT_EQ(PuzzGbl.ColorPiezaClaro, 0x28A828);
    EXPECT_EQ(PuzzGbl.ColorPiezaOscuro, 0x005800);
}

} // namespace
