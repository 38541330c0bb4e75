// The mouse adapter: Qt's press / release / double-click stream turned into
// the handlers' order and codes.
#include "platform/ui/mouse.h"

#include <QMouseEvent>
#include <QPointingDevice>
#include <QStringList>
#include <gtest/gtest.h>

using namespace plat;

namespace {

// Records every handler call as one line of text.
struct Recorder {
    MouseHandlers handlers;
    QStringList log;
    Recorder() {
        auto rec = [this](const char* name) {
            return [this, name](int b, int s, double x, double y) {
                log << QStringLiteral("%1 %2 %3 %4,%5").arg(name).arg(b).arg(s).arg(x).arg(y);
            };
        };
        handlers.onMouseDown = rec("Down");
        handlers.onMouseUp = rec("Up");
        handlers.onMouseMove = rec("Move");
        handlers.onClick = [this] { log << QStringLiteral("Click"); };
        handlers.onDblClick = [this] { log << QStringLiteral("DblClick"); };
    }
};

// One input step: P press, R release, D double click, M move.
struct Step {
    char kind;
    int button;
    int shift = 0;
};

void feedSteps(MouseAdapter& a, const std::vector<Step>& steps) {
    for (const Step& s : steps) {
        switch (s.kind) {
        case 'P': a.press(s.button, s.shift, 3, 4); break;
        case 'R': a.release(s.button, s.shift, 3, 4); break;
        case 'D': a.doubleClick(s.button, s.shift, 3, 4); break;
        case 'M': a.move(s.button, s.shift, 3, 4); break;
        }
    }
}

struct OrderCase {
    const char* name;
    std::vector<Step> steps;
    QStringList expected;
};

class MouseOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(MouseOrder, GivesTheHandlersTheirOrder) {
    Recorder r;
    MouseAdapter a(r.handlers);
    feedSteps(a, GetParam().steps);
    EXPECT_EQ(r.log, GetParam().expected) << r.log.join(" | ").toStdString();
    EXPECT_EQ(a.held(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, MouseOrder,
    ::testing::Values(
        OrderCase{"LeftClick", {{'P', 1}, {'R', 1}}, {"Down 1 0 3,4", "Up 1 0 3,4", "Click"}},
        // Qt's double click: the second press arrives as the double click.
        OrderCase{"DoubleClick",
                  {{'P', 1}, {'R', 1}, {'D', 1}, {'R', 1}},
                  {"Down 1 0 3,4", "Up 1 0 3,4", "Click", "DblClick", "Up 1 0 3,4"}},
        // A platform that also sends the second press: it keeps its MouseDown,
        // and the release ending the double click still gives no Click.
        OrderCase{"DoubleClickWithSecondPress",
                  {{'P', 1}, {'R', 1}, {'P', 1}, {'D', 1}, {'R', 1}},
                  {"Down 1 0 3,4", "Up 1 0 3,4", "Click", "Down 1 0 3,4", "DblClick", "Up 1 0 3,4"}},
        // A third quick press after a double click is a plain click again.
        OrderCase{"ClickAfterDoubleClick",
                  {{'P', 1}, {'R', 1}, {'D', 1}, {'R', 1}, {'P', 1}, {'R', 1}},
                  {"Down 1 0 3,4", "Up 1 0 3,4", "Click", "DblClick", "Up 1 0 3,4", "Down 1 0 3,4",
                   "Up 1 0 3,4", "Click"}},
        OrderCase{"RightClickWithShiftAndCtrl",
                  {{'P', 2, 3}, {'R', 2, 3}},
                  {"Down 2 3 3,4", "Up 2 3 3,4", "Click"}},
        OrderCase{"MiddleWithAlt", {{'P', 4, 4}, {'R', 4, 4}}, {"Down 4 4 3,4", "Up 4 4 3,4", "Click"}},
        // Two buttons: the click comes when the last one is released.
        OrderCase{"Chord",
                  {{'P', 1}, {'P', 2}, {'R', 2}, {'R', 1}},
                  {"Down 1 0 3,4", "Down 2 0 3,4", "Up 2 0 3,4", "Up 1 0 3,4", "Click"}},
        // A release whose press went elsewhere is nobody's business here.
        OrderCase{"StrayRelease", {{'R', 1}}, {}},
        OrderCase{"MoveCarriesHeldButtons",
                  {{'M', 0}, {'P', 2}, {'M', 2, 1}, {'R', 2}},
                  {"Move 0 0 3,4", "Down 2 0 3,4", "Move 2 1 3,4", "Up 2 0 3,4", "Click"}},
        // Unknown buttons (back, forward) give nothing.
        OrderCase{"UnknownButton", {{'P', 0}, {'R', 0}, {'D', 0}}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A handler that runs a loop letting events in (the held-right-button
// rotation) receives the release and the click while it is still running.
TEST(MouseAdapter, ReleaseInsideThePressHandlerKeepsTheOrder) {
    QStringList log;
    MouseHandlers h;
    MouseAdapter a(h);
    h.onMouseDown = [&](int b, int, double, double) {
        log << "Down begin";
        a.release(b, 0, 0, 0); // dispatched by the loop's event processing
        log << "Down end";
    };
    h.onMouseUp = [&](int, int, double, double) { log << "Up"; };
    h.onClick = [&] { log << "Click"; };
    a.press(2, 0, 0, 0);
    EXPECT_EQ(log, QStringList({"Down begin", "Up", "Click", "Down end"}));
    EXPECT_EQ(a.held(), 0);
}

TEST(MouseAdapter, PressAfterALostReleaseStillCounts) {
    Recorder r;
    MouseAdapter a(r.handlers);
    a.press(1, 0, 1, 1); // the release never comes (the view was hidden)
    a.press(1, 0, 2, 2);
    a.release(1, 0, 2, 2);
    EXPECT_EQ(r.log, QStringList({"Down 1 0 1,1", "Down 1 0 2,2", "Up 1 0 2,2", "Click"}));
}

TEST(MouseAdapter, HandlersMayBeReplacedWhileOneRuns) {
    MouseHandlers h;
    MouseAdapter a(h);
    int calls = 0;
    h.onMouseDown = [&](int, int, double, double) {
        ++calls;
        h.onMouseDown = nullptr; // destroys the running function's original
    };
    a.press(1, 0, 0, 0);
    a.press(1, 0, 0, 0);
    EXPECT_EQ(calls, 1);
}

TEST(MouseCodes, ButtonsAndModifiers) {
    EXPECT_EQ(buttonCode(Qt::LeftButton), 1);
    EXPECT_EQ(buttonCode(Qt::RightButton), 2);
    EXPECT_EQ(buttonCode(Qt::MiddleButton), 4);
    EXPECT_EQ(buttonCode(Qt::BackButton), 0);
    EXPECT_EQ(buttonsCode(Qt::LeftButton | Qt::RightButton), 3);
    EXPECT_EQ(buttonsCode(Qt::MiddleButton | Qt::BackButton), 4);
    EXPECT_EQ(shiftCode(Qt::NoModifier), 0);
    EXPECT_EQ(shiftCode(Qt::ShiftModifier), 1);
    EXPECT_EQ(shiftCode(Qt::ControlModifier), 2);
    EXPECT_EQ(shiftCode(Qt::AltModifier), 4);
    EXPECT_EQ(shiftCode(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier), 7);
}

// Qt events in Qt's order for a double click, positions measured from the
// surface's origin.
TEST(MouseAdapter, FeedsQtEventsRelativeToTheOrigin) {
    Recorder r;
    MouseAdapter a(r.handlers);
    const QPointF at(12.5, 7);
    const QPointF origin(2, 2);
    auto ev = [&](QEvent::Type t, Qt::MouseButton b, Qt::MouseButtons held, Qt::KeyboardModifiers m) {
        QMouseEvent e(t, at, at, b, held, m);
        return a.feed(&e, origin);
    };
    EXPECT_TRUE(ev(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, Qt::NoModifier));
    EXPECT_TRUE(ev(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier));
    EXPECT_TRUE(ev(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier));
    EXPECT_TRUE(ev(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    EXPECT_TRUE(ev(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier));
    EXPECT_TRUE(ev(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QEvent other(QEvent::KeyPress);
    EXPECT_FALSE(a.feed(&other));
    EXPECT_EQ(r.log, QStringList({"Move 0 0 10.5,5", "Down 1 1 10.5,5", "Up 1 1 10.5,5", "Click", "DblClick",
                                  "Move 1 2 10.5,5", "Up 1 0 10.5,5"}));
}

} // namespace
