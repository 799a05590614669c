#pragma once
// Converted rows as places for Google Earth (KML 2.2, one placemark each)
// and GPS units (GPX 1.1, one waypoint each), written with libxml2's text
// writer.  A row that failed gives none.  The name is the name column's
// cell, else the row number; the description holds the location text and
// the Messtischblatt, and the row's note when it has one.  Every number is
// written the same under any locale.  The sink reads the converter's plain CSV row
// (BatchFormat::Csv) by the header's column names, so it takes the
// results as the table writer does.

#include "TableConversion.h"

#include <cstddef>
#include <iosfwd>
#include <memory>

namespace zelv {

enum class MapFormat { Kml, Gpx };

class MapFileSink final : public TableSink {
public:
    // Begins the document; `title` names the KML document.
    MapFileSink(std::ostream& out, MapFormat format, std::string_view title);
    ~MapFileSink() override;
    MapFileSink(const MapFileSink&) = delete;
    MapFileSink& operator=(const MapFileSink&) = delete;

    void headerRow(const TableRow& cells, std::size_t width) override;
    void row(const TableRowResult& row, std::size_t width) override;
    // Ends the document and flushes it; the destructor does it otherwise.
    void finish() override;

private:
    struct Writer;
    std::unique_ptr<Writer> writer_;
    MapFormat format_;
};

} // namespace zelv
