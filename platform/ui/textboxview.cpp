#include "platform/ui/textboxview.h"

#include <QFocusEvent>
#include <QFont>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/ui/cursors.h"
#include "platform/ui/mouse.h"
#include "platform/ui/surfaceview.h"

namespace plat {

TextBoxView::TextBoxView(TextBox* box, QWidget* parent) : QLineEdit(parent), box_(box) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(12);
    setFont(f);
    setFrame(true);
    setTextMargins(1, 0, 1, 0);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& t) { box_->typed(t); });
    box_->onChanged = [this] { syncFromBox(); };
    box_->onRefresh = [this] { repaint(); };
    syncFromBox();
}

TextBoxView::~TextBoxView() {
    box_->onChanged = nullptr;
    box_->onRefresh = nullptr;
}

void TextBoxView::syncFromBox() {
    if (syncing_) return;
    syncing_ = true;
    const QRect g(box_->left(), box_->top(), box_->width(), box_->height());
    if (geometry() != g) setGeometry(g);
    if (text() != box_->text()) setText(box_->text());
    if (box_->visible() != !isHidden()) setVisible(box_->visible());
    if (box_->hasFocus() && !hasFocus()) setFocus(Qt::OtherFocusReason);
    if (isEnabled() != box_->enabled()) setEnabled(box_->enabled());
    if (maxLength() != (box_->maxLength() > 0 ? box_->maxLength() : 32767))
        setMaxLength(box_->maxLength() > 0 ? box_->maxLength() : 32767);
    setCursor(cursorFor(box_->mousePointer(), QString()));
    syncing_ = false;
}

void TextBoxView::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (!syncing_) box_->setFocus();
}

void TextBoxView::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // A menu or a pop-up of this editor takes the focus only for a moment.
    if (e->reason() == Qt::PopupFocusReason) return;
    box_->loseFocus();
}

void TextBoxView::mousePressEvent(QMouseEvent* e) {
    QLineEdit::mousePressEvent(e);
    if (box_->onMouseDown)
        box_->onMouseDown(buttonCode(e->button()), shiftCode(e->modifiers()), e->position().x(), e->position().y());
}

void TextBoxView::mouseMoveEvent(QMouseEvent* e) {
    QLineEdit::mouseMoveEvent(e);
    if (box_->onMouseMove)
        box_->onMouseMove(buttonsCode(e->buttons()), shiftCode(e->modifiers()), e->position().x(),
                          e->position().y());
}

void TextBoxView::keyPressEvent(QKeyEvent* e) {
    int codigo = keyPressCode(*e);
    if (codigo >= 0 && box_->onKeyPress) {
        box_->onKeyPress(codigo);
        if (codigo == 0) return; // dropped by the handler
    }
    QLineEdit::keyPressEvent(e);
}

} // namespace plat
