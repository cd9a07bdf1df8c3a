#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>

namespace maphost {

// Keeps freed blocks of one size for reuse, so objects the host hands out by the
// million (per record: its location, fields and pushpin; a location per derivation
// step) cost no trip to the heap.
// One list per thread, at most Keep blocks; the list has no destructor, so objects
// freed late in the program's exit still find it (the few blocks kept are left to the
// system then).
template <std::size_t Size> class BlockRecycler {
public:
    static constexpr std::size_t Keep = 64;

    static void* take() {
        List& list = threadList();
        if (Node* node = list.head) {
            list.head = node->next;
            --list.count;
            return node;
        }
        return ::operator new(Size);
    }

    static void give(void* block) {
        List& list = threadList();
        if (list.count >= Keep) {
            ::operator delete(block);
            return;
        }
        auto* node = static_cast<Node*>(block);
        node->next = list.head;
        list.head = node;
        ++list.count;
    }

private:
    struct Node {
        Node* next;
    };
    struct List {
        Node* head;
        std::size_t count;
    };
    static_assert(Size >= sizeof(Node));

    static List& threadList() {
        thread_local List list{nullptr, 0};
        return list;
    }
};

// A standard allocator over BlockRecycler, for std::allocate_shared.
template <class T> struct RecyclingAllocator {
    using value_type = T;
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

    RecyclingAllocator() = default;
    template <class U> RecyclingAllocator(const RecyclingAllocator<U>&) {}

    T* allocate(std::size_t n) {
        if (n == 1)
            return static_cast<T*>(BlockRecycler<sizeof(T)>::take());
        return static_cast<T*>(::operator new(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) {
        if (n == 1)
            BlockRecycler<sizeof(T)>::give(p);
        else
            ::operator delete(p);
    }
    template <class U> bool operator==(const RecyclingAllocator<U>&) const { return true; }
};

// A shared object whose memory (object and count together) is recycled: for the
// objects a record walk makes per record.
template <class T, class... Args> std::shared_ptr<T> MakeRecycled(Args&&... args) {
    return std::allocate_shared<T>(RecyclingAllocator<T>(), std::forward<Args>(args)...);
}

} // namespace maphost
