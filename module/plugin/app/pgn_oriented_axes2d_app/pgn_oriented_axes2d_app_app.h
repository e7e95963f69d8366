// The polygon axes tool (rectangle in self polygon axes). So far only the class and its service path
// exist, which is what its factory registers.
#pragma once

namespace zv
{

class pgn_oriented_axes2d_app_app
{
  public:
    static constexpr char16_t service_path[] = u"/app/pgn_oriented_axes2d_app";
};

} // namespace zv
