// The button "Koordinaten aus Zwischenablage holen und konvertieren": the
// clipboard's text through the reader into the decimal fields, the angle
// fields and the location text (a UTM text through the UTM fields and their
// conversion), or a message and nothing else.
#include "ClipboardCoordinates.h"
#include "GTestQtPrinters.h"
#include "HandlerWindowFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace zelv::window_fakes {
namespace {

class ClipboardButton : public HandlerWindowTest {
protected:
    explicit ClipboardButton(Separators separators = germanSeparators) : HandlerWindowTest(separators) {}
};

struct ReadCase {
    const char* clipboard; // UTF-8, as the desktop hands it over
    const char* longitude; // the decimal fields as shown
    const char* latitude;
    const char* longitudeParts;
    const char* location;
};

TEST_F(ClipboardButton, RecognisedTextFillsTheFields)
{
    const ReadCase cases[] = {
        // 13,4 lies a hair below 13.4 in extended precision and must still
        // split as 13 24 0,0
        {"52\u00B031'N 13\u00B024'O", "13,400000", "52,516667", "13 24 0,0",
         "liegt bei 52.51667\u00B0N 13.40000\u00B0O;"},
        // primes from a web page stand for the minute sign
        {"52\u00B031\u2032N 13\u00B024\u2032O", "13,400000", "52,516667", "13 24 0,0",
         "liegt bei 52.51667\u00B0N 13.40000\u00B0O;"},
        // "\u00FC" of "S\u00FCd" arrives as Unicode and is read as the reader's own
        {"8.5 West, 50.25 S\u00FCd", "-8,500000", "-50,250000", "-8 30 0,0",
         "liegt bei 50.25000\u00B0S 8.50000\u00B0W;"},
        {"13.405 Ost, 52.52 Nord", "13,405000", "52,520000", "13 24 18,0",
         "liegt bei 52.52000\u00B0N 13.40500\u00B0O;"},
        {"JO62QM", "13,333333", "52,500000", "13 19 59,9" /* 59,9988 s held at 59,9 */,
         "liegt bei 52.50000\u00B0N 13.33333\u00B0O;"},
        // the notation has no range of its own: the decimal fields hold the values at theirs
        {"200 Ost, 95 Nord", "180,000000", "90,000000", "180  0,0", "liegt bei 90.00000\u00B0N 180.00000\u00B0O;"},
        // Notation 1 refuses these (latitude first; a blank after the degree
        // sign); the notations beyond the five read them.
        {"52.52 Nord, 13.405 Ost", "13,405000", "52,520000", "13 24 18,0",
         "liegt bei 52.52000\u00B0N 13.40500\u00B0O;"},
        {"13.405\u00B0 Ost, 52.52\u00B0 Nord", "13,405000", "52,520000", "13 24 18,0",
         "liegt bei 52.52000\u00B0N 13.40500\u00B0O;"},
        {"https://www.openstreetmap.org/?mlat=50.41484&mlon=10.76943#map=15/50.4/10.7", "10,769430", "50,414840",
         "10 46 9,9", "liegt bei 50.41484\u00B0N 10.76943\u00B0O;"},
        {"\u221233\u02DA 55\u2032 12,5\u2033, 18\u00BA 25\u2019 26\u201D", "18,423889", "-33,920139",
         "18 25 26,0", "liegt bei 33.92014\u00B0S 18.42389\u00B0O;"},
        // Wikipedia, German with its label, English with three notations and
        // the invisible marks it copies along.
        {"Koordinaten: 51\u00B0 9\u2032 10\u2033 N, 14\u00B0 59\u2032 14\u2033 O", "14,987222", "51,152778",
         "14 59 14,0", "liegt bei 51.15278\u00B0N 14.98722\u00B0O;"},
        {"\uFEFF51\u00B009\u203210\u2033N 14\u00B059\u203214\u2033E\uFEFF / \uFEFF51.15278\u00B0N "
         "14.98722\u00B0E\uFEFF / 51.15278; 14.98722\u200E",
         "14,987220", "51,152780", "14 59 14,0", "liegt bei 51.15278\u00B0N 14.98722\u00B0O;"},
        // ru.wikipedia: compass words that Windows-1252 lacks, and the map
        // links' letters glued on.
        {"54\u00B048\u203200\u2033 \u0441. \u0448. 21\u00B025\u203200\u2033 \u0432. \u0434.HG\u042FO", "21,416667",
         "54,800000", "21 25 0,0", "liegt bei 54.80000\u00B0N 21.41667\u00B0O;"},
        // A Google Maps share link.
        {"https://www.google.com/maps?q=52.5200,13.4050", "13,405000", "52,520000", "13 24 18,0",
         "liegt bei 52.52000\u00B0N 13.40500\u00B0O;"},
    };
    TF_Haupt& w = window();
    for (const auto& c : cases) {
        paste(QString::fromUtf8(c.clipboard));
        EXPECT_EQ(str(w.CE_Laenge->ShownText()), c.longitude) << c.clipboard;
        EXPECT_EQ(str(w.CE_Breite->ShownText()), c.latitude) << c.clipboard;
        EXPECT_EQ(str(w.CE_Laenge_Grad->Text() + u' ' + w.CE_Laenge_Minuten->Text() + u' ' +
                      w.CE_Laenge_Sekunden->ShownText()),
                  c.longitudeParts)
            << c.clipboard;
        EXPECT_EQ(str(w.E_ZELV->text()), c.location) << c.clipboard;
    }
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(ClipboardButton, UtmTextFillsTheUtmFieldsAndConvertsThem)
{
    TF_Haupt& w = window();
    paste(QStringLiteral("32U 625712 5586252"));
    EXPECT_EQ(w.ElSE_Zone->Value(), 32);
    EXPECT_EQ(str(w.CE_Rechts->ShownText()), "625712");
    EXPECT_EQ(str(w.CE_Hoch->ShownText()), "5586252");
    // As the UTM-to-latitude/longitude button gives them.
    EXPECT_EQ(str(w.CE_Laenge->ShownText() + u' ' + w.CE_Breite->ShownText()), "10,769435 50,414837");
    EXPECT_EQ(str(w.CE_Breite_Grad->Text() + u' ' + w.CE_Breite_Minuten->Text() + u' ' +
                  w.CE_Breite_Sekunden->ShownText()),
              "50 24 53,4");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 50.41484\u00B0N 10.76944\u00B0O;");

    // A southern northing is written without its false northing, negative.
    paste(QStringLiteral("34H 261878 6243186"));
    EXPECT_EQ(w.ElSE_Zone->Value(), 34);
    EXPECT_EQ(str(w.CE_Hoch->ShownText()), "-3756814");
    EXPECT_EQ(str(w.CE_Laenge->ShownText() + u' ' + w.CE_Breite->ShownText()), "18,424062 -33,924866");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 33.92487\u00B0S 18.42406\u00B0O;");
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(ClipboardButton, MgrsTextFillsTheUtmFieldsAndConvertsThem)
{
    TF_Haupt& w = window();
    paste(QStringLiteral("33UUU 91779 20072"));
    EXPECT_EQ(w.ElSE_Zone->Value(), 33);
    EXPECT_EQ(str(w.CE_Rechts->ShownText()), "391779");
    EXPECT_EQ(str(w.CE_Hoch->ShownText()), "5820072");
    EXPECT_EQ(str(w.CE_Laenge->ShownText() + u' ' + w.CE_Breite->ShownText()), "13,404996 52,519999");
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 52.52000\u00B0N 13.40500\u00B0O;");

    // Four digit pairs: the centre of the 10 m square.
    paste(QStringLiteral("32UPA 2571 8625"));
    EXPECT_EQ(w.ElSE_Zone->Value(), 32);
    EXPECT_EQ(str(w.CE_Rechts->ShownText()), "625715");
    EXPECT_EQ(str(w.CE_Hoch->ShownText()), "5586255");
    EXPECT_TRUE(presenter.shown.empty());
}

// A form that is recognised but cannot be used: its own message in the same
// box, and the fields stay as they were.
TEST_F(ClipboardButton, UnusableFormShowsItsCauseAndChangesNothing)
{
    struct Case {
        const char* text;
        const char* form;  // the message names the form
        const char* cause; // and says why
    };
    const Case cases[] = {
        {"https://maps.app.goo.gl/AbCdEfGh123", "Kurzlink", "Adresszeile"},
        {"GCC4+22 Berlin", "Plus Code", "vollst\u00E4ndigen"},
        {"ZGC 12345 67890", "MGRS", "UTM-Felder"},
    };
    paste(QStringLiteral("52°31'N 13°24'O"));
    for (const Case& c : cases) {
        presenter.shown.clear();
        const std::string before = snapshot();
        paste(QString::fromUtf8(c.text));
        ASSERT_EQ(presenter.shown.size(), 1u) << c.text;
        EXPECT_EQ(str(presenter.shown[0].first), "Fehler") << c.text;
        const QString& message = presenter.shown[0].second;
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.form))) << str(message);
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.cause))) << str(message);
        EXPECT_EQ(snapshot(), before) << c.text;
    }
}

TEST_F(ClipboardButton, TextEndsAtItsFirstNul)
{
    // After the NUL a format-1 text would begin; the platform's text ended before it.
    paste(QStringLiteral("52°31'N 13°24'O") + QChar(u'\0') + QStringLiteral(" 1.5 Ost, 2.5 Nord"));
    EXPECT_EQ(str(window().CE_Laenge->ShownText()), "13,400000");
    EXPECT_TRUE(presenter.shown.empty());

    paste(QChar(u'\0') + QStringLiteral("52°31'N 13°24'O"));
    EXPECT_EQ(str(window().CE_Laenge->ShownText()), "13,400000");
    EXPECT_TRUE(presenter.shown.empty()); // empty up to the NUL: silent
}

TEST_F(ClipboardButton, UnrecognisedTextShowsTheMessageOnceAndChangesNothing)
{
    // The message, or where the reader names a cause, words of it.
    const std::pair<const char*, const char*> texts[] = {
        {"Hallo", "Es befinden sich keine g\u00FCltigen Koordinaten in der Zwischenablage!"},
        {"JO62QM\n", "Es befinden sich keine g\u00FCltigen Koordinaten in der Zwischenablage!"},
        {"52\u00B031'N 13\u00B024'", "fehlt bei \u201E13\u00B024'\u201C die Himmelsrichtung"},
        {"52\u00B031\u20ACN 13\u00B024'O", "fehlt bei \u201E52\u00B031\u201C die Himmelsrichtung"},
        {"Nord West 54\u00B042'N", "Nach \u201E54\u00B042'N\u201C fehlt die L\u00E4nge."},
    };
    TF_Haupt& w = window();
    paste(QStringLiteral("52°31'N 13°24'O"));
    for (const auto& [text, message] : texts) {
        presenter.shown.clear();
        const std::string before = snapshot();
        paste(QString::fromUtf8(text));
        ASSERT_EQ(presenter.shown.size(), 1u) << text;
        EXPECT_EQ(str(presenter.shown[0].first), "Fehler") << text;
        EXPECT_NE(str(presenter.shown[0].second).find(message), std::string::npos)
            << text << ": " << str(presenter.shown[0].second);
        EXPECT_EQ(snapshot(), before) << text;
    }
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 52.51667\u00B0N 13.40000\u00B0O;");
}

TEST_F(ClipboardButton, ConversionErrorGoesToTheApplicationsBox)
{
    paste(QStringLiteral("52°31'N 13°24'O"));
    const std::string before = snapshot();
    // Notation 4 entered; its second number is none, and nothing else reads
    // the text.
    paste(QStringLiteral("Lat: (51.25) Lon: (x)"));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(str(presenter.shown[0].first), "Zelv_derarar");
    EXPECT_EQ(str(presenter.shown[0].second), "'x' ist kein g\u00FCltiger Gleitkommawert.");
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ClipboardButton, NoTextDoesNothing)
{
    paste(QStringLiteral("52°31'N 13°24'O"));
    const std::string before = snapshot();
    paste(QString()); // empty, or a picture only: the clipboard has no text
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(presenter.shown.empty());
}

class SystemClipboardButton : public ClipboardButton {
protected:
    SystemClipboardButton() { clipboardInUse = &system; }
    SystemClipboard system;
};

TEST_F(SystemClipboardButton, PictureOnlyIsNoText)
{
    TF_Haupt& w = window();
    click(w.BitBtn_kopieren);
    const std::string before = snapshot();

    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    auto* data = new QMimeData;
    data->setImageData(picture);
    QGuiApplication::clipboard()->setMimeData(data); // the clipboard owns it
    ASSERT_TRUE(QGuiApplication::clipboard()->mimeData()->hasImage());
    EXPECT_EQ(system.text(), QString());

    click(w.BitBtn_Koordinaten_aus_Zwischenablage);
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(presenter.shown.empty());

    // A text put there by another program is read.
    QGuiApplication::clipboard()->setText(QStringLiteral("52°31′N 13°24′O"));
    click(w.BitBtn_Koordinaten_aus_Zwischenablage);
    EXPECT_EQ(str(w.E_ZELV->text()), "liegt bei 52.51667\u00B0N 13.40000\u00B0O;");
}

class ClipboardButtonUnderPointLocale : public ClipboardButton {
protected:
    ClipboardButtonUnderPointLocale() : ClipboardButton(pointSeparators) {}
};

TEST_F(ClipboardButtonUnderPointLocale, DecimalPointReadAndShown)
{
    paste(QStringLiteral("13.405 Ost, 52.52 Nord"));
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(str(window().CE_Laenge->ShownText()), "13.405000");
    EXPECT_EQ(str(window().CE_Laenge_Sekunden->ShownText()), "18.0");
    EXPECT_EQ(str(window().E_ZELV->text()), "liegt bei 52.52000\u00B0N 13.40500\u00B0O;");
}

} // namespace
} // namespace zelv::window_fakes
