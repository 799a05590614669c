// The window as the desktop around it sees it: what assistive technology
// reads of each control, the tooltips, and the button pictures on a display
// scaled to 200 %.
#include "HandlerWindowFixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QToolButton>

namespace zelv::window_fakes {
namespace {

class DesktopUse : public HandlerWindowTest {
protected:
    static QAccessibleInterface* accessible(QWidget* widget)
    {
        QAccessibleInterface* found = QAccessible::queryAccessibleInterface(widget);
        EXPECT_NE(found, nullptr) << str(widget->objectName());
        return found;
    }

    // Every interface below `parent` that is more than a plain caption.
    static void collectControls(QAccessibleInterface* parent, QList<QAccessibleInterface*>& controls)
    {
        for (int i = 0; i < parent->childCount(); ++i) {
            QAccessibleInterface* child = parent->child(i);
            if (child->role() != QAccessible::StaticText)
                controls << child;
            collectControls(child, controls);
        }
    }
};

TEST_F(DesktopUse, ScreenReadersFindEveryControlByItsOwnName)
{
    TF_Haupt& w = window();
    const struct {
        QWidget* control;
        const char* name;
        QAccessible::Role role;
    } controls[] = {
        {w.CE_Laenge_Grad, "Länge, Grad", QAccessible::EditableText},
        {w.CE_Laenge_Minuten, "Länge, Minuten", QAccessible::EditableText},
        {w.CE_Laenge_Sekunden, "Länge, Sekunden", QAccessible::EditableText},
        {w.CE_Breite_Grad, "Breite, Grad", QAccessible::EditableText},
        {w.CE_Breite_Minuten, "Breite, Minuten", QAccessible::EditableText},
        {w.CE_Breite_Sekunden, "Breite, Sekunden", QAccessible::EditableText},
        {w.CE_Laenge, "Länge, Dezimalgrad", QAccessible::EditableText},
        {w.CE_Breite, "Breite, Dezimalgrad", QAccessible::EditableText},
        {w.BitBtn_LL_UTM, "Länge und Breite nach UTM umrechnen", QAccessible::Button},
        {w.BitBtn_UTM_LL, "UTM nach Länge und Breite umrechnen", QAccessible::Button},
        {w.ElSE_Zone, "UTM-Zone", QAccessible::SpinBox},
        {w.ElSE_Zone->upButton(), "UTM-Zone erhöhen", QAccessible::Button},
        {w.ElSE_Zone->downButton(), "UTM-Zone verringern", QAccessible::Button},
        {w.CE_Rechts, "UTM Rechtswert", QAccessible::EditableText},
        {w.CE_Hoch, "UTM Hochwert", QAccessible::EditableText},
        {w.E_ZELV, "ZELV-Ortsangabe", QAccessible::EditableText},
        {w.BitBtn_kopieren, "ZELV-Ortsangabe kopieren", QAccessible::Button},
        {w.BitBtn_Liste_umrechnen, "Liste umrechnen", QAccessible::Button},
        {w.E_TK25, "Messtischblatt (TK25)", QAccessible::EditableText},
        {w.CE_TMERC_Laenge_Grad, "TMERC Bezugslänge, Grad", QAccessible::EditableText},
        {w.CE_TMERC_Laenge_Minuten, "TMERC Bezugslänge, Minuten", QAccessible::EditableText},
        {w.RG_Eingabe_km_m, "TMERC Eingabe in km oder m", QAccessible::Grouping},
        {w.RG_Eingabe_km_m->button(0), "TMERC Eingabe in km", QAccessible::RadioButton},
        {w.RG_Eingabe_km_m->button(1), "TMERC Eingabe in m", QAccessible::RadioButton},
        {w.CB_TMERC_ETRS89, "TMERC Länge und Breite in ETRS89 (BeTA2007)", QAccessible::CheckBox},
        {w.CE_TMERC_BezugsRechts, "TMERC Bezugs-Rechtswert", QAccessible::EditableText},
        {w.CE_TMERC_Rechts, "TMERC Rechtswert", QAccessible::EditableText},
        {w.CE_TMERC_Hoch, "TMERC Hochwert", QAccessible::EditableText},
        {w.BitBtn_LL_TMERC, "Länge und Breite nach TMERC umrechnen", QAccessible::Button},
        {w.BitBtn_TMERC_LL, "TMERC nach Länge und Breite umrechnen", QAccessible::Button},
        {w.BitBtn_Koordinaten_aus_Zwischenablage, "Koordinaten aus Zwischenablage holen und konvertieren",
         QAccessible::Button},
        {w.ElURLLabel1, "multimap", QAccessible::Link},
        {w.ElURLLabel2, "https://whgazetteer.org/", QAccessible::Link},
        {w.ElURLLabel3, "Anleitung", QAccessible::Link},
    };
    for (const auto& c : controls) {
        QAccessibleInterface* control = accessible(c.control);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->text(QAccessible::Name), QString::fromUtf8(c.name)) << str(c.control->objectName());
        EXPECT_EQ(control->role(), c.role) << str(c.control->objectName());
    }

    // Whatever the window holds beside its captions, now or later, has a
    // name of its own.
    QList<QAccessibleInterface*> all;
    collectControls(accessible(&w), all);
    EXPECT_EQ(all.size(), static_cast<qsizetype>(std::size(controls)));
    QSet<QString> names;
    for (QAccessibleInterface* control : all) {
        const QString name = control->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty()) << str(control->object()->objectName());
        EXPECT_FALSE(names.contains(name)) << str(name);
        names.insert(name);
    }
}

TEST_F(DesktopUse, ToolTipsSayWhatToDo)
{
    TF_Haupt& w = window();
    const struct {
        QWidget* control;
        const char* toolTip;
    } controls[] = {
        // the buttons: what they convert or copy
        {w.BitBtn_LL_UTM, "Rechnet Länge und Breite (Dezimalgrad) in UTM-Zone, Rechts- und Hochwert um"},
        {w.BitBtn_UTM_LL, "Rechnet UTM-Zone, Rechts- und Hochwert in Länge und Breite um"},
        {w.BitBtn_LL_TMERC,
         "Rechnet Länge und Breite (Dezimalgrad) mit Bezugslänge und Bezugs-R-Wert in TMERC-Rechts- und Hochwert um"},
        {w.BitBtn_TMERC_LL,
         "Rechnet TMERC-Rechts- und Hochwert mit Bezugslänge und Bezugs-R-Wert in Länge und Breite um"},
        // and their keys
        {w.BitBtn_kopieren, "Kopiert die ZELV-Ortsangabe in die Zwischenablage (Strg+Umschalt+C, Alt+K)"},
        {w.BitBtn_Koordinaten_aus_Zwischenablage,
         "Liest ein Koordinatenpaar aus der Zwischenablage und zeigt es in Grad und Dezimalgrad "
         "(Strg+Umschalt+V, Alt+H)"},
        // the TMERC input: how a Gauss-Krueger map is entered
        {w.CE_TMERC_Laenge_Grad,
         "Bezugslänge in Grad. Gauß-Krüger: 3·k° für die Kennziffer k = 2…7 (erste Ziffer des Rechtswerts), "
         "z.B. Zone 4: 12°, Zone 6 (Schlesien): 18°"},
        {w.CE_TMERC_Laenge_Minuten, "Minuten der Bezugslänge; bei Gauß-Krüger 0"},
        {w.RG_Eingabe_km_m, "Einheit von Bezugs-R-Wert, Rechts- und Hochwert"},
        {w.CE_TMERC_BezugsRechts,
         "Bezugs-Rechtswert in der gewählten Einheit. Gauß-Krüger: k·1000 km + 500 km für k = 2…7, "
         "z.B. Zone 4: 4500 km oder 4500000 m, Zone 6: 6500 km"},
        {w.CE_TMERC_Rechts, "Rechtswert der Karte (Gauß-Krüger) in der gewählten Einheit"},
        {w.CE_TMERC_Hoch, "Hochwert der Karte (Gauß-Krüger) in der gewählten Einheit"},
    };
    for (const auto& c : controls) {
        EXPECT_EQ(c.control->toolTip(), QString::fromUtf8(c.toolTip)) << str(c.control->objectName());
        // A screen reader reads it after the name.
        QAccessibleInterface* control = accessible(c.control);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->text(QAccessible::Description), QString::fromUtf8(c.toolTip))
            << str(c.control->objectName());
    }
    // The radio buttons leave it to their group, whose tooltip shows over them.
    for (QAbstractButton* unit : {w.RG_Eingabe_km_m->button(0), w.RG_Eingabe_km_m->button(1)})
        EXPECT_EQ(unit->toolTip(), QString()) << str(unit->text());
}

TEST_F(DesktopUse, PicturesAreSharpAtDoubleScale)
{
    TF_Haupt& w = window();
    const struct {
        QPushButton* button;
        const char* picture;
    } buttons[] = {
        {w.BitBtn_LL_UTM, "arrow-right"},
        {w.BitBtn_UTM_LL, "arrow-left"},
        {w.BitBtn_LL_TMERC, "arrow-right"},
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
