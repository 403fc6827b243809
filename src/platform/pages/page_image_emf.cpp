#include "platform/pages/page_image.h"
#include "program_identity.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>

#include <uemf.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace platform {

namespace {

// libuemf hands out malloc'ed records and tables; these give them one owner on every path.
struct FreeRecord {
    void operator()(char* record) const { std::free(record); }
};
using Record = std::unique_ptr<char, FreeRecord>;

struct FreeTrack {
    void operator()(EMFTRACK* track) const { emf_free(&track); }
};
struct FreeHandles {
    void operator()(EMFHANDLES* handles) const { emf_htable_free(&handles); }
};

// libuemf's own "no rectangle" constant is a C compound literal, which C++ does not have.
constexpr U_RECTL kNoBounds{0, 0, -1, -1};

U_POINTL pointOf(int x, int y)
{
    return point32_set(x, y);
}

U_COLORREF colorOf(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return colorref3_set(static_cast<uint8_t>(rgb.red()), static_cast<uint8_t>(rgb.green()),
                         static_cast<uint8_t>(rgb.blue()));
}

// Readers that honour the advance array (GDI among them) place every character by it, so it
// carries the advances the layout measured: the font at its point size on a device of the
// page's resolution, as the printer measured it. Positions are rounded cumulatively so the
// string keeps its measured width instead of piling up rounding errors.
std::vector<uint32_t> advancesOf(const PageImage::SelectFont& font, const QString& text,
                                 int resolution)
{
    std::vector<uint32_t> advances(static_cast<std::size_t>(text.size()), 0);
    if (qGuiApp == nullptr || resolution <= 0 || font.emPixels <= 0) {
        // Without a font database (or a font) there is nothing to measure; an even pitch of
        // half an em keeps the text readable in the readers that use these numbers.
        const auto pitch = static_cast<uint32_t>(std::lround(font.emPixels / 2));
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!text.at(i).isLowSurrogate())
                advances[static_cast<std::size_t>(i)] = pitch;
        }
        return advances;
    }

    QImage device(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(resolution / 0.0254));
    device.setDotsPerMeterX(dotsPerMetre);
    device.setDotsPerMeterY(dotsPerMetre);
    QFont qfont(font.name);
    qfont.setPointSizeF(font.emPixels * 72.0 / resolution);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    const QFontMetricsF metrics(qfont, &device);

    long previous = 0;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i + 1;
        if (text.at(i).isHighSurrogate() && end < text.size() && text.at(end).isLowSurrogate())
            ++end;
        const long position = std::lround(metrics.horizontalAdvance(text.left(end)));
        advances[static_cast<std::size_t>(i)] =
            static_cast<uint32_t>(std::max(0L, position - previous));
        previous = position;
        i = end;
    }
    return advances;
}

class EmfBuilder {
public:
    bool start()
    {
        // The metafile is built in memory and written in one go at the end: libuemf's own
        // emf_start opens (and truncates) the file before anything is known to succeed.
        auto* track = static_cast<EMFTRACK*>(std::calloc(1, sizeof(EMFTRACK)));
        if (track == nullptr)
            return false;
        m_track.reset(track);
        constexpr std::size_t initialBytes = 64 * 1024;
        track->buf = static_cast<char*>(std::malloc(initialBytes));
        if (track->buf == nullptr)
            return false;
        track->allocated = initialBytes;
        track->chunk = initialBytes;

        EMFHANDLES* handles = nullptr;
        if (emf_htable_create(16, 16, &handles) != 0)
            return false;
        m_handles.reset(handles);
        return true;
    }

    // Takes over a record from a libuemf *_set call; a null record is a failed call.
    bool append(char* raw)
    {
        const Record record(raw);
        if (!record)
            return false;
        return emf_append(reinterpret_cast<U_ENHMETARECORD*>(record.get()), m_track.get(), 0) == 0;
    }

    EMFTRACK* track() const { return m_track.get(); }
    EMFHANDLES* handles() const { return m_handles.get(); }

    // Selects a newly created object in place of current and deletes the one it replaces, so
    // that the reader's object table holds only what is in use.
    bool replace(uint32_t& current, uint32_t created)
    {
        if (!append(selectobject_set(created, handles())))
            return false;
        uint32_t replaced = current;
        current = created;
        return release(replaced);
    }

    bool release(uint32_t& object)
    {
        if (object == 0)
            return true;
        return append(deleteobject_set(&object, handles()));
    }

    // Fills in what only the finished metafile knows, as emf_finish would, and returns the
    // bytes to write.
    QByteArray finish()
    {
        auto* header = reinterpret_cast<U_EMRHEADER*>(m_track->buf);
        header->nBytes = static_cast<uint32_t>(m_track->used);
        header->nRecords = m_track->records;
        header->nHandles = m_handles->peak + 1;
        header->nPalEntries = m_track->PalEntries;
#if U_BYTE_SWAP
        U_emf_endian(m_track->buf, m_track->used, 1);
#endif
        return QByteArray(m_track->buf, static_cast<qsizetype>(m_track->used));
    }

private:
    std::unique_ptr<EMFTRACK, FreeTrack> m_track;
    std::unique_ptr<EMFHANDLES, FreeHandles> m_handles;
};

class PageWriter {
public:
    explicit PageWriter(const PageImage& page)
        : m_page(page)
    {
    }

    bool write(QByteArray& bytes)
    {
        if (!m_emf.start() || !header())
            return false;
        for (const PageImage::Operation& operation : m_page.operations()) {
            const bool written = std::visit([this](const auto& op) { return draw(op); }, operation);
            if (!written)
                return false;
        }
        if (!m_emf.append(U_EMREOF_set(0, nullptr, m_emf.track())))
            return false;
        bytes = m_emf.finish();
        return true;
    }

private:
    bool header()
    {
        const QSizeF frame = m_page.frameMillimetres();
        const U_RECTL bounds{0, 0, m_page.width() - 1, m_page.height() - 1};
        const U_RECTL frameRect{0, 0, static_cast<int32_t>(std::lround(frame.width() * 100)),
                                static_cast<int32_t>(std::lround(frame.height() * 100))};
        // Application name, then an empty picture name, each terminated.
        QString description = QString::fromUtf8(kProgramName);
        description.append(QChar(0)).append(QChar(0));
        std::vector<uint16_t> description16(description.utf16(),
                                            description.utf16() + description.size());
        const U_SIZEL device = sizel_set(m_page.width(), m_page.height());
        const U_SIZEL millimetres = sizel_set(static_cast<int32_t>(std::lround(frame.width())),
                                              static_cast<int32_t>(std::lround(frame.height())));
        return m_emf.append(U_EMRHEADER_set(bounds, frameRect, nullptr,
                                            static_cast<U_CBSTR>(description16.size()),
                                            description16.data(), device, millimetres, 0)) &&
               m_emf.append(U_EMRSETMAPMODE_set(U_MM_TEXT)) &&
               m_emf.append(U_EMRSETBKMODE_set(U_TRANSPARENT)) &&
               m_emf.append(U_EMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT)) &&
               // A drawing surface starts with a clear brush; a metafile with a white one.
               m_emf.append(selectobject_set(U_NULL_BRUSH, m_emf.handles()));
    }

    bool draw(const PageImage::SelectFont& font)
    {
        // The face name field has a fixed size; longer names are cut, as GDI does.
        std::u16string face(reinterpret_cast<const char16_t*>(font.name.utf16()),
                            static_cast<std::size_t>(font.name.size()));
        face.resize(U_LF_FACESIZE, u'\0');
        face[U_LF_FACESIZE - 1] = u'\0';
        const U_LOGFONT logFont =
            logfont_set(-static_cast<int32_t>(std::lround(font.emPixels)), 0, 0, 0,
                        font.bold ? U_FW_BOLD : U_FW_NORMAL, font.italic ? 1 : 0,
                        font.underline ? 1 : 0, font.strikeOut ? 1 : 0, U_DEFAULT_CHARSET,
                        U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_DEFAULT_QUALITY,
                        U_DEFAULT_PITCH | U_FF_DONTCARE, reinterpret_cast<uint16_t*>(face.data()));
        uint32_t created = 0;
        if (!m_emf.append(extcreatefontindirectw_set(
                &created, m_emf.handles(), reinterpret_cast<const char*>(&logFont), nullptr)) ||
            !m_emf.replace(m_font, created))
            return false;
        m_currentFont = font;
        return m_emf.append(U_EMRSETTEXTCOLOR_set(colorOf(font.color)));
    }

    bool draw(const PageImage::SelectPen& select)
    {
        // A geometric pen keeps its width in page units; a cosmetic one is drawn one pixel wide
        // by most readers.
        U_POINT width;
        width.x = std::max(0, select.pen.width);
        width.y = 0;
        const U_LOGPEN pen =
            logpen_set(U_PS_SOLID | U_PS_GEOMETRIC, width, colorOf(select.pen.color));
        uint32_t created = 0;
        return m_emf.append(createpen_set(&created, m_emf.handles(), pen)) &&
               m_emf.replace(m_pen, created);
    }

    bool draw(const PageImage::SelectBrush& select)
    {
        if (!select.brush.solid) {
            return m_emf.append(selectobject_set(U_NULL_BRUSH, m_emf.handles())) &&
                   m_emf.release(m_brush);
        }
        uint32_t created = 0;
        return m_emf.append(createbrushindirect_set(
                   &created, m_emf.handles(),
                   logbrush_set(U_BS_SOLID, colorOf(select.brush.color), 0))) &&
               m_emf.replace(m_brush, created);
    }

    bool draw(const PageImage::Text& text)
    {
        if (text.text.isEmpty())
            return true;
        std::vector<uint32_t> advances = advancesOf(m_currentFont, text.text, m_page.resolutionX());
        std::vector<uint16_t> text16(text.text.utf16(), text.text.utf16() + text.text.size());
        const Record emrText(emrtext_set(pointOf(text.topLeft.x(), text.baseline),
                                         static_cast<U_NUM_STR>(text16.size()), 2, text16.data(),
                                         U_ETO_NONE, kNoBounds, advances.data()));
        if (!emrText)
            return false;
        // The scales convert page units to 0.01 mm for readers in compatible graphics mode.
        const auto xScale =
            static_cast<U_FLOAT>(m_page.frameMillimetres().width() * 100 / m_page.width());
        const auto yScale =
            static_cast<U_FLOAT>(m_page.frameMillimetres().height() * 100 / m_page.height());
        return m_emf.append(U_EMREXTTEXTOUTW_set(kNoBounds, U_GM_COMPATIBLE, xScale, yScale,
                                                 reinterpret_cast<PU_EMRTEXT>(emrText.get())));
    }

    bool draw(const PageImage::Line& line)
    {
        return m_emf.append(U_EMRMOVETOEX_set(pointOf(line.from.x(), line.from.y()))) &&
               m_emf.append(U_EMRLINETO_set(pointOf(line.to.x(), line.to.y())));
    }

    bool draw(const PageImage::Rectangle& rectangle)
    {
        // The area's width and height reach to the exclusive right and bottom edges, which is
        // what the record takes (QRect's own right() and bottom() are one pixel short).
        const QRect& area = rectangle.area;
        return m_emf.append(U_EMRRECTANGLE_set(U_RECTL{
            area.left(), area.top(), area.left() + area.width(), area.top() + area.height()}));
    }

    const PageImage& m_page;
    EmfBuilder m_emf;
    PageImage::SelectFont m_currentFont;
    uint32_t m_font = 0;
    uint32_t m_pen = 0;
    uint32_t m_brush = 0;
};

} // namespace

QByteArray PageImage::emfBytes() const
{
    QByteArray bytes;
    if (width() <= 0 || height() <= 0 || !PageWriter(*this).write(bytes))
        return {};
    return bytes;
}

} // namespace platform
