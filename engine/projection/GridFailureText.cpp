#include "GridFailureText.h"

#include "DhdnDatum.h"

namespace zelv {

namespace {

// Windows-1252: \xE4 ä, \xF6 ö, \xFC ü, \xDF ß, \xB0 °, \x84 „, \x93 “.
// Each escape ends its literal, so that no letter after it is read as a
// further hex digit.

std::string heading(GridConversion conversion)
{
    switch (conversion) {
    case GridConversion::UtmForward:
        return "L\xE4" "nge und Breite lassen sich nicht nach UTM umrechnen.";
    case GridConversion::UtmInverse:
        return "UTM l\xE4" "sst sich nicht in L\xE4" "nge und Breite umrechnen.";
    case GridConversion::TmForward:
        return "L\xE4" "nge und Breite lassen sich nicht nach TMERC umrechnen.";
    case GridConversion::TmInverse:
        return "TMERC l\xE4" "sst sich nicht in L\xE4" "nge und Breite umrechnen.";
    }
    return {};
}

// The library refused the definition built from the user's values.
std::string definitionRejected(GridConversion conversion)
{
    switch (conversion) {
    case GridConversion::UtmForward:
        // The zone comes from the longitude alone; only 180 (and beyond) has none.
        return "Die L\xE4" "nge liegt au\xDF" "erhalb der UTM-Zonen, die von -180\xB0" " bis unter 180\xB0"
               " reichen.";
    case GridConversion::UtmInverse:
        return "Die Projektionsbibliothek lehnt die Zone ab. Bitte die Zone (1 bis 60) pr\xFC" "fen.";
    case GridConversion::TmForward:
    case GridConversion::TmInverse:
        return "Die Projektionsbibliothek lehnt Bezugsl\xE4" "nge oder Bezugs-R-Wert ab. Bitte beide pr\xFC"
               "fen.";
    }
    return {};
}

// The library gave no finite result for the point.
std::string pointNotProjectable(GridConversion conversion)
{
    switch (conversion) {
    case GridConversion::UtmForward:
        return "Der Punkt l\xE4" "sst sich nicht projizieren. Bitte L\xE4" "nge und Breite pr\xFC" "fen.";
    case GridConversion::UtmInverse:
        return "Rechts- und Hochwert lassen sich in dieser Zone nicht umrechnen. Bitte Zone, Rechts- und "
               "Hochwert (in Metern) pr\xFC" "fen.";
    case GridConversion::TmForward:
        return "Der Punkt l\xE4" "sst sich mit dieser Bezugsl\xE4" "nge nicht projizieren. Bitte L\xE4" "nge, Breite "
               "und Bezugsl\xE4" "nge pr\xFC" "fen.";
    case GridConversion::TmInverse:
        // Far off its meridian the inverse has no answer: most often metres
        // typed while "km" is chosen, or the other way round.
        return "Die Werte lassen sich mit dieser Bezugsl\xE4" "nge nicht umrechnen: Sind Rechts- und Hochwert "
               "in der gew\xE4" "hlten Einheit (km/m) eingegeben? Bitte auch Bezugs-R-Wert und "
               "Bezugsl\xE4" "nge pr\xFC" "fen.";
    }
    return {};
}

// A value that has to become whole metres is no finite number in range.
std::string valueNotRoundable(GridConversion conversion)
{
    switch (conversion) {
    case GridConversion::UtmForward:
        return "Rechts- und Hochwert lassen sich nicht auf ganze Meter runden. Bitte L\xE4" "nge und Breite "
               "pr\xFC" "fen.";
    case GridConversion::UtmInverse:
        return "Ein Wert l\xE4" "sst sich nicht runden. Bitte Rechts- und Hochwert pr\xFC" "fen.";
    case GridConversion::TmForward:
    case GridConversion::TmInverse:
        return "Der Bezugs-R-Wert l\xE4" "sst sich nicht in ganze Meter umrechnen. Bitte Bezugs-R-Wert und "
               "Einheit (km/m) pr\xFC" "fen.";
    }
    return {};
}

} // namespace

std::string gridFailureText(GridConversion conversion, GridFailure kind)
{
    switch (kind) {
    case GridFailure::ServiceEmpty:
        return "Die Umrechnung ist nicht verf\xFC" "gbar, weil der Ordner \x84" "nad\x93"
               " beim Start fehlte. Bitte das Programm neu starten, sobald der Ordner wieder da ist.";
    case GridFailure::DefinitionRejected:
        return heading(conversion) + '\n' + definitionRejected(conversion);
    case GridFailure::PointNotProjectable:
        return heading(conversion) + '\n' + pointNotProjectable(conversion);
    case GridFailure::ValueNotRoundable:
        return heading(conversion) + '\n' + valueNotRoundable(conversion);
    case GridFailure::OutsideDatumGrid:
        // The user asked for ETRS89, which this point can't get.
        return heading(conversion) + '\n'
               + "BeTA2007 gilt nur f\xFC" "r Deutschland und seine Grenzgebiete, die N\xE4" "herung EPSG 1777 f\xFC"
                 "r " + oldSheetAreaText() + ". F\xFC" "r Punkte au\xDF" "erhalb bitte das H\xE4" "kchen bei \x84"
                 "nach ETRS89 (BeTA2007)\x93" " entfernen.";
    }
    return heading(conversion);
}

std::string unitFixQuestion(GridUnit unit)
{
    const bool metres = unit == GridUnit::Metres;
    return std::string("Die Werte sehen nach ") + (metres ? "Metern" : "Kilometern") + " aus. Auf \x84"
           + (metres ? "m" : "km") + "\x93 umstellen, ohne die Werte umzurechnen?";
}

} // namespace zelv
