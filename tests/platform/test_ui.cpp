// The widget side of the platform layer: event processing, the periodic
// timer, the surface view, pointers, the help viewer and the screen size.
#include "platform/listbox.h"
#include "platform/surface.h"
#include "platform/ui/cursors.h"
#include "platform/ui/events.h"
#include "platform/ui/fullscreen.h"
#include "platform/ui/helpviewer.h"
#include "platform/ui/listboxview.h"
#include "platform/ui/surfaceview.h"
#include "tests/support/fixtures.h"

#include <QApplication>
#include <QBackingStore>
#include <QDialog>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <utility>

using namespace plat;
using testing_support::ScratchDir;
using testing_support::writeBytes;

namespace {

// ---------------------------------------------------------------- doEvents

// A handler run by doEvents() that calls doEvents() again gets false and
// nothing runs inside it: the event posted after it runs after it.
TEST(DoEvents, NestedCallReturnsAtOnce) {
    QStringList log;
    QTimer::singleShot(0, qApp, [&] {
        log << "A begin";
        log << (doEvents() ? "nested ran" : "nested refused");
        log << (doEventsRunning() ? "running" : "not running");
        log << "A end";
    });
    QTimer::singleShot(0, qApp, [&] { log << "B"; });
    EXPECT_FALSE(doEventsRunning());
    for (int i = 0; i < 100 && log.size() < 5; ++i) EXPECT_TRUE(doEvents());
    EXPECT_EQ(log, QStringList({"A begin", "nested refused", "running", "A end", "B"}));
    EXPECT_FALSE(doEventsRunning());
}

TEST(LongAction, MarksNestedLoops) {
    EXPECT_FALSE(longActionRunning());
    {
        LongAction outer;
        EXPECT_TRUE(longActionRunning());
        {
            LongAction inner;
            EXPECT_TRUE(longActionRunning());
        }
        EXPECT_TRUE(longActionRunning()) << "the outer loop still runs";
    }
    EXPECT_FALSE(longActionRunning());
}

// ---------------------------------------------------------- PeriodicTimer

TEST(PeriodicTimer, RunsOnlyEnabledWithAPositiveInterval) {
    struct Case {
        int interval;
        bool enabled;
        bool running;
    };
    for (const Case& c : {Case{1000, true, true}, Case{1000, false, false}, Case{0, true, false},
                          Case{-5, true, false}}) {
        PeriodicTimer t(c.interval, [] {});
        t.setEnabled(c.enabled);
        EXPECT_EQ(t.running(), c.running) << c.interval << " " << c.enabled;
    }
    PeriodicTimer t(1000);
    EXPECT_TRUE(t.running());
    t.setInterval(0);
    EXPECT_FALSE(t.running());
    t.setInterval(250);
    EXPECT_TRUE(t.running());
    EXPECT_EQ(t.interval(), 250);
}

TEST(PeriodicTimer, TickDoesNotReenterItsHandler) {
    PeriodicTimer t(1000);
    int depth = 0, maxDepth = 0, ticks = 0;
    t.setOnTick([&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        t.tick(); // a tick arriving while the handler lets events run
        --depth;
    });
    t.tick();
    t.tick();
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(maxDepth, 1);
}

TEST(PeriodicTimer, DeliversTicksThroughTheEventLoop) {
    int ticks = 0;
    PeriodicTimer t(1, [&] { ++ticks; });
    for (int i = 0; i < 5000 && ticks == 0; ++i) {
        doEvents();
        QThread::msleep(1);
    }
    EXPECT_GT(ticks, 0);
}

// ------------------------------------------------------------ SurfaceView

class SurfaceViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 200);
        window.show();
        surface.setBorder(2);
        surface.move(10, 20, 44, 34); // inner 40 x 30
        view = new SurfaceView(&surface, &window);
    }
    QWidget window;
    Surface surface{QStringLiteral("Pic_Prueba"), 40, 30};
    SurfaceView* view = nullptr;
};

TEST_F(SurfaceViewTest, FollowsPlacementAndVisibility) {
    EXPECT_EQ(view->geometry(), QRect(10, 20, 44, 34));
    EXPECT_TRUE(view->isVisible());
    surface.move(-5, 7);
    EXPECT_EQ(view->geometry(), QRect(-5, 7, 44, 34));
    surface.setSize(60, 50);
    EXPECT_EQ(view->geometry(), QRect(-5, 7, 60, 50));
    surface.setVisible(false);
    EXPECT_FALSE(view->isVisible());
    surface.setVisible(true);
    EXPECT_TRUE(view->isVisible());
}

// The view is painted before refresh() returns, with no event processing:
// its window's backing store already holds the surface's pixels.
TEST_F(SurfaceViewTest, RefreshRepaintsAtOnce) {
    doEvents(); // the first exposure
    surface.image().fill(qRgb(0, 0, 255));
    for (int x = 0; x < 40; ++x) surface.plot(x, 5, rgb(255, 0, 0));

    const int before = view->paintCount();
    surface.refresh();
    EXPECT_EQ(view->paintCount(), before + 1);

    auto* store = dynamic_cast<QImage*>(window.backingStore()->paintDevice());
    EXPECT_NE(store, nullptr) << "the offscreen platform paints into an image";
    if (store) {
        const qreal dpr = store->devicePixelRatio();
        const QImage shown = store->copy(QRectF(12 * dpr, 22 * dpr, 40 * dpr, 30 * dpr).toRect());
        EXPECT_EQ(shown.pixelColor(0, 0), QColor(0, 0, 255));
        EXPECT_EQ(shown.pixelColor(int(3 * dpr), int(5 * dpr)), QColor(255, 0, 0));
    }

    const QImage grabbed = view->grab().toImage();
    EXPECT_EQ(grabbed.pixelColor(2 + 3, 2 + 5), QColor(255, 0, 0));
    EXPECT_EQ(grabbed.pixelColor(2, 2), QColor(0, 0, 255));
    // The sunken frame: dark at the top and left, light at the bottom and right.
    EXPECT_EQ(grabbed.pixelColor(0, 10), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(grabbed.pixelColor(10, 0), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(grabbed.pixelColor(43, 10), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(grabbed.pixelColor(10, 33), QColor(0xFF, 0xFF, 0xFF));
}

// A drawing shows without refresh() on the next sweep; an untouched surface
// is not painted again, and reading the image is no change.
TEST_F(SurfaceViewTest, DrawingsShowWithoutBeingAsked) {
    doEvents();
    const int before = view->paintCount();
    view->updateIfDrawn();
    doEvents();
    EXPECT_EQ(view->paintCount(), before);
    (void)std::as_const(surface).image();
    view->updateIfDrawn();
    doEvents();
    EXPECT_EQ(view->paintCount(), before);

    surface.line(0, 0, 10, 10);
    view->updateIfDrawn();
    doEvents();
    EXPECT_EQ(view->paintCount(), before + 1);
    EXPECT_EQ(view->grab().toImage().pixelColor(2 + 3, 2 + 3), QColor(0, 0, 0));
}

TEST_F(SurfaceViewTest, MouseAndKeysReachTheHandlersInSurfacePixels) {
    QStringList log;
    view->mouse.onMouseDown = [&](int b, int s, double x, double y) {
        log << QStringLiteral("Down %1 %2 %3,%4").arg(b).arg(s).arg(x).arg(y);
    };
    view->mouse.onMouseUp = [&](int b, int, double, double) { log << QStringLiteral("Up %1").arg(b); };
    view->mouse.onClick = [&] { log << "Click"; };
    view->onKeyPress = [&](int code) { log << QStringLiteral("Key %1").arg(code); };

    const QPointF at(2 + 10, 2 + 5); // image pixel (10, 5)
    QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                      Qt::ControlModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), Qt::RightButton, Qt::NoButton,
                        Qt::ControlModifier);
    QApplication::sendEvent(view, &press);
    QApplication::sendEvent(view, &release);
    QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QKeyEvent shiftOnly(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(view, &a);
    QApplication::sendEvent(view, &enter);
    QApplication::sendEvent(view, &shiftOnly);
    EXPECT_EQ(log, QStringList({"Down 2 2 10,5", "Up 2", "Click", "Key 97", "Key 13"}));
}

TEST_F(SurfaceViewTest, PointerAndToolTipComeFromTheSurface) {
    surface.setMousePointer(11);
    EXPECT_EQ(view->cursor().shape(), Qt::WaitCursor);
    surface.setMousePointer(12);
    EXPECT_EQ(view->cursor().shape(), Qt::ForbiddenCursor);

    surface.setToolTip(QStringLiteral(" Salir ")); // reports no change
    QHelpEvent tip(QEvent::ToolTip, QPoint(5, 5), view->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(view, &tip);
    EXPECT_EQ(view->toolTip(), QStringLiteral(" Salir "));
}

TEST_F(SurfaceViewTest, DetachesWhenDestroyed) {
    delete view;
    view = nullptr;
    EXPECT_FALSE(surface.onChanged);
    EXPECT_FALSE(surface.onRefresh);
    surface.move(1, 1);
    surface.refresh();
}

// ---------------------------------------------------------------- cursors

TEST(Cursors, StandardCodes) {
    const std::vector<std::pair<int, Qt::CursorShape>> cases = {
        {0, Qt::ArrowCursor},       {1, Qt::ArrowCursor},        {2, Qt::CrossCursor},
        {3, Qt::IBeamCursor},       {4, Qt::ArrowCursor},        {5, Qt::SizeAllCursor},
        {6, Qt::SizeBDiagCursor},   {7, Qt::SizeVerCursor},      {8, Qt::SizeFDiagCursor},
        {9, Qt::SizeHorCursor},     {10, Qt::UpArrowCursor},     {11, Qt::WaitCursor},
        {12, Qt::ForbiddenCursor},  {13, Qt::BusyCursor},        {14, Qt::WhatsThisCursor},
        {15, Qt::SizeAllCursor},    {19, Qt::ArrowCursor},       {20, Qt::ArrowCursor},
        {24, Qt::ArrowCursor},      {-1, Qt::ArrowCursor},       {99, Qt::ArrowCursor},
    };
    for (const auto& [code, shape] : cases) EXPECT_EQ(cursorFor(code).shape(), shape) << code;
}

class CustomCursors : public ::testing::Test {
protected:
    void SetUp() override {
        saved = cursorResourceRoot();
        QImage pic(32, 32, QImage::Format_ARGB32);
        pic.fill(Qt::transparent);
        pic.setPixel(5, 7, qRgb(0, 0, 0));
        ASSERT_TRUE(pic.save(dir.file("MANOABIERTA.png")));
        ASSERT_TRUE(pic.save(dir.file("MANOROJA.png")));
        ASSERT_TRUE(pic.save(dir.file("FLECHANOR.png")));
        writeBytes(dir.file("hotspots.txt"), "MANOABIERTA 5 7\n\nbroken line\nFLECHANOR 16 0\nMANOROJA 99 99\n");
        setCursorResourceRoot(dir.path());
    }
    void TearDown() override { setCursorResourceRoot(saved); }
    ScratchDir dir;
    QString saved;
};

TEST_F(CustomCursors, LoadedByNameWithoutRegardToCase) {
    for (const QString& name : {QStringLiteral("ManoAbierta"), QStringLiteral("MANOABIERTA"),
                                QStringLiteral("manoabierta")}) {
        const QCursor c = cursorFor(99, name);
        EXPECT_EQ(c.shape(), Qt::BitmapCursor) << name.toStdString();
        EXPECT_EQ(c.hotSpot(), QPoint(5, 7)) << name.toStdString();
        EXPECT_EQ(c.pixmap().size(), QSize(32, 32));
    }
    EXPECT_EQ(cursorFor(99, QStringLiteral("FlechaNor")).hotSpot(), QPoint(16, 0));
}

TEST_F(CustomCursors, MissingOrBrokenNeverFails) {
    EXPECT_EQ(cursorFor(99, QStringLiteral("NoExiste")).shape(), Qt::ArrowCursor);
    EXPECT_EQ(cursorFor(99, QString()).shape(), Qt::ArrowCursor);
    // A hot spot outside the picture is not used.
    const QCursor c = cursorFor(99, QStringLiteral("ManoRoja"));
    EXPECT_EQ(c.shape(), Qt::BitmapCursor);
    EXPECT_NE(c.hotSpot(), QPoint(99, 99));
    // The standard codes ignore the name.
    EXPECT_EQ(cursorFor(11, QStringLiteral("ManoAbierta")).shape(), Qt::WaitCursor);
}

// ------------------------------------------------------------ help viewer

class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = helpFolder();
        write("index.html", "<html><body><h1>Contenido</h1><a href=\"2111.html\">Personalizar</a></body></html>");
        write("2111.html", "<html><body><h1>Personalizar</h1><a href=\"index.html\">Contenido</a></body></html>");
        write("2161.html", "<html><body><h1>Historico</h1></body></html>");
        setHelpFolder(dir.path());
    }
    void TearDown() override {
        if (HelpViewer* v = HelpViewer::existing()) v->hide();
        setHelpFolder(saved);
    }
    void write(const char* name, const char* html) { writeBytes(dir.file(QString::fromLatin1(name)), html); }
    static QString shownText() { return HelpViewer::instance()->browser()->toPlainText(); }
    ScratchDir dir;
    QString saved;
};

TEST_F(HelpViewerTest, OpensTopicsAndFallsBackToTheContents) {
    showHelp(2111);
    HelpViewer* v = HelpViewer::existing();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_TRUE(v->isWindow());
    EXPECT_FALSE(v->isModal());
    EXPECT_EQ(v->currentTopic(), 2111);
    EXPECT_TRUE(shownText().contains("Personalizar"));

    showHelp(4242); // no page of its own
    EXPECT_EQ(v->currentTopic(), 0);
    EXPECT_TRUE(shownText().contains("Contenido"));

    showHelp(2161);
    EXPECT_EQ(HelpViewer::instance(), v) << "one viewer";
    EXPECT_EQ(v->currentTopic(), 2161);
    showHelp(0);
    EXPECT_EQ(v->currentTopic(), 0);
}

TEST_F(HelpViewerTest, LinksBetweenPages) {
    showHelp(0);
    HelpViewer* v = HelpViewer::instance();
    v->browser()->setSource(QUrl(QStringLiteral("2111.html"))); // as a click on the link does
    EXPECT_EQ(v->currentTopic(), 2111);
    EXPECT_TRUE(shownText().contains("Personalizar"));
    v->browser()->backward();
    EXPECT_EQ(v->currentTopic(), 0);
}

TEST_F(HelpViewerTest, MissingPagesShowANotice) {
    setHelpFolder(dir.file("nothing-here/"));
    showHelp(2111);
    EXPECT_EQ(HelpViewer::instance()->currentTopic(), -1);
    EXPECT_TRUE(HelpViewer::instance()->isVisible());
}

// Help asked for from inside a modal dialog (a message's help button): the
// viewer opens as a window of the dialog, which is what keeps it out of the
// dialog's input block, and stays open on its own once the dialog closes.
TEST_F(HelpViewerTest, UsableWhileAModalDialogIsOpen) {
    QDialog dialog;
    bool probed = false;
    QTimer::singleShot(0, &dialog, [&] {
        probed = true;
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
        showHelp(2161);
        HelpViewer* v = HelpViewer::instance();
        EXPECT_TRUE(v->isVisible());
        EXPECT_EQ(v->currentTopic(), 2161);
        EXPECT_EQ(v->parentWidget(), &dialog);
        EXPECT_TRUE(v->isWindow());
        ASSERT_NE(v->windowHandle(), nullptr);
        ASSERT_NE(dialog.windowHandle(), nullptr);
        EXPECT_TRUE(dialog.windowHandle()->isAncestorOf(v->windowHandle(), QWindow::IncludeTransients));
        showHelp(2111); // again while the dialog is open
        EXPECT_EQ(v->parentWidget(), &dialog);
        EXPECT_EQ(v->currentTopic(), 2111);
        dialog.reject();
    });
    dialog.exec();
    ASSERT_TRUE(probed);
    HelpViewer* v = HelpViewer::existing();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->parentWidget(), nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->currentTopic(), 2111);
}

// A message window is destroyed when it is answered: the viewer it owned
// must not go with it.
TEST_F(HelpViewerTest, SurvivesTheDestructionOfItsModalOwner) {
    auto* dialog = new QDialog;
    dialog->setModal(true);
    dialog->show();
    ASSERT_EQ(QApplication::activeModalWidget(), dialog);
    showHelp(2161);
    HelpViewer* v = HelpViewer::existing();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->parentWidget(), dialog);
    delete dialog;
    ASSERT_EQ(HelpViewer::existing(), v);
    EXPECT_EQ(v->parentWidget(), nullptr);
    showHelp(2111);
    EXPECT_EQ(v->currentTopic(), 2111);
    EXPECT_EQ(v->parentWidget(), nullptr);
}

// ----------------------------------------------------------------- screen

TEST(Screen, SizeOfThePrimaryScreen) {
    const QSize s = screenSize();
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    EXPECT_EQ(s, QGuiApplication::primaryScreen()->size());
    EXPECT_GT(s.width(), 0);
    EXPECT_GT(s.height(), 0);
}

} // namespace

// A list that takes the focus with nothing chosen (the window opening, the
// Tab key) chooses nothing: the view's own move to its first row raises no
// Click; the player's press on a row still does.
TEST(ListBoxView, TakingTheFocusChoosesNothing) {
    plat::ListBox box;
    for (const char* t : {"Avion", "Barco", "Casa"}) box.AddItem(QString::fromLatin1(t));
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    QWidget ventana;
    plat::ListBoxView vista(&box, &ventana);
    ventana.show();
    for (Qt::FocusReason r : {Qt::TabFocusReason, Qt::ActiveWindowFocusReason, Qt::OtherFocusReason}) {
        vista.clearFocus();
        QFocusEvent foco(QEvent::FocusIn, r);
        QApplication::sendEvent(&vista, &foco);
        EXPECT_EQ(box.ListIndex(), -1) << r;
        EXPECT_EQ(vista.currentRow(), -1) << r;
        EXPECT_EQ(clicks, 0) << r;
    }
    const QRect fila = vista.visualItemRect(vista.item(1));
    const QPointF punto = fila.center();
    QMouseEvent pulsa(QEvent::MouseButtonPress, punto, vista.viewport()->mapToGlobal(punto), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vista.viewport(), &pulsa);
    EXPECT_EQ(box.ListIndex(), 1);
    EXPECT_EQ(clicks, 1);
}
