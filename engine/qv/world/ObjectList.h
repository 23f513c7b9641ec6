#ifndef QV_WORLD_OBJECTLIST_H
#define QV_WORLD_OBJECTLIST_H

#include <array>

namespace qv {

class Object;

/// A fixed-capacity list of object pointers it does not own. A copy is a
/// snapshot: later changes to the original do not reach it.
class ObjectList {
public:
    /// The most entries a list holds.
    static constexpr int CAPACITY = 5000;

    /// An empty list.
    ObjectList() = default;
    /// Copies only the entries in use, so a snapshot of a small world is cheap.
    ObjectList(const ObjectList& other);
    /// As the copy constructor.
    ObjectList& operator=(const ObjectList& other);

    /// Appends after the last entry; returns -1 (and drops the pointer) when full.
    int append(Object* object);

    /// Moves the last entry into slot index and shortens the list by one.
    /// Returns -1 for an index outside the list.
    int removeAt(int index);

    /// Empties the list.
    void clear();

    /// Entries in use.
    int getCount() const { return count; }
    /// True when CAPACITY entries are in use.
    bool isFull() const { return count == CAPACITY; }
    /// True when no entry is in use.
    bool isEmpty() const { return count == 0; }

    /// Entry index, 0 <= index < getCount(); may be null in the deletion list.
    Object* operator[](int index) const { return items[index]; }
    /// Entry index, writable.
    Object*& operator[](int index) { return items[index]; }

private:
    int count = 0;
    // Only entries below count are meaningful; the rest is never read, so a
    // snapshot does not pay for clearing 5000 slots.
    std::array<Object*, CAPACITY> items;
};

} // namespace qv

#endif
