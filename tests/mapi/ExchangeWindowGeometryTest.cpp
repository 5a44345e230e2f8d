#include <gtest/gtest.h>

#include "mapi/ExchangeWindowGeometry.h"

namespace {

using mapi::TwipsRect;

TEST(ExchangeWindowGeometryTest, FolderBrowserControlsFollowTheClientArea) {
    struct Case {
        float width, height;
        TwipsRect keySelect;
        std::optional<TwipsRect> tree;
    };
    const Case cases[] = {
        // The tree needs more than 121 twips each way, or it stays where it was.
        {6000, 853, {4080, 361, 1800, 372}, std::nullopt},
        {6000, 854, {4080, 362, 1800, 372}, TwipsRect{120, 120, 5760, 122}},
        {361, 4000, {-1559, 3508, 1800, 372}, std::nullopt},
        {362, 4000, {-1558, 3508, 1800, 372}, TwipsRect{120, 120, 122, 3268}},
    };
    for (const Case& c : cases) {
        const mapi::FolderSelectLayout layout = mapi::FolderSelectLayoutFor(c.width, c.height);
        EXPECT_EQ(layout.keySelect, c.keySelect) << c.width << " x " << c.height;
        EXPECT_EQ(layout.tree, c.tree) << c.width << " x " << c.height;
    }
}

TEST(ExchangeWindowGeometryTest, ProgressWindowCentredOverTheMainWindow) {
    EXPECT_EQ(mapi::CentredOver({0, 0, 1001, 3}, 2000, 0), (TwipsRect{-499.5f, 1.5f, 2000, 0}));
}

}  // namespace
