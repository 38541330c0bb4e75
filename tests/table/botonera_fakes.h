// Shared by the command panel and chronometer tests: a clean table with the
// panel registered, a message window that records what it is asked and gives
// the answers queued, and a launcher of fake windows.
#pragma once

#include "model/EstadoPuzzle.h"
#include "tests/support/fixtures.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "table/Botonera.h"
#include "table/Cronometro.h"
#include "core/Visores.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QThread>

#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace botonera_pruebas {

struct MensajeVisto {
    QString titulo, texto;
    int lineas = 0, tipo = 0, ayuda = 0;
};

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        mesa.reset();
        ReiniciaLanzador();
        AlTimer1 = nullptr;
        RegistraBotonera();
        PuzzGbl.VelocidadJuego = 100; // pauses take no time
        PuzzGbl.AnchoMesa = 1024;
        PuzzGbl.TipoJuego = 21;
        PuzzGbl.TAN_ModoJuego = 2;
        PuzzGbl.RutaPrograma = carpeta.path(); // the exit writes its files here
        InstalaEstadoPuzzle();
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            mensajes.push_back({titulo, texto, PuzzGbl.NroLineasMensaje, PuzzGbl.TipoMensaje, PuzzGbl.AyudaMensaje});
            bool si = true;
            if (!respuestas.empty()) {
                si = respuestas.front();
                respuestas.pop_front();
            }
            PuzzGbl.RespuestaMensaje = PuzzGbl.TipoMensaje == 1 || si;
        });
        auto& l = Lanzador();
        l.ocultaOpciones = [this] { ++opcionesOcultas; };
        l.ayuda = [this] { ++ayudas; };
        l.terminaPrograma = [this] { ++finales; };
        DibujaBotonera();
    }
    void TearDown() override {
        RegistraPresentadorMensaje(nullptr);
        RegistraProcedimientosPanel({});
        ReiniciaLanzador();
        mesa.reset();
        PuzzGbl.reset();
    }
    // A press of button i as the mouse gives it.
    static void pulsa(int i) { mesa.Pic_Boton_MouseDown(std::int16_t(i), 1, 0, 20, 20); }
    // Lets the main loop run, as it does between the player's moves, until
    // hecho holds or 5 seconds have gone; whether it holds.
    static bool esperaQue(const std::function<bool()>& hecho) {
        QElapsedTimer espera;
        espera.start();
        while (!hecho() && espera.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(2);
        }
        return hecho();
    }
    QStringList titulos() const {
        QStringList t;
        for (const auto& m : mensajes) t << m.titulo;
        return t;
    }

    testing_support::ScratchDir carpeta;
    std::vector<MensajeVisto> mensajes;
    std::deque<bool> respuestas; // answers of the questions, in order; accept when empty
    int opcionesOcultas = 0, ayudas = 0, finales = 0;
};

} // namespace botonera_pruebas
