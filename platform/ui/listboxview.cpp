#include "platform/ui/listboxview.h"

#include "platform/ui/cursors.h"
#include "platform/ui/mouse.h"
#include "platform/ui/surfaceview.h"

#include <QFocusEvent>
#include <QFont>
#include <QKeyEvent>
#include <QMouseEvent>

namespace plat {


ListBoxView::ListBoxView(ListBox* box, QWidget* parent) : QListWidget(parent), box_(box) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    setFont(f);
    setMouseTracking(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::currentRowChanged, this, [this](int fila) {
        if (syncing_ || fila < 0) return;
        box_->chosen(fila);
    });
    box_->onItems = [this] { syncItems(); };
    box_->onChanged = [this] { syncFromBox(); };
    box_->onRefresh = [this] { repaint(); };
    syncItems();
    syncFromBox();
}

ListBoxView::~ListBoxView() {
    box_->onItems = nullptr;
    box_->onChanged = nullptr;
    box_->onRefresh = nullptr;
}

void ListBoxView::syncItems() {
    syncing_ = true;
    if (count() != box_->ListCount()) {
        clear();
        for (int i = 0; i < box_->ListCount(); ++i) addItem(box_->List(i));
    } else {
        for (int i = 0; i < box_->ListCount(); ++i)
            if (item(i)->text() != box_->List(i)) item(i)->setText(box_->List(i));
    }
    setCurrentRow(box_->ListIndex());
    if (box_->ListIndex() < 0) clearSelection();
    syncing_ = false;
}

void ListBoxView::syncFromBox() {
    const QRect g(box_->left(), box_->top(), box_->width(), box_->height());
    if (geometry() != g) setGeometry(g);
    if (box_->visible() != !isHidden()) setVisible(box_->visible());
    if (isEnabled() != box_->enabled()) setEnabled(box_->enabled());
    setCursor(cursorFor(box_->mousePointer(), box_->customCursor()));
}

void ListBoxView::focusInEvent(QFocusEvent* e) {
    // The view makes its first row current when it takes the focus without
    // one: that is no choice of the player's, so the box keeps its own.
    syncing_ = true;
    QListWidget::focusInEvent(e);
    if (currentRow() != box_->ListIndex()) setCurrentRow(box_->ListIndex());
    if (box_->ListIndex() < 0) clearSelection();
    syncing_ = false;
}

void ListBoxView::mousePressEvent(QMouseEvent* e) {
    QListWidget::mousePressEvent(e);
    if (box_->onMouseDown)
        box_->onMouseDown(buttonCode(e->button()), shiftCode(e->modifiers()), e->position().x(), e->position().y());
}

void ListBoxView::mouseMoveEvent(QMouseEvent* e) {
    QListWidget::mouseMoveEvent(e);
    if (box_->onMouseMove)
        box_->onMouseMove(buttonsCode(e->buttons()), shiftCode(e->modifiers()), e->position().x(), e->position().y());
}

void ListBoxView::mouseDoubleClickEvent(QMouseEvent* e) {
    QListWidget::mouseDoubleClickEvent(e);
    if (box_->onDblClick && itemAt(e->position().toPoint())) box_->onDblClick();
}

void ListBoxView::keyPressEvent(QKeyEvent* e) {
    int codigo = keyPressCode(*e);
    if (codigo >= 0 && box_->onKeyPress) {
        box_->onKeyPress(codigo);
        if (codigo == 0) return; // the handler swallowed the key
    }
    QListWidget::keyPressEvent(e);
}

} // namespace plat
