#include "core/ui/mensajes.h"

#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "platform/blit.h"
#include "platform/numbers.h"
#include "platform/ui/helpviewer.h"
#include "platform/ui/surfaceview.h"
#include "resources/resources.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <memory>
#include <vector>

std::function<void(int)> PonPunteroMesa;

namespace {

constexpr plat::Color kGrisClaro = 0xC0C0C0;
constexpr plat::Color kGrisOscuro = 0x808080;
constexpr plat::Color kBlanco = 0xFFFFFF;
constexpr int kAncho = 400;
constexpr int kAnchoEtiqueta = 365;
constexpr int kLado = 48;       // a button's side
constexpr int kCursorMano = 23; // the pointing hand
constexpr int kSonidoBoton = 9;

QColor colorQt(plat::Color c) { return QColor::fromRgb(plat::toQRgb(c)); }

// The boxes open now, the newest last. Each Mensaje call that is showing a
// box has it here until its modal loop has returned.
std::vector<mensajes*>& abiertas() {
    static std::vector<mensajes*> pila;
    return pila;
}

// The paragraphs of a text: split at CR LF, LF or CR.
QStringList parrafos(const QString& texto) {
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

// A slash followed by a word joiner: no line break after it.
const QString kBarraUnida = QStringLiteral("/\u2060");

// Lays out every paragraph in the width, lines kAltoLinea apart from the top.
std::vector<std::unique_ptr<QTextLayout>> componer(const QString& texto, const QFont& fuente, int ancho) {
    std::vector<std::unique_ptr<QTextLayout>> capas;
    if (texto.isEmpty()) return capas;
    QTextOption opcion;
    opcion.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    opcion.setAlignment(Qt::AlignLeft);
    int y = 0;
    for (QString parrafo : parrafos(texto)) {
        // Lines break at the blanks, as in every message: a path keeps its
        // folders together (only a path longer than a line breaks inside).
        parrafo.replace(QLatin1Char('/'), kBarraUnida);
        auto capa = std::make_unique<QTextLayout>(parrafo, fuente);
        capa->setTextOption(opcion);
        capa->beginLayout();
        for (;;) {
            QTextLine linea = capa->createLine();
            if (!linea.isValid()) break;
            linea.setLineWidth(ancho);
            linea.setPosition(QPointF(0, y));
            y += TextoMensaje::kAltoLinea;
        }
        capa->endLayout();
        capas.push_back(std::move(capa));
    }
    return capas;
}

void presentaMensaje(const QString& titulo, const QString& texto) {
    // A box still open closes unanswered; its own call returns once this
    // one has, when control gets back to its loop.
    if (mensajes* previa = mensajes::actual()) previa->cierraSinRespuesta();

    auto* caja = new mensajes;
    abiertas().push_back(caja);
    caja->Tex_Titulo->setText(titulo);
    caja->Tex_Mensaje->setText(texto);
    caja->Form_Load();
    if (!caja->cerrada()) caja->exec();
    const bool respuesta = caja->respuesta();
    auto& pila = abiertas();
    pila.erase(std::remove(pila.begin(), pila.end(), caja), pila.end());
    caja->hide();
    caja->deleteLater();
    PuzzGbl.RespuestaMensaje = respuesta;
}

} // namespace

// ---------------------------------------------------------------- button sheet

const plat::Surface& HojaBotones() {
    static plat::Surface hoja(QStringLiteral("Pic_BmpBoton"), 588, 98);
    static bool cargada = false;
    if (!cargada) {
        cargada = true;
        hoja.setBackColor(kGrisClaro);
        teselaro::initResources();
        const QImage imagen(QStringLiteral(":/sheets/BmpBoton.png"));
        if (!imagen.isNull()) hoja.setPicture(imagen.convertToFormat(QImage::Format_RGB32));
    }
    return hoja;
}

void InstalaMensajes() { RegistraPresentadorMensaje(presentaMensaje); }

// ---------------------------------------------------------------- text label

TextoMensaje::TextoMensaje(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setFont(fuenteMensaje());
}

QFont TextoMensaje::fuenteMensaje() {
    QFont f(QStringLiteral("Liberation Mono"));
    f.setPixelSize(13);
    return f;
}

QStringList TextoMensaje::lineas(const QString& texto, const QFont& fuente, int ancho) {
    QStringList salida;
    for (const auto& capa : componer(texto, fuente, ancho)) {
        for (int i = 0; i < capa->lineCount(); ++i) {
            const QTextLine l = capa->lineAt(i);
            salida << capa->text().mid(l.textStart(), l.textLength()).remove(QChar(0x2060));
        }
    }
    return salida;
}

void TextoMensaje::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::WindowText));
    for (const auto& capa : componer(text(), font(), width())) capa->draw(&p, QPointF(0, 0));
}

// ---------------------------------------------------------------- the box

EtiquetasMensaje CreaEtiquetasMensaje(QWidget* ventana) {
    EtiquetasMensaje e;
    e.titulo = new QLabel(ventana);
    e.titulo->setObjectName(QStringLiteral("Tex_Titulo"));
    e.titulo->setTextFormat(Qt::PlainText);
    QFont titulo(QStringLiteral("Liberation Mono"));
    titulo.setPixelSize(16);
    titulo.setBold(true);
    e.titulo->setFont(titulo);
    e.titulo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    e.texto = new TextoMensaje(ventana);
    e.texto->setObjectName(QStringLiteral("Tex_Mensaje"));
    for (QLabel* etiqueta : {e.titulo, static_cast<QLabel*>(e.texto)}) {
        QPalette pal = etiqueta->palette();
        pal.setColor(QPalette::Window, colorQt(kGrisClaro));
        pal.setColor(QPalette::WindowText, etiqueta == e.titulo ? colorQt(0x800000) : QColor(Qt::black));
        etiqueta->setPalette(pal);
        etiqueta->setAutoFillBackground(true);
    }
    return e;
}

mensajes::mensajes()
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint),
      Form(QStringLiteral("Form"), kAncho, 128),
      Pic_BotAyuda(QStringLiteral("Pic_BotAyuda"), kLado, kLado),
      Pic_BotAceptar(QStringLiteral("Pic_BotAceptar"), kLado, kLado),
      Pic_BotCancelar(QStringLiteral("Pic_BotCancelar"), kLado, kLado),
      Pic_BotSalir(QStringLiteral("Pic_BotSalir"), kLado, kLado) {
    setObjectName(QStringLiteral("mensajes"));
    setWindowModality(Qt::ApplicationModal);
    setFocusPolicy(Qt::StrongFocus);
    QPalette fondo = palette();
    fondo.setColor(QPalette::Window, colorQt(kGrisClaro));
    setPalette(fondo);

    Form.setBackColor(kGrisClaro);
    vistaForm_ = new plat::SurfaceView(&Form, this);

    const EtiquetasMensaje etiquetas = CreaEtiquetasMensaje(this);
    Tex_Titulo = etiquetas.titulo;
    Tex_Mensaje = etiquetas.texto;

    struct Boton {
        plat::Surface& superficie;
        plat::SurfaceView*& vista;
        const char* ayuda;
    };
    const Boton botones[] = {
        {Pic_BotAyuda, vistaAyuda_, " Ayuda "},
        {Pic_BotAceptar, vistaAceptar_, " Aceptar "},
        {Pic_BotCancelar, vistaCancelar_, " Cancelar "},
        {Pic_BotSalir, vistaSalir_, " Salir "},
    };
    for (const Boton& b : botones) {
        b.superficie.setVisible(false);
        b.superficie.setToolTip(QString::fromLatin1(b.ayuda));
        b.vista = new plat::SurfaceView(&b.superficie, this);
        b.vista->onKeyPress = [this](int codigo) { Form_KeyPress(codigo); };
    }
    vistaForm_->onKeyPress = [this](int codigo) { Form_KeyPress(codigo); };
    vistaAyuda_->mouse.onMouseDown = [this](int b, int s, double x, double y) { Pic_BotAyuda_MouseDown(b, s, x, y); };
    vistaAceptar_->mouse.onMouseDown = [this](int b, int s, double x, double y) {
        Pic_BotAceptar_MouseDown(b, s, x, y);
    };
    vistaCancelar_->mouse.onMouseDown = [this](int b, int s, double x, double y) {
        Pic_BotCancelar_MouseDown(b, s, x, y);
    };
    vistaSalir_->mouse.onClick = [this] { Pic_BotSalir_Click(); };
}

mensajes::~mensajes() {
    // The views go before the surfaces they show.
    delete vistaForm_;
    delete vistaAyuda_;
    delete vistaAceptar_;
    delete vistaCancelar_;
    delete vistaSalir_;
    auto& pila = abiertas();
    pila.erase(std::remove(pila.begin(), pila.end(), this), pila.end());
}

mensajes* mensajes::actual() {
    const auto& pila = abiertas();
    return pila.empty() ? nullptr : pila.back();
}

void mensajes::Form_Load() {
    if (PonPunteroMesa) PonPunteroMesa(0);
    tipo_ = PuzzGbl.TipoMensaje;
    ayuda_ = PuzzGbl.AyudaMensaje;
    // The text area holds every line the text takes, even when the caller
    // counted fewer.
    const int pedidas = std::max<int>(0, PuzzGbl.NroLineasMensaje);
    const int ocupadas = int(TextoMensaje::lineas(Tex_Mensaje->text(), Tex_Mensaje->font(), kAnchoEtiqueta).size());
    lineas_ = std::max(pedidas, ocupadas);
    const int altoTexto = lineas_ * TextoMensaje::kAltoLinea + 3;
    const int alto = lineas_ * TextoMensaje::kAltoLinea + 128;
    setFixedSize(kAncho, alto);

    if (PuzzGbl.AnchoMesa == 0) {
        PuzzGbl.AnchoMesa = 800;
        if (PuzzGbl.AltoMesa == 0) PuzzGbl.AltoMesa = 600;
    }
    move(int(plat::roundHalfEven((PuzzGbl.AnchoMesa - kAncho) / 2.0)),
         int(plat::roundHalfEven((PuzzGbl.AltoMesa - alto) / 2.0)));

    Form.move(0, 0, kAncho, alto);
    Form.cls();
    Form.setDrawWidth(2);
    Tex_Titulo->setGeometry(20, 16, kAnchoEtiqueta, 19);
    Tex_Mensaje->setGeometry(20, 50, kAnchoEtiqueta, altoTexto);

    // Raised border: light above and to the left, dark below and to the right.
    const int w = Form.scaleWidth(), h = Form.scaleHeight();
    Form.box(1, 1, w - 1, h - 1, kBlanco);
    Form.line(w - 1, h - 1, w - 1, 1, kGrisOscuro);
    Form.line(w - 1, h - 1, 1, h - 1, kGrisOscuro);

    Form.setDrawWidth(1);
    marcoHundido(20, 16, kAnchoEtiqueta, 19);
    marcoHundido(20, 50, kAnchoEtiqueta, altoTexto);

    if (ayuda_ != 0) colocaBoton(Pic_BotAyuda, 15, 294, 49);
    if (tipo_ != 1) {
        respuesta_ = false;
        colocaBoton(Pic_BotAceptar, 171, 0, 49);
        colocaBoton(Pic_BotCancelar, 332, 49, 49);
    } else {
        respuesta_ = true;
        colocaBoton(Pic_BotSalir, 337, 343, 49);
    }
    PuzzGbl.RespuestaMensaje = respuesta_;
}

void mensajes::marcoHundido(int l, int t, int ancho, int alto) {
    Form.line(l - 6, t - 1, l + ancho, t - 1, kGrisOscuro);
    Form.line(l - 6, t - 1, l - 6, t + alto, kGrisOscuro);
    Form.line(l + ancho, t + alto, l + ancho, t - 1, kBlanco);
    Form.line(l + ancho, t + alto, l - 6, t + alto, kBlanco);
}

void mensajes::colocaBoton(plat::Surface& boton, int left, int celdaX, int celdaY) {
    boton.move(left, filaBotones());
    plat::bitBlt(boton, 0, 0, kLado, kLado, HojaBotones(), celdaX, celdaY, plat::rop::kSrcCopy);
    boton.setVisible(true);
    PonCursor(boton, kCursorMano);
}

void mensajes::cierra() {
    cerrada_ = true;
    done(respuesta_ ? QDialog::Accepted : QDialog::Rejected);
}

void mensajes::cierraSinRespuesta() {
    if (cerrada_) return;
    PuzzGbl.RespuestaMensaje = respuesta_;
    cierra();
}

void mensajes::Pic_BotAceptar_MouseDown(int, int, double, double) {
    if (cerrada_ || tipo_ == 1) return;
    Sonido(0, kSonidoBoton);
    respuesta_ = true;
    PuzzGbl.RespuestaMensaje = true;
    cierra();
}

void mensajes::Pic_BotCancelar_MouseDown(int, int, double, double) {
    if (cerrada_ || tipo_ == 1) return;
    Sonido(0, kSonidoBoton);
    respuesta_ = false;
    PuzzGbl.RespuestaMensaje = false;
    cierra();
}

void mensajes::Pic_BotSalir_Click() {
    if (cerrada_ || tipo_ != 1) return;
    Sonido(0, kSonidoBoton);
    cierra();
}

void mensajes::Pic_BotAyuda_MouseDown(int, int, double, double) {
    if (cerrada_ || ayuda_ == 0) return;
    Sonido(0, kSonidoBoton);
    plat::showHelp(ayuda_);
}

void mensajes::Form_KeyPress(int keyAscii) {
    if (cerrada_ || keyAscii < 0) return;
    if (tipo_ != 1) {
        // A question is answered only by the keys meant for it, so that a
        // stray key does not confirm it.
        if (keyAscii == 13 || keyAscii == 32)
            Pic_BotAceptar_MouseDown(1, 0, 0, 0);
        else if (keyAscii == 27)
            Pic_BotCancelar_MouseDown(1, 0, 0, 0);
        return;
    }
    cierra();
    if (PonPunteroMesa) PonPunteroMesa(0);
}

void mensajes::keyPressEvent(QKeyEvent* e) {
    const int codigo = plat::keyPressCode(*e);
    if (codigo >= 0) Form_KeyPress(codigo);
    e->accept();
}

void mensajes::reject() {
    if (cerrada_) return;
    if (tipo_ != 1)
        Pic_BotCancelar_MouseDown(1, 0, 0, 0);
    else
        Form_KeyPress(27);
}
