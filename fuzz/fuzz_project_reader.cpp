// ReadProjectSettings on arbitrary file bytes, against a reference reader written from the file
// rules; and the key, value, header, decoding, encoding and cutting helpers on the same bytes.

#include "fuzz_project_support.h"

#include "ini/project_keys.h"
#include "ini/project_reader.h"
#include "ini/value_encoding.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace {

// Different from the defaults in every item, so that an item wrongly touched shows.
ProjectSettings PassedIn()
{
    return {QStringLiteral("Oud"),
            QStringLiteral("75"),
            QStringLiteral("-10"),
            QStringLiteral("2000"),
            QStringLiteral("1"),
            QStringLiteral("2"),
            ProjectFont{QStringLiteral("Courier New"), 11, true, false, true, false}};
}

struct ReferenceResult {
    bool read = false;
    std::optional<std::string> error; // the message of the exception, when one is due
    ProjectSettings settings;
};

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fuzz::AsciiUpper(a[i]) != fuzz::AsciiUpper(b[i]))
            return false;
    return true;
}

void ApplyReferenceKeyLine(ReferenceResult& result, std::string_view line)
{
    const std::string_view head = line.substr(0, 255);
    const std::size_t equals = head.find('=');
    if (equals == std::string_view::npos || equals == 0)
        return;
    const std::string_view key = head.substr(0, equals);
    const std::string_view value = head.substr(equals + 1);
    ProjectSettings& s = result.settings;
    const std::pair<const char*, QString*> texts[] = {
        {"PROJECTNAAM", &s.ProjectName}, {"VANTORBEL", &s.Gauge},    {"ONDERHOOGTE", &s.Bottom},
        {"BOVENHOOGTE", &s.Top},         {"DECIMALEN", &s.Decimals}, {"MODE", &s.Mode},
        {"FONTNAME", &s.Font.name}};
    for (const auto& [name, text] : texts) {
        if (SameIgnoringAsciiCase(key, name)) {
            *text = fuzz::ReferenceDecode(value);
            return;
        }
    }
    if (SameIgnoringAsciiCase(key, "FONTSIZE")) {
        if (const std::optional<std::int32_t> size = fuzz::ReferenceWholeNumber(value))
            s.Font.size = *size;
        else
            result.error =
                "'" + fuzz::ReferenceDecode(value).toStdString() + "' is not a valid integer value";
        // what() is a C string: a NUL from the file ends the message there.
        if (result.error)
            result.error->resize(std::min(result.error->size(), result.error->find('\0')));
        return;
    }
    if (SameIgnoringAsciiCase(key, "FONTSTYLE")) {
        const std::pair<const char*, bool ProjectFont::*> styles[] = {
            {"FSBOLD", &ProjectFont::bold},
            {"FSITALIC", &ProjectFont::italic},
            {"FSUNDERLINE", &ProjectFont::underline},
            {"FSSTRIKEOUT", &ProjectFont::strikeOut}};
        for (const auto& [word, style] : styles) {
            if (SameIgnoringAsciiCase(value, word)) {
                s.Font.bold = s.Font.italic = s.Font.underline = s.Font.strikeOut = false;
                s.Font.*style = true;
            }
        }
    }
}

ReferenceResult ReferenceRead(std::string_view file, const ProjectSettings& passedIn)
{
    ReferenceResult result;
    result.settings = passedIn;
    const std::vector<std::string> lines = fuzz::ReferenceLines(file);
    std::size_t i = 0;
    while (i < lines.size() && !fuzz::ReferenceIsOwnHeader(lines[i]))
        ++i;
    // No header, or nothing after it: nothing is read.
    if (i + 1 >= lines.size())
        return result;
    result.read = true;
    for (++i; i < lines.size() && !lines[i].starts_with('['); ++i) {
        ApplyReferenceKeyLine(result, lines[i]);
        if (result.error)
            return result;
    }
    return result;
}

void CheckKeyHelpers(std::string_view line)
{
    const QByteArray bytes = fuzz::Bytes(line);
    const QByteArray key = ProjectKeyOf(bytes);
    const QByteArray value = ProjectValueOf(bytes);
    const std::string_view head = line.substr(0, 255);
    const std::size_t equals = head.find('=');
    const std::string where = " for line " + fuzz::Escaped(line);

    if (equals == std::string_view::npos) {
        fuzz::Check(key.isEmpty() && value.isEmpty(), "key or value without \"=\"" + where);
    } else {
        fuzz::Check(static_cast<std::size_t>(key.size()) == equals, "key length" + where);
        fuzz::Check(!key.contains('='), "\"=\" in the key" + where);
        for (const char c : key)
            fuzz::Check(!(c >= 'a' && c <= 'z'), "lower-case letter in the key" + where);
        // Key, "=" and value give back the first 255 bytes, ASCII letter case aside.
        fuzz::Check(SameIgnoringAsciiCase(fuzz::View(key + '=' + value), head),
                    "key \"=\" value is not the line's head" + where);
        fuzz::Check(fuzz::View(value) == head.substr(equals + 1), "value changed" + where);
    }
    fuzz::Check(IsProjectSectionHeader(bytes) == fuzz::ReferenceIsOwnHeader(line),
                "IsProjectSectionHeader" + where);
}

void CheckValueHelpers(std::string_view bytes)
{
    const QByteArray raw = fuzz::Bytes(bytes);
    const QString decoded = DecodeProjectValue(raw);
    const QString expected = fuzz::ReferenceDecode(bytes);
    if (decoded != expected)
        fuzz::Fail("DecodeProjectValue(" + fuzz::Escaped(bytes) + ") gave " + fuzz::Shown(decoded) +
                   ", expected " + fuzz::Shown(expected));

    const QByteArray encoded = EncodeProjectValue(decoded);
    fuzz::Check(!encoded.contains('\r') && !encoded.contains('\n') && !encoded.contains('\x1a'),
                "EncodeProjectValue kept a line break or Ctrl-Z: " +
                    fuzz::Escaped(fuzz::View(encoded)));
    QString withoutBreaks = decoded;
    withoutBreaks.remove(QChar(u'\r')).remove(QChar(u'\n')).remove(QChar(0x1a));
    fuzz::Check(fuzz::ReferenceDecode(fuzz::View(encoded)) == withoutBreaks,
                "EncodeProjectValue does not decode back to the text for " + fuzz::Escaped(bytes));

    for (const qsizetype limit : {qsizetype(0), qsizetype(1), qsizetype(4), qsizetype(243),
                                  qsizetype(255), raw.size() / 2, raw.size() - 1}) {
        if (limit < 0)
            continue;
        const QByteArray cut = CutAtCharacter(raw, limit);
        // The longest prefix within the limit that does not end inside a character: the
        // byte after it is no UTF-8 continuation byte.
        qsizetype expectedSize = std::min(limit, raw.size());
        while (expectedSize > 0 && expectedSize < raw.size() &&
               (static_cast<unsigned char>(raw[expectedSize]) & 0xc0) == 0x80)
            --expectedSize;
        if (cut != raw.left(expectedSize))
            fuzz::Fail("CutAtCharacter(" + fuzz::Escaped(bytes) + ", " + std::to_string(limit) +
                       ") gave " + fuzz::Escaped(fuzz::View(cut)) + ", expected the first " +
                       std::to_string(expectedSize) + " bytes");
    }
}

void CheckRead(QIODevice& device, std::string_view file, const ReferenceResult& expected,
               const char* how)
{
    ProjectSettings settings = PassedIn();
    bool read = false;
    std::optional<std::string> error;
    try {
        read = ReadProjectSettings(device, settings);
    } catch (const std::runtime_error& e) {
        error = e.what();
    }
    const std::string context = std::string(" reading ") + how + " the file " + fuzz::Escaped(file);
    if (error != expected.error)
        fuzz::Fail("ReadProjectSettings threw " + (error ? fuzz::Escaped(*error) : "nothing") +
                   ", expected " + (expected.error ? fuzz::Escaped(*expected.error) : "nothing") +
                   context);
    if (!error && read != expected.read)
        fuzz::Fail(std::string("ReadProjectSettings returned ") + (read ? "true" : "false") +
                   context);
    // The reference knows neither fixed points nor rules: only what any reading of them must keep
    // to.
    fuzz::Check(!settings.FixedPointsDamaged || !settings.FixedPoints,
                "damaged fixed points were kept" + context);
    for (const FixedPointTexts& point :
         settings.FixedPoints.value_or(std::vector<FixedPointTexts>{}))
        fuzz::Check(point.name.size() <= kMaxFixedPointNameLength && point.typedCount >= 0,
                    "a fixed point beyond the limits" + context);
    fuzz::Check(settings.StretchRules.size() < kMaxFixedPoints,
                "more stretch rules than a plan has stretches" + context);
    for (const StretchRuleTexts& rule : settings.StretchRules)
        fuzz::Check(rule.rule == 1 || rule.rule == 2, "a stretch rule other than 1 or 2" + context);
    // The facade's lines mean something only to the document, which names those it cannot read.
    for (const KeyedLine& line : settings.Facade.value_or(std::vector<KeyedLine>{}))
        fuzz::Check(!line.key.isEmpty() && !line.key.contains('='),
                    "a facade line without its key" + context);
    settings.FixedPoints = expected.settings.FixedPoints;
    settings.FixedPointsDamaged = expected.settings.FixedPointsDamaged;
    settings.StretchRules = expected.settings.StretchRules;
    settings.Facade = expected.settings.Facade;
    if (!(settings == expected.settings))
        fuzz::Fail("ReadProjectSettings gave " + fuzz::Shown(settings) + ", expected " +
                   fuzz::Shown(expected.settings) + context);
}

// Piece sizes that follow from the input, so that a finding reproduces.
std::vector<qint64> PiecesFor(std::string_view file)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : file)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    std::vector<qint64> pieces;
    for (int i = 0; i < 8; ++i) {
        hash = hash * 1103515245u + 12345u;
        const std::uint32_t r = hash >> 16;
        pieces.push_back(r % 2 == 0 ? 1 + r % 600 : 1 + r % 9);
    }
    return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const ReferenceResult expected = ReferenceRead(file, PassedIn());

    QByteArray bytes = fuzz::Bytes(file);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CheckRead(buffer, file, expected, "at once");
    // Every read allocates a whole chunk, so one byte at a time is kept to short files.
    if (size <= 128) {
        fuzz::TrickleDevice byteByByte(bytes, {1});
        CheckRead(byteByByte, file, expected, "byte by byte");
    }
    fuzz::TrickleDevice inPieces(bytes, PiecesFor(file));
    CheckRead(inPieces, file, expected, "in pieces");

    for (const std::string& line : fuzz::ReferenceLines(file)) {
        CheckKeyHelpers(line);
        const std::string_view head = std::string_view(line).substr(0, 255);
        if (const std::size_t equals = head.find('='); equals != std::string_view::npos)
            CheckValueHelpers(head.substr(equals + 1));
    }
    // The helpers take any bytes, line breaks included.
    CheckKeyHelpers(file);
    CheckValueHelpers(file);
    return 0;
}
