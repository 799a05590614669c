#pragma once
// Stand-ins for the desktop in widget tests: a clipboard, an error box and a
// browser that only remember what they were given; and garbage to read.

#include "Clipboard.h"
#include "ErrorPresenter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <random>
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
    // Answers every question with `answer`, and keeps it.
    bool askYesNo(const QString& caption, const QString& question) override
    {
        asked.emplace_back(caption, question);
        return answer;
    }
    std::vector<std::pair<QString, QString>> shown;
    std::vector<std::pair<QString, QString>> asked;
    bool answer = false;
};

struct RecordingBrowser {
    QList<QUrl> opened;
    void operator()(const QUrl& url) { opened.append(url); }
};

// `count` bytes of any value, the same for the same seed.
inline QByteArray randomBytes(unsigned seed, int count)
{
    std::mt19937 random(seed);
    QByteArray bytes;
    bytes.reserve(count);
    for (int i = 0; i < count; ++i)
        bytes += static_cast<char>(random() % 256);
    return bytes;
}

} // namespace zelv::window_fakes
