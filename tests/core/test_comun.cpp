// The common services: the pointer codes, the speed-scaled pause on a fake
// clock, the sounds through a recording player and the message call's hand-over.
#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "platform/clock.h"
#include "platform/sound.h"
#include "resources/resources.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace {

class Comun : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        RegistraPresentadorMensaje({});
    }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        PuzzGbl.reset();
    }
};

// ------------------------------------------------------------------ pointer

struct CasoCursor {
    int codigo;
    int puntero;       // the surface's pointer afterwards
    const char* nombre; // its custom cursor (for pointer 99)
};

TEST_F(Comun, PonCursorGivesEveryCodeAPointerAndRemembersTheCode) {
    const CasoCursor casos[] = {
        {0, 0, nullptr},          {11, 11, nullptr},         {12, 12, nullptr},
        {15, 15, nullptr},        {19, 19, nullptr},         {20, 99, "MANOABIERTA"},
        {21, 99, "MANOVERDE"},    {22, 99, "MANOROJA"},      {23, 99, "MANOINDICE"},
        {24, 99, "PUNTUTOR"},     {25, 99, "FLECHANOR"},     {26, 99, "FLECHAEST"},
        {27, 99, "FLECHASUR"},    {28, 99, "FLECHAOES"},     {29, 99, "MANOCERRADA"},
        {30, 0, nullptr},         {99, 0, nullptr},          {-1, 0, nullptr},
    };
    for (const CasoCursor& c : casos) {
        SCOPED_TRACE(c.codigo);
        plat::Surface s(QStringLiteral("Pic_Prueba"), 10, 10);
        s.setMousePointer(7); // something else before
        PonCursor(s, c.codigo);
        EXPECT_EQ(s.mousePointer(), c.puntero);
        if (c.nombre) {
            EXPECT_EQ(s.customCursor(), QString::fromLatin1(c.nombre));
            EXPECT_EQ(NombreCursor(c.codigo), QString::fromLatin1(c.nombre));
        } else {
            EXPECT_TRUE(NombreCursor(c.codigo).isEmpty());
        }
        EXPECT_EQ(PuzzGbl.CursorActual, c.codigo);
    }
}

TEST_F(Comun, PonCursorFromACustomPointerBackToAStandardOne) {
    plat::Surface s(QStringLiteral("Pic_Prueba"), 10, 10);
    PonCursor(s, 22);
    PonCursor(s, 11);
    EXPECT_EQ(s.mousePointer(), 11);
    PonCursor(s, 29);
    EXPECT_EQ(s.mousePointer(), 99);
    EXPECT_EQ(s.customCursor(), QStringLiteral("MANOCERRADA"));
}

// ------------------------------------------------------------------ pause

TEST_F(Comun, FactorRetardoBySpeed) {
    const struct {
        int velocidad;
        double factor;
    } casos[] = {
        {0, 7.9998}, {25, 3.3749}, {49, 1.0611}, {50, 1.0},    {51, 0.9702},
        {75, 0.3536}, {100, 0.0},  {120, 0.0},   {-20, 7.9998},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.velocidad);
        EXPECT_DOUBLE_EQ(FactorRetardo(c.velocidad), c.factor);
    }
}

// A clock that moves by a fixed step every time it is read.
struct RelojPasos {
    std::int64_t valor;
    std::int64_t paso;
    std::int64_t ultimaLectura = 0;
    int lecturas = 0;
    std::int64_t lee() {
        ultimaLectura = valor;
        valor += paso;
        ++lecturas;
        return ultimaLectura;
    }
};

TEST_F(Comun, RetardoEndsAtTheFirstClockReadingPastTheScaledTime) {
    const struct {
        int velocidad;
        int ms;
        std::int64_t paso;
        std::int64_t fin; // the reading the wait ends on (start 1000)
    } casos[] = {
        {50, 37, 1, 1038},   // 1037 itself is not past the target
        {50, 37, 7, 1042},   // readings 1035, 1042
        {75, 100, 1, 1036},  // 35.36 ms
        {25, 10, 1, 1034},   // 33.749 ms
        {0, 10, 1, 1080},    // 79.998 ms
        {100, 500, 1, 1001}, // nothing to wait: the first reading after the start
        {120, 500, 1, 1001}, // speeds above 100 count as 100
        {50, 0, 1, 1001},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "speed " << c.velocidad << " ms " << c.ms << " step " << c.paso);
        PuzzGbl.VelocidadJuego = static_cast<std::int16_t>(c.velocidad);
        RelojPasos reloj{1000, c.paso};
        bool corrioEvento = false;
        QTimer::singleShot(0, [&] { corrioEvento = true; });
        {
            plat::ScopedClockSource fuente([&] { return reloj.lee(); });
            Retardo(c.ms);
        }
        EXPECT_EQ(reloj.ultimaLectura, c.fin);
        EXPECT_EQ(PuzzGbl.InicioRetardo, 0);
        EXPECT_FALSE(corrioEvento) << "the pause let an event run";
        QCoreApplication::processEvents();
        EXPECT_TRUE(corrioEvento);
    }
}

// ------------------------------------------------------------------ sound

class Sonidos : public Comun {
protected:
    void SetUp() override {
        Comun::SetUp();
        teselaro::initResources();
        plat::setSoundPlayer(&grabadora);
    }
    void TearDown() override {
        plat::setSoundPlayer(nullptr);
        Comun::TearDown();
    }
    plat::RecordingSoundPlayer grabadora;
};

TEST_F(Sonidos, WithSoundOffNothingChangesNotEvenTheSoundPlaying) {
    grabadora.play(teselaro::soundResource(6), false);
    ASSERT_TRUE(grabadora.sounding());
    PuzzGbl.SonidoActivo = false;
    for (int modo : {0, 1, 2}) Sonido(modo, 9);
    EXPECT_EQ(grabadora.calls().size(), 1u);
    EXPECT_TRUE(grabadora.sounding());
}

TEST_F(Sonidos, ModeOneReturnsAtOnceOtherModesWaitForTheEnd) {
    const QByteArray clip = teselaro::soundResource(9);
    ASSERT_FALSE(clip.isEmpty());
    PuzzGbl.SonidoActivo = true;
    for (int modo : {1, 0, 2}) {
        SCOPED_TRACE(modo);
        grabadora.clear();
        Sonido(modo, 9);
        ASSERT_EQ(grabadora.calls().size(), 2u);
        EXPECT_EQ(grabadora.calls()[0].kind, plat::RecordingSoundPlayer::Call::Kind::Stop);
        const auto& play = grabadora.calls()[1];
        EXPECT_EQ(play.kind, plat::RecordingSoundPlayer::Call::Kind::Play);
        EXPECT_EQ(play.clip, clip);
        EXPECT_EQ(play.waited, modo != 1);
    }
}

TEST_F(Sonidos, ANewSoundCutsOffTheOneStillPlaying) {
    PuzzGbl.SonidoActivo = true;
    Sonido(1, 50);
    Sonido(1, 51);
    ASSERT_EQ(grabadora.calls().size(), 4u);
    EXPECT_TRUE(grabadora.calls()[1].cutOff);
    EXPECT_EQ(grabadora.calls()[3].clip, teselaro::soundResource(51));
}

TEST_F(Sonidos, AMissingSoundIsSilence) {
    PuzzGbl.SonidoActivo = true;
    grabadora.play(teselaro::soundResource(6), false);
    Sonido(0, 999);
    // The sound before is stopped; nothing else is played and nothing fails.
    ASSERT_EQ(grabadora.calls().size(), 2u);
    EXPECT_EQ(grabadora.calls()[1].kind, plat::RecordingSoundPlayer::Call::Kind::Stop);
    EXPECT_FALSE(grabadora.sounding());
}

// ------------------------------------------------------------------ message call

TEST_F(Comun, MensajeWithoutAWindowSetsTheGlobalsAndAnswersByType) {
    const struct {
        int lineas, tipo;
        std::optional<int> ayuda;
        std::int16_t ayudaEsperada;
        bool respuesta;
    } casos[] = {
        {3, 1, std::nullopt, 0, true},
        {2, 2, 1040, 1040, false},
        {0, 7, 0, 0, false},       // any type but 1 is a question
        {1, 2, 70000, 0, false},   // a topic outside 16 bits names none
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.tipo);
        PuzzGbl.RespuestaMensaje = !c.respuesta;
        Mensaje(QStringLiteral("Título"), QStringLiteral("Texto"), c.lineas, c.tipo, c.ayuda);
        EXPECT_EQ(PuzzGbl.NroLineasMensaje, c.lineas);
        EXPECT_EQ(PuzzGbl.TipoMensaje, c.tipo);
        EXPECT_EQ(PuzzGbl.AyudaMensaje, c.ayudaEsperada);
        EXPECT_EQ(PuzzGbl.RespuestaMensaje, c.respuesta);
    }
}

TEST_F(Comun, MensajeHandsTheTextsToThePresenterAfterSettingTheGlobals) {
    QString titulo, texto;
    int lineas = -1, tipo = -1, ayuda = -1;
    RegistraPresentadorMensaje([&](const QString& t, const QString& x) {
        titulo = t;
        texto = x;
        lineas = PuzzGbl.NroLineasMensaje;
        tipo = PuzzGbl.TipoMensaje;
        ayuda = PuzzGbl.AyudaMensaje;
        PuzzGbl.RespuestaMensaje = true;
    });
    Mensaje(QStringLiteral("Borrar"), QStringLiteral("¿Se  borra?"), 2, 2, 2500);
    EXPECT_EQ(titulo, QStringLiteral("Borrar"));
    EXPECT_EQ(texto, QStringLiteral("¿Se  borra?")); // doubled blanks as they stand
    EXPECT_EQ(lineas, 2);
    EXPECT_EQ(tipo, 2);
    EXPECT_EQ(ayuda, 2500);
    EXPECT_TRUE(PuzzGbl.RespuestaMensaje);
}

} // namespace
