// The settings window's picture chooser: the drive, folder and file lists,
// the loading and checking of the chosen picture, its thumbnail, size and
// relative-size preview, the number-of-pieces list, and the writing of a
// pasted picture.
#include "core/Configuracion.h"
#include "core/Controles.h"
#include "core/Pasos.h"
#include "core/PuzzGbl.h"
#include "core/TemasAyuda.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "model/EncajeImagen.h"
#include "model/Juego.h"
#include "model/Tangram.h"
#include "personalise/ListasCarpetas.h"
#include "personalise/personal.h"
#include "platform/blit.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/picture.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

using pasos::Paso;

namespace {

constexpr int kSonidoClic = 6, kSonidoRechazo = 11;
constexpr int kMaxZoomada = 4096; // the largest picture after zoom ever made
constexpr plat::Color kColorBotonera = 0x4060C0; // red 192, green 96, blue 64

// The last picture decoded, kept while its file stays the same.
struct ImagenGuardada {
    QString ruta;
    qint64 tamano = -1;
    QDateTime modificada;
    QImage imagen;
};
ImagenGuardada& Guardada() {
    static ImagenGuardada g;
    return g;
}

QImage CargaImagen(const QString& ruta) {
    const QFileInfo info(ruta);
    ImagenGuardada& c = Guardada();
    if (info.isFile() && c.ruta == ruta && c.tamano == info.size() && c.modificada == info.lastModified() &&
        !c.imagen.isNull())
        return c.imagen;
    QImage imagen = plat::loadPicture(ruta);
    c = {ruta, info.size(), info.lastModified(), imagen};
    return imagen;
}

QString Limites(const QString& n, const QString& fin) {
    return QString::fromUtf8("       Entre 320 y 1024 píxeles de ancho") + fin + n +
           QString::fromUtf8("       Entre 240 y  768 píxeles de alto") + fin + n;
}

// A whole number as the message texts write it: one blank in front.
QString ConBlanco(long long v) { return QStringLiteral(" ") + QString::number(v); }

} // namespace

// ---------------------------------------------------------------- loading and drawing

void Personal::CargaMostrarImagen() {
    auto& g = PuzzGbl;
    plat::Surface& real = mesa.Pic_FonTamReal;
    errorCarga_ = 0;
    Paso([&] { real.clearPicture(); });
    if (g.TipoJuego == 23) {
        Paso([&] {
            real.setSize(std::clamp(g.AnchoImagen + 2 * g.OrigenX, 1, kMaxZoomada),
                         std::clamp(g.AltoImagen + 2 * g.OrigenY, 1, kMaxZoomada));
            real.setBackColor(plat::Color(g.ColorFondo));
            real.cls();
            TAN_DibujaModelo(real);
        });
    } else {
        Paso([&] {
            real.setSize(320, 240);
            real.cls();
        });
        const int i = File1.ListIndex();
        if (i < 0) {
            errorCarga_ = plat::err::kFileNotFound;
        } else {
            try {
                const QImage imagen = CargaImagen(carpetas::UneRuta(carpetaLista_, File1.List(i)));
                real.setImage(imagen);
            } catch (const plat::RuntimeError& e) {
                errorCarga_ = e.number() != 0 ? e.number() : plat::err::kInvalidPicture;
            }
        }
    }
    g.AnchoBmp = real.scaleWidth();
    g.AltoBmp = real.scaleHeight();

    // The thumbnail: the whole picture in its proportion, centred.
    Paso([&] {
        const int w = Pic_MostrarImagen.scaleWidth(), h = Pic_MostrarImagen.scaleHeight();
        g.AnchoControl = w - 4;
        g.AltoControl = h - 4;
        ProporcionImagen = real.scaleHeight() > 0 ? float(real.scaleWidth()) / float(real.scaleHeight()) : 0.0f;
        const double p = ProporcionImagen;
        if (p > 0 && p < 4.0 / 3.0) g.AnchoControl = plat::cint(p * g.AltoControl);
        else if (p > 4.0 / 3.0) g.AltoControl = plat::cint(g.AnchoControl / p);
        const int x0 = (w - 4 - g.AnchoControl) / 2, y0 = (h - 4 - g.AltoControl) / 2;
        Pic_MostrarImagen.setBackColor(plat::Color(g.ColorFondo));
        Pic_MostrarImagen.cls();
        plat::setStretchBltMode(Pic_MostrarImagen, plat::stretchmode::kColorOnColor);
        if (errorCarga_ == 0)
            plat::stretchBlt(Pic_MostrarImagen, x0, y0, g.AnchoControl, g.AltoControl, real, 0, 0,
                             real.scaleWidth(), real.scaleHeight(), plat::rop::kSrcCopy);
        Pic_MostrarImagen.refresh();
    });
    // A picture read: the sliding pieces may show it again.
    if (errorCarga_ == 0 && g.TipoJuego != 23) g.ImagenAusente = false;
    // A picture file that could not be read is no usable picture.
    g.SeleccionValida = errorCarga_ == 0 || (g.TipoJuego != 21 && g.TipoJuego != 22);
}

void Personal::ImagenCambia() {
    auto& g = PuzzGbl;
    Paso([] { CalculaGeometriaPuzzle(); });
    CargaMostrarImagen();
    plat::Surface& modi = mesa.Pic_FonTamModi;
    const plat::Surface& real = mesa.Pic_FonTamReal;
    Paso([&] {
        const long long w = encaje::Zoomado(g.AnchoBmp, g.ZoomImagen) + g.OrigenX;
        const long long h = encaje::Zoomado(g.AltoBmp, g.ZoomImagen) + g.OrigenY;
        modi.clearPicture();
        modi.setSize(int(std::clamp<long long>(w, 1, kMaxZoomada)), int(std::clamp<long long>(h, 1, kMaxZoomada)));
        plat::setStretchBltMode(modi, plat::stretchmode::kColorOnColor);
        plat::stretchBlt(modi, g.OrigenX, g.OrigenY, modi.scaleWidth() - g.OrigenX, modi.scaleHeight() - g.OrigenY,
                         real, 0, 0, real.scaleWidth(), real.scaleHeight(), plat::rop::kSrcCopy);
        modi.keepImageAsPicture();
    });
    Paso([&] {
        DibujaVisor(Pic_InfoTamBmp, nropiezas::TextoTamano(modi.scaleWidth(), modi.scaleHeight()), 2);
    });
    // The table in small: the picture at its size on the table, and the
    // command panel's share over the top right corner.
    Paso([&] {
        plat::Surface& t = Pic_TamRelIma;
        const int tw = t.scaleWidth(), th = t.scaleHeight();
        t.setBackColor(plat::Color(g.ColorFondo));
        t.cls();
        if (g.AnchoMesa > 0 && g.AltoMesa > 0) {
            const int w = plat::cint(double(modi.scaleWidth()) * tw / g.AnchoMesa);
            const int h = plat::cint(double(modi.scaleHeight()) * th / g.AltoMesa);
            plat::setStretchBltMode(t, plat::stretchmode::kColorOnColor);
            if (errorCarga_ == 0)
                plat::stretchBlt(t, 0, 0, w, h, real, 0, 0, real.scaleWidth(), real.scaleHeight(),
                                 plat::rop::kSrcCopy);
            const int a = plat::cint(double(tw) * mesa.Pic_Botonera.width() / g.AnchoMesa);
            const int b = plat::cint(double(th) * mesa.Pic_Botonera.height() / g.AltoMesa);
            if (a > 0 && b > 0) t.filledBox(tw - a, 0, tw - 1, b - 1, kColorBotonera);
        }
        t.refresh();
    });
}

// ---------------------------------------------------------------- choosing a file

void Personal::File1_Click() {
    auto& g = PuzzGbl;
    if (!IniciandoVentana) Sonido(1, kSonidoClic);
    const int indice = File1.ListIndex();
    const QString nombre = indice >= 0 ? File1.List(indice) : QString();
    ImagenCambia();

    // A file that is no picture here is refused before it is taken: the
    // puzzle keeps the last picture that could be used.
    if (errorCarga_ != 0 && (g.TipoJuego == 21 || g.TipoJuego == 22)) {
        const QString& n = g.SaltoLinea;
        const QString causa = QString::fromUtf8("No se puede usar la imagen ") + nombre + QStringLiteral(": ") +
                              encaje::CausaImagenInutil(errorCarga_) + QStringLiteral(".");
        Paso([&] { DibujaVisor(Pic_InfoTamBmp, QStringLiteral(" "), 2); });
        Sonido(1, kSonidoRechazo);
        Mensaje(QString::fromUtf8("Imagen no válida"),
                causa + n + n + QStringLiteral("Seleccione  otra  imagen  que  sirva de fondo para el puzzle."), 4, 1,
                ayuda::kImagenFueraDeLimites);
        Refresh();
        g.SeleccionValida = false;
        g.ZoomImagen = Inicial.ZoomImagen;
        if (g.TipoJuego == 21) Paso([&] { DibujaSpin(Pic_Spin(41), Tex_Spin41, 41, g.ZoomImagen); });
        return;
    }

    // The shapes the picture's proportion allows, in this order; the
    // current one, when refused, falls back to rectangles.
    TipPuzActivo.fill(true);
    auto cierra = [&](std::initializer_list<int> formas) {
        bool actual = false;
        for (int f : formas) actual = actual || g.FormaPieza == f;
        if (actual) {
            Pic_TipPuz_MouseDown(0, 1, 0, 0, 0);
            g.FormaPieza = 0;
            g.PiezasCasilla = 1;
        }
        for (int f : formas) TipPuzActivo[std::size_t(f)] = false;
    };
    const int ancho = mesa.Pic_FonTamReal.scaleWidth(), alto = mesa.Pic_FonTamReal.scaleHeight();
    if (!encaje::FormaAdmiteProporcion(2, ancho, alto)) cierra({2});
    if (!encaje::FormaAdmiteProporcion(3, ancho, alto)) cierra({3});
    if (!encaje::FormaAdmiteProporcion(1, ancho, alto)) cierra({1, 7});

    // While the window lays itself out a picture usable at the opening is
    // only shown again; any other runs every check.
    if (!(IniciandoVentana && SeleccionValidaInicial && g.SeleccionValida)) {
        // The choice.
        g.FicheroImagen = carpetas::UneRuta(carpetaLista_, nombre);
        g.ArchivoImagen = nombre;
        g.UnidadImagen.clear();
        g.CarpetaImagen = carpetaLista_;
        g.ZoomImagen = 100;
        if (g.TipoJuego != 21) {
            g.SeleccionValida = true;
        } else {
            // The zoom that brings the picture within the limits, judged
            // by the size it gives in whole pixels.
            Paso([&] { DibujaSpin(Pic_Spin(41), Tex_Spin41, 41, 100); });
            const int w = mesa.Pic_FonTamReal.scaleWidth(), h = mesa.Pic_FonTamReal.scaleHeight();
            const int zoom = encaje::ZoomAjustado(w, h);
            const QString& n = g.SaltoLinea;
            const QString tamano = ConBlanco(w) + QStringLiteral(" x") + ConBlanco(h);
            if (!encaje::ZoomUtilizable(w, h, zoom)) {
                Paso([&] { DibujaVisor(Pic_InfoTamBmp, QStringLiteral(" "), 2); });
                Sonido(1, kSonidoRechazo);
                Mensaje(QString::fromUtf8("Imagen no válida"),
                        QStringLiteral("La imagen seleccionada (") + tamano + QString::fromUtf8(" píxeles)") + n +
                            QString::fromUtf8("no puede ser utilizada en Teselaro. Aunque se le aplique el máximo "
                                              "valor del  Zoom no entra dentro de los límites permitidos:") +
                            n + n + Limites(n, QStringLiteral(".")) + n +
                            QStringLiteral("Seleccione  otra  imagen  que  sirva de fondo para el puzzle."),
                        10, 1, ayuda::kImagenFueraDeLimites);
                Refresh();
                g.SeleccionValida = false;
                g.ZoomImagen = Inicial.ZoomImagen;
                Paso([&] { DibujaSpin(Pic_Spin(41), Tex_Spin41, 41, g.ZoomImagen); });
                return;
            }
            g.ZoomImagen = std::int16_t(zoom);
            if (zoom != 100) {
                Paso([&] { DibujaSpin(Pic_Spin(41), Tex_Spin41, 41, zoom); });
                Mensaje(QStringLiteral("Imagen fuera de límites"),
                        QString::fromUtf8("El tamaño de la imagen que ha seleccionado") + n + QStringLiteral("(") +
                            tamano + QString::fromUtf8(" píxeles) no está dentro de los límites permitidos:") + n +
                            n + Limites(n, QStringLiteral(".")) + n +
                            QStringLiteral("Se ha modificado el  Zoom  para adaptar la imagen a dichos límites."),
                        9, 1, ayuda::kImagenFueraDeLimites);
                Refresh();
            }
            g.SeleccionValida = true;
        }
    }

    ImagenCambia();
    RellenandoNroPiezas = true;
    CargaLisNroPiezas();
    RellenandoNroPiezas = false;
}

void Personal::File1_DblClick() {}

void Personal::File1_MouseMove(std::int16_t, std::int16_t, double, double) {
    if (File1.ListCount() == 0) File1.setMousePointer(0);
    else if (File1.mousePointer() == 0) PonCursor(File1, 23);
}

// ---------------------------------------------------------------- drives and folders

void Personal::Drive1_Change() {
    if (poniendoUnidad_ || IniciandoVentana) return;
    Sonido(1, kSonidoClic);
    const int i = Drive1.ListIndex();
    if (i < 0 || i >= unidades_.size()) return;
    const QString unidad = unidades_[i];
    // The folder list keeps its folder when it lies on that drive already.
    if (carpetas::UnidadDe(carpetaLista_, unidades_) == unidad) return;
    PonCarpetaLista(unidad);
}

void Personal::Dir1_Change() {
    if (!IniciandoVentana) Sonido(1, kSonidoClic);
    RellenaFile1();
    File1.setMousePointer(0);
}

void Personal::RellenaFile1() {
    const QStringList archivos = carpetas::ArchivosImagen(carpetaLista_);
    File1.Clear();
    for (const QString& a : archivos) File1.AddItem(a);
}

void Personal::Dir1_MouseMove(std::int16_t, std::int16_t, double, double) {
    if (Dir1.mousePointer() == 0) PonCursor(Dir1, 23);
}

void Personal::Dir1_Abre() {
    const int i = Dir1.ListIndex();
    if (i < 0 || std::size_t(i) >= rutasDir1_.size()) return;
    PonCarpetaLista(rutasDir1_[std::size_t(i)]);
}

bool Personal::PonCarpetaLista(const QString& carpeta) {
    const QString c = carpetas::ComoCarpeta(carpeta);
    if (!QFileInfo(c).isDir()) return false;
    const bool otra = c != carpetaLista_;
    carpetaLista_ = c;
    const std::vector<carpetas::EntradaCarpeta> entradas = carpetas::ListaCarpetas(c);
    rutasDir1_.clear();
    Dir1.Clear();
    for (const auto& e : entradas) {
        Dir1.AddItem(e.texto);
        rutasDir1_.push_back(e.ruta);
    }
    const int propia = carpetas::PosicionCarpeta(entradas, c);
    if (propia >= 0) Dir1.setListIndex(propia);
    // The drive list shows the drive that holds the folder.
    if (unidades_.isEmpty()) {
        unidades_ = carpetas::Unidades();
        Drive1.Clear();
        for (const QString& u : unidades_) Drive1.AddItem(u);
    }
    const int unidad = int(unidades_.indexOf(carpetas::UnidadDe(c, unidades_)));
    if (unidad != Drive1.ListIndex()) {
        poniendoUnidad_ = true;
        Drive1.setListIndex(unidad);
        poniendoUnidad_ = false;
    }
    if (otra || File1.ListCount() == 0) Dir1_Change();
    return true;
}

void Personal::PreparaListasImagen() {
    auto& g = PuzzGbl;
    // A later run of the layout (a count or a selector changed) leaves the
    // lists where the player left them.
    if (!IniciandoVentana && !rutasDir1_.empty()) return;
    // The size display and the relative-size preview are drawn by the
    // choice below, before the layout places them: they take their own
    // sizes first.
    if (Pic_InfoTamBmp.scaleWidth() == 0) Pic_InfoTamBmp.setSize(154, 27);
    if (Pic_TamRelIma.scaleWidth() == 0) Pic_TamRelIma.setSize(80, 60);
    // The stored folder, else the program's.
    const QString carpeta = carpetas::ComoCarpeta(g.CarpetaImagen);
    if (carpeta != carpetaLista_ || rutasDir1_.empty()) {
        if (g.CarpetaImagen.trimmed().isEmpty() || !PonCarpetaLista(carpeta)) PonCarpetaLista(g.RutaPrograma);
    }
    QStringList archivos;
    for (int i = 0; i < File1.ListCount(); ++i) archivos << File1.List(i);
    const int elegido = carpetas::BuscaArchivo(archivos, g.ArchivoImagen);
    if (elegido >= 0) {
        File1.setListIndex(elegido);
    } else if (File1.ListCount() > 0) {
        // As the player's click: every check runs.
        IniciandoVentana = false;
        try {
            File1.setListIndex(0);
        } catch (...) {
            IniciandoVentana = true;
            throw;
        }
        IniciandoVentana = true;
    }
}

// ---------------------------------------------------------------- the number of pieces

void Personal::CargaLisNroPiezas() {
    auto& g = PuzzGbl;
    Lis_NroPiezas.Clear();
    std::vector<int> lados;
    int casilla = 1;
    if (g.TipoJuego == 21) {
        const plat::Surface& modi = mesa.Pic_FonTamModi;
        lados = encaje::LadosOfrecidos(g.FormaPieza, modi.scaleWidth(), modi.scaleHeight());
        casilla = encaje::PiezasPorCasilla(g.FormaPieza);
    } else if (g.TipoJuego == 22) {
        lados = {3, 4, 5, 6, 7, 8};
    }
    int mejor = 99, pos = 0;
    for (int n : lados) {
        Lis_NroPiezas.AddItem(nropiezas::Texto(n, casilla, g.TipoJuego));
        if (std::abs(n - g.PiezasLado) <= std::abs(mejor - g.PiezasLado)) {
            mejor = n;
            pos = Lis_NroPiezas.NewIndex();
        }
    }
    if (lados.empty()) mejor = 3;
    if (mejor != g.PiezasLado) {
        g.PiezasLado = std::int16_t(mejor);
        ImagenCambia();
    }
    if (pos < Lis_NroPiezas.ListCount() && pos != Lis_NroPiezas.ListIndex() && g.SeleccionValida)
        Lis_NroPiezas.setListIndex(pos);
}

void Personal::Lis_NroPiezas_MouseDown(std::int16_t, std::int16_t, double, double) {
    auto& g = PuzzGbl;
    if (!IniciandoVentana && !RellenandoNroPiezas && !CambiandoFormaPieza) Sonido(1, kSonidoClic);
    const int i = Lis_NroPiezas.ListIndex();
    if (i < 0) return;
    const int n = nropiezas::Lado(Lis_NroPiezas.List(i));
    if (n != g.PiezasLado && n >= 3) {
        g.PiezasLado = std::int16_t(n);
        ImagenCambia();
        CambiandoNroPiezas = true;
        ColocaControles();
        CambiandoNroPiezas = false;
    }
}

void Personal::Lis_NroPiezas_MouseMove(std::int16_t, std::int16_t, double, double) {
    if (Lis_NroPiezas.mousePointer() == 0) PonCursor(Lis_NroPiezas, 23);
}

// ---------------------------------------------------------------- the pasted picture

bool Personal::ImagenEnUso(const QString& ruta) const {
    auto& g = PuzzGbl;
    auto igual = [&](const QString& otra) {
        return QString::compare(otra.trimmed(), ruta, Qt::CaseInsensitive) == 0;
    };
    if (igual(Inicial.FicheroImagen)) return true;
    // The full path is the fourth line of a state file or a saved puzzle.
    auto nombra = [&](const QString& archivo) {
        try {
            const QStringList lineas = plat::readLines(archivo, plat::kMaxSettingsFile);
            return lineas.size() >= 4 && igual(lineas[3]);
        } catch (const plat::RuntimeError&) {
            return false;
        }
    };
    for (std::int16_t juego : {std::int16_t(21), std::int16_t(22)})
        if (nombra(RutaEstadoJuego(juego))) return true;
    const QDir archivo(g.RutaArchivo);
    for (const QFileInfo& f : archivo.entryInfoList(QDir::Files))
        if (f.fileName().endsWith(QStringLiteral(".puz"), Qt::CaseInsensitive) && nombra(f.filePath())) return true;
    return false;
}

QString Personal::GuardaImagenPortapapeles(const QImage& imagen) {
    auto& g = PuzzGbl;
    const QString carpeta = carpetaLista_.isEmpty() ? carpetas::ComoCarpeta(g.CarpetaImagen) : carpetaLista_;
    auto escribe = [&](const QString& en) -> QString {
        const QString nombre = carpetas::NombrePortapapeles(en, [this](const QString& r) { return ImagenEnUso(r); });
        const QString ruta = carpetas::UneRuta(en, nombre);
        try {
            plat::savePictureBmp(imagen, ruta);
            Guardada() = {}; // the file there is another picture now
            return ruta;
        } catch (const plat::RuntimeError&) {
            return QString();
        }
    };
    QString ruta = escribe(carpeta);
    if (ruta.isEmpty()) {
        // The working folder's own pictures folder takes it.
        const QString propia = carpetas::UneRuta(g.RutaPrograma, QStringLiteral("Imagenes/"));
        if (carpetas::ComoCarpeta(propia) != carpeta && QDir().mkpath(propia)) ruta = escribe(propia);
        if (ruta.isEmpty()) {
            Mensaje(QStringLiteral("Pegar imagen del Portapapeles"),
                    QStringLiteral("No se ha podido guardar la imagen del Portapapeles en ") + carpeta +
                        QStringLiteral("."),
                    2, 1);
            return QString();
        }
        PonCarpetaLista(propia);
    }
    // The list again, so that the new file is in it.
    RellenaFile1();
    return ruta;
}
