// The list of everything resgen makes: each output is a name, a function that
// draws it, the file it is written to and (for embedded files) its resource
// alias. Adding a new picture means writing one draw function and one add call.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QString>

#include <functional>
#include <vector>

namespace resgen {

// A mouse cursor: its picture and the point of it that is the pointer position.
struct Cursor {
    QImage image;
    QPoint hotspot;
};

class Registry {
public:
    // A picture written to <outdir>/<path> in the given format ("PNG", "JPG",
    // "BMP"); embedded under `alias` unless the alias is empty.
    void addImage(const QString& path, const QString& alias, std::function<QImage()> draw,
                  const char* format = "PNG", int quality = -1);
    // Any other file.
    void addData(const QString& path, const QString& alias, std::function<QByteArray()> make);
    // A 32 x 32 cursor: cursors/<NAME>.png, alias ":/cursors/<NAME>.png"; its
    // hotspot goes into the one list cursors/hotspots.txt.
    void addCursor(const QString& name, std::function<Cursor()> draw);

    // Draws and writes everything under `outDir`, then images.qrc listing every
    // embedded file. Stops at the first failure with a message in `error`.
    bool writeAll(const QString& outDir, QString* error) const;

private:
    struct Entry {
        QString path;
        QString alias;
        std::function<QByteArray(QString*)> make;
    };
    struct CursorEntry {
        QString name;
        std::function<Cursor()> draw;
    };
    std::vector<Entry> entries_;
    std::vector<CursorEntry> cursors_;
};

// The groups of outputs, each in its own file.
void addCursors(Registry& r);
void addIcons(Registry& r);
void addPictures(Registry& r);
// More sample pictures, in every size and proportion a puzzle can have.
void addSamplePictures(Registry& r);
void addSplash(Registry& r);
// The Taipei tile bodies and faces; the sheet of assorted parts also carries
// the command panel's cells, drawn by drawPanelCells.
void addTaipei(Registry& r);
void drawPanelCells(QPainter& p);
// The eight piece-shape samples of the settings window (muestras.cpp).
void drawShapeSamples(QPainter& p);
// The control sprite sheet (controles.cpp).
void addControls(Registry& r);
// The move recorder panel's sheet (grabadora.cpp).
void addGrabadora(Registry& r);

} // namespace resgen
