-- Steers its entity's rigid body with the arrow keys, W A S D or the pad's
-- direction buttons, `speed` world units a second. When the level unloads
-- (a level change, or quitting, which saves it) the entity comes to rest, so
-- the saved level does not start it moving again.
local C = require("ffi").C

local KEYS = {
    right = { 262, 68, 355 },  -- Right, D, pad right
    left = { 263, 65, 357 },   -- Left, A, pad left
    down = { 264, 83, 356 },   -- Down, S, pad down
    up = { 265, 87, 354 },     -- Up, W, pad up
}

local function Held(keys)
    for _, key in ipairs(keys) do
        if C.lb_intput_get_key(key) then return 1 end
    end
    return 0
end

components.Register("PlayerControl", {
    fields = { speed = 80 },

    Initialize = function(self)
        local e = self.entity
        self:Connect("LogicUpdate", function(self)
            if C.lb_engine_in_editor() or C.lb_engine_is_paused() then return end
            local x = Held(KEYS.right) - Held(KEYS.left)
            local y = Held(KEYS.up) - Held(KEYS.down)
            if x ~= 0 and y ~= 0 then x, y = x * 0.7071, y * 0.7071 end
            C.lb_rigidbody_set_velocity(e.index, e.id, x * self.speed, y * self.speed)
        end)
        self:Connect("LevelUnload", function(self)
            C.lb_rigidbody_set_velocity(e.index, e.id, 0, 0)
        end)
    end,
})
