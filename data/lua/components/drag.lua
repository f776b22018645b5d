-- Slows its entity's rigid body down, since nothing else does: the velocity
-- loses `rate` times itself each second, and below one world unit a second
-- the body stops.
local C = require("ffi").C

components.Register("Drag", {
    fields = { rate = 3 },

    Initialize = function(self)
        local e = self.entity
        self:Connect("LogicUpdate", function(self, dt)
            if dt <= 0 then return end
            local v = C.lb_rigidbody_get_velocity(e.index, e.id)
            local keep = math.max(0, 1 - self.rate * dt)
            local x, y = v.x * keep, v.y * keep
            if x * x + y * y < 1 then x, y = 0, 0 end
            C.lb_rigidbody_set_velocity(e.index, e.id, x, y)
        end)
    end,
})
