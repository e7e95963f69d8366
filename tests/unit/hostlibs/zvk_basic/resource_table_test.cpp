#include "platform/module_resources.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

namespace
{

// The table as the module finds it: through the loaded library's export.
const zv_resource_table* basic_table()
{
    void* handle = ::dlopen("libzvk_basic.so", RTLD_LAZY | RTLD_NOLOAD);
    if (handle == nullptr)
        return nullptr;
    auto fn = reinterpret_cast<zv_module_resource_table_fn>(::dlsym(handle, "zv_module_resource_table"));
    ::dlclose(handle);
    return fn ? fn() : nullptr;
}

std::u16string text_of(const zv_resource_table* table, int32_t id)
{
    for (std::size_t i = 0; i < table->string_count; ++i) {
        if (table->strings[i].id == id)
            return {table->strings[i].text, table->strings[i].length};
    }
    return u"<absent>";
}

TEST(BasicResourceTable, HoldsTheDialogButtonCaptionsInBothLanguagesWithTheirLengths)
{
    const zv_resource_table* table = basic_table();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(text_of(table, 101), u"ОК");
    EXPECT_EQ(text_of(table, 50101), u"OK");
    EXPECT_EQ(text_of(table, 102), u"Отмена");
    EXPECT_EQ(text_of(table, 50102), u"Cancel");
    EXPECT_EQ(text_of(table, 5), u"Ошибка");
    EXPECT_EQ(text_of(table, 50005), u"Error");
    EXPECT_EQ(text_of(table, 103), u"<absent>");
    EXPECT_EQ(table->bitmap_count, 0u);
    // Lengths count UTF-16 units without the terminator.
    for (std::size_t i = 0; i < table->string_count; ++i) {
        const zv_resource_string& s = table->strings[i];
        EXPECT_EQ(std::char_traits<char16_t>::length(s.text), s.length) << "id " << s.id;
    }
}

} // namespace
