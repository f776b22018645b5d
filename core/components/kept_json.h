#pragma once
// A component that keeps the keys it was loaded with and writes them back
// unchanged. A built-in type whose class this build does not have yet is
// registered as one, so that its levels load and save without loss and every
// type keeps its id; N tells such types apart, since each needs its own id.

#include <utility>

#include "core/components/base_component.h"

namespace components {

template <int N>
class KeptJson final : public BaseComponent<KeptJson<N>> {
public:
    void Initialize() override {}
    void Remove() override {}
    Json::Value Serialize() override { return json; }
    void Deserialize(Json::Value value) override { json = std::move(value); }
    void EditInfoDisplay() override {}

private:
    Json::Value json{Json::objectValue};
};

}  // namespace components
