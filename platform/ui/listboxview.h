// The widget that shows a list box inside the window that holds it: it
// follows the box's items, selection, place, size, visibility, enabled state
// and pointer, hands the player's choice back to the box (which raises its
// Click handler; taking the focus chooses nothing) and passes the mouse and typed characters to the box's
// handlers with the runtime's codes.
//
// The view attaches to the box's observer hooks (one view per box) and
// detaches in its destructor; the box must outlive the view.
#pragma once

#include "platform/listbox.h"

#include <QListWidget>

namespace plat {

class ListBoxView : public QListWidget {
    Q_OBJECT
public:
    explicit ListBoxView(ListBox* box, QWidget* parent = nullptr);
    ~ListBoxView() override;

    ListBox* box() const { return box_; }
    void syncItems();
    void syncFromBox();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    ListBox* box_;
    bool syncing_ = false;
};

} // namespace plat
