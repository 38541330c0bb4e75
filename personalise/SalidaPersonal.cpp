#include "personalise/SalidaPersonal.h"

#include "core/PuzzGbl.h"
#include "core/TsComun.h"

AjustesPersonal AjustesActuales() {
    const auto& g = PuzzGbl;
    AjustesPersonal a;
    a.FicheroImagen = g.FicheroImagen;
    a.ArchivoImagen = g.ArchivoImagen;
    a.FormaPieza = g.FormaPieza;
    a.PiezasLado = g.PiezasLado;
    a.ZoomImagen = g.ZoomImagen;
    a.GiroPermitido = g.GiroPermitido;
    a.TAN_ModoJuego = g.TAN_ModoJuego;
    a.TipoRotulo = g.TipoRotulo;
    a.NroModelo = g.NroModelo;
    a.ColorFondo = g.ColorFondo;
    a.ColorPieza = g.ColorPieza;
    a.ColorLineas = g.ColorLineas;
    a.DibujarBorde = g.DibujarBorde;
    a.FactorAtraccion = g.FactorAtraccion;
    a.PiezasUnColor = g.PiezasUnColor;
    a.MaterialPiezas = g.MaterialPiezas;
    return a;
}

bool JuegaModelos(std::int16_t juego, std::int16_t modoTangram) {
    return (juego == 23 && modoTangram == 2) || juego == 24 || juego == 25;
}

DecisionSalida DecideSalida(const AjustesPersonal& ini, const AjustesPersonal& a, std::int16_t juego,
                            bool reinicioForzado, const std::function<bool(PreguntaSalida)>& responde) {
    DecisionSalida d;
    if (reinicioForzado) {
        d.ReiniciarPuzzle = true;
    } else {
        d.CambioCosmetico = a.ColorFondo != ini.ColorFondo || a.ColorPieza != ini.ColorPieza ||
                            a.ColorLineas != ini.ColorLineas || a.DibujarBorde != ini.DibujarBorde ||
                            a.FactorAtraccion != ini.FactorAtraccion || a.PiezasUnColor != ini.PiezasUnColor ||
                            a.MaterialPiezas != ini.MaterialPiezas;
        const bool parametros = a.FicheroImagen != ini.FicheroImagen || a.ArchivoImagen != ini.ArchivoImagen ||
                                a.FormaPieza != ini.FormaPieza || a.PiezasLado != ini.PiezasLado ||
                                a.ZoomImagen != ini.ZoomImagen || a.GiroPermitido != ini.GiroPermitido ||
                                a.TAN_ModoJuego != ini.TAN_ModoJuego || a.TipoRotulo != ini.TipoRotulo;
        if (parametros) {
            d.preguntaParametros = true;
            if (responde(PreguntaSalida::Parametros)) d.ReiniciarPuzzle = true;
        }
        if (JuegaModelos(juego, a.TAN_ModoJuego) && !d.ReiniciarPuzzle && a.NroModelo != ini.NroModelo) {
            d.preguntaModelo = true;
            if (responde(PreguntaSalida::Modelo)) d.ReiniciarPuzzle = true;
        }
        d.restaura = !d.ReiniciarPuzzle;
    }
    // Only a game played on a picture holds the pasted one in its work
    // surface; a model game keeps the name from the picture games and must
    // not write its own drawing over their picture.
    const bool sobreImagen = juego == 21 || (juego == 22 && a.TipoRotulo == 1);
    d.guardaPortapapeles = d.ReiniciarPuzzle && sobreImagen && EsImagenPortapapeles(a.ArchivoImagen);
    // The restore keeps the factor now in force, so the puzzle no longer
    // qualifies whichever road it takes.
    d.quitaHistorico = a.FactorAtraccion != ini.FactorAtraccion;
    const std::int16_t modo = d.restaura ? ini.TAN_ModoJuego : a.TAN_ModoJuego;
    d.calculaDificultad = !(juego == 25 || (juego == 23 && modo == 1));
    d.ZoomImagen = juego != 21 ? std::int16_t(100) : (d.restaura ? ini.ZoomImagen : a.ZoomImagen);
    return d;
}
