#include "Lexicon.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace zelv {

namespace {

// ---- The table --------------------------------------------------------------

constexpr LexiconWord compass(std::string_view spelling, Axis axis, bool negative, LetterSet letters, bool czech,
                              Meridian meridian = Meridian::Greenwich)
{
    return {spelling, WordKind::Compass, axis, negative, letters, meridian, AngleUnit::Degree, czech, false};
}
constexpr LexiconWord north(std::string_view s, LetterSet l = LetterSet::Word, bool czech = false)
{
    return compass(s, Axis::Latitude, false, l, czech);
}
constexpr LexiconWord south(std::string_view s, LetterSet l = LetterSet::Word, bool czech = false)
{
    return compass(s, Axis::Latitude, true, l, czech);
}
constexpr LexiconWord east(std::string_view s, LetterSet l = LetterSet::Word, bool czech = false)
{
    return compass(s, Axis::Longitude, false, l, czech);
}
constexpr LexiconWord west(std::string_view s, LetterSet l = LetterSet::Word, bool czech = false)
{
    return compass(s, Axis::Longitude, true, l, czech);
}
constexpr LexiconWord eastOfFerro(std::string_view s)
{
    return compass(s, Axis::Longitude, false, LetterSet::Word, false, Meridian::FerroEast);
}
constexpr LexiconWord westOfFerro(std::string_view s)
{
    return compass(s, Axis::Longitude, true, LetterSet::Word, false, Meridian::FerroWest);
}
constexpr LexiconWord latitudeName(std::string_view s, bool czech = false)
{
    return {s, WordKind::AxisName, Axis::Latitude, false, LetterSet::Word, Meridian::Greenwich, AngleUnit::Degree, czech};
}
constexpr LexiconWord longitudeName(std::string_view s, bool czech = false)
{
    return {s, WordKind::AxisName, Axis::Longitude, false, LetterSet::Word, Meridian::Greenwich, AngleUnit::Degree,
            czech};
}
constexpr LexiconWord label(std::string_view s, bool czech = false)
{
    return {s, WordKind::Label, Axis::None, false, LetterSet::Word, Meridian::Greenwich, AngleUnit::Degree, czech};
}
constexpr LexiconWord unit(std::string_view s, AngleUnit u)
{
    return {s, WordKind::Unit, Axis::None, false, LetterSet::Word, Meridian::Greenwich, u};
}
constexpr LexiconWord conjunction(std::string_view s)
{
    return {s, WordKind::Conjunction};
}

constexpr LetterSet latin = LetterSet::Latin;
constexpr LetterSet czechLetter = LetterSet::CzechSlovak;
constexpr LetterSet turkish = LetterSet::Turkish;
constexpr LetterSet cyrillic = LetterSet::Cyrillic;
constexpr LetterSet word = LetterSet::Word;
constexpr bool czech = true;

const LexiconWord table[] = {
    // Single letters, matched as written.  "S" could be Czech or Slovak
    // sever (north): its meaning is settled by the words beside it.
    north("N", latin),
    {"S", WordKind::Compass, Axis::Latitude, true, latin, Meridian::Greenwich, AngleUnit::Degree, false, true},
    east("E", latin),
    east("O", latin), // German and Esperanto
    west("W", latin),
    east("\u00D8", latin), // Danish and Norwegian øst
    east("\u00D6", latin), // Swedish öst
    // Machine translations set Cyrillic look-alikes for the Latin letters.
    north("\u041D", latin), // Н
    east("\u0415", latin),  // Е
    east("\u041E", latin),  // О
    south("J", czechLetter),
    east("V", czechLetter),
    west("Z", czechLetter),
    north("K", turkish),
    south("G", turkish),
    east("D", turkish),
    west("B", turkish),
    north("\u0421", cyrillic), // С север
    south("\u042E", cyrillic), // Ю юг
    east("\u0412", cyrillic),  // В восток
    west("\u0417", cyrillic),  // З запад
    east("\u0418", cyrillic),  // И исток, изток (Serbian, Bulgarian)
    south("\u0408", cyrillic), // Ј југ (Serbian)

    // German
    north("Nord"), north("Norden"), north("n\u00F6rdlich"),
    south("S\u00FCd"), south("S\u00FCden"), south("s\u00FCdlich"),
    east("Ost"), east("Osten"), east("\u00F6stlich"),
    west("West"), west("Westen"), west("westlich"),
    north("n\u00F6rdliche Breite"), north("n\u00F6rdlicher Breite"), north("n\u00F6rdl Breite"),
    north("n\u00F6rdl Br"), north("n\u00F6rdl B"), north("n Br"), north("n B"),
    south("s\u00FCdliche Breite"), south("s\u00FCdlicher Breite"), south("s\u00FCdl Breite"),
    south("s\u00FCdl Br"), south("s\u00FCdl B"), south("s Br"), south("s B"),
    east("\u00F6stliche L\u00E4nge"), east("\u00F6stlicher L\u00E4nge"), east("\u00F6stl L\u00E4nge"),
    east("\u00F6stl L"), east("\u00F6stl Lg"), east("\u00F6 L"), east("\u00F6 Lg"),
    west("westliche L\u00E4nge"), west("westlicher L\u00E4nge"), west("westl L\u00E4nge"),
    west("westl L"), west("westl Lg"), west("w L"), west("w Lg"),
    // Longitudes east of Ferro, as old German and Austrian maps give them.
    eastOfFerro("\u00F6stl v Ferro"), eastOfFerro("\u00F6stlich von Ferro"), eastOfFerro("\u00F6stl von Ferro"),
    eastOfFerro("\u00F6stlich v Ferro"), eastOfFerro("\u00F6 v Ferro"), eastOfFerro("\u00F6 v F"),
    eastOfFerro("\u00F6 F"), eastOfFerro("E of Ferro"), eastOfFerro("east of Ferro"),
    eastOfFerro("\u00F6stl L v Ferro"), eastOfFerro("\u00F6 L v F"),
    westOfFerro("westl v Ferro"), westOfFerro("westlich von Ferro"), westOfFerro("w v F"),
    westOfFerro("W of Ferro"), westOfFerro("west of Ferro"),

    // English
    north("North"), south("South"), east("East"),
    north("north latitude"), south("south latitude"), east("east longitude"), west("west longitude"),
    north("northern latitude"), south("southern latitude"), east("eastern longitude"), west("western longitude"),
    // French, Italian, Spanish, Portuguese, Catalan, Romanian
    south("sud"), east("est"), west("ouest"), west("ovest"),
    north("norte"), south("sur"), east("este"), west("oeste"), south("sul"), east("leste"), west("oest"),
    west("vest"),
    north("latitude nord"), south("latitude sud"), east("longitude est"), west("longitude ouest"),
    // Dutch
    north("noord"), south("zuid"), east("oost"), north("noorderbreedte"), south("zuiderbreedte"),
    east("oosterlengte"), west("westerlengte"), south("Z B"), east("O L"),
    // Danish, Norwegian, Swedish, Icelandic
    south("syd"), south("s\u00F8r"), east("\u00F8st"), north("nordlig bredde"), south("sydlig bredde"),
    east("\u00F8stlig l\u00E6ngde"), west("vestlig l\u00E6ngde"), east("\u00F8stlig lengde"),
    west("vestlig lengde"), north("nordlig"), south("sydlig"), east("\u00F8stlig"), west("vestlig"),
    north("norr"), south("s\u00F6der"), east("\u00F6st"), east("\u00F6ster"), west("v\u00E4st"),
    west("v\u00E4ster"), north("nordlig bredd"), south("sydlig bredd"), east("\u00F6stlig l\u00E4ngd"),
    west("v\u00E4stlig l\u00E4ngd"), north("nor\u00F0ur"), south("su\u00F0ur"), east("austur"), west("vestur"),
    // Finnish and Estonian
    north("pohjoista leveytt\u00E4"), south("etel\u00E4ist\u00E4 leveytt\u00E4"),
    east("it\u00E4ist\u00E4 pituutta"), west("l\u00E4ntist\u00E4 pituutta"), north("p l"), south("e l"),
    east("i p"), west("l p"), south("l l"), north("p\u00F5hjalaiust"), south("l\u00F5unalaiust"),
    east("idapikkust"), west("l\u00E4\u00E4nepikkust"),
    // Hungarian
    north("\u00E9 sz"), south("d sz"), east("k h"), west("ny h"),
    north("\u00E9szaki sz\u00E9less\u00E9g"), south("d\u00E9li sz\u00E9less\u00E9g"),
    east("keleti hossz\u00FAs\u00E1g"), west("nyugati hossz\u00FAs\u00E1g"),
    north("\u00E9szak"), south("d\u00E9l"), east("kelet"), west("nyugat"),
    // Polish
    north("p\u00F3\u0142noc"), south("po\u0142udnie"), east("wsch\u00F3d"), west("zach\u00F3d"),
    north("p\u0142n"), south("p\u0142d"), east("wsch"), west("zach"),
    // Czech and Slovak (Croatian writes the same abbreviations)
    north("s \u0161", word, czech), south("j \u0161", word, czech), east("v d", word, czech),
    west("z d", word, czech),
    north("severn\u00ED \u0161\u00ED\u0159ky", word, czech), south("ji\u017En\u00ED \u0161\u00ED\u0159ky", word, czech),
    east("v\u00FDchodn\u00ED d\u00E9lky", word, czech), west("z\u00E1padn\u00ED d\u00E9lky", word, czech),
    north("severn\u00ED \u0161\u00ED\u0159ka", word, czech), south("ji\u017En\u00ED \u0161\u00ED\u0159ka", word, czech),
    east("v\u00FDchodn\u00ED d\u00E9lka", word, czech), west("z\u00E1padn\u00ED d\u00E9lka", word, czech),
    north("severnej \u0161\u00EDrky", word, czech), south("ju\u017Enej \u0161\u00EDrky", word, czech),
    east("v\u00FDchodnej d\u013A\u017Eky", word, czech), west("z\u00E1padnej d\u013A\u017Eky", word, czech),
    north("severn\u00ED", word, czech), south("ji\u017En\u00ED", word, czech),
    east("v\u00FDchodn\u00ED", word, czech), west("z\u00E1padn\u00ED", word, czech),
    north("severnej", word, czech), south("ju\u017Enej", word, czech), east("v\u00FDchodnej", word, czech),
    west("z\u00E1padnej", word, czech),
    north("sever", word, czech), south("jih", word, czech), south("juh", word, czech),
    east("v\u00FDchod", word, czech), west("z\u00E1pad", word, czech),
    east("i d"), north("sjeverne \u0161irine"), east("isto\u010Dne du\u017Eine"),
    // Serbian (Cyrillic and Latin) and Slovene: geographic latitude and longitude
    north("\u0421 \u0413 \u0428"), south("\u0408 \u0413 \u0428"), east("\u0418 \u0413 \u0414"), west("\u0417 \u0413 \u0414"),
    north("S G \u0160"), south("J G \u0160"), east("I G D"), west("Z G D"),
    // Lithuanian and Latvian
    north("\u0161 pl"), south("p pl"), east("r ilg"), west("v ilg"),
    north("\u0161iaur\u0117s platumos"), south("piet\u0173 platumos"), east("ryt\u0173 ilgumos"),
    west("vakar\u0173 ilgumos"),
    north("z pl"), south("d pl"), east("a g"), west("r g"),
    // Russian, Ukrainian, Belarusian, Bulgarian
    north("\u0441 \u0448"), south("\u044E \u0448"), east("\u0432 \u0434"), west("\u0437 \u0434"),
    east("\u0438 \u0434"), east("\u0443 \u0434"),
    north("\u043F\u043D \u0448"), south("\u043F\u0434 \u0448"), east("\u0441\u0445 \u0434"), west("\u0437\u0445 \u0434"),
    north("\u0441\u0435\u0432\u0435\u0440\u043D\u043E\u0439 \u0448\u0438\u0440\u043E\u0442\u044B"),
    south("\u044E\u0436\u043D\u043E\u0439 \u0448\u0438\u0440\u043E\u0442\u044B"),
    east("\u0432\u043E\u0441\u0442\u043E\u0447\u043D\u043E\u0439 \u0434\u043E\u043B\u0433\u043E\u0442\u044B"),
    west("\u0437\u0430\u043F\u0430\u0434\u043D\u043E\u0439 \u0434\u043E\u043B\u0433\u043E\u0442\u044B"),
    north("\u0441\u0435\u0432\u0435\u0440\u043D\u0430\u044F \u0448\u0438\u0440\u043E\u0442\u0430"),
    south("\u044E\u0436\u043D\u0430\u044F \u0448\u0438\u0440\u043E\u0442\u0430"),
    east("\u0432\u043E\u0441\u0442\u043E\u0447\u043D\u0430\u044F \u0434\u043E\u043B\u0433\u043E\u0442\u0430"),
    west("\u0437\u0430\u043F\u0430\u0434\u043D\u0430\u044F \u0434\u043E\u043B\u0433\u043E\u0442\u0430"),
    north("\u043F\u0456\u0432\u043D\u0456\u0447\u043D\u043E\u0457 \u0448\u0438\u0440\u043E\u0442\u0438"),
    south("\u043F\u0456\u0432\u0434\u0435\u043D\u043D\u043E\u0457 \u0448\u0438\u0440\u043E\u0442\u0438"),
    east("\u0441\u0445\u0456\u0434\u043D\u043E\u0457 \u0434\u043E\u0432\u0433\u043E\u0442\u0438"),
    west("\u0437\u0430\u0445\u0456\u0434\u043D\u043E\u0457 \u0434\u043E\u0432\u0433\u043E\u0442\u0438"),
    north("\u0441\u0435\u0432\u0435\u0440\u043D\u0430 \u0448\u0438\u0440\u0438\u043D\u0430"),
    south("\u044E\u0436\u043D\u0430 \u0448\u0438\u0440\u0438\u043D\u0430"),
    east("\u0438\u0437\u0442\u043E\u0447\u043D\u0430 \u0434\u044A\u043B\u0436\u0438\u043D\u0430"),
    west("\u0437\u0430\u043F\u0430\u0434\u043D\u0430 \u0434\u044A\u043B\u0436\u0438\u043D\u0430"),
    north("\u0441\u0435\u0432\u0435\u0440"), south("\u044E\u0433"), east("\u0432\u043E\u0441\u0442\u043E\u043A"),
    east("\u0438\u0437\u0442\u043E\u043A"), west("\u0437\u0430\u043F\u0430\u0434"),
    // Turkish
    north("Kuzey"), south("G\u00FCney"), east("Do\u011Fu"), west("Bat\u0131"),
    // Esperanto
    north("nordo"), south("sudo"), east("oriento"), west("okcidento"),

    // The words of the axes.
    latitudeName("Breite"), latitudeName("Breitengrad"), latitudeName("geographische Breite"),
    latitudeName("geogr Breite"), latitudeName("Latitude"), latitudeName("Lat"), latitudeName("latitud"),
    latitudeName("latitudine"), latitudeName("breedte"), latitudeName("breedtegraad"), latitudeName("bredde"),
    latitudeName("breddegrad"), latitudeName("bredd"), latitudeName("breddgrad"),
    latitudeName("szeroko\u015B\u0107"), latitudeName("szeroko\u015B\u0107 geograficzna"),
    latitudeName("\u0161\u00ED\u0159ka", czech), latitudeName("zem\u011Bpisn\u00E1 \u0161\u00ED\u0159ka", czech),
    latitudeName("\u0161\u00EDrka", czech), latitudeName("zemepisn\u00E1 \u0161\u00EDrka", czech),
    latitudeName("sz\u00E9less\u00E9g"), latitudeName("f\u00F6ldrajzi sz\u00E9less\u00E9g"),
    latitudeName("platuma"), latitudeName("leveys"), latitudeName("leveysaste"), latitudeName("enlem"),
    latitudeName("\u0448\u0438\u0440\u043E\u0442\u0430"), latitudeName("\u0448\u0438\u0440\u0438\u043D\u0430"),
    latitudeName("\u03C6"), latitudeName("phi"), latitudeName("szerokosc"), latitudeName("platums"),
    latitudeName("\u0448\u044B\u0440\u0430\u0442\u0430"),
    longitudeName("L\u00E4nge"), longitudeName("Laenge"), longitudeName("L\u00E4ngengrad"),
    longitudeName("geographische L\u00E4nge"), longitudeName("geogr L\u00E4nge"), longitudeName("Longitude"),
    longitudeName("Long"), longitudeName("Lon"), longitudeName("Lng"), longitudeName("longitud"),
    longitudeName("longitudine"), longitudeName("lengte"), longitudeName("lengtegraad"),
    longitudeName("l\u00E6ngde"), longitudeName("l\u00E6ngdegrad"), longitudeName("lengde"),
    longitudeName("lengdegrad"), longitudeName("l\u00E4ngd"), longitudeName("l\u00E4ngdgrad"),
    longitudeName("d\u0142ugo\u015B\u0107"), longitudeName("d\u0142ugo\u015B\u0107 geograficzna"),
    longitudeName("d\u00E9lka", czech), longitudeName("zem\u011Bpisn\u00E1 d\u00E9lka", czech),
    longitudeName("d\u013A\u017Eka", czech), longitudeName("zemepisn\u00E1 d\u013A\u017Eka", czech),
    longitudeName("hossz\u00FAs\u00E1g"), longitudeName("f\u00F6ldrajzi hossz\u00FAs\u00E1g"),
    longitudeName("ilguma"), longitudeName("pituus"), longitudeName("pituusaste"), longitudeName("boylam"),
    longitudeName("\u0434\u043E\u043B\u0433\u043E\u0442\u0430"), longitudeName("\u0434\u044A\u043B\u0436\u0438\u043D\u0430"),
    longitudeName("\u03BB"), longitudeName("lambda"), longitudeName("dlugosc"), longitudeName("garums"),
    longitudeName("\u0434\u043E\u0432\u0433\u043E\u0442\u0430"),
    longitudeName("\u0434\u0430\u045E\u0433\u0430\u0442\u0430"),

    // Labels before a position.
    label("Koordinaten"), label("Koordinate"), label("Geographische Koordinaten"), label("Geographische Lage"),
    label("Geografische Lage"), label("Lage"), label("Position"), label("GPS"), label("Standort"),
    label("Coordinates"), label("Coordinate"), label("Coordonn\u00E9es"), label("Coordenadas"),
    label("Co\u00F6rdinaten"), label("Koordinater"), label("Koordinaatit"), label("Koordinatar"),
    label("Koordinatlar"), label("Koordinatoj"), label("Koordinat\u0117s"), label("Koordin\u0101tas"),
    label("Koordin\u00E1t\u00E1k"), label("Wsp\u00F3\u0142rz\u0119dne"), label("Wsp\u00F3\u0142rz\u0119dne geograficzne"),
    label("Sou\u0159adnice", czech), label("Geografick\u00E9 sou\u0159adnice", czech),
    label("Zem\u011Bpisn\u00E9 sou\u0159adnice", czech), label("S\u00FAradnice", czech),
    label("Zemepisn\u00E9 s\u00FAradnice", czech), label("Poloha", czech),
    label("\u041A\u043E\u043E\u0440\u0434\u0438\u043D\u0430\u0442\u044B"),
    label("\u041A\u043E\u043E\u0440\u0434\u0438\u043D\u0430\u0442\u0438"),
    label("\u041A\u043E\u043E\u0440\u0434\u0438\u043D\u0430\u0442\u0435"),
    label("\u041A\u043E\u043E\u0440\u0434\u0438\u043D\u0430\u0442\u0442\u0430\u0440"),
    label("\u5EA7\u6A19"), label("\u5750\u6807"),

    // Unit words of an angle's parts, where no mark stands.
    unit("Grad", AngleUnit::Degree), unit("deg", AngleUnit::Degree), unit("degree", AngleUnit::Degree),
    unit("degrees", AngleUnit::Degree), {"d", WordKind::Unit, Axis::None, false, LetterSet::Latin},
    unit("Minute", AngleUnit::Minute), unit("Minuten", AngleUnit::Minute), unit("min", AngleUnit::Minute),
    unit("minutes", AngleUnit::Minute),
    {"m", WordKind::Unit, Axis::None, false, LetterSet::Latin, Meridian::Greenwich, AngleUnit::Minute},
    unit("Sekunde", AngleUnit::Second), unit("Sekunden", AngleUnit::Second), unit("Sek", AngleUnit::Second),
    unit("sec", AngleUnit::Second), unit("seconds", AngleUnit::Second),
    {"s", WordKind::Unit, Axis::None, false, LetterSet::Latin, Meridian::Greenwich, AngleUnit::Second},

    // "and" between latitude and longitude.
    conjunction("und"), conjunction("and"), conjunction("et"), conjunction("y"), conjunction("e"),
    conjunction("en"), conjunction("og"), conjunction("och"), conjunction("\u00E9s"), conjunction("i"),
    conjunction("ir"), conjunction("a"), conjunction("ja"), conjunction("ve"), conjunction("\u0438"),
    conjunction("\u0456"),
};

// ---- Characters --------------------------------------------------------------

constexpr std::array<CharClass, 128> asciiClassTable = [] {
    std::array<CharClass, 128> c{};
    for (int b = 0; b < 128; ++b) {
        CharClass k = CharClass::Other;
        if (b <= 0x20)
            k = CharClass::Blank;
        if (b == '\t')
            k = CharClass::Tab;
        if (b == '\n' || b == '\r' || b == '\v' || b == '\f')
            k = CharClass::LineBreak;
        if (b >= '0' && b <= '9')
            k = CharClass::Digit;
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'))
            k = CharClass::Letter;
        switch (b) {
        case '\'': case '`': k = CharClass::MinuteMark; break;
        case '"': k = CharClass::SecondMark; break;
        case '-': k = CharClass::Minus; break;
        case '+': k = CharClass::Plus; break;
        case '.': k = CharClass::Point; break;
        case ',': k = CharClass::Comma; break;
        case ';': k = CharClass::Semicolon; break;
        case ':': k = CharClass::Colon; break;
        case '/': k = CharClass::Slash; break;
        case '|': k = CharClass::Bar; break;
        case '=': k = CharClass::Equals; break;
        case '&': k = CharClass::Ampersand; break;
        case '?': k = CharClass::Question; break;
        case '{': k = CharClass::OpenBrace; break;
        case '}': k = CharClass::CloseBrace; break;
        default: break;
        }
        c[static_cast<std::size_t>(b)] = k;
    }
    return c;
}();

bool isLetterAt(std::string_view text, std::size_t at)
{
    return at < text.size() && charClass(codePointAt(text, at).value) == CharClass::Letter;
}

std::size_t skipBlanks(std::string_view text, std::size_t i)
{
    while (i < text.size()) {
        const CodePoint c = codePointAt(text, i);
        if (charClass(c.value) != CharClass::Blank)
            break;
        i += c.length;
    }
    return i;
}

// One part of a word compared at `i`: the end of it, or npos.
std::size_t matchPart(std::string_view text, std::size_t i, std::string_view part, bool exact)
{
    for (std::size_t j = 0; j < part.size();) {
        if (i >= text.size())
            return std::string_view::npos;
        const CodePoint a = codePointAt(text, i);
        const CodePoint b = codePointAt(part, j);
        if (exact ? a.value != b.value : foldCase(a.value) != foldCase(b.value))
            return std::string_view::npos;
        i += a.length;
        j += b.length;
    }
    return i;
}

// A word of the table made ready for matching.
struct Compiled {
    const LexiconWord* word;
    std::vector<std::string_view> parts;
    std::vector<bool> singleLetter;
    bool exact; // a single letter, as written
    // How many letters the run it starts with may have: its first part's,
    // or those of its first single-letter parts glued.
    std::vector<std::size_t> runLetters;
};

std::size_t letterCount(std::string_view part)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < part.size(); i += codePointAt(part, i).length)
        ++n;
    return n;
}

// The end of the word matched at `at`, or npos.
std::size_t match(std::string_view text, std::size_t at, const Compiled& w)
{
    std::size_t i = at;
    for (std::size_t p = 0; p < w.parts.size(); ++p) {
        i = matchPart(text, i, w.parts[p], w.exact);
        if (i == std::string_view::npos)
            return i;
        if (p + 1 == w.parts.size())
            break;
        const bool dot = i < text.size() && text[i] == '.';
        if (dot)
            ++i;
        const std::size_t afterBlanks = skipBlanks(text, i);
        // Only single letters stand glued to each other: "сш", "NB".
        if (!dot && afterBlanks == i && !(w.singleLetter[p] && w.singleLetter[p + 1]))
            return std::string_view::npos;
        i = afterBlanks;
    }
    if (i < text.size() && text[i] == '.')
        return i + 1;
    return isLetterAt(text, i) ? std::string_view::npos : i;
}

// A hash of a run of letters, folded: words of the table are looked up by
// it first, since nearly every word of a text is none of them.
std::uint64_t foldedHash(std::string_view text, std::size_t begin, std::size_t end)
{
    std::uint64_t h = 14695981039346656037ULL;
    for (std::size_t i = begin; i < end;) {
        const CodePoint c = codePointAt(text, i);
        h = (h ^ foldCase(c.value)) * 1099511628211ULL;
        i += c.length;
    }
    return h;
}

struct Index {
    std::vector<Compiled> words; // by folded first letter, the longest first
    std::vector<char32_t> firstLetters;
    // Sorted folded hashes of the runs of letters a word can start with:
    // its first part, or its first single-letter parts glued ("сш", "NB").
    std::vector<std::uint64_t> runs;

    bool mayStart(std::string_view text, std::size_t at, std::size_t runEnd) const
    {
        return std::binary_search(runs.begin(), runs.end(), foldedHash(text, at, runEnd));
    }
};

const Index& wordIndex()
{
    static const Index index = [] {
        Index x;
        for (const LexiconWord& w : table) {
            Compiled c{&w, {}, {}, false, {}};
            std::string_view rest = w.spelling;
            for (;;) {
                const std::size_t blank = rest.find(' ');
                c.parts.push_back(rest.substr(0, blank));
                c.singleLetter.push_back(letterCount(c.parts.back()) == 1);
                if (blank == std::string_view::npos)
                    break;
                rest.remove_prefix(blank + 1);
            }
            c.exact = (w.kind == WordKind::Compass || w.kind == WordKind::Unit || w.kind == WordKind::Conjunction)
                      && c.parts.size() == 1 && c.singleLetter[0];
            x.runs.push_back(foldedHash(c.parts[0], 0, c.parts[0].size()));
            c.runLetters.push_back(letterCount(c.parts[0]));
            std::string glued(c.parts[0]);
            for (std::size_t p = 1; p < c.parts.size() && c.singleLetter[p - 1] && c.singleLetter[p]; ++p) {
                glued.append(c.parts[p]);
                x.runs.push_back(foldedHash(glued, 0, glued.size()));
                c.runLetters.push_back(p + 1);
            }
            x.words.push_back(c);
        }
        std::stable_sort(x.words.begin(), x.words.end(), [](const Compiled& a, const Compiled& b) {
            const char32_t fa = foldCase(codePointAt(a.parts[0], 0).value);
            const char32_t fb = foldCase(codePointAt(b.parts[0], 0).value);
            if (fa != fb)
                return fa < fb;
            return a.word->spelling.size() > b.word->spelling.size();
        });
        for (const Compiled& c : x.words)
            x.firstLetters.push_back(foldCase(codePointAt(c.parts[0], 0).value));
        std::sort(x.runs.begin(), x.runs.end());
        return x;
    }();
    return index;
}

// The end of the run of letters at `at`; `letters` becomes their number.
std::size_t letterRunEnd(std::string_view text, std::size_t at, std::size_t& letters)
{
    std::size_t end = at;
    letters = 0;
    while (end < text.size()) {
        const auto b = static_cast<unsigned char>(text[end]);
        if (b < 0x80) {
            if (!((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')))
                break;
            ++end;
            ++letters;
            continue;
        }
        const CodePoint c = codePointAt(text, end);
        if (charClass(c.value) != CharClass::Letter)
            break;
        end += c.length;
        ++letters;
    }
    return end;
}

} // namespace

namespace lexicon_detail {

const std::array<CharClass, 128> asciiClasses = asciiClassTable;

CodePoint codePointBeyondAscii(std::string_view s, std::size_t at)
{
    const auto b0 = static_cast<unsigned char>(s[at]);
    const auto continuation = [&](std::size_t k) {
        return at + k < s.size() && (static_cast<unsigned char>(s[at + k]) & 0xC0) == 0x80;
    };
    const auto bits = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(s[at + k]) & 0x3F); };
    if (b0 >= 0xC2 && b0 < 0xE0 && continuation(1))
        return {(static_cast<char32_t>(b0 & 0x1F) << 6) | bits(1), 2};
    if (b0 >= 0xE0 && b0 < 0xF0 && continuation(1) && continuation(2)) {
        const char32_t c = (static_cast<char32_t>(b0 & 0x0F) << 12) | (bits(1) << 6) | bits(2);
        if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF))
            return {c, 3};
    }
    if (b0 >= 0xF0 && b0 < 0xF5 && continuation(1) && continuation(2) && continuation(3)) {
        const char32_t c = (static_cast<char32_t>(b0 & 0x07) << 18) | (bits(1) << 12) | (bits(2) << 6) | bits(3);
        if (c >= 0x10000 && c <= 0x10FFFF)
            return {c, 4};
    }
    // A broken byte: a character that is nothing the reader knows.
    return {0xFFFD, 1};
}

CharClass classBeyondAscii(char32_t c)
{
    switch (c) {
    case 0x85: case 0x2028: case 0x2029: return CharClass::LineBreak;
    case 0xA0: case 0x202F: case 0x205F: case 0x3000: return CharClass::Blank;
    case 0xAD: case 0x200B: case 0x200C: case 0x200D: case 0x200E: case 0x200F: case 0x2060: case 0xFEFF:
        return CharClass::Invisible;
    case 0xB0: case 0xBA: case 0x2DA: case 0x2070: return CharClass::DegreeMark;
    case 0x2032: case 0x2019: case 0x2018: case 0xB4: case 0x2B9: case 0x2BC: case 0x2035: case 0x2CA:
        return CharClass::MinuteMark;
    case 0x2033: case 0x201D: case 0x201C: case 0x2BA: case 0x2036: case 0x2DD: case 0x3003:
        return CharClass::SecondMark;
    case 0x2212: case 0x2013: case 0x2012: case 0x2010: case 0x2011: case 0x2014: return CharClass::Minus;
    case 0xFF1A: return CharClass::Colon;
    case 0xFF0C: return CharClass::Comma;
    case 0xFFFD: return CharClass::Question; // a character that was lost before
    default: break;
    }
    if (c >= 0x2000 && c <= 0x200A)
        return CharClass::Blank;
    if (c < 0xC0 || c == 0xD7 || c == 0xF7)
        return CharClass::Other;
    if (c < 0x2B0)
        return CharClass::Letter; // Latin-1 letters and the Latin extensions
    if (c < 0x370)
        return CharClass::Other; // modifier letters and combining marks
    if ((c >= 0x2000 && c < 0x3040) || (c >= 0xFE00 && c < 0xFF10) || (c >= 0xFF1A && c < 0xFF21))
        return CharClass::Other; // punctuation, symbols, arrows
    return CharClass::Letter;
}

} // namespace lexicon_detail

char32_t foldCase(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    if (c == 0x130 || c == 0x131)
        return 'i'; // Turkish dotted and dotless i
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x178)
            return 0xFF;
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddUpper ? (c % 2 == 1) : (c % 2 == 0 && c != 0x138))
            return c + 1;
        return c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return c + 0x20;
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

std::span<const LexiconWord> lexiconWords()
{
    return table;
}

WordMatch matchLexiconWord(std::string_view text, std::size_t at)
{
    const Index& index = wordIndex();
    std::size_t letters = 0;
    if (!index.mayStart(text, at, letterRunEnd(text, at, letters)))
        return {nullptr, at};
    const char32_t first = foldCase(codePointAt(text, at).value);
    auto it = std::lower_bound(index.firstLetters.begin(), index.firstLetters.end(), first);
    for (auto w = index.words.begin() + (it - index.firstLetters.begin());
         it != index.firstLetters.end() && *it == first; ++it, ++w) {
        if (std::find(w->runLetters.begin(), w->runLetters.end(), letters) == w->runLetters.end())
            continue;
        const std::size_t end = match(text, at, *w);
        if (end != std::string_view::npos)
            return {w->word, end};
    }
    return {nullptr, at};
}

bool mentionsCzechOrSlovak(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const CodePoint c = codePointAt(text, i);
        if (charClass(c.value) != CharClass::Letter) {
            i += c.length;
            continue;
        }
        const WordMatch m = matchLexiconWord(text, i);
        if (m.word && m.word->czechOrSlovak)
            return true;
        std::size_t letters = 0;
        i = std::max(m.end, letterRunEnd(text, i, letters));
    }
    return false;
}

bool isGluedToLabel(std::string_view text, std::size_t letterEnd, std::size_t runEnd)
{
    const WordMatch rest = matchLexiconWord(text, letterEnd);
    return rest.word && rest.word->kind == WordKind::Label && rest.end >= runEnd;
}

} // namespace zelv
