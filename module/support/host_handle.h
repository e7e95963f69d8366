// Ownership of a handle of a host library: the library's own close or destroy
// function runs when the holder goes, on every path out of the scope, and
// only for a handle that was opened (null handles are never passed to it).
//
//     host_handle<zv_shp_file, &zv_shp_file_close> file(zv_shp_file_open_w(path, true));
//     if (!file) return false;
//     zv_shp_file_get_no(file.get());
#pragma once

#include <memory>

namespace zv::support
{

template <auto Close> struct host_closer {
    template <class Handle> void operator()(Handle handle) const noexcept { Close(handle); }
};

// Object is the opaque struct a host handle points to.
template <class Object, auto Close> using host_handle = std::unique_ptr<Object, host_closer<Close>>;

} // namespace zv::support
