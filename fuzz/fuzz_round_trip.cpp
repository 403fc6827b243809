// WriteProjectSettings into an existing file, then ReadProjectSettings on the result. Input: a
// byte of style bits to write, a byte of style bits the reader starts from, a byte for how the
// existing file arrives (0 at once, else in pieces), a byte for the target (0 a buffer, else
// one that fails part-way), four bytes of font size, seven texts (a length byte, then the
// bytes, read as UTF-8), and the existing file. The output must equal what the file rules
// give, byte for byte, and read back as written; a failing target must get a prefix of it.

#include "fuzz_project_support.h"

#include "ini/project_reader.h"
#include "ini/project_writer.h"
#include "support/flaky_device.h"

#include <QBuffer>
#include <QStringDecoder>

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace {

ProjectFont FontWithStyles(QString name, int size, std::uint8_t bits)
{
    return {std::move(name), size,           (bits & 1) != 0, (bits & 2) != 0,
            (bits & 4) != 0, (bits & 8) != 0};
}

std::string Utf8Of(char32_t point)
{
    std::string bytes;
    if (point < 0x80) {
        bytes += static_cast<char>(point);
    } else if (point < 0x800) {
        bytes += static_cast<char>(0xc0 | (point >> 6));
        bytes += static_cast<char>(0x80 | (point & 0x3f));
    } else if (point < 0x10000) {
        bytes += static_cast<char>(0xe0 | (point >> 12));
        bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3f));
        bytes += static_cast<char>(0x80 | (point & 0x3f));
    } else {
        bytes += static_cast<char>(0xf0 | (point >> 18));
        bytes += static_cast<char>(0x80 | ((point >> 12) & 0x3f));
        bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3f));
        bytes += static_cast<char>(0x80 | (point & 0x3f));
    }
    return bytes;
}

// A key line as it must be written, and the text that reading it must give: the text without
// CR, LF and Ctrl-Z, in UTF-8, as many whole characters as fit in a 255-byte line.
struct KeyLine {
    std::string line;
    QString readBack;
};

KeyLine TextLine(const std::string& key, const QString& text)
{
    KeyLine result{key + "=", {}};
    std::u32string kept;
    for (const char32_t point : text.toUcs4()) {
        if (point == U'\r' || point == U'\n' || point == 0x1a)
            continue;
        const std::string bytes = Utf8Of(point);
        if (result.line.size() + bytes.size() > 255)
            break;
        result.line += bytes;
        kept += point;
    }
    result.readBack = fuzz::FromCodePoints(kept);
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputReader input(data, size);
    const std::uint8_t styles = input.Byte();
    const std::uint8_t stylesBefore = input.Byte();
    const std::uint8_t delivery = input.Byte();
    const std::uint8_t targetChoice = input.Byte();
    const auto fontSize = static_cast<std::int32_t>(input.Bytes(4));
    QString texts[7];
    for (QString& text : texts) {
        const int length = input.Byte();
        const std::string_view bytes =
            input.Text(length < 200 ? length : 200 + (length - 200) * 20);
        // Unlike QString::fromUtf8, this keeps a leading byte-order mark as a character.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
        text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    const std::string_view existing = input.Rest();

    const ProjectSettings settings{texts[0],
                                   texts[1],
                                   texts[2],
                                   texts[3],
                                   texts[4],
                                   texts[5],
                                   FontWithStyles(texts[6], fontSize, styles)};

    // What the rewrite must give.
    const std::vector<std::string> lines = fuzz::ReferenceLines(existing);
    std::size_t header = 0;
    while (header < lines.size() && !fuzz::ReferenceIsOwnHeader(lines[header]))
        ++header;
    std::string expectedFile;
    for (std::size_t i = 0; i < lines.size() && i <= header; ++i)
        expectedFile += lines[i] + "\r\n";
    if (header == lines.size())
        expectedFile += "[VANTORBEL]\r\n";

    ProjectSettings expectedBack;
    const std::pair<const char*, QString ProjectSettings::*> textKeys[] = {
        {"PROJECTNAAM", &ProjectSettings::ProjectName}, {"VANTORBEL", &ProjectSettings::Gauge},
        {"ONDERHOOGTE", &ProjectSettings::Bottom},      {"BOVENHOOGTE", &ProjectSettings::Top},
        {"DECIMALEN", &ProjectSettings::Decimals},      {"MODE", &ProjectSettings::Mode}};
    for (const auto& [key, text] : textKeys) {
        const KeyLine line = TextLine(key, settings.*text);
        expectedFile += line.line + "\r\n";
        expectedBack.*text = line.readBack;
    }
    const KeyLine fontName = TextLine("FONTNAME", settings.Font.name);
    expectedFile += fontName.line + "\r\n";
    expectedFile += "FONTSIZE=" + std::to_string(fontSize) + "\r\n";
    // Only the first style in the order bold, italic, underline, strike-out is written; without
    // one the reader leaves the styles it started with.
    const char* const styleWords[] = {"FSBOLD", "FSITALIC", "FSUNDERLINE", "FSSTRIKEOUT"};
    int written = -1;
    for (int bit = 0; bit < 4 && written < 0; ++bit)
        if (styles & (1 << bit))
            written = bit;
    expectedFile += std::string("FONTSTYLE=") + (written >= 0 ? styleWords[written] : "") + "\r\n";
    expectedFile += "\r\n";
    expectedBack.Font = FontWithStyles(fontName.readBack, fontSize,
                                       written >= 0 ? std::uint8_t(1 << written) : stylesBefore);

    if (header < lines.size()) {
        std::size_t next = header + 1;
        while (next < lines.size() && !lines[next].starts_with('['))
            ++next;
        for (; next < lines.size(); ++next)
            expectedFile += lines[next] + "\r\n";
    }

    // The rewrite.
    QByteArray sourceBytes = fuzz::Bytes(existing);
    QBuffer wholeSource(&sourceBytes);
    wholeSource.open(QIODevice::ReadOnly);
    fuzz::TrickleDevice trickle(sourceBytes, {1 + (delivery & 7), 1 + (delivery >> 3)});
    QIODevice& source = delivery == 0 ? static_cast<QIODevice&>(wholeSource) : trickle;
    const std::string context = " (existing file " + fuzz::Escaped(existing) + ", settings " +
                                fuzz::Shown(settings) + ", delivery " + std::to_string(delivery) +
                                ", target " + std::to_string(targetChoice) + ")";

    if (targetChoice != 0) {
        const auto budget = static_cast<qint64>(expectedFile.size() * targetChoice / 256);
        const bool reportsError = (targetChoice & 1) != 0;
        FlakyDevice target({}, budget, reportsError);
        fuzz::Check(!WriteProjectSettings(source, target, settings),
                    "WriteProjectSettings reported success to a target that took " +
                        std::to_string(budget) + " of " + std::to_string(expectedFile.size()) +
                        " bytes" + context);
        const std::string_view written = fuzz::View(target.written);
        fuzz::Check(written == std::string_view(expectedFile).substr(0, written.size()),
                    "a failing target got " + fuzz::Escaped(written) + context);
        fuzz::Check(reportsError || written.size() == static_cast<std::size_t>(budget),
                    "a target that takes part of a write did not get all it could take" + context);
        return 0;
    }

    QByteArray output;
    QBuffer target(&output);
    target.open(QIODevice::WriteOnly);
    const bool ok = WriteProjectSettings(source, target, settings);
    target.close();

    fuzz::Check(ok, "WriteProjectSettings failed on buffers" + context);
    if (fuzz::View(output) != expectedFile)
        fuzz::Fail("WriteProjectSettings wrote " + fuzz::Escaped(fuzz::View(output)) +
                   ", expected " + fuzz::Escaped(expectedFile) + context);

    // Reading it back.
    ProjectSettings back{QStringLiteral("x"),
                         QStringLiteral("x"),
                         QStringLiteral("x"),
                         QStringLiteral("x"),
                         QStringLiteral("x"),
                         QStringLiteral("x"),
                         FontWithStyles(QStringLiteral("x"), 1, stylesBefore)};
    // Without points and a facade the writer keeps the [VASTE PUNTEN], [VASTE PUNTEN SOORT] and
    // [GEVEL] sections of the existing file as they are, so they read back as they read from
    // that file; unknown when reading that file stops early.
    ProjectSettings existingRead;
    QBuffer existingAgain(&sourceBytes);
    existingAgain.open(QIODevice::ReadOnly);
    bool pointsKnown = true;
    try {
        ReadProjectSettings(existingAgain, existingRead);
    } catch (const std::runtime_error&) {
        pointsKnown = false;
    }
    expectedBack.FixedPoints = existingRead.FixedPoints;
    expectedBack.FixedPointsDamaged = existingRead.FixedPointsDamaged;
    expectedBack.StretchRules = existingRead.StretchRules;
    expectedBack.Facade = existingRead.Facade;
    QBuffer reread(&output);
    reread.open(QIODevice::ReadOnly);
    bool read = false;
    try {
        read = ReadProjectSettings(reread, back);
    } catch (const std::runtime_error& e) {
        fuzz::Fail(std::string("reading the written file threw ") + e.what() + context);
    }
    fuzz::Check(read, "the written file has no readable section" + context);
    if (!pointsKnown) {
        back.FixedPoints = expectedBack.FixedPoints;
        back.FixedPointsDamaged = expectedBack.FixedPointsDamaged;
        back.StretchRules = expectedBack.StretchRules;
        back.Facade = expectedBack.Facade;
    }
    if (!(back == expectedBack))
        fuzz::Fail("read back " + fuzz::Shown(back) + ", expected " + fuzz::Shown(expectedBack) +
                   context);
    return 0;
}
