// The one rule for typed texts that windows-1250 files keep: what they
// cannot hold is refused and named (the fields: storablefields_test.cpp).

#include "widgets/storabletext.h"

#include "testsupport.h"

#include <gtest/gtest.h>

using testsupport::RecordingPrompter;

TEST(StorableText, ATextThatCannotBeStoredIsRefusedWithItsCharactersNamed)
{
    RecordingPrompter answers;
    EXPECT_TRUE(checkstorable(QStringLiteral("\u017elu\u0165ou\u010dk\u00fd k\u016f\u0148")));
    EXPECT_TRUE(checkstorable(QString()));
    EXPECT_TRUE(answers.boxes.empty());

    EXPECT_FALSE(checkstorable(QStringLiteral("Vesna \u0412\u0435 \u03a9")));
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text, QStringLiteral("These characters cannot be stored: \u0412 \u0435 \u03a9\n"
                                                    "Please use other characters."));
    EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(answers.boxes[0].flags, 16);
}
