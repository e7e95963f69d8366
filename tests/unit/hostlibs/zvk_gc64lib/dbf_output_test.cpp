#include "dbf_output.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zv::zvk_gc64lib
{
namespace
{

TEST(GcDbfOutput, NumbersAreRightAlignedAndShrinkToFit)
{
    EXPECT_EQ(format_number(4.0, 10, 3), "     4.000");
    EXPECT_EQ(format_number(123456.789, 8, 3), "123456.8");
    EXPECT_EQ(format_number(1e12, 8, 3), "        ");
    EXPECT_EQ(format_number(NAN, 5, 1), "     ");
    EXPECT_EQ(format_number(-1e-9, 6, 2), "  0.00");
}

TEST(GcDbfOutput, FieldsAreOursThenSourceThenComputedWithClashesRenamed)
{
    auto attrs = std::make_shared<attribute_set>();
    attrs->fields = {
        {"NAME", 'C', 5, 0}, {"length", 'C', 3, 0}, {"LENGTH_1", 'N', 4, 0}, {"SRC_OBJ", 'N', 3, 0}};
    attrs->records = {"Alpha123  79999"};
    geom_table t;
    t.attributes = attrs;
    t.computed = {{"LENGTH", 12, 3}};
    const auto fields = output_fields(t);
    std::vector<std::string> names;
    for (const auto& f : fields)
        names.push_back(f.name);
    EXPECT_EQ(names, (std::vector<std::string>{"SRC_OBJ", "SRC_PART", "NAME", "length_2", "LENGTH_1",
                                               "SRC_OBJ_1", "LENGTH"}));
    EXPECT_EQ(fields[4].type, 'N');
    EXPECT_EQ(fields[4].width, 4);

    geom_object obj;
    obj.source_object = 3;
    obj.source_part = 1;
    obj.attribute_row = 0;
    obj.values = {2.25};
    EXPECT_EQ(output_record(t, obj), "          3         1Alpha123  79999       2.250");
    obj.attribute_row = 5; // beyond the source table: blank attributes
    EXPECT_EQ(output_record(t, obj), "          3         1" + std::string(15, ' ') + "       2.250");
}

} // namespace
} // namespace zv::zvk_gc64lib
