// The whole program driven headless, as a player drives it: started by its
// own start-up road in a fresh working folder that holds only the shipped
// model files, sample pictures and help, with the program's own windows
// installed as the program installs them. The player's hand reaches the
// windows through their handlers: the command panel's buttons, the table's
// press, move and release (fed through a mouse adapter, so they come in the
// runtime's order), the option panel's rows and the buttons of the modal
// windows, which are answered from inside their own event loop.
//
// The seams used: the program folder and screen size of the start-up, the
// millisecond clock (it runs fast, so pauses take no time), the sound
// backend (recorded), the random source and the message presenter (every
// message is kept; every question is accepted).
#pragma once

#include "core/PuzzGbl.h"
#include "platform/sound.h"
#include "platform/ui/mouse.h"
#include "records/Historico.h"
#include "tests/support/fixtures.h"

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <vector>
#include <gtest/gtest.h>

class QWidget;
class Personal;
class VentanaPersonal;
class cargua;
class historic;
class estadis;

namespace aceptacion {

struct Aviso {
    QString titulo, texto;
    int tipo = 0;
};

// What the player picks in the settings window: the game, and for it the
// model (Tangram, pentominoes, Taipei), the pieces per side and the sample
// picture of the sliding game. 0 or empty leaves that setting as it is.
struct Eleccion {
    std::int16_t juego = 21;
    std::int16_t modelo = 0;
    std::int16_t lado = 0; // -1: any count but the current one
    const char* imagen = nullptr; // a file of Imagenes/
    bool listaSiempre = false;    // the move list shown always, not only with the recorder on
};

class Programa : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // ---- the program ----
    // The start-up road; in the settings window a first jigsaw opens, the
    // sample Peces.jpg is pressed in the file list and the window left.
    void Arranca();
    // Command-panel button i pressed, after the pointer came over it.
    void Pulsa(int i);
    // The exit button, its question accepted; the program then ends and the
    // table is unloaded.
    void Sale();

    // ---- the settings window ----
    // Opens the window with command 2 and makes the choice in it with the
    // pointer: the game's switch, the background selector, the file list,
    // the count list, the model list. The window is left by its exit button
    // (a change of game leaves it by itself).
    void EligeEnPersonal(const Eleccion& e);

    // ---- the table ----
    void Mueve(double x, double y);
    // Press and release of button b (1 left, 2 right) at one point.
    void Clic(int b, double x, double y);
    // A left double click at one point.
    void DobleClic(double x, double y);
    // Press at a, moves on the way, release at b (left button).
    void Arrastra(QPointF a, QPointF b);
    // A point of the visible table with no piece under it.
    QPointF PuntoVacio();

    // The round button of the recorder panel whose left edge is at x (8
    // on/off, 62 one step back, 137 restore) pressed, the pointer over it.
    void PulsaGrabadora(int x);

    // ---- the option panel and the load and save window ----
    void Guarda(const QString& nombre);
    void Carga(const QString& nombre);

    // ---- the records windows ----
    // The history window opened with command 5: the records it lists.
    std::vector<RegistroHistorico> AbreHistorico();
    // The statistics window opened with command 4: its report, label then
    // value per line.
    QStringList AbreEstadisticas();

    // ---- what the table shows ----
    // The command panel with its buttons, chronometer and counter, and the
    // recorder panel, shown on the screen exactly as they are drawn now, and
    // drawn as they must be: the buttons' faces from their sheet, the
    // recorder, the time and the count as drawing them again gives them.
    // `camino` names the road that led here.
    void PanelesALaVista(const std::string& camino);

    // ---- what the program said and wrote ----
    // How many messages had exactly that text; every message as
    // "title / text".
    int Veces(const QString& texto) const;
    QStringList Textos() const;
    QString Archivo(const QString& nombre) const { return carpeta.file(nombre); }
    // The lines of the history file now.
    QStringList LineasHistorico() const;
    // How many times sound `sonido` was played.
    int VecesSonido(int sonido) const;

    // Runs f on the next modal window of type W once it shows; the action
    // must close it.
    template <typename W>
    void AlAbrirse(std::function<void(W&)> f) {
        acciones_.push_back([f](QWidget* w) {
            W* v = dynamic_cast<W*>(w);
            EXPECT_NE(v, nullptr) << "another window opened";
            if (v) f(*v);
        });
    }
    // Runs f inside the settings window's own loop once it shows, with the
    // window's widgets and the window as the program sees it.
    void AlAbrirsePersonal(std::function<void(VentanaPersonal&, Personal&)> f);
    // Whether every window expected has opened and been answered.
    bool SinVentanasPendientes() const { return acciones_.empty(); }

    testing_support::ScratchDir carpeta;
    // The answers to the next questions (true accepts); every question
    // beyond them is accepted.
    std::deque<bool> respuestas;
    plat::RecordingSoundPlayer sonidos;
    std::vector<Aviso> avisos;

private:
    void vigilaModales();
    // A right click on the empty table, then row `fila` of the option panel
    // (1 save, 2 load).
    void abreOpcion(int fila);

    std::int64_t reloj_ = 0;
    std::deque<std::function<void(QWidget*)>> acciones_;
    QWidget* atendida_ = nullptr;
    QTimer vigia_;
    std::unique_ptr<plat::MouseAdapter> raton_;
};

} // namespace aceptacion
