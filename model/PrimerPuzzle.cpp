#include "model/PrimerPuzzle.h"

#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/EncajeImagen.h"
#include "model/Juego.h"
#include "platform/blit.h"
#include "platform/errors.h"
#include "platform/picture.h"

#include <QDir>
#include <QImage>

#include <optional>

namespace {

struct Muestra {
    QString nombre;
    QImage imagen;
    int zoom = 100;
};

// The first picture of the folder, in name order, that loads and fits.
std::optional<Muestra> PrimeraMuestra(const QString& carpeta) {
    // The pictures the settings window lists.
    const QStringList nombres =
        QDir(carpeta).entryList(QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QString& nombre : nombres) {
        if (!plat::isPictureFileName(nombre)) continue;
        QImage imagen;
        try {
            imagen = plat::loadPicture(carpeta + nombre);
        } catch (const plat::RuntimeError&) {
            continue;
        }
        const int zoom = encaje::ZoomAjustado(imagen.width(), imagen.height());
        if (!encaje::ZoomUtilizable(imagen.width(), imagen.height(), zoom)) continue;
        return Muestra{nombre, imagen, zoom};
    }
    return std::nullopt;
}

} // namespace

bool PreparaPrimerPuzzle() {
    if (!EligePrimeraMuestra()) return false;
    PreparaJuego(true);
    RedibujaImagen(1);
    return true;
}

bool EligePrimeraMuestra() {
    auto& g = PuzzGbl;
    const std::optional<Muestra> m = PrimeraMuestra(g.RutaImagenes);
    if (!m) return false;
    const int ancho = m->imagen.width(), alto = m->imagen.height();

    g.TipoJuego = 21;
    g.UnidadImagen.clear();
    g.CarpetaImagen = g.RutaImagenes;
    g.ArchivoImagen = m->nombre;
    g.FicheroImagen = g.RutaImagenes + m->nombre;
    g.AnchoBmp = ancho;
    g.AltoBmp = alto;
    g.ZoomImagen = std::int16_t(m->zoom);
    const long long w = encaje::Zoomado(ancho, m->zoom), h = encaje::Zoomado(alto, m->zoom);

    // The shape stays when the picture suits it and offers it a size.
    int forma = g.FormaPieza;
    if (!encaje::FormaAdmiteProporcion(forma, ancho, alto) || encaje::LadosOfrecidos(forma, w, h).empty())
        forma = 0;
    g.FormaPieza = std::int16_t(forma);
    g.PiezasLado = std::int16_t(encaje::LadoMasCercano(encaje::LadosOfrecidos(forma, w, h), g.PiezasLado));
    g.PiezasCasilla = std::int16_t(encaje::PiezasPorCasilla(g.FormaPieza));
    g.NroPiezas = std::int16_t(g.PiezasLado * g.PiezasLado * g.PiezasCasilla);

    // The picture after zoom, as a loaded puzzle has it.
    plat::Surface& real = mesa.Pic_FonTamReal;
    plat::Surface& modi = mesa.Pic_FonTamModi;
    real.clearPicture();
    real.setImage(m->imagen);
    real.setPicture(m->imagen);
    modi.clearPicture();
    modi.setSize(int(w), int(h));
    plat::setStretchBltMode(modi, plat::stretchmode::kColorOnColor);
    plat::stretchBlt(modi, 0, 0, int(w), int(h), real, 0, 0, real.width(), real.height(), plat::rop::kSrcCopy);
    modi.keepImageAsPicture();
    real.clearPicture();

    g.SeleccionValida = true;
    return true;
}
