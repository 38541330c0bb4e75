#include "model/EncajeImagen.h"

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/picture.h"

#include <algorithm>
#include <cstdlib>

namespace encaje {

QString CausaImagenInutil(int error) {
    namespace err = plat::err;
    switch (error) {
    case err::kInvalidPicture:
        return QString::fromUtf8("el archivo está dañado o no contiene una imagen BMP, RLE, JPEG, PNG, WMF o EMF");
    case err::kOutOfMemory:
        return QString::fromUtf8("es demasiado grande (se admiten archivos de hasta %1 MB e imágenes de hasta %2 "
                                 "millones de píxeles)")
            .arg(plat::kMaxPictureFile >> 20)
            .arg(plat::kMaxPicturePixels / 1'000'000);
    case err::kFileNotFound:
    case err::kPathNotFound: return QString::fromUtf8("no se encuentra el archivo");
    default: return QString::fromUtf8("no se puede leer el archivo (error %1)").arg(error);
    }
}

int PiezasPorCasilla(int forma) {
    static constexpr int tabla[8] = {1, 1, 1, 4, 2, 2, 2, 2};
    return forma >= 0 && forma <= 7 ? tabla[forma] : 1;
}

bool FormaAdmiteProporcion(int forma, long long ancho, long long alto) {
    if (forma < 0 || forma > 7) return false;
    if (forma == 0 || (forma >= 4 && forma <= 6)) return true;
    if (ancho <= 0 || alto <= 0) return false;
    // Compared as the chooser measures it: in single precision.
    const float proporcion = float(ancho) / float(alto);
    switch (forma) {
    case 2: return proporcion >= 0.476f && proporcion <= 2.1f;
    case 3: return proporcion <= 2.625f;
    default: return proporcion >= 0.416f && proporcion <= 2.4f; // 1 and 7
    }
}

long long Zoomado(long long lado, int zoom) {
    if (lado <= 0 || zoom <= 0) return 0;
    return lado * zoom / 100;
}

bool LadoOfrecido(int forma, long long ancho, long long alto, int n) {
    const bool triangulos = forma == 3;
    const int minimo = triangulos ? 50 : 25, maximo = 140, ladoMaximo = triangulos ? 15 : 20;
    if (n < 3 || n > ladoMaximo || ancho <= 0 || alto <= 0) return false;
    const long long w = ancho / n, h = alto / n;
    return w >= minimo && w <= maximo && h >= minimo && h <= maximo;
}

std::vector<int> LadosOfrecidos(int forma, long long ancho, long long alto) {
    std::vector<int> lados;
    for (int n = 3; n <= 20; ++n)
        if (LadoOfrecido(forma, ancho, alto, n)) lados.push_back(n);
    return lados;
}

int LadoMasCercano(const std::vector<int>& ofrecidos, int actual) {
    if (ofrecidos.empty()) return 3;
    int mejor = 99;
    for (int n : ofrecidos)
        if (std::abs(n - actual) <= std::abs(mejor - actual)) mejor = n;
    return mejor;
}

bool JigsawPermitido(int forma, long long ancho, long long alto, int zoom, int n) {
    return FormaAdmiteProporcion(forma, ancho, alto) &&
           LadoOfrecido(forma, Zoomado(ancho, zoom), Zoomado(alto, zoom), n);
}

int ZoomAjustado(long long ancho, long long alto) {
    if (ancho <= 0 || alto <= 0) return 100;
    const double w = double(ancho), h = double(alto);
    int zoom = 100;
    long long zx = 0, zy = 0;
    if (w < kAnchoMinimo) zx = plat::cint(32000.0 / w + 1);
    if (h < kAltoMinimo) zy = plat::cint(24000.0 / h + 1);
    if (zx != 0 || zy != 0) zoom = int(std::min<long long>(std::max(zx, zy), 100000));
    if (zoom != 100) zoom = zoom + 5 - zoom % 5;
    zx = zy = 0;
    if (w > kAnchoMaximo) zx = plat::cint(102400.0 / w - 1);
    if (h > kAltoMaximo) zy = plat::cint(76800.0 / h - 1);
    if (zx != 0 || zy != 0) {
        zoom = int(zx == 0 ? zy : zy == 0 ? zx : std::min(zx, zy));
        if (zoom != 100) zoom -= zoom % 5;
    }
    return zoom;
}

bool ZoomUtilizable(long long ancho, long long alto, int zoom) {
    if (zoom < kZoomMinimo || zoom > kZoomMaximo || ancho <= 0 || alto <= 0) return false;
    const long long w = Zoomado(ancho, zoom), h = Zoomado(alto, zoom);
    return w >= kAnchoMinimo && w <= kAnchoMaximo && h >= kAltoMinimo && h <= kAltoMaximo;
}

} // namespace encaje
