// The game table window as the model and the imaging see it: its picture
// surfaces, its two scroll bars, its hidden sorted list and the operations of
// the window itself. There is one table, the global `mesa`.
//
// Nothing here needs widgets. The window that shows the table (VentanaMesa)
// attaches itself through EnlaceVentanaMesa; while no window is attached the window
// operations only keep their values, so that model code runs windowless.
#pragma once

#include "platform/surface.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// A scroll bar without its widget: the values the program reads and writes.
// Value always lies between Min and Max (either may be the larger one); every
// setter that moves it there clamps it, and a changed value is reported
// through onChange, the window's own handler. Any change at all is reported
// through onVista, for the widget that shows the bar.
class BarraDesplazamiento {
public:
    std::int16_t Left() const { return left_; }
    std::int16_t Top() const { return top_; }
    std::int16_t Width() const { return width_; }
    std::int16_t Height() const { return height_; }
    std::int16_t Value() const { return value_; }
    std::int16_t Min() const { return min_; }
    std::int16_t Max() const { return max_; }
    std::int16_t LargeChange() const { return largeChange_; }
    std::int16_t SmallChange() const { return smallChange_; }
    bool Visible() const { return visible_; }

    void Move(std::int16_t left, std::int16_t top, std::int16_t width, std::int16_t height);
    void setLeft(std::int16_t v) { Move(v, top_, width_, height_); }
    void setTop(std::int16_t v) { Move(left_, v, width_, height_); }
    void setWidth(std::int16_t v) { Move(left_, top_, v, height_); }
    void setHeight(std::int16_t v) { Move(left_, top_, width_, v); }
    // Any value is accepted and held to Min..Max.
    void setValue(int v);
    // A new limit pulls Value inside the new range.
    void setMin(std::int16_t v);
    void setMax(std::int16_t v);
    // Steps below 1 become 1.
    void setLargeChange(std::int16_t v);
    void setSmallChange(std::int16_t v);
    void setVisible(bool v);

    // The start state: at (0, 0), 0 x 0, range 0..32767, value 0, steps 1, hidden.
    void reset();

    std::function<void()> onChange; // the value changed
    std::function<void()> onVista;  // anything changed (placement, range, value, visibility)

private:
    void notifyVista();
    // Holds the value to the range; reports a change. Always notifies the view.
    void applyValue(int v);

    std::int16_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::int16_t value_ = 0, min_ = 0, max_ = 32767;
    std::int16_t largeChange_ = 1, smallChange_ = 1;
    bool visible_ = false;
};

// A hidden list that keeps its items in ascending text order without regard to
// case; items whose texts compare equal stay in the order they were added.
// Each item carries a 32-bit value (ItemData) that moves with it. A bad index
// is a run-time error 381, as for a list box.
class ListaOrdenada {
public:
    static constexpr int kIndiceNoValido = 381;

    void Clear();
    void AddItem(const QString& texto);
    std::int16_t ListCount() const { return std::int16_t(items_.size()); }
    // The text of item i, counted from 0.
    QString List(int i) const;
    std::int32_t ItemData(int i) const;
    void setItemData(int i, std::int32_t valor);
    // Where the last AddItem put its item; -1 when none since the last Clear.
    std::int16_t NewIndex() const { return newIndex_; }

private:
    struct Item {
        QString texto;
        std::int32_t dato = 0;
    };
    const Item& at(int i) const;

    std::vector<Item> items_;
    std::int16_t newIndex_ = -1;
};

// What the window that shows the table provides. Every member may be empty.
struct EnlaceVentanaMesa {
    std::function<void(int left, int top, int width, int height)> mover;
    std::function<void()> mostrar;
    std::function<void(int codigo)> ponPuntero;
    // Paints the window and every control on it before returning.
    std::function<void()> refrescar;
    std::function<void()> descargar;
    // The window as an opaque handle (a QWidget*), owner of the help viewer.
    std::function<void*()> manejador;
};

class Mesa {
public:
    Mesa();
    Mesa(const Mesa&) = delete;
    Mesa& operator=(const Mesa&) = delete;

    // ---- sizes of the picture sheets ----
    static constexpr int kAnchoBmpBoton = 588, kAltoBmpBoton = 98;
    static constexpr int kAnchoBmpContr = 138, kAltoBmpContr = 200;
    static constexpr int kAnchoBmpVario = 524, kAltoBmpVario = 73;
    static constexpr int kAnchoBmpTaipei = 378, kAltoBmpTaipei = 290;
    static constexpr int kAnchoBmpGraba = 166, kAltoBmpGraba = 223;

    // ---- the table and its hidden work surfaces ----
    plat::Surface Pic_Trabajo{QStringLiteral("Pic_Trabajo")};         // the visible table
    plat::Surface Pic_Imagen{QStringLiteral("Pic_Imagen")};           // back buffer; solid fill
    plat::Surface Pic_Fondo{QStringLiteral("Pic_Fondo")};             // the empty table
    plat::Surface Pic_Bitmap{QStringLiteral("Pic_Bitmap")};           // board picture
    plat::Surface Pic_FonTamReal{QStringLiteral("Pic_FonTamReal")};   // picture at its own size
    plat::Surface Pic_FonTamModi{QStringLiteral("Pic_FonTamModi")};   // picture after zoom; solid fill
    plat::Surface Pic_PiezaMascara{QStringLiteral("Pic_PiezaMascara")}; // white, black, solid black fill
    plat::Surface Pic_PiezaImagen{QStringLiteral("Pic_PiezaImagen")};   // white, black pen, transparent fill
    plat::Surface Pic_PiezaFinal{QStringLiteral("Pic_PiezaFinal")};     // scratch of masked drawing
    plat::Surface Pic_PiezaColor{QStringLiteral("Pic_PiezaColor")};     // board in right-or-wrong colours
    plat::Surface Pic_Temporal{QStringLiteral("Pic_Temporal")};         // templates; white, black, solid black fill

    // ---- picture sheets (hidden; read by block copy) ----
    plat::Surface Pic_BmpVario{QStringLiteral("Pic_BmpVario")};
    plat::Surface Pic_BmpTaipei{QStringLiteral("Pic_BmpTaipei")};
    plat::Surface Pic_BmpBoton{QStringLiteral("Pic_BmpBoton")};
    plat::Surface Pic_BmpContr{QStringLiteral("Pic_BmpContr")};
    plat::Surface Pic_BmpGraba{QStringLiteral("Pic_BmpGraba")}; // the move recorder panel's parts

    // ---- panels shown over the table ----
    plat::Surface Pic_Muestra{QStringLiteral("Pic_Muestra")};       // model preview
    plat::Surface Pic_Grabadora{QStringLiteral("Pic_Grabadora")};   // move recorder
    plat::Surface Pic_Botonera{QStringLiteral("Pic_Botonera")};     // command panel
    plat::Surface Pic_Sugerencia{QStringLiteral("Pic_Sugerencia")}; // tips
    plat::Surface Pic_InfoColo{QStringLiteral("Pic_InfoColo")};     // pieces-in-place counter
    plat::Surface Pic_Cuadrito{QStringLiteral("Pic_Cuadrito")};     // corner between the scroll bars
    plat::Surface Pic_SelOpciones{QStringLiteral("Pic_SelOpciones")}; // the right-click option panel
    // The command panel's buttons 1..12, the chronometer's switch with its
    // time display inside, and the tab that slides the panel in and out.
    plat::Surface& Pic_Boton(int indice); // 1..12; anything else is run-time error 340
    plat::Surface Pic_Cronome{QStringLiteral("Pic_Cronome")};
    plat::Surface Pic_CroTime{QStringLiteral("Pic_CroTime")};
    plat::Surface Pic_EsconderBot{QStringLiteral("Pic_EsconderBot")};
    // ---- inside the tips panel: the "más ayuda" link and the close button ----
    plat::Surface Pic_SugeMasAyuda{QStringLiteral("Pic_SugeMasAyuda")};
    plat::Surface Pic_SugeBotCerrar{QStringLiteral("Pic_SugeBotCerrar")};

    BarraDesplazamiento BarraHor;
    BarraDesplazamiento BarraVer;
    ListaOrdenada Lis_Ordenar;

    // Every surface in the order the window stacks them (the table first).
    std::vector<plat::Surface*> superficies();

    // ---- the window ----
    // Makes the table ready: the first call (and the first after Unload) puts
    // every surface in its start state and reads the picture sheets that the
    // program carries; later calls do nothing. Reads no constant table.
    // When no window is attached, the registered maker is asked for one first.
    void Load();
    bool Loaded() const { return loaded_; }
    void Move(int left, int top, int width, int height);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Shows the window without waiting for it to be painted.
    void Show();
    bool Visible() const { return visible_; }
    // The window's own pointer: 0 default, 11 hourglass, 12 no-drop.
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int codigo);
    // Paints the window and all its controls at once.
    void Refresh();
    // Closes the window; a later Load starts afresh.
    void Unload();
    // The window as an opaque handle (its QWidget*), nullptr when none.
    void* hWnd() const;

    // The window side: attach (replacing any window attached before), detach,
    // and the maker Load calls when no window is attached.
    void conectaVentana(EnlaceVentanaMesa enlace);
    void desconectaVentana();
    bool tieneVentana() const { return conectada_; }
    void ponCreadorVentana(std::function<void()> creador) { creador_ = std::move(creador); }
    // The window closed by itself (its close request was granted).
    void ventanaCerrada();

    // ---- handlers ----
    // Copies the back buffer from (0, 0), as large as the table's drawable
    // area, onto the table at (0, 0), and shows the table at once.
    void Pic_Trabajo_Paint();
    // How many times the table has been repainted from the back buffer (what
    // was drawn straight onto the table is gone after each).
    std::uint64_t pinturasTrabajo() const { return pinturas_; }
    // A button of the command panel.
    void Pic_Boton_MouseDown(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x,
                             double y);
    // The scroll bars move the table under the window; the tips panel, which
    // lies on the table, is laid out again at the visible lower left, and the
    // recorder panel takes up the table now under it.
    void BarraHor_Change();
    void BarraVer_Change();

    // Calls the command panel has received while its commands are not built
    // (see Pic_Boton_MouseDown).
    struct LlamadaBoton {
        std::int16_t indice = 0, boton = 0, shift = 0;
        double x = 0, y = 0;
    };
    int llamadasBoton() const { return llamadasBoton_; }
    const LlamadaBoton& ultimaLlamadaBoton() const { return ultimaLlamada_; }

    // Everything back to the start state (the attached window stays attached).
    void reset();

private:
    void estadoInicial();
    void cargaLaminas();

    bool loaded_ = false;
    bool reiniciar_ = false; // unloaded: the next Load starts afresh
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = false;
    int mousePointer_ = 0;

    bool conectada_ = false;
    EnlaceVentanaMesa enlace_;
    std::function<void()> creador_;

    std::vector<std::unique_ptr<plat::Surface>> botones_; // 0..12, 0 unused
    int llamadasBoton_ = 0;
    std::uint64_t pinturas_ = 0;
    LlamadaBoton ultimaLlamada_;
};

extern Mesa mesa;
