#pragma once
// The clipboard as the window uses it: plain text in, plain text out.  An
// interface so that tests use a clipboard of their own.

#include <QString>

namespace zelv {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's plain text; empty when it holds none (empty, or a picture only).
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

// The desktop's clipboard through QGuiApplication::clipboard().
class SystemClipboard final : public Clipboard {
public:
    QString text() const override;
    void setText(const QString& text) override;
};

} // namespace zelv
