// The polygon axes tool (rectangle in self polygon axes). So far only the class and its service path
// exist, which is what its factory registers.
#ifndef ZV_PLUGIN_APP_PGN_ORIENTED_AXES2D_APP_APP_H
#define ZV_PLUGIN_APP_PGN_ORIENTED_AXES2D_APP_APP_H

namespace zv {

class pgn_oriented_axes2d_app_app {
 public:
  static constexpr char16_t service_path[] = u"/app/pgn_oriented_axes2d_app";
};

}  // namespace zv

#endif
