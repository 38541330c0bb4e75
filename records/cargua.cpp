#include "records/cargua.h"

#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "core/TemasAyuda.h"
#include "core/TsComun.h"
#include "core/ui/mensajes.h"
#include "model/Modelos.h"
#include "model/Tangram.h"
#include "platform/blit.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/ui/helpviewer.h"
#include "platform/ui/listboxview.h"
#include "platform/ui/surfaceview.h"
#include "platform/ui/textboxview.h"
#include "table/Botonera.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>

#include <algorithm>

namespace {

constexpr plat::Color kGrisClaro = 0xC0C0C0;
constexpr plat::Color kGrisOscuro = 0x808080;
constexpr plat::Color kBlanco = 0xFFFFFF;
constexpr int kLado = 48;
constexpr int kCursorMano = 23, kCursorProhibido = 12;
constexpr int kSonidoBoton = 9;
constexpr int kLargoNombreActual = 64;
const QString kExtension = QStringLiteral(".puz");

QColor colorQt(plat::Color c) { return QColor::fromRgb(plat::toQRgb(c)); }

QString textoAviso() {
    return QString::fromUtf8("Ya existe un archivo con ese nombre. Pulse el botón Guardar para sobreescribirlo o "
                             "indique otro nombre para archivar el puzzle actual.");
}

struct TextosModo {
    const char* titulo;
    const char* mensaje;
};
const TextosModo kTextos[] = {
    {" Cargar un puzzle archivado",
     "Indique el nombre del puzzle que desea cargar y que se va a convertir en el puzzle actual."},
    {" Archivar el puzzle actual", "Indique el nombre con el que desea archivar el puzzle actual."},
    {" Borrar un puzzle archivado", "Indique el nombre del puzzle archivado que desea borrar."},
    {" Guardar como modelo de Tangram", "Indique el nombre con el que desea archivar el modelo de Tangram."},
};

bool terminaEnPuz(const QString& archivo) {
    return archivo.size() > kExtension.size() && archivo.endsWith(kExtension, Qt::CaseInsensitive);
}

QFont fuenteNombres() {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    f.setBold(true);
    return f;
}

} // namespace

// ------------------------------------------------------------ names and files

bool NombrePuzzleValido(const QString& nombre) {
    if (nombre.isEmpty() || nombre.startsWith(u'.')) return false;
    static const QString prohibidos = QStringLiteral("/\\:*?\"<>|");
    for (QChar c : nombre) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || prohibidos.contains(c)) return false;
    }
    return true;
}

QString TextoNombreNoValido() {
    return QString::fromUtf8("Ese nombre no es válido: no puede empezar por un punto ni contener comillas ni los "
                             "caracteres  /  \\  :  *  ?  <  >  |");
}

QStringList PuzzlesArchivados(const QString& carpeta) {
    ListaOrdenada orden;
    const QDir dir(carpeta);
    const QFileInfoList archivos = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& info : archivos) {
        // Only regular files: a link, a pipe or a device is never a saved puzzle.
        if (info.isSymLink() || !info.isFile() || !terminaEnPuz(info.fileName())) continue;
        const QString nombre = info.fileName().chopped(kExtension.size());
        if (NombrePuzzleValido(nombre)) orden.AddItem(nombre);
    }
    QStringList nombres;
    for (int i = 0; i < orden.ListCount(); ++i) nombres << orden.List(i);
    return nombres;
}

QString ArchivoPuzzle(const QString& carpeta, const QString& nombre) {
    if (!NombrePuzzleValido(nombre)) return QString();
    const QString ruta = plat::findFileCaseInsensitive(carpeta, nombre + kExtension);
    const QFileInfo info(ruta);
    if (info.isSymLink() || !info.isFile()) return QString();
    return ruta;
}

// ---------------------------------------------------------------- the window

cargua::cargua()
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint),
      Form(QStringLiteral("Form"), kAncho, kAlto),
      Tex_CarGua(QStringLiteral("Tex_CarGua"), 200, 20),
      Pic_BotCargar(QStringLiteral("Pic_BotCargar"), kLado, kLado),
      Pic_BotGuardar(QStringLiteral("Pic_BotGuardar"), kLado, kLado),
      Pic_BotBorrar(QStringLiteral("Pic_BotBorrar"), kLado, kLado),
      Pic_BotAyuda(QStringLiteral("Pic_BotAyuda"), kLado, kLado),
      Pic_BotSalir(QStringLiteral("Pic_BotSalir"), kLado, kLado) {
    setObjectName(QStringLiteral("cargua"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(kAncho, kAlto);
    QPalette fondo = palette();
    fondo.setColor(QPalette::Window, colorQt(kGrisClaro));
    setPalette(fondo);

    Form.setBackColor(kGrisClaro);
    vistaForm_ = new plat::SurfaceView(&Form, this);

    const EtiquetasMensaje etiquetas = CreaEtiquetasMensaje(this);
    Tex_Titulo = etiquetas.titulo;
    Tex_Mensaje = etiquetas.texto;

    vistaNombre_ = new plat::TextBoxView(&Tex_CarGua, this);
    vistaNombre_->setObjectName(QStringLiteral("Tex_CarGua"));
    vistaNombre_->setFont(fuenteNombres());
    // Held by the box, which the view follows: typed and pasted text alike
    // stops at the name's length.
    Tex_CarGua.setMaxLength(kLargoNombre);
    // The view hands the typed text to the box first; then the change runs.
    connect(vistaNombre_, &QLineEdit::textEdited, this, [this] { Tex_CarGua_Change(); });
    connect(vistaNombre_, &QLineEdit::returnPressed, this, [this] { Tex_CarGua_KeyPress(13); });

    vistaLista_ = new plat::ListBoxView(&Lis_CarGua, this);
    vistaLista_->setObjectName(QStringLiteral("Lis_CarGua"));
    vistaLista_->setFont(fuenteNombres());
    vistaLista_->setSelectionMode(QAbstractItemView::SingleSelection);
    Lis_CarGua.onClick = [this] { Lis_CarGua_Click(); };
    // A click on the item already picked gives its name back to the box too.
    connect(vistaLista_, &QListWidget::itemClicked, this, [this] { Lis_CarGua_Click(); });
    connect(vistaLista_, &QListWidget::itemDoubleClicked, this, [this] { Lis_CarGua_DblClick(); });

    struct Boton {
        plat::Surface& superficie;
        const char* ayuda;
    };
    const Boton botones[] = {
        {Pic_BotCargar, "Cargar el puzzle seleccionado en la lista"},
        {Pic_BotGuardar, " Guardar el puzzle actual "},
        {Pic_BotBorrar, "Borrar el puzzle seleccionado en la lista"},
        {Pic_BotAyuda, " Ayuda "},
        {Pic_BotSalir, " Salir "},
    };
    for (const Boton& b : botones) {
        b.superficie.setVisible(false);
        b.superficie.setToolTip(QString::fromLatin1(b.ayuda));
        vistasBotones_.push_back(new plat::SurfaceView(&b.superficie, this));
    }
    vistasBotones_[0]->mouse.onClick = [this] { Pic_BotCargar_Click(); };
    vistasBotones_[1]->mouse.onClick = [this] { Pic_BotGuardar_Click(); };
    vistasBotones_[2]->mouse.onClick = [this] { Pic_BotBorrar_Click(); };
    vistasBotones_[3]->mouse.onMouseDown = [this](int b, int s, double x, double y) {
        Pic_BotAyuda_MouseDown(b, s, x, y);
    };
    vistasBotones_[4]->mouse.onMouseDown = [this](int b, int s, double x, double y) {
        Pic_BotSalir_MouseDown(b, s, x, y);
    };
}

cargua::~cargua() {
    // The views go before the surfaces and the box they show.
    delete vistaForm_;
    delete vistaNombre_;
    for (auto* v : vistasBotones_) delete v;
    delete vistaLista_;
}

bool cargua::activo(const plat::Surface& boton) { return boton.mousePointer() != kCursorProhibido; }

void cargua::ponBoton(plat::Surface& boton, bool activo) { PonCursor(boton, activo ? kCursorMano : kCursorProhibido); }

plat::Surface& cargua::botonAccion() {
    switch (modo_) {
    case 1: return Pic_BotCargar;
    case 3: return Pic_BotBorrar;
    default: return Pic_BotGuardar;
    }
}

QString cargua::instruccion() const { return QString::fromUtf8(kTextos[modo_ - 1].mensaje); }

void cargua::Form_Load() {
    auto& g = PuzzGbl;
    modo_ = std::clamp<int>(g.CarGuaModo, 1, 4);
    if (PonPunteroMesa) PonPunteroMesa(0);
    const int anchoPantalla = g.AnchoMesa > 0 ? g.AnchoMesa : 800;
    const int altoPantalla = g.AltoMesa > 0 ? g.AltoMesa : 600;
    move(int(plat::roundHalfEven((anchoPantalla - 400) / 2.0)), int(plat::roundHalfEven((altoPantalla - kAlto) / 2.0)));
    avisado_ = false;
    nombre_.clear();

    Tex_Titulo->setText(QString::fromUtf8(kTextos[modo_ - 1].titulo));
    Tex_Mensaje->setText(instruccion());

    // A raised frame along the edges: light above and to the left.
    Form.move(0, 0, kAncho, kAlto);
    Form.cls();
    Form.setDrawWidth(2);
    Form.box(1, 1, kAncho - 1, kAlto - 1, kBlanco);
    Form.line(kAncho - 1, kAlto - 1, kAncho - 1, 1, kGrisOscuro);
    Form.line(kAncho - 1, kAlto - 1, 1, kAlto - 1, kGrisOscuro);
    Form.setDrawWidth(1);

    Tex_Titulo->setGeometry(10, 16, 365, 22);
    Tex_Mensaje->setGeometry(10, 50, 365, 54);
    Tex_CarGua.move(95, 50 + 54 + 16, 200, 20);
    Lis_CarGua.move(95, Tex_CarGua.top() + 20 + 1, 200, 121);

    if (modo_ == 4) {
        ListaOrdenada modelos;
        RellenaListaModelos(modelos);
        muestraLista(modelos);
    } else {
        RellenaListaPuzzles();
    }

    const int arriba = kAlto - 62;
    struct Icono {
        plat::Surface& boton;
        int left, celdaX;
    };
    const Icono iconos[] = {
        {Pic_BotAyuda, 15, 294}, {botonAccion(), 176, modo_ == 1 ? 98 : modo_ == 3 ? 196 : 147},
        {Pic_BotSalir, kAncho - 63, 343}};
    for (const Icono& i : iconos) {
        i.boton.move(i.left, arriba);
        plat::bitBlt(i.boton, 0, 0, kLado, kLado, HojaBotones(), i.celdaX, 49, plat::rop::kSrcCopy);
        i.boton.setVisible(true);
    }
    for (plat::Surface* b : {&Pic_BotCargar, &Pic_BotGuardar, &Pic_BotBorrar}) ponBoton(*b, false);
    Pic_BotGuardar.setToolTip(modo_ == 4 ? QStringLiteral(" Guardar el modelo actual ")
                                         : QStringLiteral(" Guardar el puzzle actual "));
    PonCursor(Pic_BotAyuda, kCursorMano);
    PonCursor(Pic_BotSalir, kCursorMano);
    Tex_CarGua.setText(QString());
}

void cargua::Form_Activate() { Tex_CarGua.setFocus(); }

void cargua::RellenaListaPuzzles() {
    ListaOrdenada nombres;
    for (const QString& nombre : PuzzlesArchivados(PuzzGbl.RutaArchivo)) nombres.AddItem(nombre);
    muestraLista(nombres);
}

void cargua::muestraLista(const ListaOrdenada& lista) {
    Lis_CarGua.Clear();
    for (int i = 0; i < lista.ListCount(); ++i) {
        Lis_CarGua.AddItem(lista.List(i));
        Lis_CarGua.setItemData(Lis_CarGua.NewIndex(), lista.ItemData(i));
    }
}

void cargua::eligeElemento(int i) {
    // As a click does: a change of item raises Click; the item already picked
    // raises it too.
    if (i == Lis_CarGua.ListIndex()) Lis_CarGua_Click();
    else Lis_CarGua.setListIndex(i);
}

void cargua::Lis_CarGua_Click() {
    const int i = Lis_CarGua.ListIndex();
    if (i < 0 || i >= Lis_CarGua.ListCount()) return;
    ponNombre(Lis_CarGua.List(i).trimmed());
}

void cargua::Lis_CarGua_DblClick() {
    if (Lis_CarGua.ListIndex() < 0) return;
    if (modo_ == 1) Pic_BotCargar_Click();
    else if (modo_ == 2 && !avisado_) Pic_BotGuardar_Click();
}

void cargua::ponNombre(const QString& texto) {
    if (texto == Tex_CarGua.text()) return;
    Tex_CarGua.setText(texto);
    Tex_CarGua_Change();
}

void cargua::escribeNombre(const QString& texto) {
    Tex_CarGua.typed(texto.left(kLargoNombre));
    Tex_CarGua_Change();
}

void cargua::Tex_CarGua_Change() {
    if (cerrada_) return;
    nombre_ = Tex_CarGua.text().left(kLargoNombreActual).trimmed();
    // A name that would not stay a file of the folder is refused in the modes
    // that make it a path.
    const bool esRuta = modo_ != 4;
    const bool noValido = esRuta && !nombre_.isEmpty() && !NombrePuzzleValido(nombre_);
    if (modo_ == 1 || modo_ == 3) {
        if (noValido) Tex_Mensaje->setText(TextoNombreNoValido());
        else if (Tex_Mensaje->text() == TextoNombreNoValido()) Tex_Mensaje->setText(instruccion());
        ponBoton(botonAccion(), !noValido && !ArchivoPuzzle(PuzzGbl.RutaArchivo, nombre_).isEmpty());
        return;
    }
    avisado_ = false;
    Tex_Mensaje->setText(noValido ? TextoNombreNoValido() : instruccion());
    const bool lleno = modo_ == 4 ? !NombreParaRegistro(nombre_).isEmpty() : !nombre_.isEmpty();
    ponBoton(Pic_BotGuardar, lleno && !noValido);
}

void cargua::Tex_CarGua_KeyPress(int keyAscii) {
    if (keyAscii != 13 || cerrada_) return;
    if (modo_ == 1) Pic_BotCargar_Click();
    // Deleting has no save button to press.
    else if (modo_ != 3) Pic_BotGuardar_Click();
}

void cargua::Pic_BotCargar_Click() {
    if (cerrada_) return;
    Sonido(0, kSonidoBoton);
    PuzzGbl.CambioCosmetico = false;
    const QString ruta = ArchivoPuzzle(PuzzGbl.RutaArchivo, nombre_);
    const bool carga = activo(Pic_BotCargar) && !ruta.isEmpty();
    cierra();
    if (carga) LeePuzzleJuego(ruta);
}

void cargua::Pic_BotGuardar_Click() {
    if (cerrada_) return;
    Sonido(0, kSonidoBoton);
    if (!activo(Pic_BotGuardar) || (modo_ != 2 && modo_ != 4)) return;
    if (modo_ == 4) {
        const ResultadoEscritura r = TAN_GuardaModelo(nombre_);
        if (!r.escrito) {
            Mensaje(QStringLiteral("Guardar como modelo de Tangram"),
                    QStringLiteral("No se ha podido guardar el modelo de Tangram ") + nombre_ + QStringLiteral("."),
                    1, 1, ayuda::kGuardarCargarPuzzles);
            return;
        }
        cierra();
        return;
    }
    if (!NombrePuzzleValido(nombre_)) return;
    const QString existente = ArchivoPuzzle(PuzzGbl.RutaArchivo, nombre_);
    if (!existente.isEmpty() && !avisado_) {
        Tex_Mensaje->setText(textoAviso());
        avisado_ = true;
        return;
    }
    const QString ruta = existente.isEmpty() ? PuzzGbl.RutaArchivo + nombre_ + kExtension : existente;
    if (!GuardaPuzzleArchivo(ruta)) {
        Mensaje(QStringLiteral("Archivar el puzzle actual"),
                QStringLiteral("No se ha podido archivar el puzzle actual con el nombre ") + nombre_ +
                    QStringLiteral("."),
                1, 1, ayuda::kGuardarCargarPuzzles);
        return;
    }
    cierra();
}

void cargua::Pic_BotBorrar_Click() {
    if (cerrada_) return;
    Sonido(0, kSonidoBoton);
    if (!activo(Pic_BotBorrar) || modo_ != 3) return;
    const QString ruta = ArchivoPuzzle(PuzzGbl.RutaArchivo, nombre_);
    bool borrado = false;
    if (!ruta.isEmpty()) {
        try {
            plat::removeFile(ruta);
            borrado = true;
        } catch (const plat::RuntimeError&) {
        }
    }
    if (!borrado) {
        Mensaje(QStringLiteral("Borrar un puzzle archivado"),
                QStringLiteral("No se ha podido borrar el puzzle archivado ") + nombre_ + QStringLiteral("."), 1, 1);
        return;
    }
    RellenaListaPuzzles();
    ponNombre(QString());
}

void cargua::Pic_BotAyuda_MouseDown(int, int, double, double) {
    if (cerrada_) return;
    Sonido(0, kSonidoBoton);
    plat::showHelp(ayuda::kGuardarCargarPuzzles);
}

void cargua::Pic_BotSalir_MouseDown(int, int, double, double) {
    if (cerrada_) return;
    Sonido(0, kSonidoBoton);
    cierra();
}

void cargua::cierra() {
    if (cerrada_) return;
    cerrada_ = true;
    done(QDialog::Accepted);
}

void cargua::keyPressEvent(QKeyEvent* e) {
    // Esc and the other keys of the window itself do nothing.
    e->accept();
}

void cargua::reject() {}

void cargua::closeEvent(QCloseEvent* e) {
    if (cerrada_) e->accept();
    else e->ignore();
}

// ------------------------------------------------------------ opening

void MuestraCargua() {
    auto* ventana = new cargua;
    ventana->Form_Load();
    if (!ventana->cerrada()) {
        ventana->show();
        ventana->Form_Activate();
        ventana->exec();
    }
    ventana->hide();
    ventana->deleteLater();
}

void InstalaCargua() { Lanzador().cargua = MuestraCargua; }
