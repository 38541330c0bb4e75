// The start-up road: from the splash to the welcome message, in order. From
// the display question on, a step that fails is passed over and the next one
// runs; the folder set-up before it has its own handling.
#include "core/ui/Arranque.h"

#include "core/Carpetas.h"
#include "core/Configuracion.h"
#include "core/Pantalla.h"
#include "core/Pasos.h"
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "core/ui/careta.h"
#include "platform/files.h"
#include "platform/random.h"
#include "core/TemasAyuda.h"

#include <QCoreApplication>
#include <QTimer>

#include <exception>

namespace {

// Runs one step of the road; a run-time failure in it is passed over.
QString tresCifras(int n) { return QString::number(n).rightJustified(3, QLatin1Char(' ')); }

} // namespace

QString TextoResolucion(int w, int h) {
    return QString::fromUtf8(
               "Este programa se ha  diseñado para funcionar con  una  resolución mínima  de  pantalla de "
               "800x600 con profundidad de color de  16 bits o superior.  Actualmente  tiene seleccionada "
               "una resolución de (") +
           tresCifras(w) + QLatin1Char('x') + tresCifras(h) +
           QString::fromUtf8("). Pulse Aceptar para  cambiar la resolución de la pantalla o Cancelar para "
                             "abandonar el programa.");
}

bool Main() {
    // 1. The splash, with its wait at speed 50.
    careta::Muestra();
    // 2-3. Texts and folders.
    PuzzGbl.SaltoLinea = QStringLiteral("\r\n");
    PuzzGbl.RutaPrograma = CarpetaPrograma();
    PuzzGbl.RutaArchivo = PuzzGbl.RutaPrograma + QStringLiteral("Archivo/");
    PuzzGbl.RutaImagenes = PuzzGbl.RutaPrograma + QStringLiteral("Imagenes/");
    // 4-5. There are no drives; the working folder is tested and relocated
    // when the program folder cannot be written.
    PreparaCarpetaTrabajo();
    // A write killed before its rename leaves a hidden temporary file behind;
    // those of the program's own files older than a minute are leftovers.
    pasos::Paso([] {
        plat::removeStaleTemporaries(PuzzGbl.RutaPrograma, ArchivosPropios());
        plat::removeStaleTemporaries(PuzzGbl.RutaArchivo, ArchivosPropios());
    });

    // 7. A screen narrower than 800 pixels: the display cannot be switched
    // here, so accepting only says so and goes on at the real size.
    bool seguir = true;
    pasos::Paso([&] {
        const QSize pantalla = TamanoPantalla();
        if (pantalla.width() >= 800) return;
        Mensaje(QString::fromUtf8("Resolución de pantalla"), TextoResolucion(pantalla.width(), pantalla.height()), 7,
                2, ayuda::kResolucionPantalla);
        if (!PuzzGbl.RespuestaMensaje) {
            seguir = false;
            return;
        }
        Mensaje(QString::fromUtf8("Cambio de resolución de pantalla"),
                QString::fromUtf8("No se puede cambiar la resolución de la pantalla."), 2, 1);
    });
    if (!seguir) {
        careta::Descarga();
        return false;
    }

    pasos::Paso([] { plat::randomize(plat::timer()); });                        // 8
    pasos::Paso([] { mesa.Load(); });                                           // 9
    pasos::Paso([] {                                                            // 10
        PuzzGbl.ResolviendoAuto = false;
        PuzzGbl.BotoneraOculta = true;
    });
    pasos::Paso([] { InicializaTablas(); });                                    // 11
    pasos::Paso([] {                                                            // 12
        const QSize pantalla = TamanoPantalla();
        mesa.Move(0, 0, pantalla.width(), pantalla.height());
    });
    pasos::Paso([] { MarchaCronometro(1); });                                   // 13
    pasos::Paso([] { careta::Descarga(); });                                    // 14
    pasos::Paso([] { LeeConfiguracion(); });                                    // 15
    pasos::Paso([] { DibujaBotonera(); });                                      // 16
    pasos::Paso([] { LeePuzzleJuego(RutaEstadoJuego(PuzzGbl.TipoJuego)); });    // 17
    pasos::Paso([] { mesa.setMousePointer(0); });                               // 18
    pasos::Paso([] { mesa.Show(); });                                           // 19
    pasos::Paso([] {                                                            // 20
        Mensaje(QStringLiteral("TESELARO 3.4"),
                QString::fromUtf8("Si desea consultar una descripción general de este  programa  para  conocer  "
                                  "rápidamente su funcionamiento, pulse el botón de Ayuda."),
                3, 1, ayuda::kBienvenida);
    });
    return true; // 21
}

bool GuardaEstadoPrograma() {
    bool configuracion = false, estado = false;
    pasos::Paso([&] { configuracion = GuardaConfiguracion(); });
    pasos::Paso([&] { estado = GuardaPuzzleJuego(); });
    return configuracion && estado;
}

void FinalizaPrograma() {
    // The program ends when control is back in the main event loop, that is
    // once every loop running inside a handler has returned.
    QTimer::singleShot(0, [] {
        mesa.Unload();
        QCoreApplication::exit(0);
    });
}

bool TerminaPrograma() {
    const bool escritos = GuardaEstadoPrograma();
    FinalizaPrograma();
    return escritos;
}
