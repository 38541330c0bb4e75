// The widget that shows a text box inside the control that holds it: a
// one-line editor that follows the box's text, place, size, visibility and
// focus, hands what the player types back to the box, and reports the loss
// of the focus to the box's handler.
//
// The view attaches to the box's observer hooks (one view per box) and
// detaches in its destructor; the box must outlive the view.
#pragma once

#include "platform/textbox.h"

#include <QLineEdit>

namespace plat {

class TextBoxView : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBoxView(TextBox* box, QWidget* parent = nullptr);
    ~TextBoxView() override;

    TextBox* box() const { return box_; }

    // Applies the box's text, placement, visibility and focus.
    void syncFromBox();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    TextBox* box_;
    bool syncing_ = false;
};

} // namespace plat
