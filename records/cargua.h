// The load and save window: saves the current puzzle under a name, loads or
// deletes a saved puzzle, or stores the Tangram figure on the table as a new
// model, as CarGuaModo says (1 load, 2 save, 3 delete, 4 store the figure).
//
// A saved puzzle is a regular file of RutaArchivo whose name ends in ".puz"
// in any case; its name is the file name without those four characters. A
// name names a saved puzzle when such a file matches it ignoring case, and
// that file (its spelling kept) is the one loaded, replaced or deleted.
//
// The window is frameless and modal; only its own buttons close it.
#pragma once

#include "platform/listbox.h"
#include "platform/surface.h"
#include "platform/textbox.h"
#include "table/mesa.h" // ListaOrdenada

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class TextoMensaje;

namespace plat {
class ListBoxView;
class SurfaceView;
class TextBoxView;
} // namespace plat

// ---- names and files ----

// Whether a name may name a saved puzzle: not empty, not starting with a
// point, and holding no "/", "\", control character or : * ? " < > |.
bool NombrePuzzleValido(const QString& nombre);
// What the window says of a name that is not valid.
QString TextoNombreNoValido();
// The names of the saved puzzles in the folder, in the list's order (ignoring
// case); files whose names are not valid are left out.
QStringList PuzzlesArchivados(const QString& carpeta);
// The file of the saved puzzle of that name, with its spelling on disk, or
// an empty text when there is none (or the name is not valid).
QString ArchivoPuzzle(const QString& carpeta, const QString& nombre);

class cargua : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAncho = 386, kAlto = 365;
    static constexpr int kLargoNombre = 25;

    cargua();
    ~cargua() override;

    // ---- the window's handlers ----
    void Form_Load();
    void Form_Activate();
    void RellenaListaPuzzles();
    void Lis_CarGua_Click();
    void Lis_CarGua_DblClick();
    void Tex_CarGua_Change();
    void Tex_CarGua_KeyPress(int keyAscii);
    void Pic_BotCargar_Click();
    void Pic_BotGuardar_Click();
    void Pic_BotBorrar_Click();
    void Pic_BotAyuda_MouseDown(int boton, int shift, double x, double y);
    void Pic_BotSalir_MouseDown(int boton, int shift, double x, double y);

    // The name box's text as the player typed it: the text changes and the
    // change handler runs.
    void escribeNombre(const QString& texto);
    // The name box's view, for tests that type and paste into it.
    plat::TextBoxView* vistaNombre() const { return vistaNombre_; }
    // Picks list item i as a click does (Click only).
    void eligeElemento(int i);

    // ---- what the window holds ----
    int modo() const { return modo_; }
    const QString& nombreActual() const { return nombre_; }
    bool avisoSobrescribir() const { return avisado_; }
    bool cerrada() const { return cerrada_; }
    // Whether an action button is enabled (its pointer the pointing hand).
    static bool activo(const plat::Surface& boton);

    // ---- the controls ----
    plat::Surface Form; // the client area, where the raised frame is drawn
    QLabel* Tex_Titulo = nullptr;
    TextoMensaje* Tex_Mensaje = nullptr;
    plat::TextBox Tex_CarGua;
    // The names the player picks from, in the order of the sorted list they
    // were read into.
    plat::ListBox Lis_CarGua{QStringLiteral("Lis_CarGua")};
    plat::Surface Pic_BotCargar;
    plat::Surface Pic_BotGuardar;
    plat::Surface Pic_BotBorrar;
    plat::Surface Pic_BotAyuda;
    plat::Surface Pic_BotSalir;

    // Esc and a close request are ignored: only the buttons close the window.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void cierra();
    void ponBoton(plat::Surface& boton, bool activo);
    plat::Surface& botonAccion();
    QString instruccion() const;
    // The name box's text set by the window; the change handler runs only
    // when the text is not the one there.
    void ponNombre(const QString& texto);
    // The names of a sorted list in the list box, nothing picked.
    void muestraLista(const ListaOrdenada& lista);

    plat::SurfaceView* vistaForm_ = nullptr;
    plat::TextBoxView* vistaNombre_ = nullptr;
    plat::ListBoxView* vistaLista_ = nullptr;
    std::vector<plat::SurfaceView*> vistasBotones_;

    int modo_ = 1;
    QString nombre_;
    bool avisado_ = false;
    bool cerrada_ = false;
};

// Builds the window for CarGuaModo and shows it modally until it closes.
void MuestraCargua();
// Registers MuestraCargua as the option panel's way to open the window.
void InstalaCargua();
