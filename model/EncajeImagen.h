// Which jigsaws a picture allows: the piece shapes its proportion admits, the
// numbers of pieces per side its zoomed size offers, and the zoom that brings
// a picture within the sizes a puzzle may have. Pure rules, shared by the
// picture chooser, the state reader and the first jigsaw of a new player.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace encaje {

// Why a picture file cannot be used, from the run-time error of its reading,
// as the messages write it after "No se puede usar la imagen X: ": damaged or
// not a picture, too large, missing, or not readable.
QString CausaImagenInutil(int error);

// The zoomed picture a puzzle may have, limits included.
constexpr int kAnchoMinimo = 320, kAnchoMaximo = 1024, kAltoMinimo = 240, kAltoMaximo = 768;
constexpr int kZoomMinimo = 5, kZoomMaximo = 995;

// Pieces per grid cell of a shape: 1, 1, 1, 4, 2, 2, 2, 2 (1 outside 0..7).
int PiezasPorCasilla(int forma);

// Whether the piece shape suits a picture of that proportion (its own width
// and height; the zoom keeps the proportion). Rectangles and the figures in
// rectangles suit every picture; shapes outside 0..7 none.
bool FormaAdmiteProporcion(int forma, long long ancho, long long alto);

// The picture after zoom, whole pixels.
long long Zoomado(long long lado, int zoom);

// Whether n pieces per side are offered for the shape on a zoomed picture
// of ancho x alto: cells of 25..140 pixels each way (triangles 50..140) and
// 3..20 per side (triangles 3..15).
bool LadoOfrecido(int forma, long long ancho, long long alto, int n);

// Every n offered, in increasing order.
std::vector<int> LadosOfrecidos(int forma, long long ancho, long long alto);

// The offered n nearest the current one (the larger of two as near); 3 when
// nothing is offered.
int LadoMasCercano(const std::vector<int>& ofrecidos, int actual);

// The gate of a jigsaw: whether the shape, on the picture of its own size
// ancho x alto at that zoom, with n pieces per side, is a puzzle the chooser
// offers.
bool JigsawPermitido(int forma, long long ancho, long long alto, int zoom, int n);

// The zoom that brings a picture of its own size ancho x alto within the
// limits: 100 when it is within them, enlarged to the next multiple of 5
// above what a too small side needs, reduced to the multiple of 5 below what
// a too large side needs (the reduction decides when both apply).
int ZoomAjustado(long long ancho, long long alto);

// Whether the picture at that zoom lies within the limits and the zoom
// within 5..995. The size judged is the one the zoom gives, in whole pixels
// (as the zoom box judges a new zoom): 661 x 160 at 155 gives 1024 x 248.
bool ZoomUtilizable(long long ancho, long long alto, int zoom);

} // namespace encaje
