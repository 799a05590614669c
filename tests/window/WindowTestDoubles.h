#pragma once
// Stand-ins for the desktop in widget tests: a clipboard, an error box and a
// browser that only remember what they were given.

#include "Clipboard.h"
#include "ErrorPresenter.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <utility>
#include <vector>

namespace zelv::window_fakes {

class RecordingClipboard final : public Clipboard {
public:
    QString text() const override { return text_; }
    void setText(const QString& text) override
    {
        text_ = text;
        ++writes;
    }
    int writes = 0;

private:
    QString text_;
};

class RecordingPresenter final : public ErrorPresenter {
public:
    void showError(const QString& caption, const QString& text) override
    {
        shown.emplace_back(caption, text);
    }
    std::vector<std::pair<QString, QString>> shown;
};

struct RecordingBrowser {
    QList<QUrl> opened;
    void operator()(const QUrl& url) { opened.append(url); }
};

} // namespace zelv::window_fakes
