// The start-up road with fakes: a fixed screen, a clock that runs fast for
// the splash, a message presenter that answers at once, and a recording
// window for the table.
#include "core/Carpetas.h"
#include "core/Configuracion.h"
#include "core/Pantalla.h"
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "core/ui/Arranque.h"
#include "core/ui/careta.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "tests/support/fixtures.h"
#include "tests/support/registro.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace {

struct MensajeVisto {
    QString titulo, texto;
    int lineas, tipo, ayuda;
};

class Arranque : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        mesa.reset();
        testing_support::BorraAnotadas();
        vistos.clear();
        fallaEn.clear();
        acepta = true;
        FijaCarpetaPrograma(carpeta.path());
        // Settings and a state that read back as they are, so that the road
        // runs without the messages of a first start.
        plat::writeFile(carpeta.file("Tsl34.ini"), ComponeArchivoEstado({ComponeLineaConfiguracion({21, false, 50, false, 2})}));
        plat::writeFile(carpeta.file("Tsl2134.ini"), ComponeArchivoEstado({"estado"}));
        ServiciosEstadoPuzzle servicios;
        servicios.compone = [] {
            testing_support::Anota("compone");
            return QStringList{"estado"};
        };
        servicios.comprueba = [this](const QByteArray&, std::int16_t) {
            testing_support::Anota("comprueba");
            falla("comprueba");
            return QString();
        };
        servicios.juegoComprobado = [] { return PuzzGbl.TipoJuego; };
        servicios.aplica = [] {};
        InstalaServiciosEstadoPuzzle(servicios);
        plat::setFolderWritableOverrideForTests([](const QString&) { return true; });
        FijaTamanoPantalla(QSize(1024, 768));
        reloj = 1000;
        plat::setClockSourceForTests([this] { return reloj += 50; });
        RegistraPresentadorMensaje([this](const QString& t, const QString& x) {
            vistos.push_back({t, x, PuzzGbl.NroLineasMensaje, PuzzGbl.TipoMensaje, PuzzGbl.AyudaMensaje});
            testing_support::Anota("Mensaje " + t);
            falla("Mensaje " + t);
            PuzzGbl.RespuestaMensaje = PuzzGbl.TipoMensaje == 1 ? true : acepta;
        });
        mesa.ponCreadorVentana([this] {
            testing_support::Anota("Load");
            EnlaceVentanaMesa e;
            e.mover = [this](int l, int t, int w, int h) {
                testing_support::Anota(QString("Move %1 %2 %3 %4").arg(l).arg(t).arg(w).arg(h));
                falla("Move");
            };
            e.mostrar = [] { testing_support::Anota("Show"); };
            e.ponPuntero = [](int c) { testing_support::Anota(QString("Pointer %1").arg(c)); };
            mesa.conectaVentana(e);
        });
        // The table window's panel procedures.
        ProcedimientosPanel p;
        p.marchaCronometro = [](std::int16_t modo) { testing_support::Anota(QString("Cronometro %1").arg(modo)); };
        p.dibujaBotonera = [] { testing_support::Anota("Botonera"); };
        RegistraProcedimientosPanel(p);
    }
    // A double asked to fail throws the run-time error a failing step would.
    void falla(const QString& que) const {
        if (fallaEn == que) throw plat::RuntimeError(5);
    }
    void TearDown() override {
        careta::Descarga();
        QCoreApplication::processEvents();
        mesa.desconectaVentana();
        mesa.ponCreadorVentana({});
        mesa.reset();
        RegistraPresentadorMensaje({});
        plat::setClockSourceForTests({});
        plat::setFolderWritableOverrideForTests({});
        FijaTamanoPantalla(QSize());
        FijaCarpetaPrograma(QString());
        InstalaServiciosEstadoPuzzle({});
        RegistraProcedimientosPanel({});
        testing_support::BorraAnotadas();
    }
    // The calls from the table's load on (the splash and folders come first).
    QStringList desdeCarga() const {
        QStringList l = testing_support::Anotadas();
        const auto i = l.indexOf("Load");
        return i < 0 ? QStringList() : l.mid(i);
    }

    testing_support::ScratchDir carpeta;
    std::int64_t reloj = 0;
    bool acepta = true;
    QString fallaEn; // the double that fails, if any
    std::vector<MensajeVisto> vistos;
};

TEST_F(Arranque, StepsRunInOrder) {
    ASSERT_TRUE(Main());
    // The tables are filled before the window is placed; the settings are
    // read before the panel is drawn, and the game's state after it.
    EXPECT_EQ(desdeCarga(), QStringList({"Load", "Move 0 0 1024 768", "Cronometro 1", "Botonera", "comprueba",
                                         "Pointer 0", "Show", "Mensaje TESELARO 3.4"}));
    EXPECT_EQ(PuzzGbl.TextosControles[1], QStringLiteral(" Modo de juego  "));
    EXPECT_EQ(PuzzGbl.TipoJuego, 21);
    EXPECT_FALSE(PuzzGbl.SonidoActivo);
    EXPECT_EQ(PuzzGbl.RutaPrograma, carpeta.path());
    EXPECT_EQ(PuzzGbl.RutaArchivo, carpeta.path() + "Archivo/");
    EXPECT_EQ(PuzzGbl.RutaImagenes, carpeta.path() + "Imagenes/");
    EXPECT_EQ(PuzzGbl.SaltoLinea, QString("\r\n"));
    EXPECT_EQ(PuzzGbl.VelocidadJuego, 50); // the splash's, until the settings are read
    EXPECT_TRUE(PuzzGbl.BotoneraOculta);
    EXPECT_FALSE(PuzzGbl.ResolviendoAuto);
    EXPECT_TRUE(PuzzGbl.CronometroEnMarcha);
    EXPECT_EQ(careta::Cargada(), nullptr);
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_EQ(vistos[0].texto, QString::fromUtf8("Si desea consultar una descripción general de este  programa  para  "
                                                 "conocer  rápidamente su funcionamiento, pulse el botón de Ayuda."));
    EXPECT_EQ(vistos[0].lineas, 3);
    EXPECT_EQ(vistos[0].tipo, 1);
    EXPECT_EQ(vistos[0].ayuda, 1020);
}

TEST_F(Arranque, AFailingStepStopsNothing) {
    // The window's placement fails; the settings' message fails (the file is
    // missing, so one is shown); the state's reading fails.
    const char* fallos[] = {"Move 0 0 1024 768", "Mensaje Error en la carga de datos iniciales", "comprueba"};
    for (const char* paso : fallos) {
        SCOPED_TRACE(paso);
        SetUp();
        if (QString(paso).startsWith("Mensaje")) QFile::remove(carpeta.file("Tsl34.ini"));
        fallaEn = QString(paso).startsWith("Move") ? QString("Move") : QString(paso);
        ASSERT_TRUE(Main());
        EXPECT_TRUE(desdeCarga().contains(paso));
        // Every later step still runs (a settings step that fails leaves no game,
        // whose state file is then reported missing).
        for (const char* despues : {"Botonera", "Pointer 0", "Show"}) EXPECT_TRUE(desdeCarga().contains(despues));
        EXPECT_EQ(desdeCarga().last(), "Mensaje TESELARO 3.4");
        TearDown();
    }
}

TEST_F(Arranque, NarrowScreensAreAskedAbout) {
    struct Caso {
        QSize pantalla;
        const char* texto; // the size as the question shows it; nullptr: no question
    } casos[] = {{{799, 600}, "(799x600)"}, {{99, 80}, "( 99x 80)"}, {{800, 600}, nullptr}, {{800, 300}, nullptr}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.pantalla.width());
        SetUp();
        FijaTamanoPantalla(c.pantalla);
        ASSERT_TRUE(Main());
        if (!c.texto) {
            EXPECT_EQ(vistos.size(), 1u);
        } else {
            ASSERT_EQ(vistos.size(), 3u);
            EXPECT_EQ(vistos[0].titulo, QString::fromUtf8("Resolución de pantalla"));
            EXPECT_TRUE(vistos[0].texto.contains(c.texto)) << vistos[0].texto.toStdString();
            EXPECT_EQ(vistos[0].texto, TextoResolucion(c.pantalla.width(), c.pantalla.height()));
            EXPECT_EQ(vistos[0].lineas, 7);
            EXPECT_EQ(vistos[0].tipo, 2);
            EXPECT_EQ(vistos[0].ayuda, 1040);
            EXPECT_EQ(vistos[1].titulo, QString::fromUtf8("Cambio de resolución de pantalla"));
            EXPECT_EQ(vistos[1].texto, QString::fromUtf8("No se puede cambiar la resolución de la pantalla."));
            EXPECT_EQ(vistos[1].lineas, 2);
            EXPECT_EQ(vistos[1].tipo, 1);
            EXPECT_EQ(vistos[1].ayuda, 0);
            // The table still covers the real screen.
            EXPECT_TRUE(desdeCarga().contains(
                QString("Move 0 0 %1 %2").arg(c.pantalla.width()).arg(c.pantalla.height())));
        }
        TearDown();
    }
}

TEST_F(Arranque, CancellingTheDisplayQuestionEndsBeforeAnyFile) {
    FijaTamanoPantalla(QSize(640, 480));
    acepta = false;
    EXPECT_FALSE(Main());
    EXPECT_EQ(testing_support::Anotadas(), QStringList({"Mensaje " + QString::fromUtf8("Resolución de pantalla")}));
    EXPECT_FALSE(mesa.Loaded());
    EXPECT_EQ(careta::Cargada(), nullptr);
}

TEST_F(Arranque, EndingWritesSettingsThenStateAndSaysWhetherBothWrote) {
    PuzzGbl.RutaPrograma = carpeta.path();
    PuzzGbl.TipoJuego = 23;
    QFile::remove(carpeta.file("Tsl34.ini"));
    EXPECT_TRUE(TerminaPrograma());
    EXPECT_TRUE(QFile::exists(carpeta.file("Tsl34.ini")));
    EXPECT_EQ(plat::readFile(carpeta.file("Tsl2334.ini")), ComponeArchivoEstado({"estado"}));
    // The settings cannot be written: the state still is, and the end says so.
    QFile::remove(carpeta.file("Tsl34.ini"));
    QFile::remove(carpeta.file("Tsl2334.ini"));
    QDir().mkpath(carpeta.file("Tsl34.ini"));
    EXPECT_FALSE(TerminaPrograma());
    EXPECT_TRUE(QFile::exists(carpeta.file("Tsl2334.ini")));
}

} // namespace

// Damaged settings and state files met at start: the program goes on with a
// message, never waits, and keeps what the player had.
TEST_F(Arranque, UnreadableFilesAreMovedAsideAndTheStartGoesOn) {
    enum class Dano { Fifo, Carpeta, Enorme, SinPermisos };
    struct Caso {
        const char* archivo;
        Dano dano;
    } casos[] = {
        {"Tsl34.ini", Dano::Fifo},       {"Tsl34.ini", Dano::Carpeta},     {"Tsl34.ini", Dano::Enorme},
        {"Tsl34.ini", Dano::SinPermisos}, {"Tsl2134.ini", Dano::Fifo},     {"Tsl2134.ini", Dano::Carpeta},
        {"Tsl2134.ini", Dano::Enorme},    {"Tsl2134.ini", Dano::SinPermisos},
    };
    const bool root = ::geteuid() == 0;
    // A read that waits ends the test by the alarm instead of holding it.
    ::alarm(120);
    for (const Caso& c : casos) {
        if (c.dano == Dano::SinPermisos && root) continue; // root reads a file of mode 000
        SCOPED_TRACE(QString("%1 %2").arg(c.archivo).arg(int(c.dano)).toStdString());
        SetUp();
        const QString ruta = carpeta.file(c.archivo);
        const QByteArray nativa = QFile::encodeName(ruta);
        QFile::remove(ruta);
        switch (c.dano) {
        case Dano::Fifo: ASSERT_EQ(::mkfifo(nativa.constData(), 0644), 0); break;
        case Dano::Carpeta: ASSERT_TRUE(QDir().mkpath(ruta)); break;
        case Dano::Enorme: plat::writeFile(ruta, QByteArray(plat::kMaxSettingsFile + 1, 'x')); break;
        case Dano::SinPermisos:
            plat::writeFile(ruta, "\"guardado\"\r\n");
            ASSERT_EQ(::chmod(nativa.constData(), 0), 0);
            break;
        }
        ASSERT_TRUE(Main());
        // Whatever failed, the settings in force were made valid: no game 0.
        EXPECT_GE(PuzzGbl.TipoJuego, 21);
        EXPECT_LE(PuzzGbl.TipoJuego, 25);
        EXPECT_FALSE(QFileInfo::exists(carpeta.file("Tsl0034.ini")));
        // Told, and the old file kept aside under its ".bak" name.
        ASSERT_GE(vistos.size(), 2u);
        EXPECT_TRUE(vistos[0].texto.contains(QString::fromUtf8("se ha apartado como ") + ruta + ".bak"))
            << vistos[0].texto.toStdString();
        const QFileInfo bak(ruta + ".bak");
        EXPECT_TRUE(bak.exists() || bak.isSymLink());
        EXPECT_EQ(c.dano == Dano::Carpeta, bak.isDir());
        // A new file of the ordinary kind in its place.
        const QFileInfo nuevo(ruta);
        EXPECT_TRUE(nuevo.isFile());
        EXPECT_TRUE(nuevo.permissions() & QFileDevice::WriteOwner);
        TearDown();
        QFile::remove(ruta + ".bak");
        QDir(ruta + ".bak").removeRecursively();
    }
    ::alarm(0);
}

// Settings written with any of the line ends the program accepts are read as
// they stand: no message, no copy aside, the file untouched.
TEST_F(Arranque, SettingsWithAnyLineEndAreReadAndLeftAsTheyAre) {
    for (const char* fin : {"\r\n", "\n", "\r", ""}) {
        SCOPED_TRACE(testing::PrintToString(std::string(fin)));
        SetUp();
        QByteArray b = ComponeArchivoEstado({ComponeLineaConfiguracion({23, false, 70, true, 1})});
        b.replace("\r\n", fin);
        const QString ruta = carpeta.file("Tsl34.ini");
        plat::writeFile(ruta, b);
        plat::writeFile(carpeta.file("Tsl2334.ini"), ComponeArchivoEstado({"estado"}));
        ASSERT_TRUE(Main());
        EXPECT_EQ(PuzzGbl.TipoJuego, 23);
        EXPECT_EQ(PuzzGbl.VelocidadJuego, 70);
        EXPECT_TRUE(PuzzGbl.MostrarSugerencias);
        // Only the welcome is said.
        EXPECT_EQ(vistos.size(), 1u);
        EXPECT_EQ(plat::readFile(ruta), b);
        EXPECT_FALSE(QFileInfo::exists(ruta + ".bak"));
        TearDown();
    }
}

TEST_F(Arranque, TemporaryFilesLeftByAKilledWriteGoAtTheNextStart) {
    const QString viejo = carpeta.file(".Tsl2134.ini.q1w2e3.tmp");
    const QString reciente = carpeta.file(".Tesel34.his.a1.tmp");
    plat::writeFile(viejo, "medio escrito");
    plat::writeFile(reciente, "escribiendose");
    QFile f(viejo);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
    f.close();
    ASSERT_TRUE(Main());
    EXPECT_FALSE(QFile::exists(viejo));
    EXPECT_TRUE(QFile::exists(reciente));
}
