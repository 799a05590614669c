// The batch mode against the window it stands in for: a line's location
// text is what the clipboard button writes for the same text, and its CSV
// row's UTM values are what the latitude/longitude-to-UTM button computes
// from the decimal fields then.
#include "BatchConversion.h"
#include "HandlerWindowFixture.h"

#include <QStringList>

namespace zelv::window_fakes {
namespace {

class BatchAgainstWindow : public HandlerWindowTest {};

TEST_F(BatchAgainstWindow, LocationTextAndUtmValuesAsTheButtonsGiveThem)
{
    const char* lines[] = {
        "50.41484, 10.76943",
        "50.4148449, 10.7694349", // six decimals first, then five
        "52.5199949, 13.4049951",
        "13.405 Ost, 52.52 Nord",
        "52.52 Nord, 13.405 Ost",
        "East 12\u00B0" "34' North 51\u00B0" "23'",
        "JO62QM",
        "-33.9249, 18.4241",
        "\u221233\u02DA 55\u2032 12,5\u2033, 18\u00BA 25\u2019 26\u201D",
        "N 64\u00B0 8.5 W 21\u00B0 56.3",
        "geo:-0.0000004,-0.0000006",
        "32U 625712 5586252",
        "34H 261878 6243186",
        "https://www.google.com/maps/place/X/@35.6,139.6,17z/data=!3d35.6585805!4d139.7454329",
    };
    TF_Haupt& w = window();
    // The window's own data directory, datum grid included.
    BatchConverter batch(QFile::encodeName(w.ProgramDirectory() + QStringLiteral("nad")).toStdString(),
                         BatchFormat::Csv);
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        clipboard.setText(QString::fromUtf8(line));
        click(w.BitBtn_Koordinaten_aus_Zwischenablage);
        ASSERT_TRUE(presenter.shown.empty());
        click(w.BitBtn_LL_UTM);
        const QString windowUtm = QStringList{QString::number(w.ElSE_Zone->Value()),
                                              QString::number(static_cast<qint64>(w.CE_Rechts->Value())),
                                              QString::number(static_cast<qint64>(w.CE_Hoch->Value()))}
                                      .join(u',');

        const ConvertedLine row = batch.convertLine(line);
        EXPECT_EQ(row.failure, "");
        const QStringList columns = QString::fromStdString(row.text).split(u',');
        ASSERT_EQ(columns.size(), 7);
        EXPECT_EQ(columns[5], w.E_ZELV->text());
        EXPECT_EQ(columns[6], w.E_TK25->text());
        EXPECT_EQ(QStringList(columns.mid(2, 3)).join(u','), windowUtm);
    }
}

} // namespace
} // namespace zelv::window_fakes
