// The linked list and its built-in cursor.
#include "core/List.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<void*> walk(List& list) {
    std::vector<void*> items;
    Cursor* cursor = list.rewind();
    while (cursor->hasNext()) items.push_back(cursor->next());
    return items;
}

int a, b, c, d;

TEST(ListBasics, EmptyListYieldsNothing) {
    List list;
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.rewind()->hasNext());
    EXPECT_EQ(list.at(0), nullptr);
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
}

TEST(ListBasics, AppendKeepsOrderAndLinks) {
    List list;
    list.append(&a);
    list.append(&b);
    list.append(&c);
    EXPECT_EQ(walk(list), (std::vector<void*>{&a, &b, &c}));
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.first->prev, nullptr);
    EXPECT_EQ(list.last->next, nullptr);
    EXPECT_EQ(list.last->prev->prev, list.first);
    EXPECT_EQ(list.at(2), &c);
    EXPECT_EQ(list.at(3), nullptr);
    EXPECT_EQ(list.at(-1), nullptr);
}

TEST(ListInsert, InsertsBeforeTheElementAtTheIndex) {
    List list;
    list.append(&a);
    list.append(&c);
    list.insertAt(1, &b);
    list.insertAt(0, &d);
    EXPECT_EQ(walk(list), (std::vector<void*>{&d, &a, &b, &c}));
    EXPECT_EQ(list.first->payload, &d);
    EXPECT_EQ(list.first->prev, nullptr);
    EXPECT_EQ(list.first->next->prev, list.first);
    EXPECT_EQ(list.count(), 4);
    // Walking backwards proves every prev link.
    std::vector<void*> backwards;
    for (ListNode* node = list.last; node != nullptr; node = node->prev) backwards.push_back(node->payload);
    EXPECT_EQ(backwards, (std::vector<void*>{&c, &b, &a, &d}));
}

TEST(ListInsert, IndicesOutsideTheListChangeNothing) {
    List empty;
    empty.insertAt(0, &a);
    EXPECT_EQ(empty.count(), 0);
    EXPECT_EQ(empty.first, nullptr);

    List list;
    list.append(&a);
    list.insertAt(1, &b);
    list.insertAt(-1, &b);
    EXPECT_EQ(walk(list), (std::vector<void*>{&a}));
}

TEST(ListClear, EmptiesAndAllowsReuse) {
    List list;
    list.append(&a);
    list.append(&b);
    list.rewind();
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.hasNext());
    EXPECT_TRUE(walk(list).empty());
    list.append(&c);
    EXPECT_EQ(walk(list), (std::vector<void*>{&c}));
    EXPECT_EQ(list.first, list.last);
}

TEST(ListWalk, AppendAllDrainsTheSource) {
    List source;
    source.append(&a);
    source.append(&b);
    List target;
    target.append(&c);
    target.appendAll(source.rewind());
    EXPECT_FALSE(source.hasNext());
    EXPECT_EQ(walk(target), (std::vector<void*>{&c, &a, &b}));
    target.appendAll(&source);
    EXPECT_EQ(target.count(), 3);
}

TEST(ListWalk, AppendReachesARunningWalkButNotAFinishedOne) {
    List list;
    list.append(&a);
    list.rewind();
    list.append(&b);
    EXPECT_EQ(list.next(), &a);
    ASSERT_TRUE(list.hasNext());
    EXPECT_EQ(list.next(), &b);
    EXPECT_FALSE(list.hasNext());
    list.append(&c);
    EXPECT_FALSE(list.hasNext());
}

}  // namespace
