// POSIX: pictures are decoded views into the resource bytes of a module's
// table, which stay in place while the module is loaded.
#include "platform/pictures.h"

#include "foundation/guard.h"
#include "platform/posix/dib.h"

namespace zv::platform
{

struct picture::state {
    posix::dib image;
};

namespace
{

picture picture_of(const posix::dib& image)
{
    return picture(std::make_unique<picture::state>(picture::state{image}));
}

} // namespace

picture::picture() noexcept = default;
picture::picture(std::unique_ptr<state> loaded) noexcept : state_(std::move(loaded)) {}
picture::picture(picture&&) noexcept = default;
picture& picture::operator=(picture&&) noexcept = default;
picture::~picture() = default;

std::uint32_t picture::width() const noexcept
{
    return state_ != nullptr ? state_->image.width : 0;
}

std::uint32_t picture::height() const noexcept
{
    return state_ != nullptr ? state_->image.height : 0;
}

std::uint32_t picture::fetch_rows(std::uint32_t first_row, std::uint32_t rows, row_format format,
                                  std::span<std::uint8_t> out) const noexcept
{
    return state_ != nullptr ? posix::fetch_rows(state_->image, first_row, rows, format, out) : 0;
}

picture load_bitmap_picture(module_handle module, std::uint32_t id) noexcept
{
    return foundation::guarded(picture{}, [&] {
        const auto image = posix::decode_bmp(module_bitmap(module, id));
        return image ? picture_of(*image) : picture{};
    });
}

std::optional<icon_pictures> load_icon_pictures(module_handle module, std::uint32_t id) noexcept
{
    return foundation::guarded(std::optional<icon_pictures>{}, [&]() -> std::optional<icon_pictures> {
        const auto icon = posix::decode_icon(module_icon(module, id));
        if (!icon)
            return std::nullopt;
        icon_pictures loaded;
        loaded.hot_spot_x = icon->hot_spot_x;
        loaded.hot_spot_y = icon->hot_spot_y;
        loaded.mask = picture_of(icon->mask);
        if (icon->colour)
            loaded.colour = picture_of(*icon->colour);
        return loaded;
    });
}

} // namespace zv::platform
