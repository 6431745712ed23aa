#include "ui/dialogs/folder_properties_rules.h"

#include <gtest/gtest.h>

#include "res/resource.h"

namespace tellaro {
namespace {

TEST(FolderPropertiesRules, ModesDecideTitleFieldsAndChecks) {
    EXPECT_EQ(DescribePropertiesMode(1).titleId, IDS_NEW_GROUP_TITLE);
    EXPECT_EQ(DescribePropertiesMode(2).titleId, IDS_FOLDER_PROPERTIES_TITLE);
    EXPECT_EQ(DescribePropertiesMode(3).titleId, IDS_GROUP_PROPERTIES_TITLE);
    EXPECT_FALSE(DescribePropertiesMode(3).folder);
    EXPECT_TRUE(DescribePropertiesMode(3).initialTexts);
    // An unknown mode is a new folder.
    EXPECT_EQ(DescribePropertiesMode(200).titleId, IDS_NEW_FOLDER_TITLE);
    EXPECT_TRUE(DescribePropertiesMode(200).folder);
    EXPECT_FALSE(DescribePropertiesMode(200).initialTexts);

    EXPECT_EQ(CheckPropertiesInput(0, false, "name"), IDS_INVALID_FOLDER_PATH);
    EXPECT_EQ(CheckPropertiesInput(2, true, ""), 0) << "a folder's name may stay empty";
    EXPECT_EQ(CheckPropertiesInput(1, false, ""), IDS_EMPTY_NAME);
    EXPECT_EQ(CheckPropertiesInput(3, false, "  "), 0) << "only emptiness is refused";
}

TEST(FolderPropertiesRules, HeightStaysFixedAndWidthAboveTheMinimum) {
    PropertiesControls c;
    c.path = {6, 30, 276, 51};
    c.browse = {282, 30, 318, 51};
    c.name = {6, 84, 276, 105};
    c.ok = {72, 120, 147, 141};
    c.cancel = {156, 120, 231, 141};
    c.help = {246, 120, 321, 141};
    const PropertiesLayout l = MeasurePropertiesLayout(326, 147, c, 180);
    EXPECT_EQ(l.minWidth, 174 + 75 + 20);
    // Placing at the measured size gives the template back.
    const PropertiesControls same = PlacePropertiesControls(l, 326, 147);
    EXPECT_EQ(same.help.left, 246);
    EXPECT_EQ(same.path.right, 276);
    const PropertiesControls wide = PlacePropertiesControls(l, 426, 147);
    EXPECT_EQ(wide.path.right, 376);
    EXPECT_EQ(wide.browse.left, 382);

    ScreenRect top{100, 50, 500, 300};
    ClampPropertiesSizing(top, 3, l);  // top edge: the bottom stays
    EXPECT_EQ(top.top, 120);
    EXPECT_EQ(top.bottom, 300);
    ScreenRect narrow{100, 100, 150, 200};
    ClampPropertiesSizing(narrow, 7, l);  // bottom-left corner: the right stays
    EXPECT_EQ(narrow.left, 150 - 269);
    EXPECT_EQ(narrow.bottom, 280);
    ScreenRect right{100, 100, 150, 280};
    ClampPropertiesSizing(right, 2, l);
    EXPECT_EQ(right.right, 100 + 269);
}

}  // namespace
}  // namespace tellaro
