#include "pictures/png_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <spng.h>

namespace {

// The largest chunk a picture has reason to carry (a colour profile, a text), and all of them together.
constexpr std::size_t kChunkLimit = std::size_t{4} << 20;
constexpr std::size_t kChunkCacheLimit = std::size_t{16} << 20;
// Sides past these are no picture of pages: 4096 pages stacked are 2^20 rows.
constexpr std::uint32_t kMaxWidth = 1u << 16;
constexpr std::uint32_t kMaxHeight = 1u << 24;
// Deflate packs at most 1032 bytes into one: image data announcing more than that per byte of file
// cannot all be there, and is refused before the picture is allocated.
constexpr std::uint64_t kMostInflation = 1032;

struct ContextFree {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};
using Context = std::unique_ptr<spng_ctx, ContextFree>;

int ReadDevice(spng_ctx*, void* user, void* out, std::size_t length) {
    auto* device = static_cast<QIODevice*>(user);
    const qint64 got = device->read(static_cast<char*>(out), static_cast<qint64>(length));
    if (got == static_cast<qint64>(length))
        return 0;
    return got < 0 ? SPNG_IO_ERROR : SPNG_IO_EOF;
}

QString Reason(spng_ctx* ctx, int code) {
    switch (code) {
    case SPNG_IO_EOF:
    case SPNG_EOF:
        return QStringLiteral("the file is shorter than its header says");
    case SPNG_ESIGNATURE:
        return QStringLiteral("it is not a PNG file");
    case SPNG_ECHUNK_LIMITS:
    case SPNG_ECHUNK_SIZE:
        return QStringLiteral("a chunk of it is larger than any a picture needs");
    case SPNG_EMEM:
        return QStringLiteral("there is not enough memory for it");
    case SPNG_EPLTE_IDX: {
        spng_plte palette{};
        spng_get_plte(ctx, &palette);
        return QStringLiteral("its pixels use palette entries past the %1 colours of its table")
            .arg(palette.n_entries);
    }
    default:
        return QStringLiteral("it is damaged (%1)").arg(QString::fromUtf8(spng_strerror(code)));
    }
}

bool CarriesAlpha(spng_ctx* ctx, const spng_ihdr& header) {
    spng_trns transparency{};
    return header.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA ||
           header.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA || spng_get_trns(ctx, &transparency) == 0;
}

// Bytes of the image data once inflated, were the picture not interlaced (which only adds to it).
std::uint64_t InflatedBytes(const spng_ihdr& header) {
    static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
    const int channels = header.color_type < 7 ? kChannels[header.color_type] : 4;
    const std::uint64_t bits =
        std::uint64_t{header.width} * static_cast<std::uint64_t>(channels) * header.bit_depth;
    return ((bits + 7) / 8 + 1) * header.height;
}

// The first column and the step between columns of each interlace pass.
struct PassColumns {
    std::uint32_t first, step;
};
constexpr PassColumns kAdam7Columns[7] = {{0, 8}, {4, 8}, {0, 4}, {2, 4}, {0, 2}, {1, 2}, {0, 1}};

std::uint8_t IndexAt(const std::uint8_t* row, std::uint32_t x, int depth) {
    if (depth == 8)
        return row[x];
    const std::uint32_t bit = x * static_cast<std::uint32_t>(depth);
    return static_cast<std::uint8_t>((row[bit / 8] >> (8 - depth - static_cast<int>(bit % 8))) &
                                     ((1 << depth) - 1));
}

// Runs `decode` on each row in the order libspng gives them, until the last one or a failure; 0 when
// every row was decoded, else libspng's code.
template <typename Decode> int ForEachRow(spng_ctx* ctx, Decode decode) {
    int code = 0;
    do {
        spng_row_info row{};
        code = spng_get_row_info(ctx, &row);
        if (code != 0)
            break;
        code = decode(row);
    } while (code == 0);
    return code == SPNG_EOI ? 0 : code;
}

// Decodes the palette indices of every row as stored and looks them up here, since an index past the
// palette must refuse the picture rather than become black. Keeps the rows above `image`'s height.
int DecodePaletteRows(spng_ctx* ctx, const spng_ihdr& header, QImage& image) {
    spng_plte palette{};
    spng_trns transparency{};
    if (const int code = spng_get_plte(ctx, &palette); code != 0)
        return code;
    const bool alpha = spng_get_trns(ctx, &transparency) == 0;
    std::uint8_t colours[256][4] = {};
    for (std::uint32_t i = 0; i < palette.n_entries && i < 256; ++i) {
        const spng_plte_entry& entry = palette.entries[i];
        const bool given = alpha && i < transparency.n_type3_entries;
        colours[i][0] = entry.red;
        colours[i][1] = entry.green;
        colours[i][2] = entry.blue;
        colours[i][3] = given ? transparency.type3_alpha[i] : 0xFF;
    }
    std::vector<std::uint8_t> indices((std::size_t{header.width} * header.bit_depth + 7) / 8);
    return ForEachRow(ctx, [&](const spng_row_info& row) {
        const int code = spng_decode_row(ctx, indices.data(), indices.size());
        if (code != 0 && code != SPNG_EOI)
            return code;
        const PassColumns columns =
            header.interlace_method != 0 ? kAdam7Columns[std::clamp(row.pass, 0, 6)] : PassColumns{0, 1};
        std::uint8_t* out = row.row_num < static_cast<std::uint32_t>(image.height())
                                ? image.scanLine(static_cast<int>(row.row_num))
                                : nullptr;
        for (std::uint32_t x = columns.first; x < header.width; x += columns.step) {
            const std::uint8_t index = IndexAt(indices.data(), x, header.bit_depth);
            if (index >= palette.n_entries)
                return static_cast<int>(SPNG_EPLTE_IDX);
            if (out)
                std::memcpy(out + 4 * std::size_t{x}, colours[index], 4);
        }
        return code;
    });
}

// Decodes every row, keeping those above `image`'s height in it.
int DecodeRows(spng_ctx* ctx, QImage& image, std::size_t row_bytes) {
    std::vector<std::uint8_t> discarded;
    return ForEachRow(ctx, [&](const spng_row_info& row) {
        std::uint8_t* out = nullptr;
        if (row.row_num < static_cast<std::uint32_t>(image.height())) {
            out = image.scanLine(static_cast<int>(row.row_num));
        } else {
            discarded.resize(row_bytes);
            out = discarded.data();
        }
        return spng_decode_row(ctx, out, row_bytes);
    });
}

} // namespace

PictureReading ReadPng(QIODevice& device, std::uint64_t file_bytes,
                       const std::function<bool(QSize)>& size_fits, int rows) {
    PictureReading reading;
    const Context ctx(spng_ctx_new(0));
    if (!ctx)
        return RefusedReading(pw::Status::not_a_picture, Reason(nullptr, SPNG_EMEM));
    spng_set_png_stream(ctx.get(), ReadDevice, &device);
    spng_set_crc_action(ctx.get(), SPNG_CRC_ERROR, SPNG_CRC_ERROR);
    spng_set_chunk_limits(ctx.get(), kChunkLimit, kChunkCacheLimit);
    spng_set_image_limits(ctx.get(), kMaxWidth, kMaxHeight);
    spng_ihdr header{};
    if (const int code = spng_get_ihdr(ctx.get(), &header); code != 0)
        return RefusedReading(pw::Status::not_a_picture, Reason(ctx.get(), code));
    reading.size = QSize(static_cast<int>(header.width), static_cast<int>(header.height));
    if (size_fits && !size_fits(reading.size)) {
        reading.result = PictureFailure(
            pw::Status::wrong_size,
            QStringLiteral("it is %1 x %2").arg(reading.size.width()).arg(reading.size.height()));
        return reading;
    }
    if (InflatedBytes(header) / kMostInflation > file_bytes) {
        reading.result = PictureFailure(pw::Status::not_a_picture, Reason(ctx.get(), SPNG_EOF));
        return reading;
    }
    const bool alpha = CarriesAlpha(ctx.get(), header);
    const int kept = rows > 0 ? std::min(rows, reading.size.height()) : reading.size.height();
    QImage image(reading.size.width(), kept, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
    if (image.isNull()) {
        reading.result = PictureFailure(pw::Status::not_a_picture, Reason(ctx.get(), SPNG_EMEM));
        return reading;
    }
    const bool indexed = header.color_type == SPNG_COLOR_TYPE_INDEXED;
    int code = spng_decode_image(ctx.get(), nullptr, 0, indexed ? SPNG_FMT_PNG : SPNG_FMT_RGBA8,
                                 SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE);
    if (code == 0)
        code = indexed ? DecodePaletteRows(ctx.get(), header, image)
                       : DecodeRows(ctx.get(), image, std::size_t{header.width} * 4);
    if (code != 0) {
        reading.result = PictureFailure(pw::Status::not_a_picture, Reason(ctx.get(), code));
        return reading;
    }
    reading.image = std::move(image);
    return reading;
}
