// The window as the desktop around it sees it: what assistive technology
// reads of each control, the buttons' tooltips, and the button pictures on a
// display scaled to 200 %.
#include "HandlerWindowFixture.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace zelv::window_fakes {
namespace {

class DesktopUse : public HandlerWindowTest {};

TEST_F(DesktopUse, PicturesAreSharpAtDoubleScale)
{
    TF_Haupt& w = window();
    const struct {
        QPushButton* button;
        const char* picture;
    } buttons[] = {
        {w.BitBtn_LL_UTM, "arrow-right"},
        {w.BitBtn_UTM_LL, "arrow-left"},
        {w.BitBtn_TMERC_LL, "arrow-left"},
        {w.BitBtn_kopieren, "copy-to-clipboard"},
        {w.BitBtn_Koordinaten_aus_Zwischenablage, "paste-from-clipboard"},
    };
    const struct {
        QIcon::Mode mode;
        const char* suffix;
    } modes[] = {{QIcon::Normal, ""}, {QIcon::Disabled, "-disabled"}};
    for (const auto& b : buttons) {
        ASSERT_EQ(b.button->iconSize(), QSize(16, 16));
        for (const auto& m : modes) {
            for (const int ratio : {1, 2}) {
                // Drawn at that size, not scaled from the other one.
                const QString file = QStringLiteral(":/pictures/%1%2%3.png")
                                         .arg(QString::fromLatin1(b.picture), QString::fromLatin1(m.suffix),
                                              ratio == 1 ? QString() : QStringLiteral("-32"));
                const QImage drawn(file);
                ASSERT_EQ(drawn.size(), QSize(16, 16) * ratio) << str(file);
                const QImage shown = b.button->icon().pixmap(b.button->iconSize(), ratio, m.mode).toImage();
                EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32), drawn.convertToFormat(QImage::Format_ARGB32))
                    << str(file);
            }
        }
    }
}

} // namespace
} // namespace zelv::window_fakes
