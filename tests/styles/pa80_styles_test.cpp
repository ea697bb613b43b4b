#include "styles/pa80_styles.h"

#include <gtest/gtest.h>

TEST(Pa80Styles, PositionsCloseUpAfterRemoval)
{
    Pa80Styles list;
    EXPECT_EQ(list.Count(), 0);
    list.Add("One", 1);
    list.Add("Two", 2);
    list.Add("Three", 3);
    list.Remove(1);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(1)->StyleName(), "Two");
    EXPECT_EQ(list.Item(2)->StyleName(), "Three");
}

TEST(Pa80Styles, AddSetsEveryPropertyAndDefaults)
{
    Pa80Styles list;
    const auto plain = list.Add("Name", 7);
    EXPECT_EQ(plain->StylePos(), 7);
    EXPECT_EQ(plain->StyleSize(), 0);
    EXPECT_EQ(plain->StyleSizeSupp(), 0);
    EXPECT_EQ(plain->StyleGhost(), "N");
    EXPECT_TRUE(plain->StyleNewName().isEmpty());
    EXPECT_TRUE(plain->StyleContent().isEmpty());

    const auto full = list.Add("X", 2, 10, 20, "S", "New", "main", "supp");
    EXPECT_EQ(full->StyleSize(), 10);
    EXPECT_EQ(full->StyleSizeSupp(), 20);
    EXPECT_TRUE(full->isGhost());
    EXPECT_EQ(full->StyleNewName(), "New");
    EXPECT_EQ(full->StyleContent(), "main");
    EXPECT_EQ(full->StyleContentSupp(), "supp");
}

TEST(Pa80Styles, ItemGivesASharedReference)
{
    Pa80Styles list;
    list.Add("A", 1);
    list.Add("B", 2);
    list.Item(2)->setStyleSize(1234);
    EXPECT_EQ(list.Item(2)->StyleSize(), 1234);

    const auto held = list.Item(1);
    list.Remove(1);
    EXPECT_EQ(held->StyleName(), "A") << "a holder keeps its record alive";
}

TEST(Pa80Styles, KeysAreOptionalUniqueAndCaseInsensitive)
{
    Pa80Styles list;
    list.Add("A", 1);
    list.Add("B", 2);  // two records without a key
    list.Add("C", 3, 0, 0, "N", {}, {}, {}, QStringLiteral("Pop"));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(QStringLiteral("POP"))->StyleName(), "C");
    EXPECT_THROW(list.Add("D", 4, 0, 0, "N", {}, {}, {}, QStringLiteral("pop")), StyleListError);
    EXPECT_EQ(list.Count(), 3);
    list.Remove(QStringLiteral("pOp"));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW((void)list.Item(QStringLiteral("Pop")), StyleListError);
}

TEST(Pa80Styles, BadPositionsFailAndLeaveTheListAlone)
{
    Pa80Styles list;
    list.Add("A", 1);
    EXPECT_THROW((void)list.Item(0), StyleListError);
    EXPECT_THROW((void)list.Item(2), StyleListError);
    EXPECT_THROW(list.Remove(-1), StyleListError);
    EXPECT_THROW(list.Remove(QString()), StyleListError);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(1)->StyleName(), "A");
}

TEST(PA80Style, OnlyAnUpperCaseSIsAGhost)
{
    PA80Style style;
    for (const char *marker : {"s", "", "N", "SS"}) {
        style.setStyleGhost(marker);
        EXPECT_FALSE(style.isGhost()) << marker;
    }
    style.setStyleGhost("S");
    EXPECT_TRUE(style.isGhost());
}
