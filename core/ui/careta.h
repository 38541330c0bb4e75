// The splash window: one picture, centred, shown while the program starts.
#pragma once

#include "platform/surface.h"

#include <QWidget>

namespace plat { class SurfaceView; }

class careta : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAncho = 403;
    static constexpr int kAlto = 187;

    // Loads the window (running Form_Load) and shows it without waiting.
    static careta& Muestra();
    // The loaded window, or nullptr.
    static careta* Cargada();
    // Unloads the window; nothing when it is not loaded.
    static void Descarga();

    // Centres the window, shows and paints it, sets the game speed to 50 and
    // waits 1500 ms at that speed.
    void Form_Load();
    // The window unloads itself once it has been shown.
    void Form_Activate();

    plat::Surface Form{QStringLiteral("careta"), kAncho, kAlto};

protected:
    bool event(QEvent* e) override;

private:
    careta();
    ~careta() override;
    plat::SurfaceView* vista_ = nullptr;
    bool cargada_ = false;
};
