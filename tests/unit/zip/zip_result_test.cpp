// Every result code's message, and the message buffer contract.
#include "zip/zip_archive_writer.h"
#include "zip/zip_result.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace zv::zip
{
namespace
{

using W = ZipArchiveWriter;

TEST(ResultMessage, EveryCodeHasItsText)
{
    const std::pair<std::uint32_t, const char*> table[] = {
        {0, "Success"},
        {0x100, "Culdn't duplicate handle"},
        {0x200, "Couldn't create/open file"},
        {0x300, "Failed to allocate memory"},
        {0x400, "Error writing to file"},
        {0x500, "File not found in the zipfile"},
        {0x600, "Still more data to unzip"},
        {0x700, "Zipfile is corrupt or not a zipfile"},
        {0x800, "Error reading file"},
        {0x10000, "Caller: faulty arguments"},
        {0x20000, "Caller: can only get memory of a memory zipfile"},
        {0x30000, "Caller: not enough space allocated for memory zipfile"},
        {0x40000, "Caller: there was a previous error"},
        {0x50000, "Caller: additions to the zip have already been ended"},
        {0x60000, "Zip-bug: the anticipated size turned out wrong"},
        {0x70000, "Caller: the file had already been partially unzipped"},
        {0x80000, "Caller: mixing creation and opening of zip"},
        {0x1000000, "Zip-bug: internal initialisation not completed"},
        {0x2000000, "Zip-bug: trying to seek the unseekable"},
        {0x4000000, "Zip-bug: tried to change mind, but not allowed"},
        {0x5000000, "Zip-bug: an internal error during flation"},
    };
    for (const auto& [code, text] : table) {
        char buffer[128];
        EXPECT_EQ(W::ResultMessage(code, buffer, sizeof buffer), std::strlen(text)) << code;
        EXPECT_STREQ(buffer, text) << code;
    }
    for (std::uint32_t other : {2u, 0x101u, 0x900u, 0x90000u, 0x3000000u, 0xFFFFFFFFu})
        EXPECT_STREQ(result_text(other), "unknown zip result code") << other;
}

TEST(ResultMessage, CutsToTheBufferAndAlwaysTerminates)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(W::ResultMessage(0x400, buffer, 6), 21u);
    EXPECT_STREQ(buffer, "Error");
    EXPECT_EQ(buffer[6], 'x') << "nothing written past the given size";
    EXPECT_EQ(W::ResultMessage(0x400, buffer, 1), 21u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(W::ResultMessage(0x400, nullptr, 100), 21u);
    EXPECT_EQ(W::ResultMessage(0x400, buffer, 0), 21u);
}

} // namespace
} // namespace zv::zip
