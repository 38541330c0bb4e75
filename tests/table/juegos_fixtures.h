// Shared by the tutor and solving tests: an offscreen table with the command
// panel and the solver installed, sounds recorded (a frame of the table kept
// at each tutor blink), messages recorded, and a small puzzle of each game:
// a 2 x 2 jigsaw, the twelve pentominoes, the seven Tangram pieces and a
// Taipei deal on a landed layout.
#pragma once

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/PreparaMesa.h"
#include "model/Grabadora.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "model/Pentominos.h"
#include "model/Tangram.h"
#include "model/Taipei.h"
#include "platform/files.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "platform/ui/events.h"
#include "resources/resources.h"
#include "table/Botonera.h"
#include "table/ResuelveJuegos.h"
#include "table/ResuelveTablero.h"
#include "table/Soltar.h"
#include "table/Trabajo.h"
#include "tests/imaging/imaging_fixtures.h"
#include "tests/imaging/puzzle_fixtures.h"
#include "tests/support/fixtures.h"
#include "tools/modtai/disposiciones.h"

#include <QFileInfo>
#include <QImage>

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace juegos_prueba {

struct MensajeVisto {
    QString titulo, texto;
    int lineas = 0, tipo = 0, ayuda = 0;
};

// What the table showed when a sound was played to its end.
struct Cuadro {
    int sonido = 0;
    QImage trabajo, imagen;
};

class MesaJuegos : public ::testing::Test {
protected:
    void SetUp() override {
        puzzle_test::Reinicia();
        mesa.Load();
        ReiniciaLanzador();
        RegistraBotonera();
        InstalaResuelveTablero();
        teselaro::initResources();
        sonidos.clear();
        cuadros.clear();
        mensajes.clear();
        eventos = 0;
        alPaso = nullptr;
        sonidos.setWaitFunction([this](int) {
            for (int id : {51, 53, 55})
                if (!sonidos.calls().empty() && sonidos.calls().back().clip == teselaro::soundResource(id)) {
                    const plat::Surface& t = mesa.Pic_Trabajo;
                    const plat::Surface& i = mesa.Pic_Imagen;
                    cuadros.push_back({id, t.image(), i.image()});
                }
        });
        plat::setSoundPlayer(&sonidos);
        auto& g = PuzzGbl;
        g.SonidoActivo = true;
        g.VelocidadJuego = 100; // no pause takes time
        g.AnchoMesa = 1024;
        g.AltoMesa = 768;
        g.GiroPermitido = true;
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            mensajes.push_back({titulo, texto, PuzzGbl.NroLineasMensaje, PuzzGbl.TipoMensaje, PuzzGbl.AyudaMensaje});
            PuzzGbl.RespuestaMensaje = true;
        });
        RegistraEventosResolucion([this] {
            ++eventos;
            if (alPaso) alPaso(eventos);
        });
        for (plat::Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Fondo, &mesa.Pic_Trabajo}) {
            s->setSize(1024, 768);
            s->setBackColor(0x808080);
        }
    }
    void TearDown() override {
        RegistraEventosResolucion(nullptr);
        RegistraBuscaSolucionTaipei(nullptr);
        RegistraPresentadorMensaje(nullptr);
        RegistraProcedimientosPanel({});
        plat::setSoundPlayer(nullptr);
        ReiniciaLanzador();
        ReiniciaProcTrabajo();
        mesa.reset();
        PuzzGbl.reset();
    }

    // A 2 x 2 jigsaw of 200-pixel rectangles, every piece at home.
    static void rompecabezas() {
        puzzle_test::PonMesa(1024, 768);
        puzzle_test::Puzzle(0, 2, 400, 400);
        PreparaPiezasMoviles(true);
        auto& g = PuzzGbl;
        for (int i = 1; i <= g.NroPiezas; ++i) {
            auto& r = g.Piezas[std::size_t(i)];
            r.X = r.XDestino;
            r.Y = r.YDestino;
            r.Giro = r.GiroDestino = 0;
            r.Volteo = r.VolteoDestino = 0;
            g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
        }
        RedibujaImagen(1);
        ActualizaInfoPiezas();
    }
    // The twelve pentominoes (F I L N P T U V W X Y Z) on 20-pixel cells, each
    // at its home, laid apart.
    static void pentominos() {
        InicializaTablas();
        auto& g = PuzzGbl;
        g.TipoJuego = 24;
        g.LadoCelda = 20;
        mesa.Pic_Bitmap.setSize(1024, 768);
        puzzle_test::PiezasEnOrden(12);
        for (int i = 1; i <= 12; ++i) {
            auto& r = g.Piezas[std::size_t(i)];
            r.X = r.XDestino = std::int16_t(10 + 120 * ((i - 1) % 6));
            r.Y = r.YDestino = std::int16_t(10 + 120 * ((i - 1) / 6));
        }
        RedibujaImagen(1);
        ActualizaInfoPiezas();
    }
    // The seven Tangram pieces of a figure being solved, each at its home,
    // laid apart along the bottom of the table.
    static void tangram() {
        auto& g = PuzzGbl;
        g.ColorFondo = 0x204060;
        puzzle_test::TangramApartado();
        RedibujaImagen(1);
        ActualizaInfoPiezas();
    }
    // A fresh Taipei deal on the first landed layout.
    void taipei() {
        auto& g = PuzzGbl;
        g.RutaPrograma = carpeta.path();
        g.RutaArchivo = carpeta.path() + "Archivo/";
        if (!QFileInfo::exists(g.RutaArchivo)) plat::createFolder(g.RutaArchivo);
        QString archivo;
        for (const auto& d : modtai::Disposiciones()) archivo += modtai::Registro(d);
        plat::writeFile(g.RutaArchivo + "ModTai.mlp", plat::toCp1252(archivo));
        imaging_test::PreparaLaminas();
        mesa.Pic_Botonera.move(1024 - 141, 0, 141, 431);
        g.TipoJuego = 25;
        g.NroModelo = 1;
        g.ColorFondo = 0x603020;
        g.ColorPieza = 0x00A000;
        g.ColorLineas = 0xFFFFFF;
        g.MaterialPiezas = 1;
        plat::randomGenerator().setState(4242);
        PreparaJuego(true);
        g.CronometroEnMarcha = true;
        g.PasaAlHistorico = true;
    }
    static void pulsa(int i) { mesa.Pic_Boton_MouseDown(std::int16_t(i), 1, 0, 20, 20); }
    int veces(int id) const { return testing_support::timesPlayed(sonidos, teselaro::soundResource(id)); }
    std::vector<Cuadro> de(int id) const {
        std::vector<Cuadro> v;
        for (const auto& c : cuadros)
            if (c.sonido == id) v.push_back(c);
        return v;
    }

    plat::RecordingSoundPlayer sonidos;
    std::vector<Cuadro> cuadros;
    std::vector<MensajeVisto> mensajes;
    int eventos = 0;
    std::function<void(int)> alPaso;
    testing_support::ScratchDir carpeta;
};

} // namespace juegos_prueba
