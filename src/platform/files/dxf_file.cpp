#include "dxf_file.h"

#include <QList>
#include <QString>

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <cctype>
#include <charconv>
#include <cstdio>

namespace platform {
namespace {

// dxflib writes to a file it opens itself; this writer of its kind keeps the text instead, so
// that the file is replaced the one way every file of the program is.
class BufferWriter final : public DL_WriterA {
public:
    BufferWriter()
        : DL_WriterA("/dev/null", DL_Codes::AC1015)
    {
    }

    void dxfReal(int code, double value) const override
    {
        char digits[32];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
        put(code, std::string_view(digits, std::size_t(end - digits)));
    }
    void dxfInt(int code, int value) const override { put(code, std::to_string(value)); }
    void dxfHex(int code, int value) const override
    {
        char digits[16];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), value, 16).ptr;
        std::string hex(digits, end);
        for (char& digit : hex)
            digit = char(std::toupper(static_cast<unsigned char>(digit)));
        put(code, hex);
    }
    void dxfString(int code, const char* value) const override { put(code, value); }
    void dxfString(int code, const std::string& value) const override { put(code, value); }

    const std::string& text() const { return m_text; }

private:
    // A group code right-aligned in three places, then its value, each on a line.
    void put(int code, std::string_view value) const
    {
        const std::string number = std::to_string(code);
        m_text.append(number.size() < 3 ? 3 - number.size() : 0, ' ');
        m_text += number;
        m_text += '\n';
        m_text += value;
        m_text += '\n';
    }

    mutable std::string m_text;
};

// Plain ASCII as it is; everything else as \U+XXXX, which every DXF reader decodes whatever
// the code page it assumes.
std::string Escaped(const std::string& utf8)
{
    std::string escaped;
    for (const char32_t code : QString::fromStdString(utf8).toUcs4()) {
        if (code >= 0x20 && code < 0x7f) {
            escaped += char(code);
        } else if (code > 0xffff || code < 0x20) {
            escaped += '?';
        } else {
            char digits[8];
            std::snprintf(digits, sizeof digits, "%04X", unsigned(code));
            escaped += "\\U+";
            escaped += digits;
        }
    }
    return escaped;
}

DL_Attributes On(const std::string& layer)
{
    return DL_Attributes(layer, 256, -1, "BYLAYER", 1.0);
}

} // namespace

DxfDrawing::DxfDrawing(std::vector<std::string> layers)
    : m_layers(std::move(layers))
{
}

void DxfDrawing::closedPolyline(const std::string& layer, const std::vector<Point>& points)
{
    m_polylines.push_back({layer, points});
}

void DxfDrawing::line(const std::string& layer, Point from, Point to)
{
    m_lines.push_back({layer, from, to});
}

void DxfDrawing::text(const std::string& layer, Point at, double height, const std::string& utf8)
{
    m_texts.push_back({layer, at, height, Escaped(utf8)});
}

QByteArray DxfDrawing::bytes() const
{
    DL_Dxf dxf;
    BufferWriter out;
    dxf.writeHeader(out);
    // Millimetres: CAD inserts the drawing at its true size.
    out.dxfString(9, "$INSUNITS");
    out.dxfInt(70, 4);
    out.sectionEnd();

    out.sectionTables();
    dxf.writeVPort(out);
    out.tableLinetypes(3);
    dxf.writeLinetype(out, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
    dxf.writeLinetype(out, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
    dxf.writeLinetype(out, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
    out.tableEnd();
    out.tableLayers(int(m_layers.size()) + 1);
    dxf.writeLayer(out, DL_LayerData("0", 0),
                   DL_Attributes("", DL_Codes::black, 100, "CONTINUOUS", 1.0));
    for (const std::string& layer : m_layers)
        dxf.writeLayer(out, DL_LayerData(layer, 0),
                       DL_Attributes("", DL_Codes::black, 100, "CONTINUOUS", 1.0));
    out.tableEnd();
    out.tableStyle(1);
    dxf.writeStyle(out, DL_StyleData("standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    out.tableEnd();
    dxf.writeView(out);
    dxf.writeUcs(out);
    out.tableAppid(1);
    dxf.writeAppid(out, "ACAD");
    out.tableEnd();
    dxf.writeDimStyle(out, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(out);
    out.tableEnd();
    out.sectionEnd();

    out.sectionBlocks();
    for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(out, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(out, block);
    }
    out.sectionEnd();

    out.sectionEntities();
    for (const Polyline& polyline : m_polylines) {
        dxf.writePolyline(out, DL_PolylineData(int(polyline.points.size()), 0, 0, 1),
                          On(polyline.layer));
        for (const auto& [x, y] : polyline.points)
            dxf.writeVertex(out, DL_VertexData(x, y));
        dxf.writePolylineEnd(out);
    }
    for (const Line& line : m_lines)
        dxf.writeLine(
            out,
            DL_LineData(line.from.first, line.from.second, 0, line.to.first, line.to.second, 0),
            On(line.layer));
    for (const Text& text : m_texts)
        dxf.writeText(out,
                      DL_TextData(text.at.first, text.at.second, 0, text.at.first, text.at.second,
                                  0, text.height, 1.0, 0, 0, 0, text.text, "standard", 0.0),
                      On(text.layer));
    out.sectionEnd();
    dxf.writeObjects(out);
    dxf.writeObjectsEnd(out);
    out.dxfEOF();
    return QByteArray::fromStdString(out.text());
}

} // namespace platform
