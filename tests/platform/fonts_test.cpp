#include "platform/fonts.h"

#include "testsupport.h"

#include <gtest/gtest.h>

TEST(FontBox, EachFamilyOnceSortedWithoutItsFoundry)
{
    // As the system lists them when several foundries make one family.
    const QStringList families = {"Z003 [urw]",       "Nimbus Sans [urw]", "DejaVu Sans",    "Nimbus Sans [URW ]",
                                  "C059 [UKWN]",      "Nimbus Sans [UKWN]", "C059 [urw]",    "dejavu serif",
                                  "Nimbus Sans",      "Nimbus Sans Narrow [urw]", "Standard Symbols PS [URW ]"};
    EXPECT_EQ(fontboxfamilies(families),
              QStringList({"C059", "DejaVu Sans", "dejavu serif", "Nimbus Sans", "Nimbus Sans Narrow",
                           "Standard Symbols PS", "Z003"}));
    EXPECT_TRUE(fontboxfamilies({}).isEmpty());
}
