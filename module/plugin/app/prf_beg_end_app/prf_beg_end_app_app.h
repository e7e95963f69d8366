// The profile begin/end/length tool. So far only the class and its service path
// exist, which is what its factory registers.
#pragma once

namespace zv
{

class prf_beg_end_app_app
{
  public:
    static constexpr char16_t service_path[] = u"/app/prf_beg_end_app";
};

} // namespace zv
