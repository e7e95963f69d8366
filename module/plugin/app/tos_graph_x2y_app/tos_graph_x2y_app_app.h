// The OAT property calculation by graph tool. So far only the class and its service path
// exist, which is what its factory registers.
#pragma once

namespace zv
{

class tos_graph_x2y_app_app
{
  public:
    static constexpr char16_t service_path[] = u"/app/tos_graph_x2y_app";
};

} // namespace zv
