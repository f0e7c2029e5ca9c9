#pragma once
// The framework's growable array of pointers. It never owns what it points to: owners destroy
// the items, then the array. The cursor is an index that keeps pointing at the same entry when
// earlier entries are removed.
#include <cstring>

template <typename T> class PtrArray {
  public:
    PtrArray() : count(0), capacity(1), cursor(0), items(new T*[1]()) {}
    ~PtrArray() { delete[] items; }
    PtrArray(const PtrArray&) = delete;
    PtrArray& operator=(const PtrArray&) = delete;

    T* Add(T* p) {
        if (count == capacity) {
            T** grown = new T*[capacity * 2]();
            std::memcpy(grown, items, sizeof(T*) * count);
            delete[] items;
            items = grown;
            capacity *= 2;
        }
        items[count++] = p;
        return p;
    }

    // Removes the first entry equal to p; later entries move down by one.
    void Remove(T* p) {
        for (int i = 0; i < count; ++i) {
            if (items[i] != p)
                continue;
            for (int j = i; j + 1 < count; ++j)
                items[j] = items[j + 1];
            items[--count] = nullptr;
            if (cursor >= i)
                --cursor;
            return;
        }
    }

    int Count() const { return count; }
    T* Get(int i) const { return (i >= 0 && i < count) ? items[i] : nullptr; }
    int Cursor() const { return cursor; }
    void SetCursor(int c) { cursor = c; }
    int Capacity() const { return capacity; }

  private:
    int count;
    int capacity;
    int cursor;
    T** items;
};
