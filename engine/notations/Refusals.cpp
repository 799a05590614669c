#include "Refusals.h"

#include "Lexicon.h"
#include "TextUtil.h"
#include "Windows1252.h"

namespace zelv {

Refusal refusalOf(RefusalKind kind, std::string_view windows1252First)
{
    Refusal r;
    r.kind = kind;
    r.first = fromWindows1252(trimBlanks(windows1252First));
    return r;
}

std::string quotedText(std::string_view text)
{
    constexpr std::size_t longest = 60; // characters
    text = trimBlanks(text);
    std::size_t end = 0;
    std::size_t characters = 0;
    std::string result = "\u201E";
    // A broken byte of UTF-8 is quoted as the replacement character: the
    // message is UTF-8 whatever the clipboard held.
    while (end < text.size() && characters < longest) {
        const CodePoint c = codePointAt(text, end);
        if (c.value == 0xFFFD)
            result += "\uFFFD";
        else
            result.append(text.substr(end, c.length));
        end += c.length;
        ++characters;
    }
    if (end < text.size())
        result += "\u2026";
    return result + "\u201C";
}

std::string refusalMessage(const Refusal& r)
{
    const std::string text = quotedText(r.text);
    const std::string first = quotedText(r.first);
    const std::string second = quotedText(r.second);
    switch (r.kind) {
    case RefusalKind::NoCoordinates:
        return "Es befinden sich keine g\u00FCltigen Koordinaten in der Zwischenablage!";
    case RefusalKind::NumberNotConvertible:
        return "'" + r.first + "' ist kein g\u00FCltiger Gleitkommawert";
    case RefusalKind::TwoPositions:
        return "In " + text + " stehen zwei Positionen, die voneinander abweichen: " + first + " und " + second
               + ". Welche gilt, bleibt offen.";
    case RefusalKind::DoubtfulS:
        return "In " + text + " kann \u201ES\u201C S\u00FCden meinen oder, wie im Tschechischen und Slowakischen, "
               "Norden (sever). Welche Breite gemeint ist, bleibt offen.";
    case RefusalKind::LettersNotPartners:
        return "Die Angabe enth\u00E4lt zwei Winkel, aber " + first + " und " + second
               + " geh\u00F6ren nicht zusammen: V und Z (Osten, Westen im Tschechischen und Slowakischen) stehen "
                 "neben S und J, K und G (Norden, S\u00FCden im T\u00FCrkischen) neben D und B, die kyrillischen "
                 "С und Ю neben В, З und И.";
    case RefusalKind::UnknownDirection:
        return "Die Angabe enth\u00E4lt zwei Winkel, aber " + first
               + " ist keine bekannte Himmelsrichtung. Bekannt sind N/S/O/W und E, die W\u00F6rter der "
                 "Himmelsrichtungen in Deutsch und den Sprachen der Nachbarl\u00E4nder und Westeuropas (wie "
                 "Nord/S\u00FCd/Ost/West, North/East, nord/est, noorderbreedte, \u00F8st) und ihre Abk\u00FCrzungen "
                 "(wie n. Br., \u00F6. L., s. \u0161., v. d., с. ш., \u00E9. sz.).";
    case RefusalKind::TwoLatitudes:
        return "In " + text + " stehen zwei Breiten, " + first + " und " + second + ", aber keine L\u00E4nge.";
    case RefusalKind::TwoLongitudes:
        return "In " + text + " stehen zwei L\u00E4ngen, " + first + " und " + second + ", aber keine Breite.";
    case RefusalKind::HalvesApart:
        return "In " + text + " stehen " + first + " und " + second
               + " nicht beieinander; ob sie eine Position sind, bleibt offen.";
    case RefusalKind::MissingDirection:
        return "In " + text + " fehlt bei " + first + " die Himmelsrichtung, die bei " + second + " steht.";
    case RefusalKind::MissingLongitude:
        return "Nach " + first + " fehlt die L\u00E4nge.";
    case RefusalKind::MissingLatitude:
        return "Nach " + first + " fehlt die Breite.";
    case RefusalKind::SignAndDirection:
        return "In " + first + " stehen ein Vorzeichen und eine Himmelsrichtung; welche gilt, bleibt offen.";
    case RefusalKind::PartOf60:
        return "In " + first + " stehen Minuten oder Sekunden von 60 oder mehr; ein Winkel hat h\u00F6chstens 59.";
    case RefusalKind::DecimalsBeforeLast:
        return "In " + first + " folgt einem Teil mit Nachkommastellen noch ein Teil; Nachkommastellen hat nur der "
               "letzte Teil eines Winkels.";
    case RefusalKind::MisplacedMark:
        return "In " + first + " steht ein Grad-, Minuten- oder Sekundenzeichen an falscher Stelle.";
    case RefusalKind::SignInside:
        return "In " + first + " steht ein Vorzeichen mitten im Winkel; es geh\u00F6rt vor die Grad.";
    case RefusalKind::ExtraPart:
        return "In " + first + " folgt den Sekunden noch eine Zahl; ein Winkel hat h\u00F6chstens Grad, Minuten "
               "und Sekunden.";
    case RefusalKind::NumberBeside:
        return "In " + second + " steht die Zahl " + first
               + " dicht an der Position; ob sie dazugeh\u00F6rt, bleibt offen.";
    case RefusalKind::LatitudeBeyond:
        return "In " + text + " liegt die Breite " + first + " jenseits von 90\u00B0.";
    case RefusalKind::LongitudeBeyond:
        return "In " + text + " liegt die L\u00E4nge " + first + " jenseits von 180\u00B0.";
    case RefusalKind::BareNumbers:
        return "In " + text + " stehen nur Zahlen ohne Himmelsrichtung und Gradzeichen, mehr als zwei; welche "
               "davon Breite und L\u00E4nge sein sollen, bleibt offen.";
    case RefusalKind::LostCharacters:
        return "In " + text + " stehen Fragezeichen oder Ersatzzeichen (\uFFFD), wo Grad-, Minuten- oder "
               "Sekundenzeichen oder Buchstaben stehen sollten: Diese Zeichen sind beim Kopieren oder Speichern "
               "verloren gegangen. Bitte kopieren Sie die "
               "Angabe noch einmal aus der Quelle; eine Liste aus Excel speichern Sie dazu als \u201ECSV UTF-8\u201C.";
    case RefusalKind::FerroSeveral:
        return "In " + text + " steht mehr als eine L\u00E4nge \u00F6stlich von Ferro; nur eine der beiden Angaben "
               "kann eine L\u00E4nge sein.";
    case RefusalKind::FerroUnreadable:
        return "In " + text + " steht eine L\u00E4nge \u00F6stlich von Ferro, aber Breite und L\u00E4nge davor sind "
               "nicht lesbar.";
    case RefusalKind::FerroLatitudeBeyond:
        return "In " + text + " steht eine L\u00E4nge \u00F6stlich von Ferro, aber die Breite davor liegt jenseits "
               "von 90\u00B0.";
    case RefusalKind::FerroLongitudeBeyond:
        return "In " + text + " liegt die L\u00E4nge \u00F6stlich von Ferro jenseits von 180\u00B0 \u00F6stlich von "
               "Greenwich.";
    case RefusalKind::FerroWest:
        return "In " + text + " steht mit " + first
               + " eine L\u00E4nge westlich von Ferro; alte Karten z\u00E4hlen die L\u00E4nge \u00F6stlich von Ferro. "
                 "Bitte pr\u00FCfen Sie die Angabe.";
    case RefusalKind::ShortLink:
        return "Die Angabe enth\u00E4lt einen Kurzlink " + first
               + ". Ein Kurzlink enth\u00E4lt keine Koordinaten, er f\u00FChrt nur \u00FCber das Internet zur "
                 "vollst\u00E4ndigen Adresse, und das Programm geht nicht ins Internet. Bitte \u00F6ffnen Sie den Link "
                 "im Browser und kopieren Sie dann die vollst\u00E4ndige Adresse aus der Adresszeile.";
    case RefusalKind::MapLinkLatitudeBeyond:
        return "Im Kartenlink " + first + " liegt die Breite " + r.second + " jenseits von 90\u00B0.";
    case RefusalKind::MapLinkLongitudeBeyond:
        return "Im Kartenlink " + first + " liegt die L\u00E4nge " + r.second + " jenseits von 180\u00B0.";
    case RefusalKind::MapLinkSeveral:
        return "Der Kartenlink " + first + " nennt mehrere verschiedene Positionen; welche gemeint ist, bleibt offen.";
    case RefusalKind::MapLinkPlaceOnly:
        return "Der Kartenlink " + first
               + " nennt nur einen Ortsnamen oder eine Suche, keine Koordinaten. Bitte kopieren Sie einen Link, der "
                 "die Koordinaten enth\u00E4lt, oder die Koordinaten selbst.";
    case RefusalKind::LinkWithoutPosition:
        return "In " + first + " steht keine vollst\u00E4ndige Position (Breite und L\u00E4nge), die das Programm "
               "lesen kann.";
    case RefusalKind::GeoUriOtherDatum:
        return "Die geo:-Adresse " + first + " nennt das Bezugssystem " + second
               + "; gelesen wird nur wgs84 (WGS 84).";
    case RefusalKind::MgrsDigitsOdd:
        return "In der MGRS-Angabe " + first
               + " lassen sich die Ziffern nicht halb und halb auf Rechts- und Hochwert verteilen: es sind "
               + std::to_string(r.count) + ".";
    case RefusalKind::MgrsDigitsUneven:
        return "In der MGRS-Angabe " + first + " haben Rechts- und Hochwert verschieden viele Ziffern ("
               + std::to_string(r.count) + " und " + std::to_string(r.count2) + ").";
    case RefusalKind::MgrsTooManyDigits:
        return "Die MGRS-Angabe " + first
               + " hat mehr als f\u00FCnf Ziffern f\u00FCr Rechts- und Hochwert; genauer als auf 1 m liest das Programm "
                 "sie nicht.";
    case RefusalKind::MgrsZone:
        return "Die MGRS-Angabe " + first + " nennt die Zone " + std::to_string(r.count)
               + "; UTM-Zonen gibt es nur von 1 bis 60.";
    case RefusalKind::MgrsSquare:
        return "In der MGRS-Angabe " + first + " liegt das 100-km-Quadrat " + second + " nicht in der Zone " + r.third
               + ".";
    case RefusalKind::MgrsPolar:
        return "Die MGRS-Angabe " + first
               + " liegt im Polargebiet (UPS, n\u00F6rdlich von 84\u00B0 Nord oder s\u00FCdlich von 80\u00B0 S\u00FCd). "
                 "Die UTM-Felder des Fensters k\u00F6nnen sie nicht aufnehmen.";
    case RefusalKind::PlusCodeArea:
        return "Der Plus Code " + first
               + " bezeichnet ein Gebiet, keinen Ort: die Nullen stehen f\u00FCr weggelassene Stellen. Bitte kopieren "
                 "Sie den vollst\u00E4ndigen Plus Code des Ortes.";
    case RefusalKind::PlusCodeShort:
        return "Der Plus Code " + first
               + " ist verk\u00FCrzt: er gilt nur zusammen mit einem Bezugsort, den das Programm nicht kennt. Bitte "
                 "kopieren Sie den vollst\u00E4ndigen Plus Code mit acht Zeichen vor dem \u201E+\u201C.";
    case RefusalKind::PlusCodeOneDigit:
        return "Der Plus Code " + first
               + " ist unvollst\u00E4ndig: nach dem \u201E+\u201C steht nur ein Zeichen; dort stehen keins oder "
                 "mindestens zwei.";
    case RefusalKind::PlusCodeTooLong:
        return "Der Plus Code " + first + " hat mehr als 15 Stellen.";
    case RefusalKind::PlusCodeLatitude:
        return "Der Plus Code " + first + " ist ung\u00FCltig: seine Breite liegt jenseits von 90\u00B0.";
    case RefusalKind::PlusCodeLongitude:
        return "Der Plus Code " + first + " ist ung\u00FCltig: seine L\u00E4nge liegt jenseits von 180\u00B0.";
    case RefusalKind::SheetNumberImpossible:
        return "In " + text + " steht die Nummer " + r.second
               + ", aber kein Messtischblatt kann sie tragen: Die Nummer ist die Reihe (01 bis 99) mit der Spalte "
                 "(00 bis 109), vierstellig wie 3446, ab Spalte 100 f\u00FCnfstellig wie 13102.";
    case RefusalKind::SheetQuadrantImpossible:
        return "In " + text + " steht zum Messtischblatt " + r.second + " der Quadrant " + r.third
               + ", aber ein Blatt hat nur die Quadranten 1 bis 4.";
    case RefusalKind::TemplateUnreadable:
        return "In " + first
               + " steht eine Vorlage f\u00FCr Koordinaten, aber ihre Breite und L\u00E4nge lassen sich nicht lesen.";
    }
    return {};
}

} // namespace zelv
