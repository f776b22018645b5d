#include "physics/component_changes.h"

namespace component_changes {
namespace {

uint64_t changes = 0;

}  // namespace

uint64_t Count() { return changes; }

void Note() { ++changes; }

}  // namespace component_changes
