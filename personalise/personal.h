// The settings window `personal`: its controls as the program sees them
// (picture surfaces, list boxes and the zoom's text box; no widgets), its
// opening with the snapshot of the puzzle's settings, its layout per game,
// its exit with the decision whether the puzzle ends, and its help.
//
// The window exists while it is open: AbreVentanaPersonal (VentanaPersonal.h)
// makes it, and its exit unloads it. The widgets that show it attach through
// EnlaceVentanaPersonal; with none attached everything runs windowless.
#pragma once

#include "model/EstadoPuzzle.h"
#include "personalise/SalidaPersonal.h"
#include "platform/listbox.h"
#include "platform/surface.h"
#include "platform/textbox.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// An etched frame over the whole surface with the caption centred on its
// top line; the caption is written back padded: one blank, the caption
// without outer blanks, two blanks.
void DibujaMarcoTitulo(plat::Surface& s, QString& titulo);

// The palette of 216 colours in six blocks of 6 x 6 squares of 5 pixels.
void DibujaPaleta(plat::Surface& s);

// The size of a Taipei layout as its preview describes it: rows and columns
// right-aligned in two characters, then the levels ("1 nivel ", "3 niveles ").
QString TextoMuestraTaipei(int filas, int columnas, int niveles);

// Whether a clipboard picture of that size may be pasted as a puzzle picture.
bool TamanoPortapapelesValido(int ancho, int alto);

// What the widgets of the window provide. Every member may be empty.
struct EnlaceVentanaPersonal {
    std::function<void(int left, int top, int width, int height)> mover;
    std::function<void()> refrescar; // paints the window and its controls at once
    std::function<void()> descargar; // closes the window
};

class Personal {
public:
    Personal();
    ~Personal();
    Personal(const Personal&) = delete;
    Personal& operator=(const Personal&) = delete;

    // ---- the window ----
    static constexpr int kAncho = 685;
    static int AltoVentana(std::int16_t juego); // 570, 525, 555, 555, 520
    int Left() const { return left_; }
    int Top() const { return top_; }
    int ScaleWidth() const { return Form.scaleWidth(); }
    int ScaleHeight() const { return Form.scaleHeight(); }
    void Refresh();
    void Unload();
    bool Descargada() const { return descargada_; }
    void conectaVentana(EnlaceVentanaPersonal e) { enlace_ = std::move(e); }
    // The help topic of the preview surface (F1 over it).
    int AyudaMostrarImagen() const { return ayudaMostrarImagen_; }

    // ---- handlers and procedures ----
    void Form_Load();
    void Pic_BotSalir_Click();
    void Pic_BotAyuda_Click();
    void TAN_ActSegunModo();
    void ColocaControles();

    // ---- the picture chooser (EleccionImagen.cpp) ----
    // Loads the selected file (Tangram: draws the model) into mesa's
    // Pic_FonTamReal, sets AnchoBmp, AltoBmp and ProporcionImagen and draws
    // the thumbnail; SeleccionValida says whether it could be loaded.
    void CargaMostrarImagen();
    // The geometry, the picture after zoom on mesa's Pic_FonTamModi, the
    // size display and the relative-size preview, from the settings now.
    void ImagenCambia();
    // A file of the list was selected: loads it, gates the piece shapes,
    // records the choice, fits the zoom and refills the count list.
    void File1_Click();
    // Refills the number-of-pieces list with the sizes the zoomed picture
    // allows and takes the nearest to PiezasLado.
    void CargaLisNroPiezas();
    void File1_DblClick();
    void File1_MouseMove(std::int16_t boton, std::int16_t shift, double x, double y);
    void Drive1_Change();
    void Dir1_Change();
    void Dir1_MouseMove(std::int16_t boton, std::int16_t shift, double x, double y);
    // Opens the folder selected in the folder list (double click, Enter).
    void Dir1_Abre();
    // The file list from the folder shown, nothing selected.
    void RellenaFile1();
    void Lis_NroPiezas_MouseDown(std::int16_t boton, std::int16_t shift, double x, double y);
    void Lis_NroPiezas_MouseMove(std::int16_t boton, std::int16_t shift, double x, double y);
    // The lists of the layout: the drives, the folder CarpetaImagen (the
    // program folder when it is missing) and its files, the stored picture
    // selected (exactly, then ignoring case) or else the first file, which
    // runs the full checks. Only the opening places them: a later run of the
    // layout leaves them as the player left them.
    void PreparaListasImagen();
    // Shows the folder in the folder list and its files in the file list
    // (raising Dir1_Change when it is another folder). False when it is
    // not a folder.
    bool PonCarpetaLista(const QString& carpeta);
    // The folder the lists show ("/" at its end); empty before the layout.
    const QString& CarpetaLista() const { return carpetaLista_; }
    // The shapes the chosen picture's proportion allows (a disabled shape
    // button takes no press).
    std::array<bool, 8> TipPuzActivo{true, true, true, true, true, true, true, true};
    // The chooser's state: the folder shown, the folder list's paths, the
    // drives, and the error of the last load (0 when it loaded).
    QString carpetaLista_;
    std::vector<QString> rutasDir1_;
    QStringList unidades_;
    int errorCarga_ = 0;
    bool poniendoUnidad_ = false;
    // Writes a pasted picture into the chooser's folder under a clipboard
    // name no puzzle is using and gives the path written; empty when nothing
    // could be written (the player is told). A folder that cannot be written
    // gives way to the working folder's "Imagenes/", which the lists then
    // show. The file list is refilled with nothing selected.
    QString GuardaImagenPortapapeles(const QImage& imagen);
    // Whether a puzzle names the picture: the one at the window's opening,
    // a game's state file, a saved puzzle.
    bool ImagenEnUso(const QString& ruta) const;

    // ---- the controls' handlers (ControlesPersonal.cpp) ----
    // Each edits its setting at once; the exit decides what the changes do
    // to the puzzle. Button and shift are not used; x and y are the
    // pointer's pixels in the control.
    // Switches 11-16 toggle their setting (the click is played first, so
    // switching the sound on is silent). Switches 21-25 change the game:
    // asked first; accepted, the game left keeps its settings as they were
    // at opening, its state and the global settings are written and the
    // window closes; a state that cannot be written is told and nothing
    // changes.
    void Pic_Buleano_MouseDown(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
    // The palettes: the colour of the square under the pointer (the nearest
    // square over the margin) becomes the background or piece colour.
    void Pic_ColFonSel_MouseDown(std::int16_t boton, std::int16_t shift, double x, double y);
    void Pic_ColPzaSel_MouseDown(std::int16_t boton, std::int16_t shift, double x, double y);
    // Sliders 51 (game speed) and 52 (attraction factor): the knob is taken
    // with the closed hand, follows the pointer and is let go.
    void Pic_Potenciometro_MouseDown(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
    void Pic_Potenciometro_MouseMove(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
    void Pic_Potenciometro_MouseUp(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
    // Button 31 pastes the clipboard's picture (written by the chooser and
    // selected in the file list); button 32 runs the attraction test.
    void Pic_Pulsador_MouseDown(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
    // Selectors 1, 2, 5, 6: a press on the button (4 <= x <= 33,
    // 14 <= y <= 34) moves to the next option; 1 and 2 lay the window out
    // again.
    void Pic_Selector_MouseDown(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
    void Pic_Selector_MouseMove(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
    // The zoom spin box and its text box: arrows step by 5, a typed value is
    // held to 5..995; an accepted zoom refreshes the picture and the counts.
    void Pic_Spin_MouseDown(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
    void Pic_Spin_MouseMove(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
    void Pic_Spin_MouseUp(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
    void Tex_Spin_LostFocus(std::int16_t indice);
    // Enter in the zoom box takes the typed value as the loss of the focus
    // does (the key goes no further); other keys are typed.
    void Tex_Spin_KeyPress(std::int16_t indice, int& tecla);
    // The shape buttons: shape `indice` becomes the jigsaw's, the eight
    // samples are redrawn and the current one framed; the count list is
    // refilled unless the counts themselves are changing. The picture
    // chooser calls it with 0 to fall back to rectangles.
    void Pic_TipPuz_MouseDown(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
    void Pic_TipPuz_MouseMove(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);

    // ---- the model list and its previews (ModelosPersonal.cpp) ----
    // A model chosen: NroModelo and NombreModelo follow it, it is read and
    // previewed; one that cannot be played is shown so and leaves
    // SeleccionValida false.
    void Lis_Modelos_Click();
    // "d" or "D" in the Tangram game deletes the chosen figure, once asked.
    void Lis_Modelos_KeyPress(int& tecla);
    void Lis_Modelos_MouseMove(std::int16_t boton, std::int16_t shift, double x, double y);
    // The previews of the pentomino board and of the Taipei layout in force.
    void PEN_DibujaMuestraModelo();
    void TAI_DibujaMuestraModelo();

    // ---- controls ----
    plat::Surface Form{QStringLiteral("personal")};
    plat::Surface Pic_JuegoActual{QStringLiteral("Pic_JuegoActual")};
    plat::Surface Pic_TexJuegoActual{QStringLiteral("Pic_TexJuegoActual")};
    plat::Surface Pic_ImagenPuzz{QStringLiteral("Pic_ImagenPuzz")};
    plat::Surface Pic_MostrarImagen{QStringLiteral("Pic_MostrarImagen")};
    plat::Surface Pic_InfoMatriz{QStringLiteral("Pic_InfoMatriz")};
    plat::Surface Pic_ZoomImagen{QStringLiteral("Pic_ZoomImagen")};
    plat::Surface Pic_InfoTamBmp{QStringLiteral("Pic_InfoTamBmp")};
    plat::Surface Pic_TamRelIma{QStringLiteral("Pic_TamRelIma")};
    plat::Surface Pic_TiposPuz{QStringLiteral("Pic_TiposPuz")};
    plat::Surface Pic_TipPuzSel{QStringLiteral("Pic_TipPuzSel")};
    plat::Surface Rec_MarcaTip{QStringLiteral("Rec_MarcaTip")};
    plat::Surface Pic_NroPiezas{QStringLiteral("Pic_NroPiezas")};
    plat::Surface Pic_Colorfon{QStringLiteral("Pic_Colorfon")};
    plat::Surface Pic_ColFonSel{QStringLiteral("Pic_ColFonSel")};
    plat::Surface Pic_ColFonMue{QStringLiteral("Pic_ColFonMue")};
    plat::Surface Pic_Colorpza{QStringLiteral("Pic_Colorpza")};
    plat::Surface Pic_ColPzaSel{QStringLiteral("Pic_ColPzaSel")};
    plat::Surface Pic_ColPzaMue{QStringLiteral("Pic_ColPzaMue")};
    plat::Surface Pic_FactorPegado{QStringLiteral("Pic_FactorPegado")};
    plat::Surface Pic_Prueba{QStringLiteral("Pic_Prueba")};
    plat::Surface Pic_PruebaPeq{QStringLiteral("Pic_PruebaPeq")};
    plat::Surface Pic_W{QStringLiteral("Pic_W")};
    plat::Surface Pic_BotAyuda{QStringLiteral("Pic_BotAyuda")};
    plat::Surface Pic_BotSalir{QStringLiteral("Pic_BotSalir")};
    plat::ListBox Drive1{QStringLiteral("Drive1")};
    plat::ListBox Dir1{QStringLiteral("Dir1")};
    plat::ListBox File1{QStringLiteral("File1")};
    plat::ListBox Lis_NroPiezas{QStringLiteral("Lis_NroPiezas")};
    plat::ListBox Lis_Modelos{QStringLiteral("Lis_Modelos"), true};
    plat::TextBox Tex_Spin41{QStringLiteral("Tex_Spin")};

    // Owner-drawn controls by number: selectors 1, 2, 5, 6; switches 11-16,
    // 21-25; push buttons 31, 32; spin 41; sliders 51, 52. nullptr for
    // another number.
    plat::Surface* Control(int indice);
    plat::Surface& Pic_Selector(int i) { return *Control(i); }
    plat::Surface& Pic_Buleano(int i) { return *Control(i); }
    plat::Surface& Pic_Pulsador(int i) { return *Control(i); }
    plat::Surface& Pic_Potenciometro(int i) { return *Control(i); }
    plat::Surface& Pic_Spin(int i) { return *Control(i); }
    plat::TextBox* Tex_Spin(int i) { return i == 41 ? &Tex_Spin41 : nullptr; }
    plat::Surface& Pic_TipPuz(int i) { return *tipPuz_.at(std::size_t(i)); }
    static const std::vector<int>& NumerosControles();

    // Every surface with the surface it lies in (nullptr: the window), in
    // the order they stack (containers first); the same for the lists.
    const std::vector<std::pair<plat::Surface*, plat::Surface*>>& Superficies() const { return superficies_; }
    const std::vector<std::pair<plat::ListBox*, plat::Surface*>>& Listas() const { return listas_; }

    // ---- window variables ----
    bool IniciandoVentana = false;
    bool RellenandoNroPiezas = false, CambiandoFormaPieza = false, CambiandoModoTangram = false;
    bool CambiandoSelector = false, CambiandoNroPiezas = false;
    std::int16_t IndiceListaGuardado = 0;
    float ProporcionImagen = 0;
    QImage Pic_FonTamModiMem;
    // The snapshot at opening.
    AjustesPersonal Inicial;
    QString UnidadImagenInicial, CarpetaImagenInicial;
    bool SeleccionValidaInicial = false;
    EstadoPartida EstadoInicial;
    // The attraction group was drawn this many times (the re-runs of the
    // layout from the count list leave it alone).
    int dibujosAtraccion() const { return dibujosAtraccion_; }

    // The size of the clipboard's picture, nothing when it holds none; tests
    // may replace it.
    static std::function<std::optional<QSize>()> TamanoPortapapeles;
    // The path of the snapshot file.
    static QString RutaInstantanea();

private:
    void colocaGrupoImagen();
    void colocaGrupoModelos();
    void colocaAtraccion();
    void restauraInstantanea();
    void guardaImagenPortapapeles();
    void cambiaJuego(std::int16_t juego);
    void eligeColor(plat::Surface& paleta, plat::Surface& muestra, std::int32_t& color, double x, double y);
    void pruebaAtraccion();
    void pegaPortapapeles();
    // Fills Lis_Modelos from the game's model file; returns why the file
    // could not be read ("" when it was).
    QString rellenaModelos();
    void avisoModelo(const QString& linea2, const QString& linea3, int x2);
    // A model that cannot be played: nothing previewed, the red box, no choice.
    void modeloDanado();
    bool preguntaSalida(PreguntaSalida p);

    EnlaceVentanaPersonal enlace_;
    int left_ = 0, top_ = 0;
    int ayudaMostrarImagen_ = 2115;
    bool descargada_ = false;
    int dibujosAtraccion_ = 0;
    std::array<std::unique_ptr<plat::Surface>, 53> controles_;
    std::array<std::unique_ptr<plat::Surface>, 8> tipPuz_;
    std::vector<std::pair<plat::Surface*, plat::Surface*>> superficies_;
    std::vector<std::pair<plat::ListBox*, plat::Surface*>> listas_;
};

// The open window, or nullptr.
Personal* VentanaPersonalAbierta();
// Makes the window (the open one when there is one); the caller attaches
// its widgets, runs Form_Load and shows it.
Personal& CreaVentanaPersonal();
// Forgets the window once it has been unloaded.
void DestruyeVentanaPersonal();
