#include "MapFileSink.h"

#include "Exception.h"

#include <libxml/xmlwriter.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>
#include <string>

namespace zelv {

namespace {

constexpr const char* kmlNamespace = "http://www.opengis.net/kml/2.2";
constexpr const char* gpxNamespace = "http://www.topografix.com/GPX/1/1";
constexpr const char* creator = "zelv-derarar";

const xmlChar* xml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

// The column of the converter's plain CSV row that has this header name.
std::size_t resultColumn(std::string_view name)
{
    const std::vector<TableRow> header = readTableRows(csvHeader, ',');
    const auto found = std::ranges::find(header.front(), name);
    return static_cast<std::size_t>(found - header.front().begin());
}

// XML 1.0 has no place for most control characters, which a cell may hold.
std::string xmlText(std::string_view text)
{
    std::string clean(text);
    std::ranges::replace_if(
        clean, [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r'; },
        ' ');
    return clean;
}

std::optional<double> number(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Six decimals, as the table has them, with a point: to_chars follows no
// locale, where printf would write "53,821390" under a German one.
std::string degrees(double value)
{
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return error == std::errc() ? std::string(text, end) : std::string();
}

} // namespace

struct MapFileSink::Writer {
    std::ostream& out;
    xmlTextWriterPtr writer = nullptr;

    explicit Writer(std::ostream& stream) : out(stream)
    {
        xmlOutputBufferPtr buffer = xmlOutputBufferCreateIO(
            [](void* context, const char* bytes, int length) {
                auto& stream = *static_cast<std::ostream*>(context);
                stream.write(bytes, length);
                return stream ? length : -1;
            },
            [](void*) { return 0; }, &out, nullptr);
        if (buffer)
            writer = xmlNewTextWriter(buffer);
        if (!writer)
            throw Exception("libxml2 kann keine XML-Datei beginnen");
        xmlTextWriterSetIndent(writer, 1);
        xmlTextWriterSetIndentString(writer, xml("  "));
    }
    ~Writer()
    {
        if (writer)
            xmlFreeTextWriter(writer);
    }
    void start(const char* name) { xmlTextWriterStartElement(writer, xml(name)); }
    void end() { xmlTextWriterEndElement(writer); }
    void attribute(const char* name, const std::string& value)
    {
        xmlTextWriterWriteAttribute(writer, xml(name), xml(value.c_str()));
    }
    void element(const char* name, const std::string& text)
    {
        xmlTextWriterWriteElement(writer, xml(name), xml(xmlText(text).c_str()));
    }
};

MapFileSink::MapFileSink(std::ostream& out, MapFormat format, std::string_view title)
    : writer_(std::make_unique<Writer>(out)), format_(format)
{
    xmlTextWriterStartDocument(writer_->writer, nullptr, "UTF-8", nullptr);
    if (format_ == MapFormat::Kml) {
        writer_->start("kml");
        writer_->attribute("xmlns", kmlNamespace);
        writer_->start("Document");
        writer_->element("name", std::string(title));
    } else {
        writer_->start("gpx");
        writer_->attribute("xmlns", gpxNamespace);
        writer_->attribute("version", "1.1");
        writer_->attribute("creator", creator);
    }
}

MapFileSink::~MapFileSink()
{
    finish();
}

void MapFileSink::finish()
{
    if (!writer_)
        return;
    xmlTextWriterEndDocument(writer_->writer);
    xmlTextWriterFlush(writer_->writer);
    writer_.reset();
}

void MapFileSink::headerRow(const TableRow&, std::size_t) {}

void MapFileSink::row(const TableRowResult& row, std::size_t)
{
    static const std::size_t latitudeColumn = resultColumn("latitude");
    static const std::size_t longitudeColumn = resultColumn("longitude");
    static const std::size_t locationColumn = resultColumn("location");
    static const std::size_t sheetColumn = resultColumn("tk25");
    static const std::size_t sheetNameColumn = resultColumn("tk25_name");
    const std::vector<TableRow> results = readTableRows(row.result.text, ',');
    if (results.empty() || results.front().size() <= std::max({latitudeColumn, longitudeColumn, locationColumn}))
        return;
    const TableRow& result = results.front();
    const std::optional<double> latitude = number(result[latitudeColumn]);
    std::optional<double> longitude = number(result[longitudeColumn]);
    if (!latitude || !longitude)
        return;
    // Into -180..180, as both formats take it; 180 itself as -180.
    longitude = std::remainder(*longitude, 360.0);
    if (*longitude >= 180.0)
        *longitude -= 360.0;

    const std::string name = row.name.empty() ? std::to_string(row.number) : std::string(row.name);
    std::string description = result[locationColumn];
    if (sheetColumn < result.size() && !result[sheetColumn].empty()) {
        description += " Messtischblatt (TK25) " + result[sheetColumn];
        if (sheetNameColumn < result.size() && !result[sheetNameColumn].empty())
            description += ' ' + result[sheetNameColumn];
    }
    if (!row.note.empty())
        description += " Hinweis: " + std::string(row.note);

    if (format_ == MapFormat::Kml) {
        writer_->start("Placemark");
        writer_->element("name", name);
        writer_->element("description", description);
        writer_->start("Point");
        writer_->element("coordinates", degrees(*longitude) + ',' + degrees(*latitude));
        writer_->end();
        writer_->end();
    } else {
        writer_->start("wpt");
        writer_->attribute("lat", degrees(*latitude));
        writer_->attribute("lon", degrees(*longitude));
        writer_->element("name", name);
        writer_->element("desc", description);
        writer_->end();
    }
}

} // namespace zelv
