// Windows: pictures are the bitmaps that LoadImageW makes of a module's
// resources; rows are fetched with GetDIBits against a memory device context
// as 32-bit pixels, and turned into the asked format here.
#include "platform/pictures.h"

#include "foundation/guard.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <vector>

namespace zv::platform
{

struct picture::state {
    HBITMAP bitmap = nullptr;
    std::uint32_t width = 0;
    std::uint32_t height = 0;

    state(HBITMAP owned, std::uint32_t w, std::uint32_t h) : bitmap(owned), width(w), height(h) {}
    state(const state&) = delete;
    state& operator=(const state&) = delete;
    ~state() { DeleteObject(bitmap); }
};

namespace
{

// A memory device context for the length of one call.
class memory_dc
{
  public:
    memory_dc() noexcept : dc_(CreateCompatibleDC(nullptr)) {}
    memory_dc(const memory_dc&) = delete;
    memory_dc& operator=(const memory_dc&) = delete;
    ~memory_dc()
    {
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    HDC get() const noexcept { return dc_; }

  private:
    HDC dc_;
};

// The header GetDIBits fills in or fetches by: 40 bytes, one plane.
BITMAPINFO header(std::uint32_t width, std::uint32_t height, WORD bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = static_cast<LONG>(height); // positive: bottom-up rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bits;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Takes ownership of a bitmap: its size comes from the bitmap-bits function
// (a negative height made positive). Empty when it cannot be asked.
picture picture_of(HBITMAP bitmap)
{
    if (bitmap == nullptr)
        return picture{};
    memory_dc dc;
    BITMAPINFO info = header(0, 0, 0);
    if (dc.get() == nullptr || GetDIBits(dc.get(), bitmap, 0, 0, nullptr, &info, DIB_RGB_COLORS) == 0 ||
        info.bmiHeader.biWidth <= 0 || info.bmiHeader.biHeight == 0) {
        DeleteObject(bitmap);
        return picture{};
    }
    const LONG height = info.bmiHeader.biHeight;
    std::unique_ptr<picture::state> owner(
        new (std::nothrow) picture::state(bitmap, static_cast<std::uint32_t>(info.bmiHeader.biWidth),
                                          static_cast<std::uint32_t>(height < 0 ? -height : height)));
    if (owner == nullptr)
        DeleteObject(bitmap);
    return owner != nullptr ? picture(std::move(owner)) : picture{};
}

// One 32-bit pixel (blue, green, red, fourth byte) in the asked format.
void convert_pixel(const std::uint8_t* bgrx, row_format format, std::uint8_t* out)
{
    switch (format) {
    case row_format::grey8:
        out[0] = static_cast<std::uint8_t>((bgrx[0] + bgrx[1] + bgrx[2]) / 3);
        break;
    case row_format::bgr24:
        out[0] = bgrx[0];
        out[1] = bgrx[1];
        out[2] = bgrx[2];
        break;
    case row_format::bgrx32:
        for (int i = 0; i < 4; ++i)
            out[i] = bgrx[i];
        break;
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
    return foundation::guarded(std::uint32_t{0}, [&]() -> std::uint32_t {
        if (state_ == nullptr || first_row >= state_->height)
            return 0;
        const std::uint32_t width = state_->width;
        const std::uint32_t count = std::min(rows, state_->height - first_row);
        const std::size_t pixels = std::size_t{width} * count;
        if (count == 0 || out.size() < pixels * bytes_per_pixel(format))
            return 0;
        // 32-bit rows need no padding to reach a multiple of four bytes.
        std::vector<std::uint8_t> fetched(pixels * 4);
        memory_dc dc;
        BITMAPINFO info = header(width, state_->height, 32);
        const int got = dc.get() == nullptr ? 0
                                            : GetDIBits(dc.get(), state_->bitmap, first_row, count,
                                                        fetched.data(), &info, DIB_RGB_COLORS);
        if (got <= 0)
            return 0;
        const std::size_t fetched_pixels = std::size_t{width} * static_cast<std::uint32_t>(got);
        for (std::size_t i = 0; i < fetched_pixels; ++i)
            convert_pixel(&fetched[i * 4], format, &out[i * bytes_per_pixel(format)]);
        return static_cast<std::uint32_t>(got);
    });
}

picture load_bitmap_picture(module_handle module, std::uint32_t id) noexcept
{
    return foundation::guarded(picture{}, [&] {
        if (module == nullptr)
            return picture{};
        HANDLE loaded = LoadImageW(static_cast<HINSTANCE>(module), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                   LR_CREATEDIBSECTION);
        return picture_of(static_cast<HBITMAP>(loaded));
    });
}

std::optional<icon_pictures> load_icon_pictures(module_handle module, std::uint32_t id) noexcept
{
    return foundation::guarded(std::optional<icon_pictures>{}, [&]() -> std::optional<icon_pictures> {
        if (module == nullptr)
            return std::nullopt;
        const auto instance = static_cast<HINSTANCE>(module);
        HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, 0);
        if (icon == nullptr)
            icon = LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, 0);
        if (icon == nullptr)
            return std::nullopt;
        ICONINFO info{};
        const bool described = GetIconInfo(static_cast<HICON>(icon), &info) != 0;
        DestroyIcon(static_cast<HICON>(icon));
        if (!described)
            return std::nullopt;
        icon_pictures loaded;
        loaded.hot_spot_x = info.xHotspot;
        loaded.hot_spot_y = info.yHotspot;
        // The pictures own the icon's bitmaps from here on.
        loaded.mask = picture_of(info.hbmMask);
        loaded.colour = picture_of(info.hbmColor);
        if (loaded.mask.empty())
            return std::nullopt;
        return loaded;
    });
}

} // namespace zv::platform
