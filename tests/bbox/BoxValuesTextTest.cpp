#include "bbox/BoxValuesText.h"

#include <gtest/gtest.h>

namespace quillfen {
namespace {

TEST(BoxValuesText, WritesFloatsWithTheLocalesSeparatorAndHandsThemOverWithPoints) {
    struct Case {
        BoxValues box;
        char separator;
        const char* shown;
        const char* handedOver;
    };
    for (const Case& c : {
             Case{{-1.2345f, 0, -0.5f, 1.2345f, 2.75f, 0.5f},
                  '.',
                  "-1.2345 0 -0.5 1.2345 2.75 0.5",
                  "-1.2345 0 -0.5 1.2345 2.75 0.5"},
             Case{{-1.2345f, 0, -0.5f, 1.2345f, 2.75f, 0.5f},
                  ',',
                  "-1,2345 0 -0,5 1,2345 2,75 0,5",
                  "-1.2345 0 -0.5 1.2345 2.75 0.5"},
             // At most seven significant digits.
             Case{{1234567.8f, 0.0312f, 80.25f, -13.3681f, 100, 0.1f},
                  ',',
                  "1234568 0,0312 80,25 -13,3681 100 0,1",
                  "1234568 0.0312 80.25 -13.3681 100 0.1"},
         }) {
        const std::string shown = boxValuesText(c.box, c.separator);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(handOverBoxValues(shown), c.handedOver);
    }
}

} // namespace
} // namespace quillfen
