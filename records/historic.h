// The history window: the solved puzzles of the game on the table, one page
// per record, in one of four orders chosen by the sort keys drawn on the
// window, with a paging strip (first, previous, next, last), a help button
// and an exit button. Frameless and modal; built at every opening, so the
// file is read again each time (and at every click on a sort key).
#pragma once

#include "platform/surface.h"
#include "records/Informe.h"
#include "records/ListaHistorico.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QKeyEvent;

namespace plat {
class SurfaceView;
}

class historic : public QDialog {
    Q_OBJECT
public:
    historic();
    ~historic() override;

    // The window's height for a game (620 wide).
    static int AltoVentana(int juego);

    void Form_Load();
    void CargaLisOrdenar();
    void DibujaTeclas();
    void MuestraPuzzleResuelto();
    void Form_MouseMove(int button, int shift, double x, double y);
    void Form_MouseDown(int button, int shift, double x, double y);
    void Pic_BotAdeAtr_MouseMove(int button, int shift, double x, double y);
    void Pic_BotAdeAtr_MouseDown(int button, int shift, double x, double y);
    void Pic_BotAyuda_Click();
    void Pic_BotSalir_Click();
    // Esc and the window manager's close request: nothing happens.
    void reject() override;

    // ---- the controls ----
    plat::Surface Form;          // the client area: the sort keys are drawn here
    plat::Surface Texto;         // the page
    plat::Surface Pic_BotAdeAtr; // the paging strip
    plat::Surface Pic_BotAyuda;
    plat::Surface Pic_BotSalir;

    // ---- the window's variables ----
    std::int16_t TeclaOrden = 0;    // key under the pointer; the order the list is built in
    std::int32_t PosicionLista = 0; // position in the list of the record shown
    std::int16_t BotonPagina = 0;   // strip button under the pointer, 0 none
    std::int16_t CursorPaginas = 0; // 0, 12 or 23
    std::int16_t TeclaX = 30;
    std::array<std::int16_t, 5> TeclaY{0, 30, 70, 110, 150};

    const ListaHistorico& lista() const { return lista_; }
    // The page shown last.
    const Informe& pagina() const { return pagina_; }
    bool cerrada() const { return cerrada_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    // Whether strip button k can move from the position shown.
    bool movimientoPosible(int k) const;
    void ponCursorPaginas(int codigo);
    void dibujaBoton(int k, bool pulsado);

    ListaHistorico lista_;
    Informe pagina_;
    double tiraX_ = -1, tiraY_ = -1; // the pointer's last place over the strip
    bool cerrada_ = false;

    plat::SurfaceView* vistaForm_ = nullptr;
    plat::SurfaceView* vistaTexto_ = nullptr;
    plat::SurfaceView* vistaTira_ = nullptr;
    plat::SurfaceView* vistaAyuda_ = nullptr;
    plat::SurfaceView* vistaSalir_ = nullptr;
};

// Opens the history window modally and returns when it is closed.
void MuestraHistorico();
