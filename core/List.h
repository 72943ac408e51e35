// A doubly linked list of untyped pointers with one built-in cursor; it owns its nodes, never the payloads.
#pragma once

#include "core/Cursor.h"
#include "core/ListNode.h"

class List : public Cursor {
public:
    List() = default;
    List(const List&) = delete;
    List& operator=(const List&) = delete;
    ~List() override;
    // Every mesh holds one or two lists: they come from a pool of their own.
    static void* operator new(std::size_t size);
    static void operator delete(void* list);

    // Releases the storage of every payload (no destructor runs on it), then clears.
    void releaseContents() override;
    bool hasNext() override;
    void* next() override;

    void append(void* payload);
    // Inserts before the element now at index; an index outside 0..count-1 changes nothing.
    void insertAt(int index, void* payload);
    // Appends every element the source still yields, leaving it exhausted.
    void appendAll(Cursor* source);
    void clear();
    void* at(int index) const;
    int count() const { return count_; }
    // Changes whenever nodes are added or removed, so a copy of the list can tell it is stale.
    unsigned revision() const { return revision_; }
    // Because the cursor lives in the list, walks of one list cannot be nested.
    Cursor* rewind();

    ListNode* first = nullptr;
    ListNode* last = nullptr;

private:
    ListNode* nodeAt(int index) const;

    int count_ = 0;
    unsigned revision_ = 0;
};

// The elements of a list as pointers to T, first to last, for a range-for. It follows the links and
// leaves the list's own cursor alone, so such walks may nest and may run inside a cursor walk.
template <class T>
class Items {
public:
    class Iterator {
    public:
        explicit Iterator(const ListNode* node) : node_(node) {}
        T* operator*() const { return static_cast<T*>(node_->payload); }
        Iterator& operator++() {
            node_ = node_->next;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return node_ != other.node_; }

    private:
        const ListNode* node_;
    };

    explicit Items(const List* list) : first_(list->first) {}
    Iterator begin() const { return Iterator(first_); }
    Iterator end() const { return Iterator(nullptr); }

private:
    const ListNode* first_;
};

template <class T>
Items<T> items(const List* list) {
    return Items<T>(list);
}
