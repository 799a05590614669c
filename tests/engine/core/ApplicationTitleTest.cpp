#include "ApplicationTitle.h"

#include <gtest/gtest.h>

namespace zelv {
namespace {

TEST(ApplicationTitle, FollowsTheExecutableName)
{
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"ZELV_Derarar", "Zelv_derarar"},
        {"MapTool.Beta.exe", "Maptool"},                 // cut at the first point
        {"/opt/zelv/bin/ZELV_Derarar", "Zelv_derarar"},  // the directory goes
        {"/opt/Zelv.d/ABC", "Abc"},                      // a point in the directory does not cut
        {"zELV", "zelv"},                                // the first character stays as it is
        {"x", "x"},
        {"", ""},
        {".hidden", ""},
        {"/usr/bin/", ""},
        {"\xDC" "BER.EXE", "\xDC" "ber"},                // Ü stays first, the rest lowers
        {"A\xC4\xD6\xDC\xDE\xD7\x8A\x8C\x8E\x9F", "A\xE4\xF6\xFC\xFE\xD7\x9A\x9C\x9E\xFF"},
        {"A\xDF" "1_-Z", "A\xDF" "1_-z"},                  // ß and non-letters stay
    };
    for (const auto& c : cases)
        EXPECT_EQ(applicationTitle(c.path), c.title) << c.path;
}

} // namespace
} // namespace zelv
