#pragma once
// A label that is a web link: blue, underlined, with the hand cursor.  A left
// click opens its address in the desktop's browser; a right click offers to
// open it or to copy it.  It is a Tab stop (a click does not take the
// focus): Enter or Space opens it, the context-menu key or Shift+F10 offers
// the menu.  Assistive technology sees a link named by its
// caption (or its accessible name), described by its address, which its
// press action opens.

#include <QLabel>
#include <QUrl>
#include <functional>

class QMenu;

namespace zelv {

class Clipboard;

// Opens an address and says whether that worked; the default hands it to
// QDesktopServices.
using UrlOpener = std::function<bool(const QUrl&)>;
bool openWithDesktop(const QUrl& url);

class TElURLLabel : public QLabel {
    Q_OBJECT

public:
    explicit TElURLLabel(const QString& caption, const QUrl& url, QWidget* parent = nullptr);

    QUrl URL() const { return url_; }
    // What a click, "Jump to URL" and "Copy URL" use from now on.
    void setURL(const QUrl& url);

    // Where "Copy URL" puts the address; null means the desktop's clipboard.
    void setClipboard(Clipboard* clipboard) { clipboard_ = clipboard; }
    void setOpener(UrlOpener opener) { opener_ = std::move(opener); }

    // Opens the address; a failure of the browser is not reported.
    void jumpToURL();
    // Puts the address on the clipboard as plain text.
    void copyURL();

    // The right-click menu, "&Jump to URL" and "&Copy URL"; the caller owns it.
    QMenu* createContextMenu();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showContextMenu(const QPoint& globalPosition);

    QUrl url_;
    Clipboard* clipboard_ = nullptr;
    UrlOpener opener_ = openWithDesktop;
    bool leftPressed_ = false;
};

} // namespace zelv
