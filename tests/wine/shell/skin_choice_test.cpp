#include <gtest/gtest.h>

#include "frame_fixture.h"

TEST_F(FrameTest, SetBackgroundAppliesOnlyAChangedChoiceOnOk) {
    ASSERT_TRUE(frame->CurrentSkin());
    const HBITMAP first = frame->CurrentSkin().Tile();

    frame->backgroundChoice = 0;  // the current skin again
    Command(ID_SET_BACKGROUND);
    EXPECT_EQ(frame->backgroundOffered, (std::vector<int32_t>{0}));
    EXPECT_EQ(frame->CurrentSkin().Tile(), first) << "nothing reloaded";

    frame->backgroundChoice.reset();  // Cancel
    Command(ID_SET_BACKGROUND);
    EXPECT_EQ(settings.curBitmap, 0);
    EXPECT_EQ(frame->CurrentSkin().Tile(), first);

    frame->backgroundChoice = 31;
    Command(ID_SET_BACKGROUND);
    EXPECT_EQ(settings.curBitmap, 31);
    ASSERT_TRUE(frame->CurrentSkin());
    EXPECT_NE(frame->CurrentSkin().Tile(), first);
    EXPECT_EQ(frame->View().SkinTile(), frame->CurrentSkin().Tile());

    frame->backgroundChoice = 32;  // no such skin
    Command(ID_SET_BACKGROUND);
    EXPECT_EQ(settings.curBitmap, 31);
    EXPECT_EQ(frame->backgroundOffered.back(), 31);
}

TEST_F(FrameTest, HelpTopicOpensTheManualBesideTheProgram) {
    Command(ID_HELP_TOPIC);
    EXPECT_EQ(frame->opened, (std::vector<std::wstring>{L".\\Ketra User Manual Ver1.0.pdf"}));
}
