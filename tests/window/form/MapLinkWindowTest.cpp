// The "multimap" link: OpenStreetMap's home page until the location text
// has a position, then the map at that position, for a click and for "Copy
// URL" alike, after every operation that writes the location text.
#include "ElURLLabel.h"
#include "HandlerWindowFixture.h"

#include <QAction>
#include <QMenu>

namespace zelv::window_fakes {
namespace {

const char* const homePage = "https://www.openstreetmap.org/";

class MapLinkWindowTest : public HandlerWindowTest, public ::testing::WithParamInterface<Separators> {
protected:
    MapLinkWindowTest() : HandlerWindowTest(GetParam()) {}

    // A number as the user types it under the test's separators.
    QString typed(const char* number) const
    {
        return QString::fromLatin1(number).replace(u'.', QChar::fromLatin1(GetParam().decimal));
    }

    // What a click on the link opens and what its "Copy URL" copies, when
    // they agree; the two apart otherwise.
    std::string address()
    {
        TElURLLabel* link = window().ElURLLabel1;
        RecordingBrowser browser;
        link->setOpener([&browser](const QUrl& url) { browser(url); return true; });
        QTest::mouseClick(link, Qt::LeftButton);
        link->setOpener({});
        std::unique_ptr<QMenu> menu(link->createContextMenu());
        for (QAction* action : menu->actions()) {
            if (action->text() == QStringLiteral("&Copy URL"))
                action->trigger();
        }
        const std::string clicked = browser.opened.size() == 1 ? str(browser.opened.front().toString()) : "?";
        const std::string copied = str(clipboard.text());
        return clicked == copied ? clicked : "click " + clicked + ", copy " + copied;
    }
};

TEST_P(MapLinkWindowTest, HomePageUntilThereIsAPosition)
{
    // The location text as laid out, without a position.
    EXPECT_EQ(str(window().E_ZELV->text()), "liegt bei");
    EXPECT_EQ(address(), homePage);
}

TEST_P(MapLinkWindowTest, TheDecimalFieldsGiveThePosition)
{
    TF_Haupt& w = window();
    enter(w.CE_Laenge, typed("10.76943"));
    enter(w.CE_Breite, typed("50.41484"));
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 50.41484\u00B0N 10.76943\u00B0O;");
    EXPECT_EQ(address(), "https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943#map=15/50.41484/10.76943");

    // South and west, through the degree fields.
    enter(w.CE_Laenge_Grad, typed("-8"));
    enter(w.CE_Laenge_Minuten, typed("30"));
    enter(w.CE_Laenge_Sekunden, typed("0"));
    enter(w.CE_Breite_Grad, typed("-50"));
    enter(w.CE_Breite_Minuten, typed("15"));
    enter(w.CE_Breite_Sekunden, typed("0"));
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 50.25000\u00B0S 8.50000\u00B0W;");
    EXPECT_EQ(address(), "https://www.openstreetmap.org/?mlat=-50.25000&mlon=-8.50000#map=15/-50.25000/-8.50000");
}

TEST_P(MapLinkWindowTest, ConversionsAndTheClipboardButtonMoveIt)
{
    TF_Haupt& w = window();
    type(w.ElSE_Zone, QStringLiteral("32"));
    enter(w.CE_Rechts, QStringLiteral("625712"));
    type(w.CE_Hoch, QStringLiteral("5586252"));
    click(w.BitBtn_UTM_LL);
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 50.41484\u00B0N 10.76944\u00B0O;");
    EXPECT_EQ(address(), "https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76944#map=15/50.41484/10.76944");

    clipboard.setText(QStringLiteral("13.405 Ost, 52.52 Nord"));
    click(w.BitBtn_Koordinaten_aus_Zwischenablage);
    EXPECT_EQ(address(), "https://www.openstreetmap.org/?mlat=52.52000&mlon=13.40500#map=15/52.52000/13.40500");
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_P(MapLinkWindowTest, PositionOffTheGlobeNeverReachesIt)
{
    // The latitude field refuses 95, so the link stays at the last position.
    TF_Haupt& w = window();
    enter(w.CE_Laenge, typed("10"));
    enter(w.CE_Breite, typed("95"));
    EXPECT_EQ(presenter.shown.size(), 1u);
    EXPECT_TRUE(w.CE_Breite->hasFocus());
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 0.00000\u00B0N 10.00000\u00B0O;");
    EXPECT_EQ(address(), "https://www.openstreetmap.org/?mlat=0.00000&mlon=10.00000#map=15/0.00000/10.00000");
}

INSTANTIATE_TEST_SUITE_P(Separators, MapLinkWindowTest, ::testing::Values(germanSeparators, pointSeparators),
                         [](const auto& info) { return info.param.decimal == ',' ? "German" : "Point"; });

} // namespace
} // namespace zelv::window_fakes
