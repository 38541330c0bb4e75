// The message box: its layout by lines, type and help; the border and frames
// on its surface; the keys; help while it stays open; a message that comes
// while another is open; and a text longer than the lines asked for.
#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "core/ui/mensajes.h"
#include "platform/sound.h"
#include "platform/ui/helpviewer.h"
#include "platform/ui/surfaceview.h"
#include "resources/resources.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr plat::Color kFondo = 0xC0C0C0;
constexpr plat::Color kGris = 0x808080;
constexpr plat::Color kBlanco = 0xFFFFFF;

class Mensajes : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        teselaro::initResources();
        InstalaMensajes();
        plat::setSoundPlayer(&grabadora);
    }
    void TearDown() override {
        plat::setSoundPlayer(nullptr);
        RegistraPresentadorMensaje({});
        PonPunteroMesa = nullptr;
        if (plat::HelpViewer* v = plat::HelpViewer::existing()) v->hide();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        PuzzGbl.reset();
    }

    // Runs `mientras` on the box once the next message is shown; a box left
    // open by it is closed unanswered, so that the message call returns.
    static void alAbrirse(std::function<void(mensajes&)> mientras) {
        QTimer::singleShot(0, [mientras] {
            mensajes* m = mensajes::actual();
            ASSERT_NE(m, nullptr);
            ASSERT_TRUE(m->isVisible());
            mientras(*m);
            if (!m->cerrada()) m->cierraSinRespuesta();
        });
    }

    static plat::SurfaceView* vistaDe(mensajes& m, const plat::Surface& s) {
        for (plat::SurfaceView* v : m.findChildren<plat::SurfaceView*>())
            if (v->surface() == &s) return v;
        return nullptr;
    }

    static void pulsa(QWidget* destino, int tecla, const QString& texto,
                      Qt::KeyboardModifiers mod = Qt::NoModifier) {
        QKeyEvent e(QEvent::KeyPress, tecla, mod, texto);
        QCoreApplication::sendEvent(destino, &e);
    }

    plat::RecordingSoundPlayer grabadora;
};

// ------------------------------------------------------------------ layout

TEST_F(Mensajes, LayoutByLinesTypeAndHelp) {
    for (int lineas : {0, 3, 7}) {
        for (int tipo : {1, 2}) {
            for (int ayuda : {0, 1040}) {
                SCOPED_TRACE(testing::Message() << "lines " << lineas << " type " << tipo << " help " << ayuda);
                PuzzGbl.reset();
                int punteroMesa = -1;
                PonPunteroMesa = [&](int p) { punteroMesa = p; };
                const int alto = lineas * 16 + 128;
                const int fila = lineas * 16 + 67;
                alAbrirse([&](mensajes& m) {
                    EXPECT_EQ(punteroMesa, 0);
                    EXPECT_EQ(m.size(), QSize(400, alto));
                    EXPECT_EQ(m.pos(), QPoint(200, (600 - alto) / 2));
                    EXPECT_EQ(m.filaBotones(), fila);
                    EXPECT_EQ(m.Tex_Titulo->geometry(), QRect(20, 16, 365, 19));
                    EXPECT_EQ(m.Tex_Mensaje->geometry(), QRect(20, 50, 365, lineas * 16 + 3));
                    EXPECT_EQ(m.Tex_Titulo->text(), QStringLiteral("Aviso"));
                    const struct {
                        plat::Surface& boton;
                        int left;
                        bool visible;
                        const char* ayuda;
                    } botones[] = {
                        {m.Pic_BotAyuda, 15, ayuda != 0, " Ayuda "},
                        {m.Pic_BotAceptar, 171, tipo != 1, " Aceptar "},
                        {m.Pic_BotCancelar, 332, tipo != 1, " Cancelar "},
                        {m.Pic_BotSalir, 337, tipo == 1, " Salir "},
                    };
                    for (const auto& b : botones) {
                        SCOPED_TRACE(b.ayuda);
                        plat::SurfaceView* v = vistaDe(m, b.boton);
                        ASSERT_NE(v, nullptr);
                        EXPECT_EQ(v->isVisible(), b.visible);
                        EXPECT_EQ(b.boton.toolTip(), QString::fromLatin1(b.ayuda));
                        if (!b.visible) continue;
                        EXPECT_EQ(v->geometry(), QRect(b.left, fila, 48, 48));
                        EXPECT_EQ(b.boton.mousePointer(), 99);
                        EXPECT_EQ(b.boton.customCursor(), QStringLiteral("MANOINDICE"));
                    }
                    EXPECT_EQ(m.respuesta(), tipo == 1);
                    EXPECT_EQ(PuzzGbl.RespuestaMensaje, tipo == 1);
                    if (tipo == 1)
                        m.Pic_BotSalir_Click();
                    else
                        m.Pic_BotCancelar_MouseDown(1, 0, 0, 0);
                    EXPECT_TRUE(m.cerrada());
                });
                Mensaje(QStringLiteral("Aviso"), QString(), lineas, tipo,
                        ayuda ? std::optional<int>(ayuda) : std::nullopt);
                EXPECT_EQ(PuzzGbl.RespuestaMensaje, tipo == 1);
                EXPECT_EQ(PuzzGbl.AnchoMesa, 800);
                EXPECT_EQ(PuzzGbl.AltoMesa, 600);
                EXPECT_EQ(mensajes::actual(), nullptr);
            }
        }
    }
}

TEST_F(Mensajes, CentredOnTheTableWhenItsSizeIsKnown) {
    PuzzGbl.AnchoMesa = 1024;
    PuzzGbl.AltoMesa = 768;
    alAbrirse([](mensajes& m) { EXPECT_EQ(m.pos(), QPoint(312, (768 - 176) / 2)); });
    Mensaje(QStringLiteral("Aviso"), QString(), 3, 1);
    EXPECT_EQ(PuzzGbl.AnchoMesa, 1024);
    EXPECT_EQ(PuzzGbl.AltoMesa, 768);
}

TEST_F(Mensajes, BorderAndFramesOnTheFormSurface) {
    // Three lines: 176 high, the text frame around (20, 50) 365 x 51.
    struct Punto {
        int x, y;
        plat::Color color;
    };
    const int h = 176;
    const Punto puntos[] = {
        // raised border, 2 pixels wide: light top and left, dark right and bottom
        {0, 0, kFondo},      {1, 1, kBlanco},     {2, 2, kBlanco},     {200, 1, kBlanco},
        {200, 2, kBlanco},   {1, 100, kBlanco},   {2, 100, kBlanco},   {3, 3, kFondo},
        {200, 3, kFondo},    {3, 100, kFondo},    {399, 1, kBlanco},   {399, 2, kGris},
        {399, 100, kGris},   {398, 100, kFondo},  {200, h - 1, kGris}, {2, h - 1, kGris},
        {1, h - 1, kBlanco}, {200, h - 2, kFondo},
        // title frame: dark above and left, light right and below
        {14, 15, kGris},     {200, 15, kGris},    {384, 15, kGris},    {385, 15, kFondo},
        {14, 25, kGris},     {14, 34, kGris},     {14, 35, kFondo},    {15, 35, kBlanco},
        {200, 35, kBlanco},  {385, 35, kBlanco},  {385, 16, kBlanco},  {13, 25, kFondo},
        {386, 25, kFondo},   {200, 14, kFondo},   {200, 36, kFondo},
        // text frame
        {14, 49, kGris},     {200, 49, kGris},    {14, 60, kGris},     {385, 49, kFondo},
        {385, 60, kBlanco},  {200, 101, kBlanco}, {385, 101, kBlanco}, {14, 101, kFondo},
        {100, 70, kFondo},   {200, 102, kFondo},
    };
    alAbrirse([&](mensajes& m) {
        ASSERT_EQ(m.Form.scaleWidth(), 400);
        ASSERT_EQ(m.Form.scaleHeight(), h);
        for (const Punto& p : puntos) {
            SCOPED_TRACE(testing::Message() << "(" << p.x << ", " << p.y << ")");
            EXPECT_EQ(m.Form.point(p.x, p.y), p.color);
        }
        plat::SurfaceView* v = vistaDe(m, m.Form);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->geometry(), QRect(0, 0, 400, h));
    });
    Mensaje(QStringLiteral("Aviso"), QStringLiteral("Tres líneas"), 3, 2, 1040);
}

TEST_F(Mensajes, ButtonPicturesComeFromTheirCellsOfTheSheet) {
    const plat::Surface& hoja = HojaBotones();
    ASSERT_EQ(hoja.scaleWidth(), 588);
    ASSERT_EQ(hoja.scaleHeight(), 98);
    const QImage fondo = [] {
        QImage i(48, 48, QImage::Format_RGB32);
        i.fill(plat::toQRgb(kFondo));
        return i;
    }();
    // The cells in use hold pictures, each its own; a free cell is plain.
    // Accept, cancel, load, save, delete, help and exit.
    const QImage celdas[] = {hoja.image().copy(0, 49, 48, 48),   hoja.image().copy(49, 49, 48, 48),
                             hoja.image().copy(98, 49, 48, 48),  hoja.image().copy(147, 49, 48, 48),
                             hoja.image().copy(196, 49, 48, 48), hoja.image().copy(294, 49, 48, 48),
                             hoja.image().copy(343, 49, 48, 48)};
    for (int i = 0; i < 7; ++i) {
        EXPECT_NE(celdas[i], fondo) << i;
        for (int j = 0; j < i; ++j) EXPECT_NE(celdas[i], celdas[j]) << i << " " << j;
    }
    EXPECT_EQ(hoja.image().copy(245, 49, 48, 48), fondo);
    EXPECT_EQ(hoja.image().copy(392, 49, 48, 48), fondo);

    for (int tipo : {1, 2}) {
        alAbrirse([&](mensajes& m) {
            EXPECT_EQ(m.Pic_BotAyuda.image(), celdas[5]);
            if (tipo == 1) {
                EXPECT_EQ(m.Pic_BotSalir.image(), celdas[6]);
            } else {
                EXPECT_EQ(m.Pic_BotAceptar.image(), celdas[0]);
                EXPECT_EQ(m.Pic_BotCancelar.image(), celdas[1]);
            }
        });
        Mensaje(QStringLiteral("Aviso"), QString(), 1, tipo, 1040);
    }
}

// ------------------------------------------------------------------ answers

TEST_F(Mensajes, KeysAnswerOnlyAsMeant) {
    struct Caso {
        int tipo;
        int tecla;
        const char* texto;
        Qt::KeyboardModifiers mod;
        bool cierra;
        bool respuesta; // when it closes
        bool sonido;    // sound 9 while the box is still open
    };
    const Caso casos[] = {
        {2, Qt::Key_Return, "\r", Qt::NoModifier, true, true, true},
        {2, Qt::Key_Enter, "\r", Qt::KeypadModifier, true, true, true},
        {2, Qt::Key_Space, " ", Qt::NoModifier, true, true, true},
        {2, Qt::Key_Escape, "\x1b", Qt::NoModifier, true, false, true},
        {2, Qt::Key_A, "a", Qt::NoModifier, false, false, false},
        {2, Qt::Key_Shift, "", Qt::ShiftModifier, false, false, false},
        {1, Qt::Key_A, "a", Qt::NoModifier, true, true, false},
        {1, Qt::Key_Return, "\r", Qt::NoModifier, true, true, false},
        {1, Qt::Key_Escape, "\x1b", Qt::NoModifier, true, true, false},
        {1, Qt::Key_Shift, "", Qt::ShiftModifier, false, true, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << "type " << c.tipo << " key " << c.tecla);
        PuzzGbl.SonidoActivo = true;
        grabadora.clear();
        std::vector<bool> sonoAbierta;
        grabadora.setWaitFunction([&](int) {
            mensajes* m = mensajes::actual();
            sonoAbierta.push_back(m && m->isVisible() && !m->cerrada());
        });
        std::vector<bool> punteroTrasCerrar;
        alAbrirse([&](mensajes& m) {
            PonPunteroMesa = [&](int p) {
                EXPECT_EQ(p, 0);
                punteroTrasCerrar.push_back(m.cerrada());
            };
            pulsa(&m, c.tecla, QString::fromLatin1(c.texto), c.mod);
            EXPECT_EQ(m.cerrada(), c.cierra);
            if (!c.cierra) {
                EXPECT_TRUE(m.isVisible());
            }
        });
        Mensaje(QStringLiteral("Pregunta"), QStringLiteral("¿Seguro?"), 1, c.tipo);
        PonPunteroMesa = nullptr;
        if (c.cierra) {
            EXPECT_EQ(PuzzGbl.RespuestaMensaje, c.respuesta);
        }
        EXPECT_EQ(sonoAbierta, c.sonido ? std::vector<bool>{true} : std::vector<bool>{});
        // A key that closes a one-button box then puts the table's pointer back.
        const bool reponePuntero = c.tipo == 1 && c.cierra;
        EXPECT_EQ(punteroTrasCerrar, reponePuntero ? std::vector<bool>{true} : std::vector<bool>{});
    }
}

TEST_F(Mensajes, AKeyOnAButtonCountsAsOnTheBox) {
    alAbrirse([this](mensajes& m) {
        plat::SurfaceView* v = vistaDe(m, m.Pic_BotCancelar);
        ASSERT_NE(v, nullptr);
        pulsa(v, Qt::Key_A, QStringLiteral("a"));
        EXPECT_FALSE(m.cerrada());
        pulsa(v, Qt::Key_Return, QStringLiteral("\r"));
        EXPECT_TRUE(m.cerrada());
    });
    Mensaje(QStringLiteral("Pregunta"), QStringLiteral("¿Seguro?"), 1, 2);
    EXPECT_TRUE(PuzzGbl.RespuestaMensaje);
}

TEST_F(Mensajes, ButtonsAndACloseRequest) {
    enum Accion { Aceptar, Cancelar, Salir, Cerrar, ClicSalir };
    const struct {
        int tipo;
        Accion accion;
        bool respuesta;
    } casos[] = {
        {2, Aceptar, true}, {2, Cancelar, false}, {2, Cerrar, false},
        {1, Salir, true},   {1, Cerrar, true},    {1, ClicSalir, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "type " << c.tipo << " action " << c.accion);
        PuzzGbl.RespuestaMensaje = !c.respuesta;
        alAbrirse([&](mensajes& m) {
            switch (c.accion) {
            case Aceptar: m.Pic_BotAceptar_MouseDown(2, 0, 5, 5); break;
            case Cancelar: m.Pic_BotCancelar_MouseDown(1, 0, 5, 5); break;
            case Salir: m.Pic_BotSalir_Click(); break;
            case Cerrar: m.close(); break;
            case ClicSalir: {
                // A real click on the exit picture, through the view.
                plat::SurfaceView* v = vistaDe(m, m.Pic_BotSalir);
                ASSERT_NE(v, nullptr);
                QMouseEvent abajo(QEvent::MouseButtonPress, QPointF(10, 10), v->mapToGlobal(QPointF(10, 10)),
                                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
                QMouseEvent arriba(QEvent::MouseButtonRelease, QPointF(10, 10), v->mapToGlobal(QPointF(10, 10)),
                                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
                QCoreApplication::sendEvent(v, &abajo);
                EXPECT_FALSE(m.cerrada()); // the exit button answers the click, not the press
                QCoreApplication::sendEvent(v, &arriba);
                break;
            }
            }
            EXPECT_TRUE(m.cerrada());
            EXPECT_FALSE(m.isVisible());
        });
        Mensaje(QStringLiteral("Pregunta"), QStringLiteral("¿Seguro?"), 1, c.tipo);
        EXPECT_EQ(PuzzGbl.RespuestaMensaje, c.respuesta);
    }
}

TEST_F(Mensajes, HelpOpensWhileTheBoxStaysOpenAndUsable) {
    plat::setHelpFolder(QStringLiteral(TESELARO_SOURCE_DIR "/resources/help/"));
    alAbrirse([](mensajes& m) {
        for (int vez = 0; vez < 2; ++vez) {
            m.Pic_BotAyuda_MouseDown(1, 0, 0, 0);
            EXPECT_FALSE(m.cerrada());
            EXPECT_TRUE(m.isVisible());
            plat::HelpViewer* v = plat::HelpViewer::existing();
            ASSERT_NE(v, nullptr);
            EXPECT_TRUE(v->isVisible());
            EXPECT_EQ(v->currentTopic(), 1020);
        }
        m.Pic_BotAceptar_MouseDown(1, 0, 0, 0);
    });
    Mensaje(QStringLiteral("Bienvenida"), QStringLiteral("Hola"), 1, 2, 1020);
    EXPECT_TRUE(PuzzGbl.RespuestaMensaje);
    plat::setHelpFolder(QString());
}

TEST_F(Mensajes, AMessageWhileAnotherIsOpenClosesItAndEachCallKeepsItsOwnAnswer) {
    const struct {
        int tipoPrimero;
        bool aceptaSegundo;
    } casos[] = {{2, true}, {2, false}, {1, true}, {1, false}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "first type " << c.tipoPrimero << " accept second " << c.aceptaSegundo);
        std::optional<bool> respuestaSegundo;
        mensajes* primero = nullptr;
        alAbrirse([&](mensajes& a) {
            primero = &a;
            alAbrirse([&](mensajes& b) {
                EXPECT_NE(&a, &b);
                EXPECT_TRUE(a.cerrada());
                EXPECT_FALSE(a.isVisible());
                EXPECT_EQ(b.Tex_Titulo->text(), QStringLiteral("Segundo"));
                if (c.aceptaSegundo)
                    b.Pic_BotAceptar_MouseDown(1, 0, 0, 0);
                else
                    b.Pic_BotCancelar_MouseDown(1, 0, 0, 0);
            });
            Mensaje(QStringLiteral("Segundo"), QStringLiteral("Otra pregunta"), 1, 2);
            respuestaSegundo = PuzzGbl.RespuestaMensaje;
        });
        Mensaje(QStringLiteral("Primero"), QStringLiteral("Una pregunta"), 1, c.tipoPrimero);
        ASSERT_TRUE(respuestaSegundo.has_value());
        EXPECT_EQ(*respuestaSegundo, c.aceptaSegundo);
        // The first box was closed unanswered: cancelled, or seen for one button.
        EXPECT_EQ(PuzzGbl.RespuestaMensaje, c.tipoPrimero == 1);
        EXPECT_NE(primero, nullptr);
        EXPECT_EQ(mensajes::actual(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// ------------------------------------------------------------------ text

TEST_F(Mensajes, TextLinesBreakAtLineBreaksAndWrapKeepingBlanks) {
    const QFont f = TextoMensaje::fuenteMensaje();
    EXPECT_EQ(TextoMensaje::lineas(QStringLiteral("Uno\r\nDos  tres\r\n\r\nCuatro"), f, 365),
              (QStringList{"Uno", "Dos  tres", "", "Cuatro"}));
    EXPECT_EQ(TextoMensaje::lineas(QStringLiteral("a\nb\rc"), f, 365), (QStringList{"a", "b", "c"}));
    EXPECT_TRUE(TextoMensaje::lineas(QString(), f, 365).isEmpty());

    // Ordinary words wrap whole at the blanks.
    const QString frase = QStringLiteral("palabra ").repeated(20).trimmed();
    const QStringList partes = TextoMensaje::lineas(frase, f, 365);
    ASSERT_GT(partes.size(), 1);
    EXPECT_EQ(partes.join(QString()), frase);
    for (const QString& l : partes)
        for (const QString& w : l.split(QLatin1Char(' '), Qt::SkipEmptyParts)) EXPECT_EQ(w, QStringLiteral("palabra"));
}

TEST_F(Mensajes, APathShorterThanALineIsNotBrokenAtItsSlashes) {
    const QFont f = TextoMensaje::fuenteMensaje();
    const QString ruta = QStringLiteral("/tmp/tmp.AbCdEfGh/Tsl2134.ini");
    const QString texto = QStringLiteral("No se encuentra el archivo de inicialización ") + ruta +
                          QStringLiteral(". Se han tomado los valores por defecto.");
    const QStringList partes = TextoMensaje::lineas(texto, f, 365);
    EXPECT_EQ(partes.join(QString()), texto);
    bool entera = false;
    for (const QString& l : partes) entera = entera || l.contains(ruta);
    EXPECT_TRUE(entera) << partes.join(QStringLiteral(" | ")).toStdString();
}

TEST_F(Mensajes, ATextLongerThanItsLinesGrowsTheBox) {
    // A path of 120 characters with no blank: it must break inside itself.
    QString ruta = QStringLiteral("/home/jugador/Imagenes/");
    while (ruta.size() < 116) ruta += QStringLiteral("carpeta_");
    ruta = ruta.left(116) + QStringLiteral(".bmp");
    ASSERT_EQ(ruta.size(), 120);
    const QString texto = QStringLiteral("No se encuentra la imagen ") + ruta;

    const QFont f = TextoMensaje::fuenteMensaje();
    const QStringList partes = TextoMensaje::lineas(texto, f, 365);
    ASSERT_GE(partes.size(), 3);
    EXPECT_EQ(partes.join(QString()), texto);
    const QFontMetricsF medida(f);
    for (const QString& l : partes) {
        QString sinBlancos = l;
        while (sinBlancos.endsWith(QLatin1Char(' '))) sinBlancos.chop(1);
        EXPECT_LE(medida.horizontalAdvance(sinBlancos), 365.0) << l.toStdString();
    }

    const int n = int(partes.size());
    alAbrirse([&](mensajes& m) {
        EXPECT_EQ(m.lineasTexto(), n);
        EXPECT_EQ(m.height(), n * 16 + 128);
        EXPECT_EQ(m.Tex_Mensaje->height(), n * 16 + 3);
        plat::SurfaceView* v = vistaDe(m, m.Pic_BotSalir);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->y(), n * 16 + 67);
        EXPECT_EQ(v->y(), m.Tex_Mensaje->geometry().bottom() + 1 + 14);
        // The last line is drawn inside the label, not cut off.
        const QImage dibujo = m.Tex_Mensaje->grab().toImage();
        int tinta = 0;
        for (int y = (n - 1) * 16; y < n * 16 && y < dibujo.height(); ++y)
            for (int x = 0; x < dibujo.width(); ++x)
                if (qGray(dibujo.pixel(x, y)) < 100) ++tinta;
        EXPECT_GT(tinta, 0);
        m.Pic_BotSalir_Click();
    });
    Mensaje(QStringLiteral("Error"), texto, 1, 1);

    // The lines asked for still count when the text takes fewer.
    alAbrirse([](mensajes& m) {
        EXPECT_EQ(m.lineasTexto(), 5);
        EXPECT_EQ(m.height(), 5 * 16 + 128);
    });
    Mensaje(QStringLiteral("Aviso"), QStringLiteral("Hola"), 5, 1);
    alAbrirse([](mensajes& m) { EXPECT_EQ(m.lineasTexto(), 1); });
    Mensaje(QStringLiteral("Aviso"), QStringLiteral("Hola"), 0, 1);
}

} // namespace
