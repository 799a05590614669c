#pragma once
// What the building of the main form and the fitting of its captions share.

namespace zelv::layout {

inline constexpr int clientWidth = 762;
inline constexpr int clientHeight = 387;
// Between a caption and the control to its right.
inline constexpr int captionGap = 2;
// Condensing stops here, fitting or not: beyond it the text gets hard to read.
inline constexpr int minimumStretch = 75;

// What the datum choice does, for its tooltip.
inline constexpr const char* datumShiftToolTip =
    "Angehakt: Länge und Breite werden vom alten deutschen Netz (DHDN, Bessel) mit dem amtlichen Gitter "
    "BeTA2007 nach ETRS89 umgerechnet, das bis auf einen Meter WGS 84 entspricht. Außerhalb des Gitters, "
    "von 46° bis 56° N und 5°50' bis 24° O (Schlesien, Pommern, Ostpreußen, Posen), mit der Näherung "
    "EPSG 1777 (sieben Parameter): EPSG gibt etwa 3 m Genauigkeit in Westdeutschland an, außerhalb "
    "Deutschlands gibt es keine amtliche Angabe. Nicht angehakt: Sie bleiben auf dem Bessel-Ellipsoid, "
    "in Deutschland 115 bis 200 m, in Ostpreußen gut 260 m von WGS 84 entfernt.";

} // namespace zelv::layout
