// Storage, placement, picture and clip of a surface. The drawing primitives
// are in raster.cpp, the block copies in blit.cpp.
#include "platform/surface.h"

#include "platform/region.h"

#include <QPainter>

#include <cstring>

namespace plat {

Surface::Surface(QString name, int width, int height) : name_(std::move(name)) {
    innerWidth_ = width < 0 ? 0 : width;
    innerHeight_ = height < 0 ? 0 : height;
    image_ = QImage(innerWidth_, innerHeight_, QImage::Format_RGB32);
    image_.fill(toQRgb(backColor_));
}

Surface::~Surface() = default;

void Surface::notifyChanged() {
    if (onChanged) onChanged();
}

void Surface::move(int left, int top) {
    if (left == left_ && top == top_) return;
    left_ = left;
    top_ = top;
    notifyChanged();
}

void Surface::move(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    setSize(width, height); // notifies
    notifyChanged();
}

void Surface::setSize(int width, int height) {
    int w = width - 2 * border_;
    int h = height - 2 * border_;
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    if (w == innerWidth_ && h == innerHeight_) return;
    resizeImage(w, h);
    notifyChanged();
}

void Surface::setBorder(int pixels) {
    if (pixels < 0) pixels = 0;
    if (pixels == border_) return;
    // The outer size stays; the drawable area shrinks or grows.
    int ow = width(), oh = height();
    border_ = pixels;
    int w = ow - 2 * border_, h = oh - 2 * border_;
    resizeImage(w < 0 ? 0 : w, h < 0 ? 0 : h);
    notifyChanged();
}

void Surface::paintBackground(QImage& img) {
    ++generation_;
    img.fill(toQRgb(backColor_));
    if (!picture_.isNull() && !img.isNull()) {
        QPainter p(&img);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, picture_);
    }
}

void Surface::resizeImage(int w, int h) {
    QImage next(w, h, QImage::Format_RGB32);
    paintBackground(next);
    if (!image_.isNull() && w > 0 && h > 0) {
        const int cw = std::min(w, image_.width());
        const int ch = std::min(h, image_.height());
        for (int y = 0; y < ch; ++y) {
            std::memcpy(next.scanLine(y), image_.constScanLine(y), size_t(cw) * 4);
        }
    }
    image_ = std::move(next);
    ++generation_;
    innerWidth_ = w;
    innerHeight_ = h;
}

void Surface::setVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    notifyChanged();
}

void Surface::setMousePointer(int code) {
    if (code == mousePointer_) return;
    mousePointer_ = code;
    notifyChanged();
}

void Surface::setCustomCursor(const QString& resourceName) {
    if (resourceName == customCursor_) return;
    customCursor_ = resourceName;
    notifyChanged();
}

void Surface::setBackColor(Color c) {
    backColor_ = c & 0xFFFFFF;
    cls();
}

void Surface::setPicture(const QImage& picture) {
    picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
    paintBackground(image_);
}

void Surface::keepImageAsPicture() { picture_ = image_.copy(); }

void Surface::cls() {
    paintBackground(image_);
    currentX_ = 0;
    currentY_ = 0;
}

void Surface::setImage(const QImage& img) {
    QImage converted = img.convertToFormat(QImage::Format_RGB32);
    const bool resized = converted.width() != innerWidth_ || converted.height() != innerHeight_;
    image_ = std::move(converted);
    ++generation_;
    innerWidth_ = image_.width();
    innerHeight_ = image_.height();
    if (resized) notifyChanged();
}

void Surface::plot(int x, int y, Color c) {
    ++generation_;
    if (x < 0 || y < 0 || x >= innerWidth_ || y >= innerHeight_) return;
    QRgb* px = reinterpret_cast<QRgb*>(image_.scanLine(y)) + x;
    switch (drawMode_) {
    case drawmode::kInvert: *px = 0xFF000000u | (~*px & 0xFFFFFFu); break;
    case drawmode::kXorPen: *px = 0xFF000000u | ((*px ^ toQRgb(c)) & 0xFFFFFFu); break;
    default: *px = toQRgb(c); break;
    }
}

Color Surface::point(double x, double y) const {
    const int px = toPixel(x), py = toPixel(y);
    if (px < 0 || py < 0 || px >= innerWidth_ || py >= innerHeight_) return -1;
    return fromQRgb(image_.pixel(px, py));
}

void Surface::refresh() {
    if (onRefresh) onRefresh();
}

void Surface::selectClipRegion(const Region* region) {
    clip_ = region ? std::make_unique<Region>(*region) : nullptr;
}

bool Surface::clipContains(int x, int y) const { return !clip_ || clip_->contains(x, y); }

} // namespace plat
