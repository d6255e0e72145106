// The small pictures by index: the phonebook page's are all there and draw
// something; an index outside the table gives no picture.

#include "tests/ui/ui_test_support.h"
#include "ui/artwork/small_images.h"

#include <gtest/gtest.h>

namespace parlenko::ui {
namespace {

TEST(SmallImages, ThePhonebookPicturesExistAndAreDrawn) {
    testing::App();
    for (int index : {3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 20, 21, 28, 33, 35, 36, 55, 57}) {
        const QImage img = artwork::SmallImage(index);
        ASSERT_EQ(img.size(), QSize(16, 16)) << index;
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) opaque += qAlpha(img.pixel(x, y)) > 0 ? 1 : 0;
        EXPECT_GT(opaque, 20) << index;
    }
    EXPECT_TRUE(artwork::SmallImage(999).isNull());
    EXPECT_FALSE(artwork::HasSmallImage(-1));
}

}  // namespace
}  // namespace parlenko::ui
