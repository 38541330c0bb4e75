// The statistics window: a one-page report on the puzzle on the table, the
// box where the player types the name kept with the puzzle, a help button and
// an exit button. Frameless, grey and modal; it takes its height from the
// report, which is printed fresh at every opening. No key closes it.
#pragma once

#include "platform/surface.h"
#include "platform/textbox.h"
#include "records/Informe.h"

#include <QDialog>

class QKeyEvent;

namespace plat {
class SurfaceView;
class TextBoxView;
} // namespace plat

class estadis : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAncho = 420;

    estadis();
    ~estadis() override;

    void Form_Load();
    // Prints the report, places and fills the name box, then sizes the window.
    void Estadisticas();
    // Sizes, centres and frames the window for a report of that height and
    // sets up the two buttons.
    void DibujaFondo(int altoInforme);
    void Tex_Nombre_Change();
    void Pic_BotAyuda_MouseDown(int button, int shift, double x, double y);
    void Pic_BotSalir_Click();
    void Form_KeyPress(int keyAscii);
    // Esc and the window manager's close request: nothing happens.
    void reject() override;

    // ---- the controls ----
    plat::Surface Form;
    plat::Surface Texto;
    plat::TextBox Tex_Nombre;
    plat::Surface Pic_BotAyuda;
    plat::Surface Pic_BotSalir;

    const Informe& informe() const { return informe_; }
    bool cerrada() const { return cerrada_; }
    // The editor that shows the name box (tests type into it).
    plat::TextBoxView* vistaNombre() const { return vistaNombre_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    Informe informe_;
    bool cerrada_ = false;

    plat::SurfaceView* vistaForm_ = nullptr;
    plat::SurfaceView* vistaTexto_ = nullptr;
    plat::TextBoxView* vistaNombre_ = nullptr;
    plat::SurfaceView* vistaAyuda_ = nullptr;
    plat::SurfaceView* vistaSalir_ = nullptr;
};

// Opens the statistics window modally and returns when it is closed.
void MuestraEstadisticas();

// Hands commands 4 and 5 of the command panel the statistics and history
// windows. Called once at start.
void InstalaVentanasRegistros();
