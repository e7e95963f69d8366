// Windows: pictures are the bitmaps of the system's image loader (a DIB
// section for a bitmap resource, the mask and colour bitmaps of an icon),
// their rows fetched with GetDIBits against a memory device context.
#include "platform/pictures.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "foundation/guard.h"

namespace zv::platform
{

struct picture::state {
    HBITMAP bitmap = nullptr;
    std::uint32_t width = 0;
    std::uint32_t height = 0;

    ~state()
    {
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
    }
};

namespace
{

// A memory device context for one call.
class memory_dc
{
  public:
    memory_dc() noexcept : dc_(::CreateCompatibleDC(nullptr)) {}
    ~memory_dc()
    {
        if (dc_ != nullptr)
            ::DeleteDC(dc_);
    }
    memory_dc(const memory_dc&) = delete;
    memory_dc& operator=(const memory_dc&) = delete;
    HDC get() const noexcept { return dc_; }

  private:
    HDC dc_;
};

// An information header with room for the colour table GetDIBits writes at
// 8 bits per pixel.
struct bitmap_info {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

// Takes ownership of `bitmap`; an empty picture when its size cannot be read.
picture picture_of(HBITMAP bitmap)
{
    auto loaded = std::make_unique<picture::state>();
    loaded->bitmap = bitmap;
    if (bitmap == nullptr)
        return {};
    bitmap_info info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER); // 40
    memory_dc dc;
    if (dc.get() == nullptr || ::GetDIBits(dc.get(), bitmap, 0, 0, nullptr,
                                           reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == 0)
        return {};
    if (info.header.biWidth <= 0 || info.header.biHeight == 0)
        return {};
    loaded->width = static_cast<std::uint32_t>(info.header.biWidth);
    loaded->height =
        static_cast<std::uint32_t>(info.header.biHeight < 0 ? -info.header.biHeight : info.header.biHeight);
    return picture(std::move(loaded));
}

WORD bit_count(row_format format)
{
    return static_cast<WORD>(8 * bytes_per_pixel(format));
}

// Packs rows that GetDIBits padded to four bytes; at 8 bits per pixel the
// bytes are colour-table indices, turned into grey levels.
void pack_rows(const std::vector<std::uint8_t>& padded, std::size_t padded_stride, const bitmap_info& info,
               std::uint32_t rows, std::size_t row_bytes, row_format format, std::uint8_t* out)
{
    for (std::uint32_t r = 0; r < rows; ++r) {
        const std::uint8_t* row = padded.data() + r * padded_stride;
        if (format != row_format::grey8) {
            std::memcpy(out + r * row_bytes, row, row_bytes);
            continue;
        }
        for (std::size_t c = 0; c < row_bytes; ++c) {
            const RGBQUAD& colour = info.colours[row[c]];
            out[r * row_bytes + c] =
                static_cast<std::uint8_t>((colour.rgbBlue + colour.rgbGreen + colour.rgbRed) / 3);
        }
    }
}

} // namespace

picture::picture() noexcept = default;
picture::picture(std::unique_ptr<state> loaded) noexcept : state_(std::move(loaded)) {}
picture::picture(picture&&) noexcept = default;
picture& picture::operator=(picture&&) noexcept = default;
picture::~picture() = default;

std::uint32_t picture::width() const noexcept
{
    return state_ != nullptr ? state_->width : 0;
}

std::uint32_t picture::height() const noexcept
{
    return state_ != nullptr ? state_->height : 0;
}

std::uint32_t picture::fetch_rows(std::uint32_t first_row, std::uint32_t rows, row_format format,
                                  std::span<std::uint8_t> out) const noexcept
{
    if (state_ == nullptr || first_row >= state_->height)
        return 0;
    return foundation::guarded(std::uint32_t{0}, [&]() -> std::uint32_t {
        const std::uint32_t count = (std::min)(rows, state_->height - first_row);
        const std::size_t row_bytes = std::size_t{state_->width} * bytes_per_pixel(format);
        if (count == 0 || out.size() / row_bytes < count)
            return 0;
        bitmap_info info{};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = static_cast<LONG>(state_->width);
        info.header.biHeight = static_cast<LONG>(state_->height); // bottom-up
        info.header.biPlanes = 1;
        info.header.biBitCount = bit_count(format);
        info.header.biCompression = BI_RGB;
        const std::size_t padded_stride = (row_bytes + 3) / 4 * 4;
        std::vector<std::uint8_t> padded(padded_stride * count);
        memory_dc dc;
        const int fetched = dc.get() == nullptr
                                ? 0
                                : ::GetDIBits(dc.get(), state_->bitmap, first_row, count, padded.data(),
                                              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
        if (fetched <= 0)
            return 0;
        pack_rows(padded, padded_stride, info, static_cast<std::uint32_t>(fetched), row_bytes, format,
                  out.data());
        return static_cast<std::uint32_t>(fetched);
    });
}

picture load_bitmap_picture(module_handle module, std::uint32_t id) noexcept
{
    if (module == nullptr) // a null module would mean the system's own bitmaps
        return {};
    return foundation::guarded(picture{}, [&] {
        HANDLE loaded = ::LoadImageW(static_cast<HINSTANCE>(module), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                     LR_CREATEDIBSECTION);
        return picture_of(static_cast<HBITMAP>(loaded));
    });
}

std::optional<icon_pictures> load_icon_pictures(module_handle module, std::uint32_t id) noexcept
{
    if (module == nullptr)
        return std::nullopt;
    return foundation::guarded(std::optional<icon_pictures>{}, [&]() -> std::optional<icon_pictures> {
        const auto instance = static_cast<HINSTANCE>(module);
        bool cursor = false;
        HANDLE loaded = ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, 0);
        if (loaded == nullptr) {
            loaded = ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, 0);
            cursor = true;
        }
        if (loaded == nullptr)
            return std::nullopt;
        ICONINFO info{};
        const bool described = ::GetIconInfo(static_cast<HICON>(loaded), &info) != 0;
        if (cursor) {
            ::DestroyCursor(static_cast<HCURSOR>(loaded));
        } else {
            ::DestroyIcon(static_cast<HICON>(loaded));
        }
        if (!described)
            return std::nullopt;
        icon_pictures pictures;
        pictures.hot_spot_x = info.xHotspot;
        pictures.hot_spot_y = info.yHotspot;
        pictures.mask = picture_of(info.hbmMask);
        pictures.colour = picture_of(info.hbmColor);
        return pictures;
    });
}

} // namespace zv::platform
