// The visible list box: sorted and unsorted items with their data, the
// selection from code raising Click once, and bad indexes.
#include "platform/listbox.h"

#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

namespace {

TEST(ListBox, KeepsItemsInOrderWithTheirData) {
    const struct {
        bool sorted;
        std::vector<const char*> entran;
        std::vector<const char*> quedan;
        std::vector<int> nuevos;
    } casos[] = {
        {false, {"b", "A", "c"}, {"b", "A", "c"}, {0, 1, 2}},
        {true, {"b", "A", "c", "a"}, {"A", "a", "b", "c"}, {0, 0, 2, 1}},
    };
    for (const auto& c : casos) {
        plat::ListBox l(QStringLiteral("l"), c.sorted);
        std::vector<int> nuevos;
        for (std::size_t i = 0; i < c.entran.size(); ++i) {
            l.AddItem(QString::fromLatin1(c.entran[i]));
            l.setItemData(l.NewIndex(), int(i) * 10);
            nuevos.push_back(l.NewIndex());
        }
        EXPECT_EQ(nuevos, c.nuevos);
        ASSERT_EQ(l.ListCount(), int(c.quedan.size()));
        for (std::size_t i = 0; i < c.quedan.size(); ++i) EXPECT_EQ(l.List(int(i)), QString::fromLatin1(c.quedan[i]));
        if (c.sorted) {
            EXPECT_EQ(l.ItemData(1), 30) << "the data follows its item";
        }
    }
}

TEST(ListBox, ASelectionFromCodeRaisesClickOnceAndSynchronously) {
    plat::ListBox l;
    int clicks = 0;
    int visto = -2;
    l.onClick = [&] {
        ++clicks;
        visto = l.ListIndex();
    };
    for (const char* t : {"x", "y", "z"}) l.AddItem(QString::fromLatin1(t));
    EXPECT_EQ(l.ListIndex(), -1);
    l.setListIndex(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(visto, 1);
    l.setListIndex(1);
    EXPECT_EQ(clicks, 1) << "the same item again is no change";
    l.setListIndex(-1);
    EXPECT_EQ(clicks, 1) << "clearing the selection is no click";
    l.chosen(2);
    EXPECT_EQ(clicks, 2);
    l.Clear();
    EXPECT_EQ(l.ListIndex(), -1);
    EXPECT_EQ(l.NewIndex(), -1);
}

TEST(ListBox, ABadIndexIsError381AndChangesNothing) {
    plat::ListBox l;
    l.AddItem(QStringLiteral("solo"));
    EXPECT_EQ(testing_support::errorNumberOf([&] { l.List(1); }), 381);
    EXPECT_EQ(testing_support::errorNumberOf([&] { l.setListIndex(3); }), 381);
    EXPECT_EQ(testing_support::errorNumberOf([&] { l.setItemData(-1, 0); }), 381);
    EXPECT_EQ(l.ListIndex(), -1);
}

TEST(ListBox, TheSelectionFollowsItsItemWhenASortedItemGoesBefore) {
    plat::ListBox l(QString(), true);
    l.AddItem(QStringLiteral("m"));
    l.setListIndex(0);
    l.AddItem(QStringLiteral("a"));
    EXPECT_EQ(l.ListIndex(), 1);
    EXPECT_EQ(l.List(l.ListIndex()), QStringLiteral("m"));
}

TEST(ListBox, StateAndPlacementReachTheView) {
    plat::ListBox l;
    int cambios = 0;
    l.onChanged = [&] { ++cambios; };
    l.move(8, 18, 239, 148);
    l.setEnabled(false);
    l.setVisible(false);
    l.setMousePointer(23);
    EXPECT_EQ(cambios, 4);
    EXPECT_EQ(l.width(), 239);
    EXPECT_FALSE(l.enabled());
    EXPECT_EQ(l.mousePointer(), 23);
}

} // namespace
