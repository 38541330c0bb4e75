// The text box and its view: what is typed reaches the box, what the program
// writes reaches the view, and the loss of the focus runs the handler once.
#include "platform/textbox.h"
#include "platform/ui/textboxview.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(TextBox, LostFocusRunsTheHandlerOnceAndOnlyWhenFocused) {
    plat::TextBox t;
    int perdidas = 0;
    t.onLostFocus = [&] { ++perdidas; };
    t.loseFocus();
    EXPECT_EQ(perdidas, 0);
    t.setFocus();
    EXPECT_TRUE(t.hasFocus());
    t.loseFocus();
    t.loseFocus();
    EXPECT_EQ(perdidas, 1);
    EXPECT_FALSE(t.hasFocus());
}

TEST(TextBox, LifetimeExpiresWithTheBox) {
    std::weak_ptr<const void> vida;
    {
        plat::TextBox t;
        vida = t.lifetime();
        EXPECT_FALSE(vida.expired());
    }
    EXPECT_TRUE(vida.expired());
}

TEST(TextBoxView, FollowsTheBoxAndHandsTypedTextBack) {
    QWidget padre;
    plat::TextBox t(QStringLiteral("Tex_Spin"));
    t.move(97, 5, 33, 19);
    t.setText(QStringLiteral("100"));
    plat::TextBoxView v(&t, &padre);
    EXPECT_EQ(v.geometry(), QRect(97, 5, 33, 19));
    EXPECT_EQ(v.text(), "100");

    t.setText(QStringLiteral("995"));
    t.setWidth(40);
    EXPECT_EQ(v.text(), "995");
    EXPECT_EQ(v.width(), 40);
    t.setVisible(false);
    EXPECT_TRUE(v.isHidden());
    t.setVisible(true);

    v.clear();
    for (const QChar c : QStringLiteral("2000")) {
        QKeyEvent tecla(QEvent::KeyPress, Qt::Key_0 + (c.unicode() - u'0'), Qt::NoModifier, QString(c));
        QApplication::sendEvent(&v, &tecla);
    }
    EXPECT_EQ(t.text(), "2000");
}

TEST(TextBoxView, FocusLeavingTheEditorReachesTheHandler) {
    QWidget padre;
    plat::TextBox t;
    plat::TextBoxView v(&t, &padre);
    int perdidas = 0;
    t.onLostFocus = [&] { ++perdidas; };
    QFocusEvent entra(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(&v, &entra);
    EXPECT_TRUE(t.hasFocus());
    QFocusEvent menu(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&v, &menu);
    EXPECT_EQ(perdidas, 0); // the editor's own pop-up menu
    QFocusEvent sale(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&v, &sale);
    EXPECT_EQ(perdidas, 1);
}

} // namespace

TEST(TextBoxLimits, TypedTextIsCutToTheLengthLimitAndCodeTextIsNot) {
    plat::TextBox t;
    t.setMaxLength(3);
    t.typed(QStringLiteral("12345"));
    EXPECT_EQ(t.text(), QStringLiteral("123"));
    t.setText(QStringLiteral("99999"));
    EXPECT_EQ(t.text(), QStringLiteral("99999"));
    t.setMaxLength(0);
    t.typed(QStringLiteral("12345"));
    EXPECT_EQ(t.text(), QStringLiteral("12345"));
    int cambios = 0;
    t.onChanged = [&] { ++cambios; };
    t.setEnabled(false);
    t.setMousePointer(23);
    t.setEnabled(false);
    EXPECT_EQ(cambios, 2);
    EXPECT_FALSE(t.enabled());
}
