// The program's own message box: a title, a text, one button (close) or two
// (accept and cancel) and an optional help button, in a frameless modal
// window that draws its own raised border and sunken frames.
//
// Mensaje (core/TsComun.h) reaches it through the presenter that
// InstalaMensajes() registers. A box is built anew for every message. When a
// message comes while another is still open (a timer's handler runs inside
// the open box's modal loop), the open box closes unanswered and the new one
// shows; each Mensaje call returns with its own box's answer.
#pragma once

#include "platform/surface.h"

#include <QDialog>
#include <QLabel>
#include <QStringList>

#include <functional>

class QKeyEvent;

namespace plat {
class SurfaceView;
}

// Sets the mouse pointer of the game table; the table installs it. Unset,
// nothing happens.
extern std::function<void(int)> PonPunteroMesa;

// The sheet of button pictures (588 x 98, 48 x 48 cells at a pitch of 49),
// loaded once.
const plat::Surface& HojaBotones();

// Registers the message box as the way Mensaje shows its messages. Called
// once at start.
void InstalaMensajes();

// The text of a message: it breaks at its own line breaks (CR LF, LF or CR),
// wraps at blanks and, for a word longer than a line, inside the word; blanks
// are kept as they stand. Lines lie 16 pixels apart.
class TextoMensaje : public QLabel {
    Q_OBJECT
public:
    static constexpr int kAltoLinea = 16;

    explicit TextoMensaje(QWidget* parent = nullptr);
    // The lines the text takes in a width, with the label's font.
    static QStringList lineas(const QString& texto, const QFont& fuente, int ancho);
    // The font the messages are written in.
    static QFont fuenteMensaje();

protected:
    void paintEvent(QPaintEvent* e) override;
};

// The title and the text label of a box in the messages' style, made in the
// window given: the title in bold Liberation Mono of 16 pixels, dark blue,
// the text in black, both on the box's grey.
struct EtiquetasMensaje {
    QLabel* titulo = nullptr;
    TextoMensaje* texto = nullptr;
};
EtiquetasMensaje CreaEtiquetasMensaje(QWidget* ventana);

class mensajes : public QDialog {
    Q_OBJECT
public:
    mensajes();
    ~mensajes() override;

    // The box shown now (the newest one open), or nullptr.
    static mensajes* actual();

    // Builds the box from NroLineasMensaje, TipoMensaje, AyudaMensaje and the
    // texts already in Tex_Titulo and Tex_Mensaje.
    void Form_Load();
    void Pic_BotAceptar_MouseDown(int button, int shift, double x, double y);
    void Pic_BotCancelar_MouseDown(int button, int shift, double x, double y);
    void Pic_BotSalir_Click();
    void Pic_BotAyuda_MouseDown(int button, int shift, double x, double y);
    // A typed character (13 Enter, 27 Escape, 32 space, ...).
    void Form_KeyPress(int keyAscii);

    // The answer of this box: True accepted (always for one button).
    bool respuesta() const { return respuesta_; }
    // Whether the box has been answered or closed.
    bool cerrada() const { return cerrada_; }
    // The lines the text area holds: the larger of the lines asked for and
    // the lines the text takes.
    int lineasTexto() const { return lineas_; }
    // The top of the button row.
    int filaBotones() const { return lineas_ * TextoMensaje::kAltoLinea + 67; }

    // ---- the controls ----
    plat::Surface Form; // the client area, where the border and frames are drawn
    QLabel* Tex_Titulo = nullptr;
    TextoMensaje* Tex_Mensaje = nullptr;
    plat::Surface Pic_BotAyuda;
    plat::Surface Pic_BotAceptar;
    plat::Surface Pic_BotCancelar;
    plat::Surface Pic_BotSalir;

    // Closes the box without an answer: it keeps the answer it started with.
    void cierraSinRespuesta();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override; // a close request

private:
    void cierra();
    void marcoHundido(int left, int top, int width, int height);
    void colocaBoton(plat::Surface& boton, int left, int celdaX, int celdaY);

    plat::SurfaceView* vistaForm_ = nullptr;
    plat::SurfaceView* vistaAyuda_ = nullptr;
    plat::SurfaceView* vistaAceptar_ = nullptr;
    plat::SurfaceView* vistaCancelar_ = nullptr;
    plat::SurfaceView* vistaSalir_ = nullptr;

    int tipo_ = 1;
    int ayuda_ = 0;
    int lineas_ = 0;
    bool respuesta_ = true;
    bool cerrada_ = false;
};
