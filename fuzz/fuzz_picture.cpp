// Picture streams as label files embed them, through the checks and decoders
// that the guarded child runs (here in this process, so that a fault shows).
#include "FuzzSupport.h"

#include "document/PictureCodecs.h"
#include "document/PictureData.h"

TAGMORA_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace picturecodec;
    const QByteArray bytes = FuzzBytes(data, size);
    TPlanPictureData::Sniff(bytes);
    DecodeBitmap(bytes);
    DecodeIcon(bytes);
    DecodeJpeg(bytes);
    IsWellFormedEmf(bytes);
    EmfFrameSize(bytes);
    TWmfFrame frame;
    CheckWmf(bytes, &frame);
    WmfFrameSize(bytes);
    SanitizeSvg(bytes);
    return 0;
}
