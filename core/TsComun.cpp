#include "core/TsComun.h"

#include "core/PuzzGbl.h"
#include "platform/clock.h"
#include "platform/numbers.h"
#include "platform/sound.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

namespace {

// Pointer codes of the surfaces (the standard arrow and the custom picture).
constexpr int kPunteroFlecha = 0;
constexpr int kPunteroPropio = 99;

PresentadorMensaje& presentadorActual() {
    static PresentadorMensaje presentador;
    return presentador;
}

} // namespace

// ---------------------------------------------------------------- cursor

QString NombreCursor(int codigo) {
    static const char* const nombres[] = {
        "MANOABIERTA", // 20 open hand
        "MANOVERDE",   // 21 green hand
        "MANOROJA",    // 22 red hand
        "MANOINDICE",  // 23 pointing hand
        "PUNTUTOR",    // 24 the tutor's pointer
        "FLECHANOR",   // 25 arrows: up,
        "FLECHAEST",   // 26 right,
        "FLECHASUR",   // 27 down,
        "FLECHAOES",   // 28 left
        "MANOCERRADA", // 29 closed hand
    };
    if (codigo < 20 || codigo > 29) return QString();
    return QString::fromLatin1(nombres[codigo - 20]);
}

template <typename Control>
void PonCursorEn(Control& objeto, int codigo) {
    const QString nombre = NombreCursor(codigo);
    if (!nombre.isEmpty()) {
        // The name first, so that a view never shows the custom pointer with
        // the picture of the code before.
        objeto.setCustomCursor(nombre);
        objeto.setMousePointer(kPunteroPropio);
    } else if (codigo >= 0 && codigo < 20) {
        objeto.setMousePointer(codigo);
    } else {
        // A code with no pointer of its own shows the arrow rather than failing.
        objeto.setMousePointer(kPunteroFlecha);
    }
    PuzzGbl.CursorActual = static_cast<std::int16_t>(codigo);
}

void PonCursor(plat::Surface& objeto, int codigo) { PonCursorEn(objeto, codigo); }
void PonCursor(plat::ListBox& lista, int codigo) { PonCursorEn(lista, codigo); }

// ---------------------------------------------------------------- delay

double FactorRetardo(int velocidad) {
    velocidad = std::clamp(velocidad, 0, 100);
    double f = plat::roundFixed4(std::pow((100.0 - velocidad) / 50.0, 1.5));
    if (f > 1.0) f = plat::roundFixed4(f * f);
    return f;
}

void Retardo(int ms) {
    // Times in ten-thousandths of a millisecond, so that the scaled length
    // keeps its four decimals exactly.
    const std::int64_t factor = plat::toFixed4(FactorRetardo(PuzzGbl.VelocidadJuego));
    if (PuzzGbl.InicioRetardo == 0) PuzzGbl.InicioRetardo = plat::msClock();
    const std::int64_t objetivo = PuzzGbl.InicioRetardo * 10000 + std::int64_t(ms) * factor;
    const bool relojDePrueba = plat::clockSourceIsForTests();
    for (;;) {
        const std::int64_t ahora = plat::msClock();
        const std::int64_t falta = objetivo - ahora * 10000; // the wait ends once this is negative
        if (falta < 0) break;
        if (relojDePrueba) continue; // a test clock moves as it is read
        // Sleep through all but the last millisecond, then in short steps,
        // so that the wait ends close to the first tick past the target.
        const std::int64_t msEnteros = falta / 10000;
        if (msEnteros >= 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(msEnteros - 1));
        else
            std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    PuzzGbl.InicioRetardo = 0;
}

// ---------------------------------------------------------------- sound

void Sonido(int modo, int id) {
    if (!PuzzGbl.SonidoActivo) return;
    try {
        plat::SoundPlayer& reproductor = plat::soundPlayer();
        reproductor.stop();
        QFile archivo(QStringLiteral(":/sounds/%1.wav").arg(id));
        if (!archivo.open(QIODevice::ReadOnly)) return;
        const QByteArray datos = archivo.readAll();
        if (datos.isEmpty()) return;
        reproductor.play(datos, modo != 1);
    } catch (...) {
        // A sound that cannot be played is silence.
    }
}

// ---------------------------------------------------------------- message

void RegistraPresentadorMensaje(PresentadorMensaje presentador) {
    presentadorActual() = std::move(presentador);
}

void Mensaje(const QString& titulo, const QString& texto, int lineas, int tipo, std::optional<int> ayuda) {
    constexpr int kMin16 = std::numeric_limits<std::int16_t>::min();
    constexpr int kMax16 = std::numeric_limits<std::int16_t>::max();
    PuzzGbl.NroLineasMensaje = static_cast<std::int16_t>(std::clamp(lineas, kMin16, kMax16));
    PuzzGbl.TipoMensaje = static_cast<std::int16_t>(std::clamp(tipo, kMin16, kMax16));
    // A topic that does not fit 16 bits names no topic of the help.
    PuzzGbl.AyudaMensaje =
        (ayuda && *ayuda >= kMin16 && *ayuda <= kMax16) ? static_cast<std::int16_t>(*ayuda) : 0;
    // Held by value: the presenter may register another one while it runs.
    const PresentadorMensaje presentador = presentadorActual();
    if (!presentador) {
        // No window to show it in: a one-button message counts as seen, a
        // question as not accepted.
        PuzzGbl.RespuestaMensaje = (tipo == 1);
        return;
    }
    presentador(titulo, texto);
}

bool EsImagenPortapapeles(const QString& archivo) {
    static const QRegularExpression patron(QStringLiteral("^tsportap[0-9]*\\.bmp$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return patron.match(archivo.trimmed()).hasMatch();
}
