// galeria: every owner-drawn control at the size the settings window gives it,
// wired as that window wires it, to try them by hand.
//
//   galeria            a window with the controls; Escape closes it
//   galeria --png DIR  draws every state of every control into DIR as PNG
//                      files (and one sheet of them all, galeria.png)
//
// Run with QT_QPA_PLATFORM=offscreen for --png.
#include "core/Controles.h"
#include "core/PuzzGbl.h"
#include "core/ServiciosPersonal.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "core/ui/EventosControles.h"
#include "core/ui/mensajes.h"
#include "platform/blit.h"
#include "platform/numbers.h"
#include "platform/sound.h"
#include "platform/ui/audioplayer.h"
#include "platform/ui/surfaceview.h"
#include "platform/ui/textboxview.h"
#include "resources/resources.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

enum class Tipo { Buleano, Pulsador, Potenciometro, Selector, Spin };

// One control of the gallery: its surface, its kind and index, the setting it
// edits and where it stands in the window.
struct Control {
    Tipo tipo;
    int indice;
    int x, y, w, h;
    std::int16_t valor = 0; // switch 0 / -1, slider 0..100, selector option
    std::unique_ptr<plat::Surface> propia;
    plat::Surface* s = nullptr;
};

// The picture the zoom is checked against: 100 x 77 takes zooms 320 to 995.
constexpr int kAnchoImagen = 100, kAltoImagen = 77;

std::vector<Control> Controles() {
    std::vector<Control> c;
    auto add = [&](Tipo t, int i, int x, int y, int w, int h, std::int16_t v) {
        c.push_back(Control{t, i, x, y, w, h, v, nullptr, nullptr});
    };
    // The game switches of the current-game bar, 120 wide.
    for (int k = 21; k <= 25; ++k) add(Tipo::Buleano, k, 10 + 128 * (k - 21), 10, 120, 23, k == 21 ? -1 : 0);
    // First column: the selectors 256 wide, the spin.
    add(Tipo::Selector, 1, 10, 50, 256, 38, 1);
    add(Tipo::Selector, 2, 10, 100, 256, 38, 1);
    add(Tipo::Spin, 41, 10, 150, 155, 29, 100);
    add(Tipo::Pulsador, 31, 10, 195, 171, 23, 0);
    // Second column: the switches 194 wide, selector 6.
    for (int k = 12; k <= 16; ++k) add(Tipo::Buleano, k, 290, 50 + 33 * (k - 12), 194, 23, k % 2 ? -1 : 0);
    add(Tipo::Selector, 6, 290, 220, 194, 38, 1);
    // Third column: the attraction slider and button, selector 5, switches
    // 15 and 11 at 148, the speed slider.
    add(Tipo::Potenciometro, 52, 510, 50, 131, 43, 50);
    add(Tipo::Pulsador, 32, 524, 100, 102, 23, 0);
    add(Tipo::Selector, 5, 510, 135, 148, 38, 1);
    add(Tipo::Buleano, 15, 510, 185, 148, 23, -1);
    add(Tipo::Buleano, 11, 510, 215, 148, 23, 0);
    add(Tipo::Potenciometro, 51, 510, 245, 131, 43, 50);
    for (Control& k : c) {
        if (k.tipo == Tipo::Spin) {
            k.s = &PicSpinZoom();
        } else {
            k.propia = std::make_unique<plat::Surface>(QStringLiteral("control %1").arg(k.indice), k.w, k.h);
            k.s = k.propia.get();
        }
        k.s->setSize(k.w, k.h);
        k.s->move(k.x, k.y);
        k.s->setFont(FuenteControles());
    }
    return c;
}

void Dibuja(Control& k) {
    plat::Surface& s = *k.s;
    switch (k.tipo) {
    case Tipo::Buleano: DibujaBuleano(s, std::int16_t(k.indice), k.valor != 0); break;
    case Tipo::Pulsador: DibujaPulsador(s, std::int16_t(k.indice), false, false, 0); break;
    case Tipo::Potenciometro: DibujaPotenciometro(s, std::int16_t(k.indice), k.valor); break;
    case Tipo::Selector: DibujaSelector(s, std::int16_t(k.indice), k.valor); break;
    case Tipo::Spin: DibujaSpin(s, TexSpinZoom(), 41, PuzzGbl.ZoomImagen); break;
    }
}

// The options of selector 2, as the settings window writes them for 15 pieces.
void OpcionesFondo() {
    auto& o = PuzzGbl.OpcionesSelector[2];
    o[1] = TextoDeAncho(QStringLiteral("Seleccionar una imagen"), kAnchoOpcionSelector);
    o[2] = TextoDeAncho(QStringLiteral("Números del  1  al  15"), kAnchoOpcionSelector);
    o[3] = TextoDeAncho(QStringLiteral("Letras de la  A  a la  ") + PuzzGbl.LetrasPiezas.mid(14, 1),
                        kAnchoOpcionSelector);
}

void Prepara() {
    teselaro::initResources();
    InicializaTablas();
    mesa.Load();
    mesa.Pic_FonTamReal.setSize(kAnchoImagen, kAltoImagen);
    PuzzGbl.ZoomImagen = 400;
    PuzzGbl.VelocidadJuego = 50;
    OpcionesFondo();
}

// ---------------------------------------------------------------- PNG files

// The text box drawn over the spin, as its view shows it.
QImage ConTexto(const plat::Surface& s, const plat::TextBox& t) {
    QImage img = s.image().copy();
    QPainter p(&img);
    p.fillRect(t.left(), t.top(), t.width(), t.height(), Qt::white);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(t.left(), t.top(), t.width() - 1, t.height() - 1);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(t.left() + 3, t.top(), t.width() - 6, t.height()), Qt::AlignVCenter | Qt::AlignLeft, t.text());
    return img;
}

int Galeria(const QString& carpeta) {
    QDir().mkpath(carpeta);
    const QString d = carpeta.endsWith('/') ? carpeta : carpeta + '/';
    std::vector<std::pair<QString, QImage>> hojas;
    auto guarda = [&](const QString& nombre, const QImage& img) {
        hojas.emplace_back(nombre, img);
        img.save(d + nombre + ".png", "PNG");
    };
    RegistraServiciosControles({[](int, int) {}, [](int) {}, {}, {}});
    auto superficie = [](int w, int h) {
        auto s = std::make_unique<plat::Surface>(QString(), w, h);
        s->setFont(FuenteControles());
        return s;
    };
    for (int w : {194, 148, 120})
        for (bool v : {false, true}) {
            auto s = superficie(w, 23);
            DibujaBuleano(*s, w == 120 ? 24 : (w == 148 ? 15 : 12), v);
            guarda(QStringLiteral("buleano_%1_%2").arg(w).arg(v ? "on" : "off"), s->image());
        }
    for (int w : {171, 156, 131, 102, 94})
        for (bool p : {false, true}) {
            auto s = superficie(w, 23);
            DibujaPulsador(*s, w >= 156 ? 31 : 32, p, false, 0);
            guarda(QStringLiteral("pulsador_%1_%2").arg(w).arg(p ? "pulsado" : "suelto"), s->image());
        }
    for (int i : {51, 52})
        for (int v : {0, 50, 100}) {
            auto s = superficie(131, 43);
            DibujaPotenciometro(*s, std::int16_t(i), std::int16_t(v));
            guarda(QStringLiteral("potenciometro_%1_%2").arg(i).arg(v), s->image());
        }
    {
        // A drag from 10 to 40, the knob held.
        auto s = superficie(131, 43);
        std::int16_t v = 10;
        DibujaPotenciometro(*s, 51, v);
        PuzzGbl.XAgarrePotenciometro = 20;
        PonCursor(*s, 29);
        MuevePotenciometro(*s, v, 50, 25);
        guarda(QStringLiteral("potenciometro_arrastre_10_a_%1").arg(v), s->image());
        PonCursor(*s, 0);
    }
    const struct {
        int indice, w;
    } selectores[] = {{1, 256}, {2, 256}, {6, 194}, {5, 148}};
    for (const auto& sel : selectores)
        for (int o = 1; o <= 3; ++o) {
            if (TextoOpcion(std::int16_t(sel.indice), std::int16_t(o)).isEmpty()) continue;
            auto s = superficie(sel.w, 38);
            DibujaSelector(*s, std::int16_t(sel.indice), std::int16_t(o));
            guarda(QStringLiteral("selector_%1_%2").arg(sel.indice).arg(o), s->image());
        }
    {
        auto s = superficie(256, 38);
        DibujaSelector(*s, 1, 1);
        plat::bitBlt(*s, 4, 14, 29, 20, mesa.Pic_BmpContr, 30, 24, plat::rop::kSrcCopy);
        guarda(QStringLiteral("selector_1_pulsado"), s->image());
    }
    {
        auto s = superficie(155, 29);
        plat::TextBox t;
        for (double v : {5.0, 100.0, 995.0}) {
            DibujaSpin(*s, t, 41, v);
            guarda(QStringLiteral("spin_%1").arg(v), ConTexto(*s, t));
        }
        DibujaSpin(*s, t, 41, 100);
        plat::bitBlt(*s, s->scaleWidth() - 22, 4, 17, 10, mesa.Pic_BmpContr, 84, 24, plat::rop::kSrcCopy);
        guarda(QStringLiteral("spin_arriba_pulsada"), ConTexto(*s, t));
        DibujaSpin(*s, t, 41, 100);
        plat::bitBlt(*s, s->scaleWidth() - 22, 14, 17, 10, mesa.Pic_BmpContr, 84, 34, plat::rop::kSrcCopy);
        guarda(QStringLiteral("spin_abajo_pulsada"), ConTexto(*s, t));
    }
    guarda(QStringLiteral("hoja_controles"), mesa.Pic_BmpContr.image().scaled(138 * 4, 200 * 4));

    // Everything on one sheet, twice the size, with the file names.
    int alto = 8, ancho = 8;
    for (const auto& [n, img] : hojas) {
        alto += 2 * img.height() + 20;
        ancho = std::max(ancho, 2 * img.width() + 16);
    }
    QImage todo(ancho, alto, QImage::Format_RGB32);
    todo.fill(QColor(0x60, 0x68, 0x70));
    QPainter p(&todo);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    p.setFont(f);
    int y = 8;
    for (const auto& [n, img] : hojas) {
        p.setPen(Qt::white);
        p.drawText(8, y + 10, n);
        p.drawImage(QRect(8, y + 14, 2 * img.width(), 2 * img.height()), img);
        y += 2 * img.height() + 20;
    }
    p.end();
    return todo.save(d + "galeria.png", "PNG") ? 0 : 1;
}

// ---------------------------------------------------------------- the window

class Ventana : public QWidget {
public:
    Ventana() {
        setWindowTitle(QStringLiteral("Galería de controles"));
        setFixedSize(670, 310);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
        setPalette(pal);
        setAutoFillBackground(true);
        controles_ = Controles();
        for (Control& k : controles_) {
            auto* v = new plat::SurfaceView(k.s, this);
            Conecta(k, *v);
            if (k.tipo == Tipo::Spin) {
                auto* t = new plat::TextBoxView(&TexSpinZoom(), v);
                (void)t;
                TexSpinZoom().onLostFocus = [] {
                    // The settings window checks a typed zoom only when it
                    // differs from the one in force.
                    if (SpinEnMarcha()) return;
                    if (plat::val(TexSpinZoom().text()) != PuzzGbl.ZoomImagen) ValidaSpin(TexSpinZoom(), 41);
                };
            }
            Dibuja(k);
        }
        RegistraVentanaSpin({[](int i) { return i == 41 ? &PicSpinZoom() : nullptr; },
                             [](int i) { return i == 41 ? &TexSpinZoom() : nullptr; }, [this] { repaint(); }});
    }
    ~Ventana() override { RegistraVentanaSpin({}); }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape) close();
        else QWidget::keyPressEvent(e);
    }

private:
    void Conecta(Control& k, plat::SurfaceView& v) {
        Control* c = &k;
        const auto i = std::int16_t(k.indice);
        switch (k.tipo) {
        case Tipo::Buleano:
            v.mouse.onMouseDown = [c, i](int, int, double, double) {
                SonidoControl(1, 6);
                c->valor = c->valor ? 0 : -1;
                DibujaBuleano(*c->s, i, c->valor != 0);
            };
            break;
        case Tipo::Pulsador:
            v.mouse.onMouseDown = [c, i](int, int, double, double) {
                DibujaPulsador(*c->s, i, true, true, 0);
                DibujaPulsador(*c->s, i, false, true, 0);
            };
            break;
        case Tipo::Potenciometro:
            v.mouse.onMouseDown = [c](int, int, double x, double) {
                if (c->s->mousePointer() == 0) return;
                PuzzGbl.XAgarrePotenciometro = std::int16_t(plat::cint(x));
                PonCursor(*c->s, 29);
            };
            v.mouse.onMouseMove = [c](int botones, int, double x, double y) {
                MuevePotenciometro(*c->s, c->valor, std::int16_t(plat::cint(x)), std::int16_t(plat::cint(y)),
                                   (botones & plat::mousebutton::kLeft) != 0);
            };
            v.mouse.onMouseUp = [c](int, int, double, double) { PonCursor(*c->s, 0); };
            break;
        case Tipo::Selector:
            v.mouse.onMouseDown = [c, i](int, int, double x, double y) {
                if (x < 4 || x > 33 || y < 14 || y > 34) return;
                AvanzaSelector(*c->s, i, c->valor);
            };
            v.mouse.onMouseMove = [c](int, int, double x, double y) {
                CursorSelector(*c->s, std::int16_t(plat::cint(x)), std::int16_t(plat::cint(y)));
            };
            break;
        case Tipo::Spin:
            v.mouse.onMouseDown = [c](int, int, double, double y) {
                float zoom = PuzzGbl.ZoomImagen;
                PulsaSpin(*c->s, TexSpinZoom(), 41, zoom, std::int16_t(plat::cint(y)));
            };
            v.mouse.onMouseMove = [c](int, int, double x, double y) {
                CursorSpin(*c->s, std::int16_t(plat::cint(x)), std::int16_t(plat::cint(y)));
            };
            v.mouse.onMouseUp = [](int, int, double, double) { PuzzGbl.RepeticionSpin = false; };
            break;
        }
    }

    std::vector<Control> controles_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Prepara();
    if (argc >= 3 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--png"))
        return Galeria(QString::fromLocal8Bit(argv[2]));
    plat::AudioSoundPlayer sonidos;
    plat::setSoundPlayer(&sonidos);
    PuzzGbl.SonidoActivo = true;
    InstalaMensajes();
    InstalaServiciosControles();
    int codigo = 0;
    {
        Ventana v;
        v.show();
        codigo = QApplication::exec();
    }
    plat::setSoundPlayer(nullptr);
    return codigo;
}
