#include "qv/world/ObjectList.h"

#include <algorithm>

namespace qv {

ObjectList::ObjectList(const ObjectList& other) : count(other.count) {
    std::copy_n(other.items.begin(), other.count, items.begin());
}

ObjectList& ObjectList::operator=(const ObjectList& other) {
    if (this != &other) {
        count = other.count;
        std::copy_n(other.items.begin(), other.count, items.begin());
    }
    return *this;
}

int ObjectList::append(Object* object) {
    if (count == CAPACITY) {
        return -1;
    }
    items[count++] = object;
    return 0;
}

int ObjectList::removeAt(int index) {
    if (index < 0 || index >= count) {
        return -1;
    }
    items[index] = items[count - 1];
    items[--count] = nullptr;
    return 0;
}

void ObjectList::clear() {
    count = 0;
}

} // namespace qv
