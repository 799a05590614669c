#include "F_HauptU.h"

#include "CurrEdit.h"
#include "F_HauptLayout.h"
#include "ElSpinEdit.h"
#include "ElURLLabel.h"
#include "RadioGroup.h"
#include "ReadOnlyEdit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

// What the controls say beyond their geometry: accessible names, tooltips,
// and captions fitted to the fonts the system has.

namespace zelv {

using namespace layout;

void TF_Haupt::describeControls()
{
    // What a screen reader calls each control, in German, each name its own;
    // and a tooltip in one line (also read as the control's description):
    // for the buttons, what they convert or copy; for the TMERC input, how a
    // Gauß-Krüger map, the grid of most old German maps, is entered.  The
    // links take their caption as name and their address as description
    // (TElURLLabel).
    const struct {
        QWidget* control;
        const char* name;
        const char* toolTip = nullptr;
    } descriptions[] = {
        {CE_Laenge_Grad, "Länge, Grad"},
        {CE_Laenge_Minuten, "Länge, Minuten"},
        {CE_Laenge_Sekunden, "Länge, Sekunden"},
        {CE_Breite_Grad, "Breite, Grad"},
        {CE_Breite_Minuten, "Breite, Minuten"},
        {CE_Breite_Sekunden, "Breite, Sekunden"},
        {CE_Laenge, "Länge, Dezimalgrad"},
        {CE_Breite, "Breite, Dezimalgrad"},
        {BitBtn_LL_UTM, "Länge und Breite nach UTM umrechnen",
         "Rechnet Länge und Breite (Dezimalgrad) in UTM-Zone, Rechts- und Hochwert um"},
        {BitBtn_UTM_LL, "UTM nach Länge und Breite umrechnen",
         "Rechnet UTM-Zone, Rechts- und Hochwert in Länge und Breite um"},
        {ElSE_Zone, "UTM-Zone"},
        {ElSE_Zone->upButton(), "UTM-Zone erhöhen"},
        {ElSE_Zone->downButton(), "UTM-Zone verringern"},
        {CE_Rechts, "UTM Rechtswert"},
        {CE_Hoch, "UTM Hochwert"},
        {E_ZELV, "ZELV-Ortsangabe"},
        {BitBtn_kopieren, "ZELV-Ortsangabe kopieren",
         "Kopiert die ZELV-Ortsangabe in die Zwischenablage (Strg+Umschalt+C, Alt+K)"},
        {E_TK25, "Messtischblatt (TK25)"},
        {CE_TMERC_Laenge_Grad, "TMERC Bezugslänge, Grad",
         "Bezugslänge in Grad. Gauß-Krüger: 3·k° für die Kennziffer k = 2…7 (erste Ziffer des Rechtswerts), "
         "z.B. Zone 4: 12°, Zone 6 (Schlesien): 18°"},
        {CE_TMERC_Laenge_Minuten, "TMERC Bezugslänge, Minuten", "Minuten der Bezugslänge; bei Gauß-Krüger 0"},
        {RG_Eingabe_km_m, "TMERC Eingabe in km oder m", "Einheit von Bezugs-R-Wert, Rechts- und Hochwert"},
        {RG_Eingabe_km_m->button(0), "TMERC Eingabe in km"},
        {RG_Eingabe_km_m->button(1), "TMERC Eingabe in m"},
        {CB_TMERC_ETRS89, "TMERC Länge und Breite in ETRS89 (BeTA2007)", datumShiftToolTip},
        {CE_TMERC_BezugsRechts, "TMERC Bezugs-Rechtswert",
         "Bezugs-Rechtswert in der gewählten Einheit. Gauß-Krüger: k·1000 km + 500 km für k = 2…7, "
         "z.B. Zone 4: 4500 km oder 4500000 m, Zone 6: 6500 km"},
        {CE_TMERC_Rechts, "TMERC Rechtswert", "Rechtswert der Karte (Gauß-Krüger) in der gewählten Einheit"},
        {CE_TMERC_Hoch, "TMERC Hochwert", "Hochwert der Karte (Gauß-Krüger) in der gewählten Einheit"},
        {BitBtn_LL_TMERC, "Länge und Breite nach TMERC umrechnen",
         "Rechnet Länge und Breite (Dezimalgrad) mit Bezugslänge und Bezugs-R-Wert in TMERC-Rechts- und Hochwert um"},
        {BitBtn_TMERC_LL, "TMERC nach Länge und Breite umrechnen",
         "Rechnet TMERC-Rechts- und Hochwert mit Bezugslänge und Bezugs-R-Wert in Länge und Breite um"},
        {BitBtn_Koordinaten_aus_Zwischenablage, "Koordinaten aus Zwischenablage holen und konvertieren",
         "Liest ein Koordinatenpaar aus der Zwischenablage und zeigt es in Grad und Dezimalgrad "
         "(Strg+Umschalt+V, Alt+H)"},
    };
    for (const auto& d : descriptions) {
        d.control->setAccessibleName(QString::fromUtf8(d.name));
        if (d.toolTip)
            d.control->setToolTip(QString::fromUtf8(d.toolTip));
    }
}

void TF_Haupt::fitCaptions()
{
    // The layout's places were made for a narrow face.  Where the platform's
    // face is wider, the default font is condensed, all of it alike, just
    // enough that every small caption ends before the control to its right
    // (or the window's edge).
    struct Caption {
        QLabel* label;
        int room;
    };
    std::vector<Caption> captions;
    const QList<QLabel*> labels = findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    for (QLabel* label : labels) {
        if (label->font().pointSize() != font().pointSize())
            continue; // a large caption keeps its width
        int right = clientWidth;
        for (QObject* object : children()) {
            auto* other = qobject_cast<QWidget*>(object);
            if (!other || other == label || other->x() <= label->x())
                continue;
            const bool sameRow = other->y() < label->y() + label->height() && label->y() < other->y() + other->height();
            if (sameRow)
                right = std::min(right, other->x());
        }
        captions.push_back({label, right - label->x() - captionGap});
    }

    // Whether every caption fits in `font`, and how much room the tightest
    // one has per pixel of its text.
    struct Measurement {
        bool fits = true;
        double ratio = std::numeric_limits<double>::infinity();
    };
    auto measure = [&](const QFont& font) {
        const QFontMetrics metrics(font);
        Measurement m;
        for (const Caption& c : captions) {
            const int width = metrics.horizontalAdvance(c.label->text());
            m.fits = m.fits && width <= c.room;
            if (width > 0)
                m.ratio = std::min(m.ratio, static_cast<double>(c.room) / width);
        }
        return m;
    };
    // The widest stretch that fits.  Every stretch tried loads a font of its
    // own, so rather than halving the range each guess comes from the widths
    // in the last font tried (within one face they follow the stretch nearly
    // in proportion), kept strictly between the widest stretch known to fit
    // and the narrowest known not to.  The first measurement is the default
    // font as the labels show it, loaded already.
    QFont condensed = font();
    Measurement last = measure(condensed);
    int stretch = 100;
    if (!last.fits) {
        int low = minimumStretch; // taken when nothing wider fits
        int high = stretch;       // known not to fit
        int tried = stretch;
        while (high - low > 1) {
            const int guess = static_cast<int>(std::clamp(std::floor(tried * last.ratio), low + 1.0, high - 1.0));
            condensed.setStretch(guess);
            last = measure(condensed);
            (last.fits ? low : high) = guess;
            tried = guess;
        }
        stretch = low;
    }
    condensed.setStretch(stretch);
    if (stretch != 100)
        setFont(condensed);
    for (QLabel* label : labels)
        label->adjustSize();
}

} // namespace zelv
