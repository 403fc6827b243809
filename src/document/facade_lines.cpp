#include "facade_lines.h"

#include "ini/escaped_field.h"

#include <functional>
#include <map>

namespace {

constexpr int kOpeningFields = 5;
constexpr int kBrickFields = 4;

// Each field escaped and ended by ";", so that any text fits in one.
QString Fields(const QStringList& fields)
{
    QString value;
    for (const QString& field : fields)
        value += EscapeField(field) + QLatin1Char(';');
    return value;
}

std::optional<QStringList> FieldsOf(const QString& value, int count)
{
    QStringList fields;
    QStringView rest(value);
    while (!rest.isEmpty()) {
        const std::optional<LeadingField> field = TakeEscapedField(rest);
        if (!field)
            return std::nullopt;
        fields << field->text;
        rest = QStringView(value).right(field->rest.size());
    }
    if (fields.size() != count)
        return std::nullopt;
    return fields;
}

QStringList BrickFields(const BrickTexts& bricks)
{
    return {bricks.stone, bricks.joint, bricks.jointFrom, bricks.jointTo};
}

QString EndWord(facade::WallEnd end)
{
    return end == facade::WallEnd::OutsideCorner ? QStringLiteral("buitenhoek")
                                                 : QStringLiteral("vrij eind");
}

std::optional<facade::WallEnd> EndOf(const QString& word)
{
    if (word == QLatin1String("buitenhoek"))
        return facade::WallEnd::OutsideCorner;
    if (word == QLatin1String("vrij eind"))
        return facade::WallEnd::FreeEnd;
    return std::nullopt;
}

QByteArray OpeningKey(std::size_t index)
{
    return "SPARING" + QByteArray::number(qulonglong(index + 1));
}

} // namespace

std::vector<KeyedLine> FacadeLinesOf(const FacadeSettings& facade,
                                     const std::array<BrickTexts, 2>& bricks)
{
    std::vector<KeyedLine> lines{
        {"BREEDTE", facade.width},
        {"HOOGTE", facade.height},
        {"LINKS", EndWord(facade.leftEnd)},
        {"RECHTS", EndWord(facade.rightEnd)},
        {"EERSTELAAG", facade.first == facade::FirstCourse::Stretcher
                           ? QStringLiteral("strek")
                           : QStringLiteral("halve steen")},
        {"BREUK", facade.breakage},
        {"KOPPEN", Fields(BrickFields(bricks[1]))},
        {"STEENLENGTE", facade.stoneLength},
        {"LAGEN", Fields(BrickFields(bricks[0]))},
    };
    for (std::size_t i = 0; i < facade.openings.size(); ++i) {
        const OpeningRow& row = facade.openings[i];
        lines.push_back(
            {OpeningKey(i), Fields({row.name, row.left, row.right, row.bottom, row.top})});
    }
    return lines;
}

OpenedFacade FacadeFromLines(const std::vector<KeyedLine>& lines)
{
    OpenedFacade opened;
    FacadeSettings& facade = opened.facade;
    const auto bricks = [&opened](std::size_t mode) {
        return [&opened, mode](const QString& value) {
            const std::optional<QStringList> fields = FieldsOf(value, kBrickFields);
            if (fields)
                opened.bricks[mode] =
                    BrickTexts{(*fields)[0], (*fields)[1], (*fields)[2], (*fields)[3]};
            return fields.has_value();
        };
    };
    const auto end = [](facade::WallEnd& into) {
        return [&into](const QString& value) {
            const std::optional<facade::WallEnd> read = EndOf(value);
            into = read.value_or(into);
            return read.has_value();
        };
    };
    const auto text = [](QString& into) {
        return [&into](const QString& value) {
            into = value;
            return true;
        };
    };
    const std::map<QByteArray, std::function<bool(const QString&)>> readers{
        {"BREEDTE", text(facade.width)},
        {"HOOGTE", text(facade.height)},
        {"LINKS", end(facade.leftEnd)},
        {"RECHTS", end(facade.rightEnd)},
        {"EERSTELAAG",
         [&facade](const QString& value) {
             const bool half = value == QLatin1String("halve steen");
             facade.first = half ? facade::FirstCourse::Half : facade::FirstCourse::Stretcher;
             return half || value == QLatin1String("strek");
         }},
        {"BREUK", text(facade.breakage)},
        {"KOPPEN", bricks(1)},
        {"STEENLENGTE", text(facade.stoneLength)},
        {"LAGEN", bricks(0)},
    };
    for (const KeyedLine& line : lines) {
        bool read = false;
        if (const auto reader = readers.find(line.key); reader != readers.end()) {
            read = reader->second(line.value);
        } else if (line.key == OpeningKey(facade.openings.size()) &&
                   facade.openings.size() < facade::kMaxOpenings) {
            if (const auto fields = FieldsOf(line.value, kOpeningFields)) {
                facade.openings.push_back(
                    {(*fields)[0], (*fields)[1], (*fields)[2], (*fields)[3], (*fields)[4]});
                read = true;
            }
        }
        if (!read)
            opened.unread << QString::fromUtf8(line.key) + QLatin1Char('=') + line.value;
    }
    return opened;
}
