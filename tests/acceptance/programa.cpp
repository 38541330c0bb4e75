#include "tests/acceptance/programa.h"

#include "Programa.h"

#include "core/Carpetas.h"
#include "core/Configuracion.h"
#include "core/Pantalla.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "core/ui/Arranque.h"
#include "core/ui/EventosControles.h"
#include "core/ui/mensajes.h"
#include "model/EstadoPuzzle.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "personalise/ListasCarpetas.h"
#include "personalise/VentanaPersonal.h"
#include "personalise/personal.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/ui/listboxview.h"
#include "platform/ui/surfaceview.h"
#include "records/cargua.h"
#include "records/estadis.h"
#include "records/historic.h"
#include "resources/resources.h"
#include "table/Botonera.h"
#include "table/Cronometro.h"
#include "table/EventosModelo.h"
#include "table/Opciones.h"
#include "table/PanelGrabadora.h"
#include "table/PanelSugerencias.h"
#include "table/ResuelveTablero.h"
#include "table/Trabajo.h"
#include "table/VentanaMesa.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidgetItem>
#include <QMouseEvent>
#include <QPointer>

#include <set>
#include <stdexcept>
#include <type_traits>

namespace aceptacion {

namespace {

const QString kBin = QStringLiteral(TESELARO_BINARY_DIR "/bin/");

// The shipped data folders laid out as the build lays them beside the
// program: model files and pictures copied, the help linked.
void CopiaCarpeta(const QString& desde, const QString& hacia) {
    ASSERT_TRUE(QDir().mkpath(hacia)) << hacia.toStdString();
    const QDir d(desde);
    const QStringList nombres = d.entryList(QDir::Files);
    ASSERT_FALSE(nombres.isEmpty()) << "nothing shipped in " << desde.toStdString();
    for (const QString& n : nombres) ASSERT_TRUE(QFile::copy(d.filePath(n), hacia + n)) << n.toStdString();
}

plat::SurfaceView& Vista(const plat::Surface& s) {
    VentanaMesa* v = VentanaMesa::instancia();
    if (!v || !v->vista(s)) throw std::runtime_error("the table window shows no " + s.name().toStdString());
    return *v->vista(s);
}

QPointer<QWidget> g_atendida;

// The view that shows a surface or a list box in a window.
template <typename V, typename C>
V& VistaEn(QWidget& ventana, const C& control) {
    for (V* v : ventana.findChildren<V*>())
        if constexpr (std::is_same_v<V, plat::SurfaceView>) {
            if (v->surface() == &control) return *v;
        } else {
            if (v->box() == &control) return *v;
        }
    throw std::runtime_error("the window shows no " + control.name().toStdString());
}

// The pointer brought over a control of the window, its left button pressed
// and let go there, through the control's own view.
void PulsaControl(QWidget& ventana, const plat::Surface& control, double x, double y) {
    plat::MouseAdapter raton(VistaEn<plat::SurfaceView>(ventana, control).mouse);
    raton.move(0, 0, x, y);
    raton.press(plat::mousebutton::kLeft, 0, x, y);
    raton.release(plat::mousebutton::kLeft, 0, x, y);
}

// A press and release of the left button on the item of a list with that
// text, as the player gives them on the list's widget (scrolled to show it).
void PulsaElemento(QWidget& ventana, const plat::ListBox& lista, const QString& texto) {
    auto& v = VistaEn<plat::ListBoxView>(ventana, lista);
    const QList<QListWidgetItem*> hallados = v.findItems(texto, Qt::MatchExactly);
    ASSERT_EQ(hallados.size(), 1) << texto.toStdString() << " in " << lista.name().toStdString();
    ASSERT_TRUE(v.isEnabled()) << lista.name().toStdString() << " takes no press";
    v.scrollToItem(hallados[0]);
    const QPoint punto = v.visualItemRect(hallados[0]).center();
    const QPoint global = v.viewport()->mapToGlobal(punto);
    QMouseEvent abajo(QEvent::MouseButtonPress, punto, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(v.viewport(), &abajo);
    QMouseEvent arriba(QEvent::MouseButtonRelease, punto, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(v.viewport(), &arriba);
    EXPECT_EQ(lista.ListIndex(), v.row(hallados[0])) << texto.toStdString() << " was not selected";
}

} // namespace

void Programa::SetUp() {
    PuzzGbl.reset();
    mesa.reset();
    avisos.clear();
    sonidos.clear();
    CopiaCarpeta(kBin + "Archivo", carpeta.file("Archivo/"));
    CopiaCarpeta(kBin + "Imagenes", carpeta.file("Imagenes/"));
    if (HasFatalFailure()) return;
    ASSERT_TRUE(QFile::link(kBin + "help", carpeta.file("help")));

    // The program's start-up seams: its folder, a 1024 x 768 screen and a
    // clock that runs 40 ms at every look, so that no pause holds the test.
    FijaCarpetaPrograma(carpeta.path());
    FijaTamanoPantalla(QSize(1024, 768));
    reloj_ = 1'000'000;
    plat::setClockSourceForTests([this] { return reloj_ += 40; });
    plat::setSoundPlayer(&sonidos);
    respuestas.clear();
    RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
        avisos.push_back({titulo, texto, PuzzGbl.TipoMensaje});
        bool si = true;
        if (PuzzGbl.TipoMensaje == 2 && !respuestas.empty()) {
            si = respuestas.front();
            respuestas.pop_front();
        }
        PuzzGbl.RespuestaMensaje = si;
    });

    // What main() installs, in its order, from the application's own
    // settings on (the message window and the audio player are the two
    // seams above).
    QApplication::setQuitOnLastWindowClosed(false);
    teselaro::initResources();
    InstalaPrograma();

    // Every modal window is answered from inside its own loop.
    acciones_.clear();
    g_atendida = nullptr;
    vigia_.setInterval(5);
    QObject::connect(&vigia_, &QTimer::timeout, [this] { vigilaModales(); });
    vigia_.start();
}

void Programa::TearDown() {
    vigia_.stop();
    QObject::disconnect(&vigia_, nullptr, nullptr, nullptr);
    EXPECT_TRUE(acciones_.empty()) << acciones_.size() << " window(s) expected never opened";
    acciones_.clear();
    raton_.reset();
    Timer1().setEnabled(false);
    QCoreApplication::processEvents();
    AlCerrarMesa = nullptr;
    PonPunteroMesa = nullptr;
    PonEleccionImagen({});
    AlTimer1 = nullptr;
    DesinstalaMesa();
    mesa.ponCreadorVentana({});
    mesa.reset();
    RegistraPresentadorMensaje(nullptr);
    RegistraProcedimientosPanel({});
    ReiniciaLanzador();
    ReiniciaProcTrabajo();
    InstalaServiciosEstadoPuzzle({});
    plat::setSoundPlayer(nullptr);
    plat::setClockSourceForTests({});
    FijaTamanoPantalla(QSize());
    FijaCarpetaPrograma(QString());
    PuzzGbl.reset();
}

void Programa::vigilaModales() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || w == g_atendida.data() || acciones_.empty()) return;
    g_atendida = w;
    auto accion = std::move(acciones_.front());
    acciones_.pop_front();
    accion(w);
}

void Programa::AlAbrirsePersonal(std::function<void(VentanaPersonal&, Personal&)> f) {
    AlAbrirse<VentanaPersonal>([f](VentanaPersonal& w) {
        Personal* p = VentanaPersonalAbierta();
        ASSERT_NE(p, nullptr);
        f(w, *p);
    });
}

// ------------------------------------------------------------------ program

void Programa::Arranca() {
    // A first start opens the settings window for the jigsaw's picture.
    AlAbrirsePersonal([](VentanaPersonal& w, Personal& p) {
        PulsaElemento(w, p.File1, QStringLiteral("Peces.jpg"));
        EXPECT_EQ(PuzzGbl.ArchivoImagen, QStringLiteral("Peces.jpg"));
        EXPECT_TRUE(PuzzGbl.SeleccionValida);
        p.Pic_BotSalir_Click();
        EXPECT_TRUE(p.Descargada()) << "the settings window stayed open";
    });
    ASSERT_TRUE(Main());
    ASSERT_TRUE(SinVentanasPendientes()) << "the first start did not open the settings window";
    raton_ = std::make_unique<plat::MouseAdapter>(Vista(mesa.Pic_Trabajo).mouse);
}

void Programa::Pulsa(int i) {
    auto& v = Vista(mesa.Pic_Boton(i));
    v.mouse.onMouseMove(0, 0, 20, 20);
    v.mouse.onMouseDown(1, 0, 20, 20);
}

void Programa::Sale() {
    Pulsa(7);
    ASSERT_TRUE(PuzzGbl.SaliendoPrograma);
    // The end comes once control is back in the program's main loop, which
    // it then leaves with code 0 (a loop that never ends is cut at 30 s).
    QTimer corte;
    corte.setSingleShot(true);
    QObject::connect(&corte, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    corte.start(30000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    corte.stop();
    EXPECT_FALSE(mesa.Loaded());
}

// ----------------------------------------------------------------- settings

void Programa::EligeEnPersonal(const Eleccion& e) {
    AlAbrirsePersonal([this, e](VentanaPersonal& w, Personal& p) {
        auto& g = PuzzGbl;
        if (e.juego != g.TipoJuego) {
            // The game's switch pressed and its question accepted: the
            // window closes by itself.
            const std::size_t antes = avisos.size();
            PulsaControl(w, p.Pic_Buleano(e.juego), 60, 11);
            ASSERT_EQ(avisos.size(), antes + 1) << "the change of game was not asked once";
            EXPECT_EQ(avisos.back().titulo, QStringLiteral("Lista 'JUEGO ACTUAL'"));
            EXPECT_TRUE(p.Descargada()) << "the change of game left the window open";
            EXPECT_EQ(g.TipoJuego, e.juego);
            return;
        }
        if (e.imagen) {
            // The sliding game's background selector turned to the picture,
            // then the picture taken from the file list.
            for (int i = 0; i < 3 && g.TipoRotulo != 1; ++i) PulsaControl(w, p.Pic_Selector(2), 18, 24);
            ASSERT_EQ(g.TipoRotulo, 1) << "the selector offers no picture";
            PulsaElemento(w, p.File1, QString::fromUtf8(e.imagen));
            EXPECT_TRUE(g.SeleccionValida) << e.imagen << " was not taken";
        }
        if (e.listaSiempre) {
            // The move-list selector turned to "always".
            for (int i = 0; i < 2 && g.ListaMovimientos != 1; ++i) PulsaControl(w, p.Pic_Selector(5), 18, 24);
            ASSERT_EQ(g.ListaMovimientos, 1) << "the selector offers no list shown always";
        }
        if (e.lado != 0) {
            // The count pressed in the number-of-pieces list.
            int i = 0;
            auto buscado = [&](int lado) { return e.lado < 0 ? lado != g.PiezasLado : lado == e.lado; };
            while (i < p.Lis_NroPiezas.ListCount() && !buscado(nropiezas::Lado(p.Lis_NroPiezas.List(i)))) ++i;
            ASSERT_LT(i, p.Lis_NroPiezas.ListCount()) << e.lado << " pieces a side is not offered";
            PulsaElemento(w, p.Lis_NroPiezas, p.Lis_NroPiezas.List(i));
        }
        if (e.modelo != 0) {
            // The model's item pressed in the model list.
            int i = 0;
            while (i < p.Lis_Modelos.ListCount() && p.Lis_Modelos.ItemData(i) != e.modelo) ++i;
            ASSERT_LT(i, p.Lis_Modelos.ListCount()) << "model " << e.modelo << " is not listed";
            PulsaElemento(w, p.Lis_Modelos, p.Lis_Modelos.List(i));
            EXPECT_EQ(g.NroModelo, e.modelo);
            EXPECT_TRUE(g.SeleccionValida) << "model " << e.modelo << " of game " << g.TipoJuego;
            // Its preview drawn: more than the background's colour.
            const QImage muestra = p.Pic_MostrarImagen.image();
            std::set<QRgb> colores;
            for (int y = 0; y < muestra.height(); y += 3)
                for (int x = 0; x < muestra.width(); x += 3) colores.insert(muestra.pixel(x, y));
            EXPECT_GT(colores.size(), 1u) << "model " << e.modelo << " shows no preview";
        }
        p.Pic_BotSalir_Click();
        EXPECT_TRUE(p.Descargada()) << "the settings window stayed open";
    });
    Pulsa(2);
    ASSERT_TRUE(SinVentanasPendientes()) << "command 2 opened no settings window";
    EXPECT_EQ(VentanaPersonalAbierta(), nullptr);
}

// -------------------------------------------------------------------- table

void Programa::Mueve(double x, double y) { raton_->move(0, 0, x, y); }

void Programa::Clic(int b, double x, double y) {
    raton_->move(0, 0, x, y);
    raton_->press(b, 0, x, y);
    raton_->release(b, 0, x, y);
}

void Programa::DobleClic(double x, double y) {
    raton_->move(0, 0, x, y);
    raton_->press(1, 0, x, y);
    raton_->release(1, 0, x, y);
    raton_->doubleClick(1, 0, x, y);
    raton_->release(1, 0, x, y);
}

void Programa::Arrastra(QPointF a, QPointF b) {
    raton_->move(0, 0, a.x(), a.y());
    raton_->press(1, 0, a.x(), a.y());
    constexpr int kPasos = 4;
    for (int i = 1; i <= kPasos; ++i) {
        const QPointF p = a + (b - a) * i / kPasos;
        raton_->move(1, 0, p.x(), p.y());
    }
    raton_->release(1, 0, b.x(), b.y());
}

QPointF Programa::PuntoVacio() {
    const auto& g = PuzzGbl;
    const int dx = mesa.BarraHor.Value(), dy = mesa.BarraVer.Value();
    for (int y = 20; y < g.AltoMesa - 40; y += 17)
        for (int x = 20; x < g.AnchoMesa - 180; x += 17) {
            Mueve(x + dx, y + dy);
            if (PuzzGbl.PiezaSeleccionada == 0) return QPointF(x + dx, y + dy);
        }
    ADD_FAILURE() << "no empty place on the table";
    return QPointF(5, 5);
}

void Programa::PulsaGrabadora(int x) {
    auto& v = Vista(mesa.Pic_Grabadora);
    const double px = x + 10, py = mesa.Pic_Grabadora.height() - 19;
    v.mouse.onMouseMove(0, 0, px, py);
    v.mouse.onMouseDown(1, 0, px, py);
    v.mouse.onMouseUp(1, 0, px, py);
}

// ------------------------------------------------------ load and save window

void Programa::abreOpcion(int fila) {
    const QPointF vacio = PuntoVacio();
    Clic(2, vacio.x(), vacio.y());
    ASSERT_TRUE(mesa.Pic_SelOpciones.visible()) << "the option panel did not open";
    auto& v = Vista(mesa.Pic_SelOpciones);
    const double y = kAltoFilaOpciones * fila - 7;
    v.mouse.onMouseMove(0, 0, 40, y);
    v.mouse.onMouseUp(1, 0, 40, y);
}

void Programa::Guarda(const QString& nombre) {
    AlAbrirse<cargua>([nombre](cargua& w) {
        EXPECT_EQ(w.modo(), 2);
        w.escribeNombre(nombre);
        w.Pic_BotGuardar_Click();
        if (!w.cerrada()) w.Pic_BotGuardar_Click(); // the overwrite asked once
        EXPECT_TRUE(w.cerrada());
    });
    abreOpcion(1);
    ASSERT_TRUE(SinVentanasPendientes()) << "the save window did not open";
}

void Programa::Carga(const QString& nombre) {
    AlAbrirse<cargua>([nombre](cargua& w) {
        EXPECT_EQ(w.modo(), 1);
        int i = 0;
        while (i < w.Lis_CarGua.ListCount() && w.Lis_CarGua.List(i) != nombre) ++i;
        ASSERT_LT(i, w.Lis_CarGua.ListCount()) << nombre.toStdString() << " is not listed";
        w.eligeElemento(i);
        w.Pic_BotCargar_Click();
        EXPECT_TRUE(w.cerrada());
    });
    abreOpcion(2);
    ASSERT_TRUE(SinVentanasPendientes()) << "the load window did not open";
}

// ----------------------------------------------------------- records windows

std::vector<RegistroHistorico> Programa::AbreHistorico() {
    std::vector<RegistroHistorico> vistos;
    AlAbrirse<historic>([&vistos](historic& h) {
        vistos = h.lista().Historico;
        h.Pic_BotSalir_Click();
    });
    Pulsa(5);
    EXPECT_TRUE(SinVentanasPendientes()) << "command 5 opened no history window";
    return vistos;
}

QStringList Programa::AbreEstadisticas() {
    QStringList lineas;
    AlAbrirse<estadis>([&lineas](estadis& e) {
        for (const auto& l : e.informe().lineas) lineas << l.etiqueta + l.valor;
        e.Pic_BotSalir_Click();
    });
    Pulsa(4);
    EXPECT_TRUE(SinVentanasPendientes()) << "command 4 opened no statistics window";
    return lineas;
}

// ------------------------------------------------------------ what it shows

namespace {

// How many pixels of the surface, where its own view is the topmost widget
// of the window, the screen shows otherwise.
int PixelesDistintos(const QImage& pantalla, QWidget& ventana, const plat::Surface& s) {
    plat::SurfaceView* v = VentanaMesa::instancia()->vista(s);
    if (!v || !v->isVisible()) return 0;
    const QPoint origen = v->mapTo(&ventana, QPoint(s.border(), s.border()));
    const QImage& dibujo = s.image();
    int distintos = 0;
    for (int y = 0; y < dibujo.height(); ++y)
        for (int x = 0; x < dibujo.width(); ++x) {
            const QPoint p = origen + QPoint(x, y);
            if (!pantalla.rect().contains(p) || ventana.childAt(p) != v) continue;
            distintos += (pantalla.pixel(p) & 0xFFFFFFu) != (dibujo.pixel(x, y) & 0xFFFFFFu);
        }
    return distintos;
}

} // namespace

void Programa::PanelesALaVista(const std::string& camino) {
    SCOPED_TRACE("after " + camino);
    const auto& g = PuzzGbl;
    VentanaMesa* ventana = VentanaMesa::instancia();
    ASSERT_NE(ventana, nullptr);
    // What the window last put on the screen, before anything is drawn again.
    const QImage pantalla =
        QGuiApplication::primaryScreen()->grabWindow(ventana->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(pantalla.isNull());

    const bool diseno = g.TipoJuego == 23 && g.TAN_ModoJuego == 1;
    EXPECT_TRUE(mesa.Pic_Botonera.visible());
    EXPECT_EQ(mesa.Pic_Grabadora.visible(), !diseno);
    EXPECT_EQ(mesa.Pic_Cronome.visible(), !diseno);
    EXPECT_EQ(mesa.Pic_InfoColo.visible(), !diseno);

    std::vector<const plat::Surface*> paneles{&mesa.Pic_Botonera, &mesa.Pic_Cronome, &mesa.Pic_CroTime,
                                              &mesa.Pic_InfoColo, &mesa.Pic_Grabadora};
    for (int i = 1; i <= 12; ++i) {
        const plat::Surface& b = mesa.Pic_Boton(i);
        paneles.push_back(&b);
        EXPECT_EQ(b.visible(), BotonVisible(g.TipoJuego, i)) << "button " << i;
        EXPECT_EQ(b.image(), mesa.Pic_BmpBoton.image().copy((i - 1) * 49, 0, 48, 48)) << "button " << i << "'s face";
    }
    for (const plat::Surface* s : paneles) {
        const plat::SurfaceView* v = ventana->vista(*s);
        ASSERT_NE(v, nullptr) << s->name().toStdString();
        EXPECT_EQ(!v->isHidden(), s->visible()) << s->name().toStdString() << " shown otherwise than drawn";
        EXPECT_EQ(v->geometry(), QRect(s->left(), s->top(), s->width(), s->height())) << s->name().toStdString();
        EXPECT_EQ(PixelesDistintos(pantalla, *ventana, *s), 0) << s->name().toStdString() << " on the screen";
    }

    // Drawn again, the recorder, the time and the count come out the same.
    const QImage grabadora = mesa.Pic_Grabadora.image(), tiempo = mesa.Pic_CroTime.image(),
                 cuenta = mesa.Pic_InfoColo.image();
    const std::int16_t colocadas = g.NroPiezasColocadas;
    if (!diseno) {
        DibujaGrabadora();
        MuestraTiempoCrono();
        ActualizaInfoPiezas();
        EXPECT_EQ(g.NroPiezasColocadas, colocadas) << "the pieces in place were counted otherwise";
        EXPECT_EQ(mesa.Pic_Grabadora.image(), grabadora) << "the recorder panel is not the puzzle's";
        EXPECT_EQ(mesa.Pic_CroTime.image(), tiempo) << "the time shown is not the puzzle's";
        EXPECT_EQ(mesa.Pic_InfoColo.image(), cuenta) << "the count shown is not the puzzle's";
    }
}

// -------------------------------------------------------------- observations

int Programa::Veces(const QString& texto) const {
    int n = 0;
    for (const auto& a : avisos) n += a.texto == texto;
    return n;
}

QStringList Programa::Textos() const {
    QStringList l;
    for (const auto& a : avisos) l << a.titulo + " / " + a.texto;
    return l;
}

QStringList Programa::LineasHistorico() const {
    const QString ruta = plat::findFileCaseInsensitive(carpeta.path(), QStringLiteral("Tesel34.his"));
    if (!QFileInfo::exists(ruta)) return {};
    return plat::readLines(ruta);
}

int Programa::VecesSonido(int sonido) const {
    return testing_support::timesPlayed(sonidos, teselaro::soundResource(sonido));
}

} // namespace aceptacion
