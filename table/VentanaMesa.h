// The game table window: a frameless window over the whole screen that shows
// the surfaces of the global `mesa` (the table at the bottom, the panels above
// it), its two scroll bars and the square between them. It attaches itself to
// `mesa`, so that the table's window operations (move, show, pointer, refresh,
// unload) act on it. While the window's pointer is not the default (the
// hourglass of a long set-up), it shows over every control whose own pointer
// is the default too.
#pragma once

#include "table/mesa.h"
#include "platform/ui/fullscreen.h"
#include "platform/ui/surfaceview.h"

#include <functional>
#include <vector>

class QScrollBar;

// Asked when the window is requested to close (other than by mesa.Unload()):
// true lets it close, false keeps it open. Set by the start-up; while it is
// empty a close request is granted.
extern std::function<bool()> AlCerrarMesa;

class VentanaMesa : public plat::FullScreenWindow {
    Q_OBJECT
public:
    // The one window, nullptr until InstalaMesa has made it.
    static VentanaMesa* instancia();

    // The view of a surface, nullptr when it has none.
    plat::SurfaceView* vista(const plat::Surface& s) const;
    // Gives a surface a view on the window, or inside the view of `dentro`,
    // above the views made before it; the surface's existing view if it has
    // one. The table stays below everything.
    plat::SurfaceView* agregaVista(plat::Surface& s, const plat::Surface* dentro = nullptr);

    QScrollBar* barraHor() const { return barraHor_; }
    QScrollBar* barraVer() const { return barraVer_; }

    // Paints the window and every control shown on it before returning.
    void repintaTodo();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    friend VentanaMesa* InstalaMesa();
    friend void DesinstalaMesa();
    VentanaMesa();
    ~VentanaMesa() override;

    void enlazaBarra(BarraDesplazamiento& barra, QScrollBar* widget);
    void conecta();
    void aplicaPunteroVentana();
    // A control whose own pointer is the default shows the window's pointer.
    void aplicaPuntero(const plat::Surface& s, plat::SurfaceView* v);

    struct Vista {
        const plat::Surface* superficie;
        plat::SurfaceView* vista;
    };
    std::vector<Vista> vistas_;
    QScrollBar* barraHor_ = nullptr;
    QScrollBar* barraVer_ = nullptr;
    bool descargando_ = false;
};

// Makes the window once and attaches it to `mesa`; later calls return the same
// window (attaching it again if it was detached).
VentanaMesa* InstalaMesa();
// Detaches the window from `mesa` and destroys it (for tests).
void DesinstalaMesa();
// Lets mesa.Load() make the window when none is attached.
void RegistraVentanaMesa();
