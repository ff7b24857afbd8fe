#include "jpegdecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <string>

namespace jpeg {
namespace {

// libjpeg reports errors by calling error_exit, which must not return; we
// jump back into the step that is running. The steps below hold only plain
// C data between setjmp and longjmp, so no C++ destructor is skipped.
struct Decoder {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void onError(j_common_ptr info)
{
    auto *decoder = static_cast<Decoder *>(info->client_data);
    (*info->err->format_message)(info, decoder->message);
    std::longjmp(decoder->jump, 1);
}

extern "C" void onMessage(j_common_ptr, int) { }

bool headerStep(Decoder *d, const unsigned char *data, unsigned long size, bool startPixels)
{
    if (setjmp(d->jump))
        return false;
    jpeg_create_decompress(&d->info);
    d->info.client_data = d;
    jpeg_mem_src(&d->info, data, size);
    jpeg_read_header(&d->info, TRUE);
    if (startPixels) {
        d->info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&d->info);
    }
    return true;
}

bool pixelStep(Decoder *d, unsigned char *buffer, std::size_t stride)
{
    if (setjmp(d->jump))
        return false;
    while (d->info.output_scanline < d->info.output_height) {
        JSAMPROW row = buffer + stride * d->info.output_scanline;
        jpeg_read_scanlines(&d->info, &row, 1);
    }
    jpeg_finish_decompress(&d->info);
    return true;
}

// Destroys the decompressor on every path out of run().
struct DecoderGuard {
    Decoder *d;
    ~DecoderGuard() { jpeg_destroy_decompress(&d->info); }
};

Outcome run(const QByteArray &data, bool withPixels, Image *out)
{
    if (data.isEmpty())
        return Outcome::failure(QStringLiteral("JPEG data is empty"));

    Decoder d;
    std::memset(&d, 0, sizeof d);
    d.info.err = jpeg_std_error(&d.errors);
    d.errors.error_exit = onError;
    d.errors.emit_message = onMessage;
    d.info.client_data = &d;
    DecoderGuard guard{&d};

    const auto fail = [&d]() {
        return Outcome::failure(QStringLiteral("JPEG decoding failed: ") + QString::fromLocal8Bit(d.message));
    };
    if (!headerStep(&d, reinterpret_cast<const unsigned char *>(data.constData()),
            static_cast<unsigned long>(data.size()), withPixels))
        return fail();

    Image image;
    image.width = int(d.info.image_width);
    image.height = int(d.info.image_height);
    image.components = d.info.num_components;
    image.progressive = d.info.progressive_mode != 0;
    if (withPixels) {
        const std::size_t stride = std::size_t(d.info.output_width) * 3;
        image.rgb.resize(stride * d.info.output_height);
        if (!pixelStep(&d, image.rgb.data(), stride))
            return fail();
    }
    *out = std::move(image);
    return Outcome::success();
}

} // namespace

Outcome decode(const QByteArray &data, Image *image)
{
    return run(data, true, image);
}

Outcome readHeader(const QByteArray &data, Image *image)
{
    return run(data, false, image);
}

} // namespace jpeg
