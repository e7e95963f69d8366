#include "resources/string_loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bundle/bundle.h"
#include "host.h"
#include "kit/scoped_env.h"
#include "protocol/visitors.h"
#include "unit/platform/test_resources.h"

namespace zv::resource
{
namespace
{

// Records the text of every visit.
class recording_visitor : public string_visitor_impl
{
  public:
    void visit(const char16_t* text) override { texts.emplace_back(text); }
    interface_ref ref() { return make_ref<iface::string_visitor>(this); }

    std::vector<std::u16string> texts;
};

// Chooses the host language for one test.
class StringLookup : public ::testing::Test
{
  protected:
    void language(const char* lang) { env_.set("ZV_LANG", lang); }

  private:
    zv::test::scoped_env env_;
};

zv_interface_words linked_entry(void* object)
{
    return zv_bundle_interface_to_custom_pointer(object);
}

// Ids above zero name the module's strings, the others the basic library's.
// (The texts in either language are the dialogs' renderings and the tools'
// messages: integration and end-to-end tests.)
TEST_F(StringLookup, StringsAreVisitedOnlyWhenFoundAndNegativeIdsAreTheBasicLibrarys)
{
    language("en");
    recording_visitor visitor;
    EXPECT_TRUE(load_string(13, visitor.ref()));
    EXPECT_FALSE(load_string(14, visitor.ref()));
    EXPECT_EQ(visitor.texts, std::vector<std::u16string>{u"Errors!"});
    EXPECT_EQ(load_string(14), u"");
    language("ru");
    EXPECT_EQ(load_string(-5), u"Ошибка");
    EXPECT_FALSE(load_string(0, interface_ref{}));
    EXPECT_FALSE(load_string(-12, interface_ref{})); // the module's 12 is not the library's
}

TEST_F(StringLookup, OffsetWithoutTextsFallsBackToTheBaseTextAndEmptyCountsAsMissing)
{
    platform::module_handle own = platform::own_module();
    recording_visitor visitor;
    EXPECT_FALSE(load_resource_string({own, 12}, 10000, visitor.ref()));
    EXPECT_TRUE(load_resource_string_or_base({own, 12}, 10000, visitor.ref()));
    EXPECT_TRUE(load_resource_string_or_base({own, 12}, 50000, visitor.ref()));
    EXPECT_FALSE(load_resource_string({test::resources::library(), 2}, 0, visitor.ref()));
    EXPECT_FALSE(load_resource_string({nullptr, 12}, 0, visitor.ref()));
    EXPECT_EQ(visitor.texts, (std::vector<std::u16string>{u"Выполнено!", u"Done!"}));
}

// A string that carries its own zero, and one followed by more text.
TEST_F(StringLookup, TableEntriesAreVisitedWithTheirOwnUnitsOnly)
{
    recording_visitor visitor;
    ASSERT_TRUE(load_resource_string({test::resources::library(), 1}, 0, visitor.ref()));
    ASSERT_TRUE(load_resource_string({test::resources::library(), 3}, 0, visitor.ref()));
    EXPECT_EQ(visitor.texts, (std::vector<std::u16string>{u"kept in place", u"abcde"}));
    // A null visitor still hears that the string was found.
    EXPECT_TRUE(load_resource_string({test::resources::library(), 3}, 0, interface_ref{}));
    EXPECT_TRUE(load_string(12, interface_ref{}));
}

// The module's client as libzvhost's host reaches it, through the entry and
// the registry (the handshake itself is the bundle tests'): while the host's
// localizer lives it answers alone.
TEST_F(StringLookup, HeldLocalizerAnswersAloneAndNeverForTheBasicLibrary)
{
    language("en");
    {
        hostapp::host host;
        std::string error;
        host.set_translations(*hostapp::translations::parse("12\tFinished\n", error));
        ASSERT_TRUE(host.attach(&linked_entry, error)) << error;
        host.connect_clients();
        host.connect_clients(); // no second holder
        EXPECT_EQ(host.localizer_watchers(), 1u);
        EXPECT_EQ(load_string(12), u"Finished");
        recording_visitor visitor;
        EXPECT_FALSE(load_string(13, visitor.ref())); // no fall-back to the module's table
        EXPECT_TRUE(visitor.texts.empty());
        EXPECT_EQ(host.localizer_requests(), 2u);
        EXPECT_EQ(load_string(-101), u"OK");
        EXPECT_EQ(host.localizer_requests(), 2u);
    }
    EXPECT_EQ(load_string(12), u"Done!");
}

} // namespace
} // namespace zv::resource
