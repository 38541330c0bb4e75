// The widgets of the settings window: a frameless, application-modal dialog
// that shows every surface and list of `personal` where the window places
// them, hands the exit and help buttons their clicks and F1 over the preview
// its help. Escape, Enter and the window manager's close do nothing: the
// exit button, or an accepted change of game, is the only way out.
#pragma once

#include <QDialog>

class Personal;

class VentanaPersonal : public QDialog {
    Q_OBJECT
public:
    explicit VentanaPersonal(Personal& p);
    ~VentanaPersonal() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;

private:
    Personal& p_;
};

// Opens the settings window modally and returns when it has closed. A call
// while it is open does nothing.
void AbreVentanaPersonal();

// Plugs the window into the command panel (command 2) and makes a jigsaw
// without a usable picture open it for the player's choice.
void InstalaVentanaPersonal();
