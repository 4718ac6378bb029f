// Windows metafiles through libwmf's SVG output. Kept apart from the other
// codecs because libwmf's headers define many short macros.
#include "document/PictureCodecs.h"

#include "document/SystemText.h"

#include <QString>
#include <QStringDecoder>

#include <cstring>

#ifdef TAGMORA_HAVE_LIBWMF
#include <libwmf/api.h>
#include <libwmf/ipa.h>
#include <libwmf/svg.h>
#endif

#include <string>

namespace picturecodec {

#ifdef TAGMORA_HAVE_LIBWMF
namespace {

// Text in a metafile is 8-bit text in the character set of its font
// (LOGFONT's lfCharSet); Windows-1252 for ANSI, the default and any set
// without a code page here.
QString DecodeMetafileText(const char* text, int charset)
{
    const QByteArray bytes(text);
    const char* codePage = nullptr;
    switch (charset) {
    case 2: return QString::fromLatin1(bytes);  // a symbol font: its glyphs by byte value
    case 77: codePage = "macintosh"; break;
    case 128: codePage = "Shift_JIS"; break;
    case 129: codePage = "windows-949"; break;
    case 134: codePage = "GBK"; break;
    case 136: codePage = "Big5"; break;
    case 161: codePage = "windows-1253"; break;
    case 162: codePage = "windows-1254"; break;
    case 163: codePage = "windows-1258"; break;
    case 177: codePage = "windows-1255"; break;
    case 178: codePage = "windows-1256"; break;
    case 186: codePage = "windows-1257"; break;
    case 204: codePage = "windows-1251"; break;
    case 222: codePage = "windows-874"; break;
    case 238: codePage = "windows-1250"; break;
    case 255: codePage = "IBM437"; break;
    default: break;
    }
    if (codePage) {
        QStringDecoder decoder(codePage);
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return DecodeWindows1252(bytes);
}

// Text as SVG character data: UTF-8, XML's special characters as
// references, control characters (which XML cannot carry) left out.
std::string SvgText(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0xFFFE || u == 0xFFFF)
            continue;
        switch (u) {
        case u'<': out += QLatin1String("&lt;"); break;
        case u'>': out += QLatin1String("&gt;"); break;
        case u'&': out += QLatin1String("&amp;"); break;
        case u'"': out += QLatin1String("&quot;"); break;
        default: out += c; break;
        }
    }
    return out.toStdString();
}

// The SVG device writes text as it comes; it gets it as SvgText.
void (*gDrawText)(wmfAPI*, wmfDrawText_t*) = nullptr;

void DrawEscapedText(wmfAPI* api, wmfDrawText_t* text)
{
    if (!text->str) {
        gDrawText(api, text);
        return;
    }
    const wmfFont* font = text->dc ? text->dc->font : nullptr;
    std::string escaped = SvgText(DecodeMetafileText(text->str, font ? font->lfCharSet : 0));
    char* original = text->str;
    text->str = escaped.data();
    gDrawText(api, text);
    text->str = original;
}

// What the SVG device's output gets wrong, put right: it names neither the
// SVG namespace nor the XLink namespace its images use (both are declared on
// the root element), and it places each image by its x, y, width and height
// and then once more by a transform (which is dropped).
void RepairSvg(QByteArray& svg)
{
    for (qsizetype at = svg.indexOf("<image"); at >= 0; at = svg.indexOf("<image", at + 1)) {
        const qsizetype end = svg.indexOf('>', at);
        if (end < 0)
            break;
        const QByteArrayView tag = QByteArrayView(svg).sliced(at, end - at);
        const qsizetype from = tag.indexOf("transform=\"");
        const qsizetype to = from < 0 ? -1 : tag.indexOf('"', from + 11);
        if (to > 0)
            svg.remove(at + from, to + 1 - from);
    }
    const qsizetype root = svg.indexOf("<svg");
    if (root < 0)
        return;
    const qsizetype end = svg.indexOf('>', root);
    const QByteArray tag = svg.mid(root, end < 0 ? -1 : end - root);
    QByteArray add;
    if (!tag.contains("xmlns="))
        add += " xmlns=\"http://www.w3.org/2000/svg\"";
    if (!tag.contains("xmlns:xlink="))
        add += " xmlns:xlink=\"http://www.w3.org/1999/xlink\"";
    svg.insert(root + 4, add);
}

// Font face names end up in attributes: characters that would end the
// attribute or the element become harmless (the records were checked).
void FixFontNames(QByteArray& bytes)
{
    auto* d = reinterpret_cast<unsigned char*>(bytes.data());
    qint64 at = 40;
    while (at + 6 <= bytes.size()) {
        const qint64 size = qint64(d[at] | d[at + 1] << 8 | d[at + 2] << 16 | quint32(d[at + 3]) << 24) * 2;
        const int function = d[at + 4] | d[at + 5] << 8;
        if (size < 6 || size > bytes.size() - at || function == 0)
            break;
        if (function == 0x02FB) {  // CREATEFONTINDIRECT: face name at 24, 32 bytes at most
            for (qint64 c = at + 24; c < at + size && c < at + 56 && d[c]; ++c)
                if (d[c] == '"' || d[c] == '<' || d[c] == '>' || d[c] == '&')
                    d[c] = d[c] == '"' ? '\'' : ' ';
        }
        at += size;
    }
}

}  // namespace
#endif

QByteArray PlayWmfToSvg(const QByteArray& bytes, const TWmfFrame& frame, QSize size)
{
#ifdef TAGMORA_HAVE_LIBWMF
    // The player takes a writable buffer; hand it a private copy.
    QByteArray input(bytes.constData(), bytes.size());
    FixFontNames(input);
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    wmfAPI* api = nullptr;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        return QByteArray();
    }
    auto* functions = static_cast<wmfFunctionReference*>(api->function_reference);
    if (functions && functions->draw_text && functions->draw_text != DrawEscapedText) {
        gDrawText = functions->draw_text;
        functions->draw_text = DrawEscapedText;
    }
    QByteArray svg;
    wmfD_Rect box;
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(input.data()), long(input.size())) == wmf_E_None &&
        wmf_scan(api, 0, &box) == wmf_E_None) {
        // The header's frame, not the extent of what is drawn, fills the
        // picture: empty margins stay where the metafile put them.
        box.TL.x = float(frame.Left);
        box.TL.y = float(frame.Top);
        box.BR.x = float(frame.Left + frame.Width);
        box.BR.y = float(frame.Top + frame.Height);
        wmf_svg_t* device = WMF_SVG_GetData(api);
        device->out = wmf_stream_create(api, nullptr);
        device->bbox = box;
        device->width = unsigned(size.width());
        device->height = unsigned(size.height());
        device->flags |= WMF_SVG_INLINE_IMAGES;
        const bool played = device->out && wmf_play(api, 0, &box) == wmf_E_None;
        char* out = nullptr;
        unsigned long length = 0;
        if (device->out)
            wmf_stream_destroy(api, device->out, &out, &length);
        if (played && out && length > 0) {
            svg = QByteArray(out, qsizetype(length));
            RepairSvg(svg);
        }
        if (out)
            wmf_free(api, out);
        wmf_mem_close(api);
    }
    wmf_api_destroy(api);
    return svg;
#else
    Q_UNUSED(bytes);
    Q_UNUSED(frame);
    Q_UNUSED(size);
    return QByteArray();
#endif
}

}  // namespace picturecodec
