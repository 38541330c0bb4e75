#include "platform/ui/helpviewer.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace plat {

namespace {

QString& folderSetting() {
    static QString folder;
    return folder;
}

QPointer<HelpViewer>& theViewer() {
    static QPointer<HelpViewer> viewer;
    return viewer;
}

} // namespace

QString helpFolder() {
    const QString& f = folderSetting();
    if (!f.isEmpty()) return f;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help/");
}

void setHelpFolder(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        folderSetting() = folder;
    else
        folderSetting() = folder + QLatin1Char('/');
}

HelpViewer* HelpViewer::instance() {
    QPointer<HelpViewer>& v = theViewer();
    if (!v) v = new HelpViewer;
    return v;
}

HelpViewer* HelpViewer::existing() { return theViewer(); }

HelpViewer::HelpViewer() : QWidget(nullptr, Qt::Window) {
    setWindowTitle(QStringLiteral("Ayuda"));
    setObjectName(QStringLiteral("helpViewer"));
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 480);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) { pageChanged(url); });
}

void HelpViewer::pageChanged(const QUrl& url) {
    const QString base = QFileInfo(url.fileName()).completeBaseName();
    if (base.compare(QStringLiteral("index"), Qt::CaseInsensitive) == 0) {
        currentTopic_ = 0;
        return;
    }
    bool ok = false;
    const int topic = base.toInt(&ok);
    currentTopic_ = ok ? topic : -1;
}

void HelpViewer::placeOver(QWidget* owner) {
    if (parentWidget() == owner) return;
    const QRect keep = geometry();
    const bool wasVisible = isVisible();
    if (owner_) owner_->removeEventFilter(this);
    owner_ = owner;
    if (owner) owner->installEventFilter(this);
    setParent(owner, Qt::Window); // hides the window
    setGeometry(keep);
    if (wasVisible) show();
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* e) {
    // The modal window the viewer belongs to is closing (or going away): the
    // viewer stays open on its own instead of going with it.
    if (watched == owner_ && e->type() == QEvent::Hide) placeOver(nullptr);
    return QWidget::eventFilter(watched, e);
}

void HelpViewer::showTopic(int topic) {
    placeOver(QApplication::activeModalWidget());

    const QString folder = helpFolder();
    browser_->setSearchPaths({folder});
    QString file = folder + QString::number(topic) + QStringLiteral(".html");
    if (topic == 0 || !QFileInfo(file).isFile()) file = folder + QStringLiteral("index.html");
    if (QFileInfo(file).isFile()) {
        const QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
        if (browser_->source() == url)
            browser_->reload();
        else
            browser_->setSource(url);
        pageChanged(url);
    } else {
        browser_->setHtml(QStringLiteral("<p>No se encuentra la ayuda.</p>"));
        currentTopic_ = -1;
    }
    show();
    raise();
    activateWindow();
}

void showHelp(int topic) { HelpViewer::instance()->showTopic(topic); }

} // namespace plat
