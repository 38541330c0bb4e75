#include "records/estadis.h"

#include "core/Pantalla.h"
#include "core/PuzzGbl.h"
#include "core/TemasAyuda.h"
#include "core/TsComun.h"
#include "core/ui/mensajes.h"
#include "platform/blit.h"
#include "platform/files.h"
#include "platform/ui/helpviewer.h"
#include "platform/ui/surfaceview.h"
#include "platform/ui/textboxview.h"
#include "records/VentanaInforme.h"
#include "records/historic.h"
#include "table/Botonera.h"

#include <QFont>
#include <QKeyEvent>
#include <QValidator>

#include <algorithm>

namespace {

using ventana_informe::kGrisOscuro;
constexpr plat::Color kGrisBorde = 0xE0E0E0;
constexpr int kLado = ventana_informe::kLadoBoton;
constexpr int kSonidoBoton = 9;
constexpr int kLargoNombre = 9;

// The name is kept in files of the Windows code page: only what it can hold
// may be typed.
class ValidaNombre : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texto, int&) const override {
        if (texto.size() > kLargoNombre) return Invalid;
        return plat::fromCp1252(plat::toCp1252(texto)) == texto ? Acceptable : Invalid;
    }
};

} // namespace

estadis::estadis()
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint),
      Form(QStringLiteral("Form"), kAncho, 200),
      Texto(QStringLiteral("Texto"), kAncho - 22, 600),
      Tex_Nombre(QStringLiteral("Tex_Nombre"), 89, 19),
      Pic_BotAyuda(QStringLiteral("Pic_BotAyuda"), kLado, kLado),
      Pic_BotSalir(QStringLiteral("Pic_BotSalir"), kLado, kLado) {
    ventana_informe::Prepara(*this, QStringLiteral("estadis"), Form, Texto, Pic_BotAyuda,
                             QString::fromUtf8(" Ayuda sobre Estadísticas "), Pic_BotSalir,
                             QString::fromUtf8(" Salir de Estadísticas "));

    vistaForm_ = new plat::SurfaceView(&Form, this);
    vistaTexto_ = new plat::SurfaceView(&Texto, this);
    vistaAyuda_ = new plat::SurfaceView(&Pic_BotAyuda, this);
    vistaSalir_ = new plat::SurfaceView(&Pic_BotSalir, this);
    // The name box lies inside the report.
    vistaNombre_ = new plat::TextBoxView(&Tex_Nombre, vistaTexto_);
    QFont negrita(QStringLiteral("Liberation Sans"));
    negrita.setPixelSize(11);
    negrita.setBold(true);
    vistaNombre_->setFont(negrita);
    vistaNombre_->setMaxLength(kLargoNombre);
    vistaNombre_->setValidator(new ValidaNombre(vistaNombre_));
    // After the view's own handler has handed the text to the box.
    connect(vistaNombre_, &QLineEdit::textEdited, this, [this] { Tex_Nombre_Change(); });

    for (plat::SurfaceView* v : {vistaForm_, vistaTexto_, vistaAyuda_, vistaSalir_})
        v->onKeyPress = [this](int codigo) { Form_KeyPress(codigo); };
    vistaAyuda_->mouse.onMouseDown = [this](int b, int s, double x, double y) { Pic_BotAyuda_MouseDown(b, s, x, y); };
    vistaSalir_->mouse.onClick = [this] { Pic_BotSalir_Click(); };
}

estadis::~estadis() {
    delete vistaNombre_;
    delete vistaForm_;
    delete vistaTexto_;
    delete vistaAyuda_;
    delete vistaSalir_;
}

void estadis::Form_Load() {
    if (PonPunteroMesa) PonPunteroMesa(0);
    Estadisticas();
}

void estadis::Estadisticas() {
    Texto.setSize(kAncho - 22, 600);
    Texto.cls();
    informe_ = InformeEstadisticas();
    ImprimeInforme(Texto, informe_);
    Tex_Nombre.move(informe::kXValor, informe_.yNombre - 5, 89, 19);
    Tex_Nombre.setText(plat::padRecord(PuzzGbl.NombreJugador, kLargoNombre));
    DibujaFondo(informe_.alto);
}

void estadis::DibujaFondo(int altoInforme) {
    const int ancho = kAncho, alto = altoInforme + 88;
    setFixedSize(ancho, alto);
    const QSize pantalla = TamanoPantalla();
    move((pantalla.width() - ancho) / 2, (pantalla.height() - alto) / 2);
    Form.move(0, 0, ancho, alto);
    Form.cls();
    const int sw = Form.scaleWidth(), sh = Form.scaleHeight();
    Texto.move(10, 10, ancho - 22, altoInforme);
    ventana_informe::DibujaBordeElevado(Form, sw, sh);
    // The sunken report.
    Form.setDrawWidth(2);
    const int l = Texto.left(), t = Texto.top(), w = Texto.width(), h = Texto.height();
    Form.line(l - 1, t - 1, l + w + 1, t - 1, kGrisOscuro);
    Form.line(l - 1, t - 1, l - 1, t + h + 1, kGrisOscuro);
    Form.line(l + w + 1, t + h + 1, l + w + 1, t, kGrisBorde);
    Form.line(l + w + 1, t + h + 1, l, t + h + 1, kGrisBorde);
    Form.setDrawWidth(1);
    ventana_informe::PonBotones(Pic_BotAyuda, 15, Pic_BotSalir, sw - 63, sh - 62);
    // The name selected in a box that has the focus: typing replaces it (the
    // box holds all 9 characters, so nothing could be added at its end).
    Tex_Nombre.setFocus();
    vistaNombre_->selectAll();
}

void estadis::Tex_Nombre_Change() { PuzzGbl.NombreJugador = plat::padRecord(Tex_Nombre.text(), kLargoNombre); }

void estadis::Pic_BotAyuda_MouseDown(int, int, double, double) {
    if (cerrada_) return;
    Sonido(0, kSonidoBoton);
    plat::showHelp(ayuda::kEstadisticas);
}

void estadis::Pic_BotSalir_Click() {
    if (cerrada_) return;
    Sonido(0, kSonidoBoton);
    cerrada_ = true;
    done(QDialog::Accepted);
}

void estadis::Form_KeyPress(int) {
    if (PonPunteroMesa) PonPunteroMesa(0);
}

void estadis::keyPressEvent(QKeyEvent* e) {
    const int codigo = plat::keyPressCode(*e);
    if (codigo >= 0) Form_KeyPress(codigo);
    e->accept();
}

void estadis::reject() {}

void MuestraEstadisticas() {
    auto* ventana = new estadis;
    ventana->Form_Load();
    if (!ventana->cerrada()) ventana->exec();
    ventana->hide();
    delete ventana;
}

void InstalaVentanasRegistros() {
    Lanzador().estadis = MuestraEstadisticas;
    Lanzador().historic = MuestraHistorico;
}
