#include "physics/pair_list.h"

#include <unordered_map>
#include <utility>

#include "core/entity/entity_table.h"

namespace pair_list {
namespace {

using pair = std::pair<engine::entity_handle, engine::entity_handle>;

// Handles compare by id, so a pair is known by its two ids, smaller first.
uint64_t Key(const engine::entity_handle& a, const engine::entity_handle& b) {
    const uint64_t low = a.GetId() < b.GetId() ? a.GetId() : b.GetId();
    const uint64_t high = a.GetId() < b.GetId() ? b.GetId() : a.GetId();
    return low << 32 | high;
}

struct list {
    std::unordered_map<uint64_t, pair> pairs;
    uint32_t generation = 0;  // of the entity table the pairs were made in
};

list& List() {
    static list state;
    return state;
}

}  // namespace

bool Contains(const engine::entity_handle& a, const engine::entity_handle& b) {
    return List().pairs.count(Key(a, b)) > 0;
}

void Add(const engine::entity_handle& a, const engine::entity_handle& b) { List().pairs.emplace(Key(a, b), pair(a, b)); }

void Remove(const engine::entity_handle& a, const engine::entity_handle& b) { List().pairs.erase(Key(a, b)); }

void DropDestroyed() {
    list& state = List();
    if (state.generation != engine::GetGeneration()) {
        state.pairs.clear();
        state.generation = engine::GetGeneration();
        return;
    }
    std::erase_if(state.pairs, [](const auto& entry) {
        return !entry.second.first.IsValid() || !entry.second.second.IsValid();
    });
}

size_t Size() { return List().pairs.size(); }

void ForEach(const std::function<void(const engine::entity_handle&, const engine::entity_handle&)>& visit) {
    for (const auto& entry : List().pairs) visit(entry.second.first, entry.second.second);
}

}  // namespace pair_list
