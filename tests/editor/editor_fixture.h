#pragma once
// The editor on a real entity table and event registry, without a window:
// the events the Editor connects to are registered, and every entity and
// action is gone again after the test.

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "editor/editor.h"

class EditorCpu : public ::testing::Test {
protected:
    EditorCpu() {
        events::Register<engine::entity_handle>("EditorSelectedEntity");
        events::Connect<engine::entity_handle>("EditorSelectedEntity", "TestSelected",
                                               [this](engine::entity_handle handle) { raised.push_back(handle.GetId()); });
        for (const char* name : {"KeyPressed", "MouseButtonPressed", "MouseButtonReleased"})
            events::Register<int>(name);
        events::Register<>("DebugDraw");
    }
    ~EditorCpu() override {
        Editor::ClearActions();
        engine::DestroyAllEntities();
    }

    static engine::entity_handle At(float x, float y, float z) {
        const engine::entity_handle entity = engine::CreateEntity();
        entity.SetPosition(x, y, z);
        return entity;
    }
    static std::vector<uint32_t> Ids(const std::vector<engine::entity_handle>& handles) {
        std::vector<uint32_t> ids;
        for (const engine::entity_handle& handle : handles) ids.push_back(handle.GetId());
        return ids;
    }

    std::vector<uint32_t> raised;  // ids passed with "EditorSelectedEntity"
};
