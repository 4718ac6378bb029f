// Windows metafiles through libwmf's SVG output. Kept apart from the other
// codecs because libwmf's headers define many short macros.
#include "document/PictureCodecs.h"

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

// The SVG device writes text as it comes; it gets the text with the XML
// characters written as references.
void (*gDrawText)(wmfAPI*, wmfDrawText_t*) = nullptr;

void DrawEscapedText(wmfAPI* api, wmfDrawText_t* text)
{
    if (!text->str) {
        gDrawText(api, text);
        return;
    }
    std::string escaped;
    for (const char* c = text->str; *c; ++c) {
        switch (*c) {
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '&': escaped += "&amp;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += *c; break;
        }
    }
    char* original = text->str;
    text->str = escaped.data();
    gDrawText(api, text);
    text->str = original;
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
        if (played && out && length > 0)
            svg = QByteArray(out, qsizetype(length));
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
