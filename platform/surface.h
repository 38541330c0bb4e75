// A picture surface: a persistent 32-bit image that the program draws on, with
// the drawing state that stays between calls (colours, fill, line width,
// current point, font), an optional assigned picture that clearing restores,
// and its placement inside its window (position, size, visibility, pointer).
//
// Coordinates are the surface's own pixels, y growing downwards. Fractional
// coordinates become pixels by floor(v + 0.5) everywhere, so that lines cut
// into a picture and masks drawn from the same figures line up.
//
// The surface knows nothing of widgets: a view (platform/ui) may attach to it
// through the observer hooks to show it and to follow its placement.
#pragma once

#include "platform/color.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace plat {

class Region;

enum class FillStyle { Solid = 0, Transparent = 1 };

// Drawing modes used by the program (the runtime's numbers).
namespace drawmode {
constexpr int kInvert = 6;   // the destination pixel is inverted
constexpr int kXorPen = 7;   // destination XOR pen colour
constexpr int kCopyPen = 13; // the pen colour (the default)
} // namespace drawmode

struct Font {
    QString name = QStringLiteral("Liberation Sans");
    double size = 8.25; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    bool operator==(const Font&) const = default;
};

// floor(v + 0.5): the one rule that turns drawing coordinates into pixels.
inline int toPixel(double v);

class Surface {
public:
    explicit Surface(QString name = QString(), int width = 0, int height = 0);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface();

    const QString& name() const { return name_; }

    // Expires when the surface is destroyed: a loop that lets events run can
    // tell whether the window that owns the surface closed meanwhile.
    std::weak_ptr<const void> lifetime() const { return lifetime_; }

    // ---- placement (in the pixels of the owning window) ----
    int left() const { return left_; }
    int top() const { return top_; }
    // Outer size (including the border).
    int width() const { return innerWidth_ + 2 * border_; }
    int height() const { return innerHeight_ + 2 * border_; }
    // Inner (drawable) size: the size of the image.
    int scaleWidth() const { return innerWidth_; }
    int scaleHeight() const { return innerHeight_; }
    void move(int left, int top);
    void move(int left, int top, int width, int height);
    // Sets the outer size. The image keeps its pixels where they still fit;
    // new area shows the assigned picture or the background colour.
    void setSize(int width, int height);
    void setWidth(int width) { setSize(width, height()); }
    void setHeight(int height) { setSize(width(), height); }
    // A sunken frame of this many pixels on every side (0 = none).
    int border() const { return border_; }
    void setBorder(int pixels);

    bool visible() const { return visible_; }
    void setVisible(bool v);

    // Pointer code: below 20 a standard pointer, 99 a custom cursor named by
    // customCursor(). The view applies it.
    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int code);
    const QString& customCursor() const { return customCursor_; }
    void setCustomCursor(const QString& resourceName);

    QString toolTip() const { return toolTip_; }
    void setToolTip(const QString& t) { toolTip_ = t; }

    // ---- colours and drawing state ----
    Color backColor() const { return backColor_; }
    // Setting the background colour clears the surface to it (keeping the picture).
    void setBackColor(Color c);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color c) { foreColor_ = c & 0xFFFFFF; }
    Color fillColor() const { return fillColor_; }
    void setFillColor(Color c) { fillColor_ = c & 0xFFFFFF; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle s) { fillStyle_ = s; }
    int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int w) { drawWidth_ = w < 1 ? 1 : w; }
    int drawMode() const { return drawMode_; }
    void setDrawMode(int m) { drawMode_ = m; }
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }
    void setCurrent(double x, double y) { currentX_ = x; currentY_ = y; }
    const Font& font() const { return font_; }
    Font& font() { return font_; }
    void setFont(const Font& f) { font_ = f; }
    // Transparent text leaves the background behind the letters; opaque text
    // first paints the text's box in the background colour.
    bool fontTransparent() const { return fontTransparent_; }
    void setFontTransparent(bool t) { fontTransparent_ = t; }
    // Smooth letters (on by default); masks and pixel tests may turn it off.
    bool textAntialias() const { return textAntialias_; }
    void setTextAntialias(bool a) { textAntialias_ = a; }

    // ---- picture ----
    // Assigns a picture: the image is replaced by it (clipped or padded with
    // the background colour to the surface's size). A null image removes the
    // picture and clears the surface to the background colour.
    void setPicture(const QImage& picture);
    void clearPicture() { setPicture(QImage()); }
    bool hasPicture() const { return !picture_.isNull(); }
    const QImage& picture() const { return picture_; }
    // The current drawing becomes the assigned picture (what clearing restores).
    void keepImageAsPicture();
    // Clears the drawing: the picture at (0, 0), the background colour
    // elsewhere; the current point goes to (0, 0).
    void cls();

    // ---- drawing (raster.cpp) ----
    // A line from (x1, y1) to (x2, y2): 8-connected, includes the first pixel
    // and leaves out the last; the current point moves to the end. The line's
    // pixels besides its ends do not depend on the end it is drawn from.
    void line(double x1, double y1, double x2, double y2);
    void line(double x1, double y1, double x2, double y2, Color c);
    // A line from the current point.
    void lineTo(double x2, double y2);
    void lineTo(double x2, double y2, Color c);
    // The outline of the box with the given opposite corners, both included.
    // With a solid fill style the interior is painted in the fill colour
    // first. The current point moves to (x2, y2).
    void box(double x1, double y1, double x2, double y2);
    void box(double x1, double y1, double x2, double y2, Color c);
    // A box filled and outlined in one colour.
    void filledBox(double x1, double y1, double x2, double y2, Color c);
    // An ellipse or an arc. Angles in radians, counter-clockwise on screen from
    // 3 o'clock; without start and end the whole ellipse (filled when the fill
    // style is solid). An aspect below 1 makes the radius the horizontal
    // semi-axis (vertical = radius * aspect); 1 or more makes it the vertical
    // one (horizontal = radius / aspect). A negative angle also draws the
    // radius from the centre to that end.
    void circle(double cx, double cy, double radius, std::optional<Color> c = std::nullopt,
                std::optional<double> start = std::nullopt, std::optional<double> end = std::nullopt,
                std::optional<double> aspect = std::nullopt);
    // One pixel in the fore colour (or the given colour), drawn like a dot of
    // the line width; the current point moves there.
    void pset(double x, double y);
    void pset(double x, double y, Color c);
    // The colour of a pixel, -1 outside the surface.
    Color point(double x, double y) const;
    // Border flood fill: fills with the fill colour every pixel 4-connected to
    // the seed whose colour differs from the border colour. Nothing happens
    // when the seed is off the surface or already the border colour.
    void floodFill(int x, int y, Color border);

    // ---- text (raster.cpp) ----
    // Prints at the current point (its top-left corner) in the fore colour.
    // Afterwards the current point is at the end of the text on the same
    // line when stayOnLine is true, else at x 0 of the next line.
    void print(const QString& text, bool stayOnLine = false);
    // Several texts in one go, each printed at its own point in its own
    // colour exactly as setCurrent, setForeColor and print would; the fore
    // colour and the current point end as after the last of them.
    struct Texto {
        double x = 0, y = 0;
        Color color = 0;
        QString text;
    };
    void printAll(const std::vector<Texto>& textos);
    int textWidth(const QString& text) const;
    int textHeight(const QString& text = QStringLiteral("Ag")) const;

    // ---- display ----
    // Shows the image at once, without dispatching events.
    void refresh();

    // ---- clip region (blit.cpp honours it for copies) ----
    // The region is copied, as the graphics device does; nullptr removes the
    // clip. An empty selected region clips everything.
    void selectClipRegion(const Region* region);
    bool hasClipRegion() const { return clip_ != nullptr; }
    const Region* clipRegion() const { return clip_.get(); }
    bool clipContains(int x, int y) const;

    // ---- raw pixels ----
    // The image, Format_RGB32 (0xFFRRGGBB), scaleWidth() x scaleHeight().
    // Taking it for writing counts as a change of the drawing.
    QImage& image() {
        ++generation_;
        return image_;
    }
    const QImage& image() const { return image_; }
    // Grows whenever the drawing may have changed, so that a view can show
    // drawings without being asked (as a persistent picture shows on screen).
    std::uint64_t generation() const { return generation_; }
    // Writes one pixel honouring the drawing mode and the bounds (no clip).
    void plot(int x, int y, Color c);
    // Replaces the image wholesale; the surface takes the image's size.
    void setImage(const QImage& img);

    // ---- observers (a view attaches here) ----
    std::function<void()> onRefresh;  // refresh() was called
    std::function<void()> onChanged;  // placement, visibility or pointer changed

private:
    void resizeImage(int w, int h);
    void notifyChanged();
    void paintBackground(QImage& img);

    QString name_;
    int left_ = 0, top_ = 0;
    int innerWidth_ = 0, innerHeight_ = 0;
    int border_ = 0;
    bool visible_ = true;
    int mousePointer_ = 0;
    QString customCursor_;
    QString toolTip_;

    Color backColor_ = 0xFFFFFF;
    Color foreColor_ = 0x000000;
    Color fillColor_ = 0x000000;
    FillStyle fillStyle_ = FillStyle::Transparent;
    int drawWidth_ = 1;
    int drawMode_ = drawmode::kCopyPen;
    double currentX_ = 0, currentY_ = 0;
    Font font_;
    bool fontTransparent_ = true;
    bool textAntialias_ = true;

    QImage image_;
    QImage picture_;
    std::uint64_t generation_ = 0;
    std::unique_ptr<Region> clip_; // a copy of the selected region
    std::shared_ptr<const int> lifetime_ = std::make_shared<const int>(0);
};

inline int toPixel(double v) {
    double f = v + 0.5;
    int i = static_cast<int>(f);
    return (f < 0 && double(i) != f) ? i - 1 : i;
}

} // namespace plat
