#include "physics/pair_list.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/entity/entity_table.h"

namespace pair_list {
namespace {

using pair = std::pair<engine::entity_handle, engine::entity_handle>;

struct list {
    std::vector<pair> pairs;
    uint32_t generation = 0;  // of the entity table the pairs were made in
};

list& List() {
    static list state;
    return state;
}

auto Find(const engine::entity_handle& a, const engine::entity_handle& b) {
    auto& pairs = List().pairs;
    return std::find_if(pairs.begin(), pairs.end(), [&](const pair& listed) {
        return (listed.first == a && listed.second == b) || (listed.first == b && listed.second == a);
    });
}

}  // namespace

bool Contains(const engine::entity_handle& a, const engine::entity_handle& b) {
    return Find(a, b) != List().pairs.end();
}

void Add(const engine::entity_handle& a, const engine::entity_handle& b) { List().pairs.emplace_back(a, b); }

void Remove(const engine::entity_handle& a, const engine::entity_handle& b) {
    auto found = Find(a, b);
    if (found != List().pairs.end()) List().pairs.erase(found);
}

void DropDestroyed() {
    list& state = List();
    if (state.generation != engine::GetGeneration()) {
        state.pairs.clear();
        state.generation = engine::GetGeneration();
        return;
    }
    std::erase_if(state.pairs, [](const pair& listed) { return !listed.first.IsValid() || !listed.second.IsValid(); });
}

size_t Size() { return List().pairs.size(); }

}  // namespace pair_list
