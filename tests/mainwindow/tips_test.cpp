#include "mainwindow/tips.h"

#include <gtest/gtest.h>

TEST(Tips, LinesBecomeIconTextAndLink)
{
    EXPECT_FALSE(parsetip(QString(29, QLatin1Char('x'))));
    ASSERT_TRUE(parsetip(QString(30, QLatin1Char('x'))));

    auto tip = parsetip(QStringLiteral("5$Thirty characters of useful advice."));
    ASSERT_TRUE(tip);
    EXPECT_EQ(tip->icon, 5);
    EXPECT_EQ(tip->text, QStringLiteral("Thirty characters of useful advice."));
    EXPECT_EQ(tip->link, QString());

    // '$' first: no icon, the whole line is the text.
    tip = parsetip(QStringLiteral("$5 dollars buy thirty-odd characters."));
    EXPECT_EQ(tip->icon, 0);
    EXPECT_EQ(tip->text, QStringLiteral("$5 dollars buy thirty-odd characters."));
    for (const char *bad : {"x$", "99$", "-1$", "14$"}) {
        tip = parsetip(QLatin1String(bad) + QStringLiteral("A tip that is long enough to be shown."));
        EXPECT_EQ(tip->icon, 0) << bad;
    }
    EXPECT_EQ(parsetip(QStringLiteral("13$A tip that is long enough to be shown."))->icon, 13);

    // A link counts from the tenth character on.
    tip = parsetip(QStringLiteral("2$Visit our page http://example.org/x to see more"));
    EXPECT_EQ(tip->text, QStringLiteral("Visit our page "));
    EXPECT_EQ(tip->link, QStringLiteral("http://example.org/x to see more"));
    tip = parsetip(QStringLiteral("2$See http://example.org for all of the details"));
    EXPECT_EQ(tip->link, QString());
    EXPECT_EQ(tip->text, QStringLiteral("See http://example.org for all of the details"));

    for (const QString &line : builtintips()) {
        const std::optional<Tip> t = parsetip(line);
        ASSERT_TRUE(t) << line.toStdString();
        EXPECT_GE(t->text.size(), 30);
    }
    EXPECT_GE(builtintips().size(), 2);
}
