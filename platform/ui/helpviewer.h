// The help viewer: one window, not modal, that shows the help pages by topic
// number. The pages are HTML files in the help folder: "<topic>.html", with
// "index.html" as the contents page (topic 0, and the page shown for a topic
// that has no page of its own). Links between pages work.
//
// Help may be asked for from inside a modal window (a message with a help
// button, a dialog): the viewer then becomes a window of that modal window,
// so that it takes input while the modal window is open, and it goes back to
// being a window of its own when that one closes. Failures to find pages show
// a short notice; they are never reported as errors.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QTextBrowser;
class QUrl;

namespace plat {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // The one viewer, made on first use.
    static HelpViewer* instance();
    // The viewer if it has been made, else nullptr.
    static HelpViewer* existing();

    // Shows the window at a topic (see above) and brings it to the front.
    void showTopic(int topic);
    // The topic of the page shown: its number, 0 for the contents page, -1
    // when no page could be shown.
    int currentTopic() const { return currentTopic_; }
    QTextBrowser* browser() const { return browser_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    HelpViewer();
    void placeOver(QWidget* owner);
    void pageChanged(const QUrl& url);

    QTextBrowser* browser_ = nullptr;
    QPointer<QWidget> owner_; // the modal window the viewer now belongs to
    int currentTopic_ = -1;
};

// The folder of the help pages, ending in "/"; by default "help/" in the
// program's folder.
QString helpFolder();
void setHelpFolder(const QString& folder);

// Opens the viewer at a topic.
void showHelp(int topic);

} // namespace plat
