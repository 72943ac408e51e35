// A doubly linked list of untyped pointers with one built-in cursor.
#include "core/List.h"

#include "core/Pool.h"

namespace {

Pool linkPool(sizeof(ListNode));
Pool listPool(sizeof(List));

}  // namespace

void* List::operator new(std::size_t size) { return listPool.take(size); }

void List::operator delete(void* list) { listPool.give(list); }

void* ListNode::operator new(std::size_t size) { return linkPool.take(size); }

void ListNode::operator delete(void* node) { linkPool.give(node); }

List::~List() { clear(); }

void List::releaseContents() {
    rewind();
    // Every payload was made by a new-expression, perhaps from a pool; only its storage is released.
    while (hasNext()) {
        void* payload = next();
        if (!Pool::release(payload)) ::operator delete(payload);
    }
    clear();
}

bool List::hasNext() { return current != nullptr; }

void* List::next() {
    void* payload = current->payload;
    current = current->next;
    return payload;
}

void List::append(void* payload) {
    ListNode* node = new ListNode;
    node->prev = last;
    node->payload = payload;
    if (last == nullptr)
        first = node;
    else
        last->next = node;
    last = node;
    ++count_;
    ++revision_;
}

void List::insertAt(int index, void* payload) {
    ListNode* successor = nodeAt(index);
    if (successor == nullptr) return;
    ListNode* node = new ListNode;
    node->prev = successor->prev;
    node->next = successor;
    node->payload = payload;
    if (node->prev != nullptr) node->prev->next = node;
    successor->prev = node;
    if (node->prev == nullptr) first = node;
    ++count_;
    ++revision_;
}

void List::appendAll(Cursor* source) {
    while (source->hasNext()) append(source->next());
}

void List::clear() {
    for (ListNode* node = first; node != nullptr;) {
        ListNode* following = node->next;
        delete node;
        node = following;
    }
    count_ = 0;
    ++revision_;
    first = last = current = nullptr;
}

void* List::at(int index) const {
    ListNode* node = nodeAt(index);
    return node == nullptr ? nullptr : node->payload;
}

Cursor* List::rewind() {
    current = first;
    return this;
}

ListNode* List::nodeAt(int index) const {
    if (index < 0 || index >= count_) return nullptr;
    ListNode* node = first;
    for (int i = 0; i < index; ++i) node = node->next;
    return node;
}
