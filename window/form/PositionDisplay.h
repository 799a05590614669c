#pragma once
// What the window shows about the shown position: the location text and the
// map link, the datum line, the approximation note, the Messtischblatt field
// and the grids' stale marks.  The form's handlers feed it; it writes only
// these controls and reads nothing back from them.
//
// To show another line about the position: add its control to `Lines`, its
// text to a small function in PositionDisplay.cpp, and one call in
// `showLines`, which runs whenever the position or its datum changes.

#include "GridProvenance.h"
#include "NumberText.h"

#include <QString>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QWidget;

namespace zelv {

class DhdnConverter;
class TElURLLabel;

// Which datum the shown position is on, as set by the conversion that
// produced it.
enum class PositionDatum {
    Wgs84,    // typed, pasted, from UTM or through BeTA2007
    Bessel,   // from TMERC without the datum shift: DHDN
    Epsg1777, // from TMERC through the approximation
};

class PositionDisplay {
public:
    // The controls it writes; all owned by the form.
    struct Lines {
        QLineEdit* locationText;       // E_ZELV
        TElURLLabel* mapLink;          // ElURLLabel1
        QLabel* datumLine;             // Label_Lagedatum
        QLabel* approximationNote;     // Label_TMERC_Umrechnung
        QLineEdit* tk25;               // E_TK25
        std::vector<QWidget*> utmValues; // marked while they belong to another position
        std::vector<QWidget*> tmValues;
    };

    // Sets the lines' tooltips of an empty position.
    PositionDisplay(const Lines& lines, Separators separators);

    // Takes the position into DHDN for the Messtischblatt; null (the
    // default) gives a sheet only for a position on Bessel.
    void setDhdnConverter(const DhdnConverter* dhdn) { dhdn_ = dhdn; }

    // The position now shown.  `datum` is given by a conversion that produced
    // it; a position that moves without one is WGS 84, and one that stays
    // where it was without one keeps its datum.
    void show(Extended latitude, Extended longitude, std::optional<PositionDatum> datum);
    PositionDatum datum() const { return datum_; }

    // The note under the datum choice after a conversion into the grid:
    // shown when it went through the approximation.
    void showApproximationNote(bool approximated);

    // Greys the values of each grid that belongs to another position.
    void showGridMarks(const GridProvenance& provenance);

private:
    void showLines(Extended latitude, Extended longitude);
    void showTk25(Extended latitude, Extended longitude);

    Lines lines_;
    Separators separators_;
    const DhdnConverter* dhdn_ = nullptr;
    PositionDatum datum_ = PositionDatum::Wgs84;
};

} // namespace zelv
