// Picture streams as label files embed them, through what this process runs
// on them (the type detection and the header checks that decide whether a
// decoder may run) and through the decoders the guarded child runs (here in
// this process, so that a fault shows). The metafile converters are other
// people's libraries and stay out.
#include "FuzzSupport.h"

#include "document/DecodedPicture.h"
#include "document/PictureCodecs.h"
#include "document/PictureData.h"

TAGMORA_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace picturecodec;
    const QByteArray bytes = FuzzBytes(data, size);
    TPlanPictureData picture;
    picture.LoadFromStream(QString(), bytes);
    for (TPictureKind kind : {TPictureKind::Bitmap, TPictureKind::Icon, TPictureKind::Metafile, TPictureKind::Jpeg,
                              TPictureKind::Png, TPictureKind::Gif})
        TDecodedPicture::DeclaredWork(kind, bytes);
    QString damage;
    DecodeBitmap(bytes, &damage);
    DecodeIcon(bytes);
    DecodeJpeg(bytes);
    EmfFrameSize(bytes);
    WmfFrameSize(bytes);
    static_cast<void>(SanitizeSvg(bytes));
    return 0;
}
